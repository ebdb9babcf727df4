// Every pixel measure the grid owns, at one display resolution. The grid
// was drawn for 96 dots per inch; at other resolutions each measure grows
// with it, rounded as the platform's MulDiv rounds. Widths and heights a
// host gives are the host's own and never pass through here. No window
// types: the measures are worked out (and tested) without a window.
#pragma once

namespace tabrix {

constexpr int kDefaultDpi = 96;
// The row header's width at 96 DPI.
constexpr int kRowHeaderWidth = 35;

// `pixels` at 96 DPI, at `dpi`; halves round away from zero.
inline int Scaled(int pixels, int dpi) {
    const long long product = static_cast<long long>(pixels) * dpi;
    return static_cast<int>(product >= 0 ? (product + kDefaultDpi / 2) / kDefaultDpi
                                         : -((-product + kDefaultDpi / 2) / kDefaultDpi));
}

struct Metrics {
    int dpi;
    // Cells: the text's insets from the column's left and right lines and
    // from the row's top line, and the check box's side.
    int textLeft, textRight, textTop;
    int checkSize;
    // The row header: how far below the row's top line its marks may
    // reach, the current row's triangle (left edge, top and bottom of that
    // edge, tip), the new-record row's star (left and right edges, top) and
    // the line number's insets; the star's font height in pixels.
    int markBottom;
    int triangleLeft, triangleTop, triangleBottom, triangleTip;
    int starLeft, starRight, starTop;
    int numberLeft, numberRight;
    int markerFontHeight;
    // How near a row border, above or below, a press starts a row drag.
    int borderBand;
    // The editors' insets from the current cell's rectangle.
    int editLeft, editTop, editRight, editBottom;
    int comboLeft, comboTop, comboRight, comboBottom;
    // Widths the grid picks itself: the row header (and the filler column
    // past the last one), the narrowest column a divider drag leaves, the
    // room a drag leaves right of a column, a header item past the data,
    // and the columns a query load makes.
    int rowHeaderWidth;
    int minColumnWidth;
    int columnWidthMargin;
    int blankItemWidth;
    int queryColumnWidth, counterColumnWidth;
    // What the smallest row adds to the list editor's height, and how
    // long a drag's tracking line is drawn.
    int rowHeightExtra;
    int trackLength;
};

Metrics MetricsAt(int dpi);

}  // namespace tabrix
