#include "grid/library.h"
#include "tests/support/grid_fixture.h"

using namespace tabrix;

namespace {
LOGFONTA FontOf(HFONT font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    return lf;
}
}  // namespace

TEST_F(GridTest, NewGridShowsLinesAndNumbersButZerosInTheRecordChooseDefaults) {
    EXPECT_EQ(state()->showGridLines, 1);
    EXPECT_EQ(state()->showLineNumbers, 1);
    GridAttr attr{};
    attr.selTextColor = 0x111111;
    EXPECT_EQ(SetGridAttr(grid, &attr), 1);
    EXPECT_EQ(state()->showGridLines, 0);
    EXPECT_EQ(state()->showLineNumbers, 0);
    EXPECT_EQ(state()->backColor, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(state()->gridLineColor, 0xC0C0C0u);
    EXPECT_EQ(state()->selTextColor, 0x111111);
    EXPECT_EQ(state()->selBackColor, -1);
    EXPECT_EQ(state()->frameColor, -1);
    EXPECT_STREQ(FontOf(state()->cellFont).lfFaceName, "MS Sans Serif");
    EXPECT_EQ(FontOf(state()->cellFont).lfWeight, 400);
    EXPECT_EQ(FontOf(state()->headerFont).lfWeight, 700);
    EXPECT_EQ(SetGridAttr(grid, nullptr), -1);
    EXPECT_EQ(ShowLineNumbers(grid, 1), 1);
    EXPECT_EQ(state()->showLineNumbers, 1);
    EXPECT_EQ(OnEntryStyle(1), 0);
}

TEST_F(GridTest, TheGridOwnsItsFontsAndDeletesTheOnesItReplaces) {
    HFONT oldCell = state()->cellFont, oldHeader = state()->headerFont;
    GridAttr attr{};
    attr.cellFont = MakeFont("Arial", 12, 400, 0, 0, 0);
    SetGridAttr(grid, &attr);
    EXPECT_EQ(GetObjectType(oldCell), 0u);
    EXPECT_EQ(GetObjectType(oldHeader), 0u);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(state()->hwndCombo, WM_GETFONT, 0, 0)), attr.cellFont);
    SetGridAttr(grid, &attr);  // handing back the font the grid already owns
    EXPECT_EQ(GetObjectType(attr.cellFont), static_cast<DWORD>(OBJ_FONT)) << "the grid's own font survives";
}

TEST_F(GridTest, MakeFontAsksForThePointSizeInPixels) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HFONT font = MakeFont("MS Sans Serif", 8, 400, 1, 1, 1);
    const LOGFONTA lf = FontOf(font);
    EXPECT_EQ(lf.lfHeight, dpi == 96 ? -11 : -MulDiv(8, dpi, 72));
    EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut);
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
    DeleteObject(font);
}

TEST_F(GridTest, RowHeightNeverGoesBelowTheMinimum) {
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
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, grid, nullptr, host.instance(), nullptr);
    state()->hwndEdit = edit;
    HDC dc = GetDC(edit);
    CreateCell(grid, 1, 1, "");
    ASSERT_EQ(GotoCell(grid, 1, 1), 1);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(grid, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit));
    ASSERT_EQ(brush, library.sharedBrush);
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_WINDOW)) << "no background colour: the system window colour";
    EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
    ASSERT_EQ(GotoCell(grid, 1, 2), 1);  // no colours of its own: the default handling
    brush = reinterpret_cast<HBRUSH>(SendMessageA(grid, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit));
    EXPECT_NE(brush, library.sharedBrush);
    ReleaseDC(edit, dc);
    state()->hwndEdit = nullptr;
    DestroyWindow(edit);
}
