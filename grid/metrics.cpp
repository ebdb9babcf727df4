#include "grid/metrics.h"

namespace tabrix {

Metrics MetricsAt(int dpi) {
    // A resolution nobody's display has (none reported, or a nonsense
    // number) keeps the grid as it was drawn.
    if (dpi < 48 || dpi > 960) dpi = kDefaultDpi;
    auto px = [dpi](int pixels) { return Scaled(pixels, dpi); };
    Metrics m{};
    m.dpi = dpi;
    m.textLeft = px(6);
    m.textRight = px(3);
    m.textTop = px(2);
    m.checkSize = px(13);
    m.markBottom = px(22);
    m.triangleLeft = px(10);
    m.triangleTop = px(5);
    m.triangleBottom = px(13);
    m.triangleTip = px(20);
    m.starLeft = px(11);
    m.starRight = px(23);
    m.starTop = px(2);
    m.numberLeft = px(2);
    m.numberRight = px(3);
    m.markerFontHeight = -((16 * dpi + 36) / 72);  // 16 points, as a font's height asks for them
    m.borderBand = px(3);
    m.editLeft = px(6);
    m.editTop = px(2);
    m.editRight = px(3);
    m.editBottom = px(1);
    m.comboLeft = px(2);
    m.comboTop = px(3);
    m.comboRight = px(3);
    m.comboBottom = 0;
    m.rowHeaderWidth = px(kRowHeaderWidth);
    m.minColumnWidth = px(30);
    m.columnWidthMargin = px(75);
    m.blankItemWidth = px(2000);
    m.queryColumnWidth = px(150);
    m.counterColumnWidth = px(50);
    m.rowHeightExtra = px(4);
    m.trackLength = px(1000);
    return m;
}

}  // namespace tabrix
