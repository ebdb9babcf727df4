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
    ASSERT_TRUE(GetIconInfo(library.resizeCursor, &cursor));
    BITMAP mask{};
    GetObjectA(cursor.hbmMask, sizeof mask, &mask);
    EXPECT_FALSE(cursor.fIcon);
    EXPECT_EQ(cursor.xHotspot, 15u);
    EXPECT_EQ(cursor.yHotspot, 15u);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor) DeleteObject(cursor.hbmColor);
}
