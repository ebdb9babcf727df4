#include <set>
#include <utility>
#include <vector>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

namespace {
LOGFONTA Describe(HFONT font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf;
}
}  // namespace

TEST_F(GridTest, NewGridShowsLinesAndNumbersButZerosInTheRecordChooseDefaults) {
    const GridState& s = *state();
    EXPECT_EQ(std::pair(s.showGridLines, s.showLineNumbers), std::pair(1, 1));
    GridAttr attr{};
    attr.selTextColor = 0x111111;
    EXPECT_EQ(SetGridAttr(grid, &attr), 1);
    EXPECT_EQ(std::vector<int64_t>({s.showGridLines, s.showLineNumbers, s.backColor, s.gridLineColor, s.selTextColor,
                                    s.selBackColor, s.frameColor}),
              std::vector<int64_t>({0, 0, GetSysColor(COLOR_WINDOW), 0xC0C0C0, 0x111111, -1, -1}));
    const LOGFONTA cell = Describe(FontOf(GetDlgItem(grid, kComboId))), header = Describe(FontOf(GetDlgItem(grid, kHeaderId)));
    EXPECT_STREQ(cell.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(std::pair(cell.lfWeight, header.lfWeight), std::pair(400L, 700L));
    EXPECT_EQ(SetGridAttr(grid, nullptr), -1);
    EXPECT_EQ(ShowLineNumbers(grid, 1), 1);
    EXPECT_EQ(s.showLineNumbers, 1);
}

TEST_F(GridTest, TheGridOwnsItsFontsAndDeletesTheOnesItReplaces) {
    HFONT oldCell = FontOf(GetDlgItem(grid, kComboId)), oldHeader = FontOf(GetDlgItem(grid, kHeaderId));
    GridAttr attr{};
    attr.cellFont = MakeFont("Arial", 12, 400, 0, 0, 0);
    SetGridAttr(grid, &attr);
    EXPECT_EQ(GetObjectType(oldCell) + GetObjectType(oldHeader), 0u);
    EXPECT_EQ(FontOf(GetDlgItem(grid, kComboId)), attr.cellFont);
    SetGridAttr(grid, &attr);  // handing back the font the grid already owns
    EXPECT_EQ(GetObjectType(attr.cellFont), static_cast<DWORD>(OBJ_FONT)) << "the grid's own font survives";
}

TEST_F(GridTest, MakeFontAsksForThePointSizeInPixelsAndRowsKeepTheirMinimumHeight) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HFONT font = MakeFont("MS Sans Serif", 8, 400, 1, 1, 1);
    const LOGFONTA lf = Describe(font);
    DeleteObject(font);
    EXPECT_EQ(lf.lfHeight, dpi == 96 ? -11 : -MulDiv(8, dpi, 72));
    EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut && lf.lfOutPrecision == OUT_TT_PRECIS);
    const int minimum = GetRowHeight(grid);
    for (auto [height, answer] : {std::pair{0, minimum}, {-10, minimum}, {minimum + 20, minimum + 20}}) {
        EXPECT_EQ(SetRowHeight(grid, height), 1);
        EXPECT_EQ(GetRowHeight(grid), answer) << height;
    }
}

TEST(Resources, CheckBoxImagesAndTheRowResizeCursor) {
    const std::set<std::pair<int, int>> tick = {{9, 3}, {8, 4}, {9, 4}, {3, 5}, {7, 5}, {8, 5}, {9, 5},
                                                {3, 6}, {4, 6}, {6, 6}, {7, 6}, {8, 6}, {3, 7}, {4, 7},
                                                {5, 7}, {6, 7}, {7, 7}, {4, 8}, {5, 8}, {6, 8}, {5, 9}};
    HDC dc = CreateCompatibleDC(nullptr);
    std::set<COLORREF> greys;
    for (HBITMAP bitmap : {library.checkedBitmap, library.uncheckedBitmap, library.deletedCheckBitmap}) {
        BITMAP info{};
        ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info) && info.bmWidth == 13 && info.bmHeight == 13);
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (int i = 0; i < 13 * 13; ++i) {
            const int x = i % 13, y = i / 13;
            const bool ink = x % 12 == 0 || y % 12 == 0 || (bitmap == library.checkedBitmap && tick.count({x, y}));
            if (bitmap == library.deletedCheckBitmap) greys.insert(GetPixel(dc, x, y));
            else EXPECT_EQ(GetPixel(dc, x, y), ink ? 0u : 0xFFFFFFu) << x << "," << y;
        }
        if (bitmap == library.deletedCheckBitmap) {  // the shape in grey tones: no black, no pure white
            EXPECT_EQ(greys.count(0u) + greys.count(0xFFFFFFu), 0u);
            EXPECT_EQ(GetPixel(dc, 3, 5), GetPixel(dc, 0, 0)) << "tick and frame share the dark grey";
            EXPECT_NE(GetPixel(dc, 1, 1), GetPixel(dc, 0, 0));
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    ICONINFO cursor{};
    ASSERT_TRUE(GetIconInfo(library.resizeCursor, &cursor));
    BITMAP mask{};
    GetObjectA(cursor.hbmMask, sizeof mask, &mask);
    EXPECT_TRUE(!cursor.fIcon && cursor.xHotspot == 15 && cursor.yHotspot == 15 && mask.bmWidth == 32)
        << "a 32-pixel cursor with its hot spot at 15,15";
    DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor) DeleteObject(cursor.hbmColor);
}
