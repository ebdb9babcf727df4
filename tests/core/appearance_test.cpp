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

TEST_F(GridTest, NewGridShowsLinesAndNumbersButAZeroRecordDoesNot) {
    EXPECT_EQ(state()->showGridLines, 1);
    EXPECT_EQ(state()->showLineNumbers, 1);
    GridAttr attr{};
    EXPECT_EQ(SetGridAttr(grid, &attr), 1);
    EXPECT_EQ(state()->showGridLines, 0);
    EXPECT_EQ(state()->showLineNumbers, 0);
    EXPECT_EQ(state()->backColor, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(state()->gridLineColor, 0xC0C0C0u);
    EXPECT_EQ(state()->selTextColor, -1);
    EXPECT_EQ(state()->selBackColor, -1);
    EXPECT_EQ(state()->frameColor, -1);
    LOGFONTA cell = FontOf(state()->cellFont), header = FontOf(state()->headerFont);
    EXPECT_STREQ(cell.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(cell.lfWeight, 400);
    EXPECT_EQ(header.lfWeight, 700);
}

TEST_F(GridTest, SetGridAttrStoresColoursAsGiven) {
    GridAttr attr{};
    attr.backColor = 0x0000FF;
    attr.gridLineColor = 0x123456;
    attr.selTextColor = 0x111111;
    attr.selBackColor = 0x222222;
    attr.frameColor = 0x333333;
    attr.showLineNumbers = 5;
    SetGridAttr(grid, &attr);
    EXPECT_EQ(state()->backColor, 0x0000FFu);
    EXPECT_EQ(state()->gridLineColor, 0x123456u);
    EXPECT_EQ(state()->selTextColor, 0x111111);
    EXPECT_EQ(state()->selBackColor, 0x222222);
    EXPECT_EQ(state()->frameColor, 0x333333);
    EXPECT_EQ(state()->showLineNumbers, 5);
    EXPECT_EQ(SetGridAttr(grid, nullptr), -1);
    EXPECT_EQ(state()->backColor, 0x0000FFu) << "a null record changes nothing";
}

TEST_F(GridTest, TheGridOwnsItsFontsAndDeletesTheOnesItReplaces) {
    HFONT oldCell = state()->cellFont;
    HFONT oldHeader = state()->headerFont;
    GridAttr attr{};
    attr.cellFont = MakeFont("Arial", 12, 400, 0, 0, 0);
    SetGridAttr(grid, &attr);
    EXPECT_EQ(GetObjectType(oldCell), 0u);
    EXPECT_EQ(GetObjectType(oldHeader), 0u);
    EXPECT_EQ(state()->cellFont, attr.cellFont);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(state()->hwndCombo, WM_GETFONT, 0, 0)), attr.cellFont);

    SetGridAttr(grid, &attr);  // handing back the font the grid already owns
    EXPECT_EQ(GetObjectType(attr.cellFont), static_cast<DWORD>(OBJ_FONT)) << "the grid's own font survives";
}

TEST_F(GridTest, MakeFontAsksForThePointSizeInPixels) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HFONT font = MakeFont("MS Sans Serif", 8, 400, 1, 1, 1);
    ASSERT_NE(font, nullptr);
    LOGFONTA lf = FontOf(font);
    if (dpi == 96) {
        EXPECT_EQ(lf.lfHeight, -11);
    }
    EXPECT_EQ(lf.lfHeight, -MulDiv(8, dpi, 72));
    EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut);
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
    DeleteObject(font);
}

TEST_F(GridTest, RowHeightNeverGoesBelowTheMinimum) {
    const int minimum = state()->minRowHeight;
    EXPECT_EQ(SetRowHeight(grid, 0), 1);
    EXPECT_EQ(GetRowHeight(grid), minimum);
    SetRowHeight(grid, -10);
    EXPECT_EQ(GetRowHeight(grid), minimum);
    SetRowHeight(grid, minimum + 20);
    EXPECT_EQ(GetRowHeight(grid), minimum + 20);
    EXPECT_EQ(ShowLineNumbers(grid, 0), 1);
    EXPECT_EQ(state()->showLineNumbers, 0);
}

TEST_F(GridTest, EntryStyleTakesOnlyZeroAndOne) {
    EXPECT_EQ(OnEntryStyle(1), 0);
    EXPECT_EQ(library.entryStyle, 1);
    EXPECT_EQ(OnEntryStyle(5), 0);
    EXPECT_EQ(library.entryStyle, 1);
    OnEntryStyle(0);
    EXPECT_EQ(library.entryStyle, 0);
}

TEST_F(GridTest, EditControlTakesTheColumnsOwnColours) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    FieldDef def{};
    def.size = 5;
    def.textColor = 0x0000FF;
    DefineField(grid, 1, 0, &def);
    def.textColor = 0;
    DefineField(grid, 2, 0, &def);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, grid, nullptr, host.instance(), nullptr);
    state()->hwndEdit = edit;
    HDC dc = GetDC(edit);

    state()->curCol = 1;
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(grid, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit));
    ASSERT_EQ(brush, library.sharedBrush);
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_WINDOW)) << "no background colour: the system window colour";
    EXPECT_EQ(GetTextColor(dc), 0x0000FFu);
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));

    state()->curCol = 2;  // no colours of its own: the default handling
    brush = reinterpret_cast<HBRUSH>(SendMessageA(grid, WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)edit));
    EXPECT_NE(brush, library.sharedBrush);
    ReleaseDC(edit, dc);
    state()->hwndEdit = nullptr;
    DestroyWindow(edit);
}
