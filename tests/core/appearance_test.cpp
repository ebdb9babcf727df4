// Defaults and the row-resize cursor. Which fonts the grid owns, and how
// the default fonts and the check boxes look, are the reference's answers
// and the paint tests'.
#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

TEST_F(GridTest, NewGridShowsLinesAndNumbersButZerosInTheRecordChooseDefaults) {
    const GridState& s = *state();
    EXPECT_EQ(s.showGridLines, 1);
    EXPECT_EQ(s.showLineNumbers, 1);
    GridAttr attr{};
    attr.selTextColor = 0x111111;
    EXPECT_EQ(SetGridAttr(grid, &attr), 1);
    EXPECT_EQ(s.showGridLines, 0);
    EXPECT_EQ(s.showLineNumbers, 0);
    EXPECT_EQ(s.backColor, static_cast<int64_t>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(s.gridLineColor, 0xC0C0C0);
    EXPECT_EQ(s.selTextColor, 0x111111);
    EXPECT_EQ(s.selBackColor, -1);
    EXPECT_EQ(s.frameColor, -1);
    EXPECT_EQ(SetGridAttr(grid, nullptr), -1);
    EXPECT_EQ(ShowLineNumbers(grid, 1), 1);
    EXPECT_EQ(s.showLineNumbers, 1);
}

TEST(Resources, TheRowResizeCursorIs32PixelsWithItsHotSpotAt15) {
    ICONINFO cursor{};
    ASSERT_TRUE(GetIconInfo(library.ownLook.resizeCursor, &cursor));
    BITMAP mask{};
    GetObjectA(cursor.hbmMask, sizeof mask, &mask);
    EXPECT_FALSE(cursor.fIcon);
    EXPECT_EQ(cursor.xHotspot, 15u);
    EXPECT_EQ(cursor.yHotspot, 15u);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor) DeleteObject(cursor.hbmColor);
}

// The measures the grid owns at three resolutions, and at a nonsense one.
TEST(Metrics, EveryMeasureIsThe96DpiOneScaledAsMulDivRounds) {
    const struct { int dpi, check, band, rowHeader, editLeft, comboTop, marker, minWidth, queryWidth; } rows[] = {
        {96, 13, 3, 35, 6, 3, -21, 30, 150}, {144, 20, 5, 53, 9, 5, -32, 45, 225},
        {192, 26, 6, 70, 12, 6, -43, 60, 300}, {0, 13, 3, 35, 6, 3, -21, 30, 150}};
    for (const auto& r : rows) {
        const Metrics m = MetricsAt(r.dpi);
        const int got[] = {m.checkSize, m.borderBand, m.rowHeaderWidth, m.editLeft, m.comboTop, m.markerFontHeight, m.minColumnWidth, m.queryColumnWidth};
        const int want[] = {r.check, r.band, r.rowHeader, r.editLeft, r.comboTop, r.marker, r.minWidth, r.queryWidth};
        const char* names[] = {"checkSize", "borderBand", "rowHeaderWidth", "editLeft", "comboTop", "markerFontHeight", "minColumnWidth", "queryColumnWidth"};
        for (size_t i = 0; i < sizeof got / sizeof got[0]; ++i) EXPECT_EQ(got[i], want[i]) << names[i] << " at " << r.dpi << " DPI";
    }
}
