#include <utility>
#include <vector>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

namespace {
LOGFONTA FontOf(HFONT font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf;
}
HFONT ChildFont(HWND grid, int child) {
    return reinterpret_cast<HFONT>(SendDlgItemMessageA(grid, child, WM_GETFONT, 0, 0));
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
    const LOGFONTA cell = FontOf(ChildFont(grid, kComboId)), header = FontOf(ChildFont(grid, kHeaderId));
    EXPECT_STREQ(cell.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(std::pair(cell.lfWeight, header.lfWeight), std::pair(400L, 700L));
    EXPECT_EQ(SetGridAttr(grid, nullptr), -1);
    EXPECT_EQ(ShowLineNumbers(grid, 1), 1);
    EXPECT_EQ(s.showLineNumbers, 1);
    EXPECT_EQ(OnEntryStyle(1), 0);
}

TEST_F(GridTest, TheGridOwnsItsFontsAndDeletesTheOnesItReplaces) {
    HFONT oldCell = ChildFont(grid, kComboId), oldHeader = ChildFont(grid, kHeaderId);
    GridAttr attr{};
    attr.cellFont = MakeFont("Arial", 12, 400, 0, 0, 0);
    SetGridAttr(grid, &attr);
    EXPECT_EQ(GetObjectType(oldCell) + GetObjectType(oldHeader), 0u);
    EXPECT_EQ(ChildFont(grid, kComboId), attr.cellFont);
    SetGridAttr(grid, &attr);  // handing back the font the grid already owns
    EXPECT_EQ(GetObjectType(attr.cellFont), static_cast<DWORD>(OBJ_FONT)) << "the grid's own font survives";
}

TEST_F(GridTest, MakeFontAsksForThePointSizeInPixelsAndRowsKeepTheirMinimumHeight) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HFONT font = MakeFont("MS Sans Serif", 8, 400, 1, 1, 1);
    const LOGFONTA lf = FontOf(font);
    DeleteObject(font);
    EXPECT_EQ(lf.lfHeight, dpi == 96 ? -11 : -MulDiv(8, dpi, 72));
    EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut && lf.lfOutPrecision == OUT_TT_PRECIS);
    const int minimum = GetRowHeight(grid);
    for (auto [height, answer] : {std::pair{0, minimum}, {-10, minimum}, {minimum + 20, minimum + 20}}) {
        EXPECT_EQ(SetRowHeight(grid, height), 1);
        EXPECT_EQ(GetRowHeight(grid), answer) << height;
    }
}

TEST_F(GridTest, EditControlTakesTheColumnsOwnColours) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef red = testing_host::ColumnField("", 50, 5, 0, 0x0000FF), plain = testing_host::ColumnField("", 50, 5);
    DefineField(grid, 1, 0, &red);
    DefineField(grid, 2, 0, &plain);  // black (0) cannot be chosen: it means none
    CreateCell(grid, 1, 1, "");
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, grid, nullptr, host.instance(), nullptr);
    state()->hwndEdit = edit;  // no export opens an editor yet
    HDC dc = GetDC(edit);
    ASSERT_EQ(GotoCell(grid, 1, 1), 1);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(grid, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit));
    ASSERT_EQ(brush, library.sharedBrush);
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_WINDOW)) << "no background colour: the system window colour";
    EXPECT_EQ(std::pair(GetTextColor(dc), GetBkColor(dc)), std::pair(COLORREF{0x0000FF}, GetSysColor(COLOR_WINDOW)));
    ASSERT_EQ(GotoCell(grid, 1, 2), 1);  // no colours of its own: the default handling
    brush = reinterpret_cast<HBRUSH>(SendMessageA(grid, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit));
    EXPECT_NE(brush, library.sharedBrush);
    ReleaseDC(edit, dc);
    state()->hwndEdit = nullptr;
    DestroyWindow(edit);
}
