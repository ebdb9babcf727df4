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
    EXPECT_EQ(OnEntryStyle(1), 0);
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
