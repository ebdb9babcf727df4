// What a user sees: the grid's client area captured after a paint.
#include <algorithm>
#include <string>
#include <vector>

#include "grid/library.h"
#include "tests/support/grid_fixture.h"
#include "tests/support/capture.h"
#include "tests/support/field_def.h"
#include "tests/support/object_count.h"

using namespace tabrix;
using testing_host::Capture;
using testing_host::CaptureClient;

namespace {
const COLORREF kBack = RGB(250, 240, 200);
const COLORREF kLines = RGB(0, 200, 0);
const COLORREF kSelBack = RGB(0, 0, 160);
const COLORREF kSelText = RGB(255, 255, 0);
const COLORREF kFrame = RGB(255, 0, 255);

struct Ink {
    int count = 0, minX = 1 << 30, maxX = -1;
};
}  // namespace

class PaintTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        SetLook(true, true);
    }

    void SetLook(bool lines, bool numbers) {
        GridAttr attr{};
        attr.showGridLines = lines;
        attr.showLineNumbers = numbers;
        attr.backColor = static_cast<int32_t>(kBack);
        attr.gridLineColor = static_cast<int32_t>(kLines);
        attr.selBackColor = static_cast<int32_t>(kSelBack);
        attr.selTextColor = static_cast<int32_t>(kSelText);
        attr.frameColor = static_cast<int32_t>(kFrame);
        SetGridAttr(grid, &attr);
    }

    void Define(int col, int type, int width, int size, int align = 0, int text = 0, int back = 0,
                const char* face = nullptr) {
        FieldDef def = testing_host::ColumnField("label", width, size, align, text, back, face);
        ASSERT_EQ(DefineField(grid, col, type, &def), 1);
    }

    // Rows of texts for column `col`, starting at row 1.
    void Fill(int col, const std::vector<const char*>& texts) {
        for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(CreateCell(grid, static_cast<int>(i) + 1, col, texts[i]), 1);
    }

    // Puts the current cell where a test does not look, without scrolling.
    void StandOn(int row, int col) {
        state()->curRow = row;
        state()->curCol = col;
    }

    Capture Snap() {
        InvalidateRect(grid, nullptr, FALSE);
        return CaptureClient(grid);
    }

    int H() const { return tabrix::library.headerHeight; }
    int h() { return state()->rowHeight; }
    int RowTop(int r) { return H() + (r - 1) * h() - 1; }
    int RowLine(int r) { return H() + r * h() - 1; }

    // Pixels of `area` that differ from `background`.
    static Ink InkIn(const Capture& shot, RECT area, COLORREF background) {
        Ink ink;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (shot.At(x, y) == background) continue;
                ++ink.count;
                ink.minX = std::min(ink.minX, x);
                ink.maxX = std::max(ink.maxX, x);
            }
        }
        return ink;
    }
    static bool Contains(const Capture& shot, RECT area, COLORREF colour) {
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (shot.At(x, y) == colour) return true;
            }
        }
        return false;
    }
    static std::vector<COLORREF> Region(const Capture& shot, int left, int top, int width, int height) {
        std::vector<COLORREF> pixels;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) pixels.push_back(shot.At(x, y));
        }
        return pixels;
    }
    // The inside of a cell of row r (in the view) between x and x + w,
    // away from its lines.
    RECT CellInside(int r, int x, int w) { return RECT{x + 1, RowTop(r) + 2, x + w - 2, RowLine(r) - 1}; }
};

TEST_F(PaintTest, BackgroundLinesAndEmptyAreas) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    Define(1, FieldText, 60, 5);
    Define(2, FieldText, 80, 5);
    Fill(1, {"", "", ""});
    StandOn(1, 2);
    Capture shot = Snap();
    const int mid = RowTop(2) + h() / 2;
    EXPECT_EQ(shot.At(60, mid), kBack) << "an empty cell shows the background";
    EXPECT_EQ(shot.At(34, mid), RGB(0, 0, 0)) << "the first data column's left line is black";
    EXPECT_EQ(shot.At(35 + 60 - 1, mid), kLines) << "a grid line left of column 2";
    EXPECT_EQ(shot.At(150, RowLine(2)), kLines) << "a grid line under row 2";
    EXPECT_EQ(shot.At(20, RowLine(2)), RGB(0, 0, 0)) << "the row-header part of the line is black";

    const COLORREF workspace = GetSysColor(COLOR_APPWORKSPACE);
    EXPECT_EQ(shot.At(35 + 60 + 80 + 20, mid), workspace) << "right of the last column";
    const int gridBottom = H() + 4 * h() - 1;  // three rows and the new-record row
    EXPECT_EQ(state()->gridBottom, gridBottom);
    EXPECT_EQ(shot.At(60, gridBottom + 3), workspace) << "below the last row";
    EXPECT_EQ(state()->gridRight, 35 + 60 + 80);
    EXPECT_EQ(state()->rowsPainted, 4);

    SetLook(false, true);
    shot = Snap();
    EXPECT_EQ(shot.At(35 + 60 - 1, mid), kBack) << "no grid lines when they are off";
    EXPECT_EQ(shot.At(150, RowLine(2)), kBack);
    EXPECT_EQ(shot.At(34, mid), RGB(0, 0, 0)) << "the first column's line stays";
}

TEST_F(PaintTest, ColumnColoursGiveWayToTheSelection) {
    const COLORREF colBack = RGB(200, 255, 200), colText = RGB(200, 0, 0);
    ASSERT_EQ(DimCols(grid, 2), 1);
    Define(1, FieldText, 80, 10, 0, static_cast<int>(colText), static_cast<int>(colBack));
    Define(2, FieldText, 80, 10);
    Fill(1, {"WWWW", "WWWW", "WWWW"});
    StandOn(1, 2);
    state()->selectedRow = 2;
    Capture shot = Snap();

    const RECT plain = CellInside(3, 35, 80), selected = CellInside(2, 35, 80);
    EXPECT_TRUE(Contains(shot, plain, colBack));
    EXPECT_TRUE(Contains(shot, plain, colText));
    EXPECT_TRUE(Contains(shot, selected, kSelBack));
    EXPECT_TRUE(Contains(shot, selected, kSelText));
    EXPECT_FALSE(Contains(shot, selected, colBack)) << "the selection wins over the column's colours";
    EXPECT_FALSE(Contains(shot, selected, colText));
    EXPECT_EQ(shot.At(150, RowTop(2) + h() / 2), kSelBack) << "the selection spans the following columns";
    EXPECT_EQ(state()->selectedRowPainted, 1);
}

TEST_F(PaintTest, CheckBoxesArePlacedPixelForPixel) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    Define(1, FieldCheck, 60, 1);
    Define(2, FieldText, 60, 5);
    Fill(1, {"1", "0", "", tabrix::kDeletedMarker, "x"});
    StandOn(1, 2);
    Capture shot = Snap();

    auto image = [](HBITMAP bitmap) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, 13, -13, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<uint32_t> bits(13 * 13);
        HDC dc = GetDC(nullptr);
        GetDIBits(dc, bitmap, 0, 13, bits.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        std::vector<COLORREF> pixels;
        for (uint32_t p : bits) pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        return pixels;
    };
    const int left = 35 + (60 - 13) / 2 - 1;
    auto boxAt = [&](int r) { return Region(shot, left, RowTop(r) + (h() - 13) / 2, 13, 13); };
    EXPECT_EQ(boxAt(1), image(tabrix::library.checkedBitmap));
    EXPECT_EQ(boxAt(2), image(tabrix::library.uncheckedBitmap));
    EXPECT_EQ(boxAt(3), image(tabrix::library.uncheckedBitmap)) << "an empty text is unticked";
    EXPECT_EQ(boxAt(4), image(tabrix::library.deletedCheckBitmap));
    EXPECT_EQ(InkIn(shot, CellInside(5, 35, 60), kBack).count, 0) << "other texts show no box";
    EXPECT_EQ(InkIn(shot, CellInside(6, 35, 60), kBack).count, 0) << "the new-record row shows no box";
}

TEST_F(PaintTest, RowHeaderShowsTriangleNumbersAndTheNewRecordStar) {
    ASSERT_EQ(DimCols(grid, 1), 1);
    Define(1, FieldText, 80, 5);
    Fill(1, {"a", "b", "c", "d", "e"});
    StandOn(3, 1);
    Capture shot = Snap();
    const COLORREF face = GetSysColor(COLOR_BTNFACE), ink = GetSysColor(COLOR_BTNTEXT);
    auto header = [&](int r) { return RECT{2, RowTop(r) + 2, 32, RowLine(r) - 1}; };

    EXPECT_EQ(shot.At(14, RowTop(3) + 9), ink) << "the triangle on the current row";
    EXPECT_TRUE(Contains(shot, header(2), ink)) << "row numbers on other rows";
    const Ink number = InkIn(shot, header(2), face);
    EXPECT_GT(number.count, 0);
    const Ink star = InkIn(shot, RECT{11, RowTop(6) + 2, 23, RowLine(6) - 1}, face);
    EXPECT_GT(star.count, 0) << "the new-record row shows its star";

    // On the new-record row the star stays and no triangle joins it.
    const auto starOnly = Region(shot, 0, RowTop(6) + 2, 34, h() - 3);
    StandOn(6, 1);
    shot = Snap();
    EXPECT_EQ(Region(shot, 0, RowTop(6) + 2, 34, h() - 3), starOnly);

    ShowLineNumbers(grid, 0);
    shot = Snap();
    EXPECT_EQ(InkIn(shot, header(2), face).count, 0) << "no numbers when they are off";
}

TEST_F(PaintTest, DeletedAndTrailingBlankTextsDrawLikeTheirShownText) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    Define(1, FieldText, 120, 20);
    Define(2, FieldText, 40, 5);
    Fill(1, {tabrix::kDeletedMarker, "#DELETED#", "ABC   ", "ABC", "\x01   "});
    StandOn(1, 2);
    Capture shot = Snap();
    auto cell = [&](int r) { return Region(shot, 36, RowTop(r) + 2, 110, h() - 3); };
    EXPECT_GT(InkIn(shot, CellInside(1, 35, 120), kBack).count, 0);
    EXPECT_EQ(cell(1), cell(2)) << "the deleted-row marker reads #DELETED#";
    EXPECT_EQ(cell(3), cell(4)) << "trailing blanks are not drawn";
    EXPECT_EQ(cell(5), cell(2)) << "the marker followed by blanks is still a deleted cell";
}

TEST_F(PaintTest, FramesTheCurrentCell) {
    ASSERT_EQ(DimCols(grid, 2), 1);
    Define(1, FieldText, 60, 5);
    Define(2, FieldText, 60, 5);
    Fill(1, {"a", "b", "c"});
    StandOn(2, 1);
    Capture shot = Snap();
    const RECT expected{35, RowTop(2), 95, RowLine(2)};
    EXPECT_EQ(state()->curCellPainted, 1);
    EXPECT_TRUE(EqualRect(&state()->curCellRect, &expected));
    EXPECT_EQ(shot.At(50, expected.top + 1), kFrame) << "top edge";
    EXPECT_EQ(shot.At(expected.right - 2, expected.top + 5), kFrame) << "right edge";
    EXPECT_EQ(shot.At(50, expected.bottom - 1), kFrame) << "bottom edge";
    EXPECT_EQ(shot.At(expected.left, expected.top + 5), kFrame) << "left edge";
    EXPECT_FALSE(Contains(shot, CellInside(3, 35, 60), kFrame)) << "only the current cell is framed";
}

TEST_F(PaintTest, AlignedColumnsPutTheirInkOnTheirSide) {
    ASSERT_EQ(DimCols(grid, 3), 1);
    Define(1, FieldText, 150, 5, 1);
    Define(2, FieldText, 150, 5, 2);
    Define(3, FieldText, 40, 5);
    Fill(1, {"ab", "ab"});
    Fill(2, {"ab", "ab"});
    StandOn(1, 3);
    Capture shot = Snap();
    const Ink right = InkIn(shot, CellInside(2, 35, 150), kBack);
    ASSERT_GT(right.count, 0);
    EXPECT_GT(right.minX, 35 + 75) << "right-aligned text sits in the right half";
    EXPECT_GE(35 + 150 - 3, right.maxX);

    const Ink centred = InkIn(shot, CellInside(2, 185, 150), kBack);
    ASSERT_GT(centred.count, 0);
    const int leftGap = centred.minX - (185 + 6), rightGap = (185 + 150 - 3) - centred.maxX;
    EXPECT_LE(std::abs(leftGap - rightGap), 4) << "centred text has even margins";
}

TEST_F(PaintTest, HeaderRelabelsWhenScrolledSideways) {
    ASSERT_EQ(DimCols(grid, 6), 1);
    const char* labels[] = {"C1", "C2", "C3", "C4", "C5", "C6"};
    for (int col = 1; col <= 6; ++col) {
        FieldDef def{};
        def.label = const_cast<char*>(labels[col - 1]);
        def.width = 40 + col;
        def.size = 3;
        DefineField(grid, col, 0, &def);
    }
    Fill(1, {"x", "y"});
    SendMessageA(grid, WM_HSCROLL, SB_LINERIGHT, 0);
    UpdateWindow(grid);
    ASSERT_EQ(GetFirstVisCol(grid), 2);
    HWND header = state()->hwndHeader;
    for (int item = 1; item <= 7; ++item) {
        char text[64] = {};
        HDITEMA hd{};
        hd.mask = HDI_TEXT | HDI_WIDTH;
        hd.pszText = text;
        hd.cchTextMax = sizeof text;
        ASSERT_TRUE(Header_GetItem(header, item, &hd));
        const int col = item + 1;
        if (col <= 6) {
            EXPECT_STREQ(text, labels[col - 1]) << "item " << item;
            EXPECT_EQ(hd.cxy, 40 + col) << "item " << item;
        } else {
            EXPECT_STREQ(text, "  ") << "item " << item;
            EXPECT_EQ(hd.cxy, 2000) << "item " << item;
        }
    }
}

TEST_F(PaintTest, EarlyExitsStillValidateTheWindow) {
    ASSERT_EQ(DimCols(grid, 2), 1);  // no rows yet
    InvalidateRect(grid, nullptr, FALSE);
    UpdateWindow(grid);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(grid, &update, FALSE)) << "an invalid region would bring WM_PAINT for ever";
}

TEST_F(PaintTest, ReadOnlyGridHidesTheNewRecordRow) {
    ASSERT_EQ(DimCols(grid, 1), 1);
    Define(1, FieldText, 60, 5);
    ASSERT_EQ(CreateCell(grid, 0, 1, ""), 1);  // no data rows: only the new-record row
    state()->readOnly = 1;
    StandOn(1, 1);
    Snap();
    EXPECT_EQ(state()->curRow, 1) << "the current row never drops to the hidden row 0";

    Fill(1, {"a", "b", "c"});
    StandOn(4, 1);
    Snap();
    EXPECT_EQ(state()->curRow, 3);
    EXPECT_EQ(state()->rowsPainted, 3);
}

TEST_F(PaintTest, AZeroWidthColumnEndsEveryRow) {
    ASSERT_EQ(DimCols(grid, 3), 1);
    Define(1, FieldText, 60, 5);
    Define(2, FieldText, 0, 5);
    Define(3, FieldText, 60, 5);
    Fill(3, {"WWW", "WWW"});
    StandOn(1, 1);
    Capture shot = Snap();
    EXPECT_EQ(state()->hScroll.nPage, 2u) << "the row header and column 1 were visited";
    EXPECT_EQ(InkIn(shot, CellInside(2, 95, 60), kBack).count, 0) << "nothing is drawn after the zero-width column";
}

TEST_F(PaintTest, LongCellsAreDrawnWithoutCopying) {
    ASSERT_EQ(DimCols(grid, 1), 1);
    Define(1, FieldText, 300, 32000);
    std::string text(31990, 'W');
    text += "     ";
    Fill(1, {text.c_str(), "x"});
    StandOn(2, 1);
    Capture shot = Snap();
    EXPECT_GT(InkIn(shot, CellInside(1, 35, 300), kBack).count, 100);
}

TEST_F(PaintTest, PaintingLeaksNothing) {
    ASSERT_EQ(DimCols(grid, 3), 1);
    Define(1, FieldText, 80, 10, 0, RGB(200, 0, 0), RGB(0, 200, 200), "Arial");
    Define(2, FieldCheck, 50, 1);
    Define(3, FieldCombo, 80, 10, 2, 0, RGB(230, 230, 255), "Courier New");
    for (int row = 1; row <= 20; ++row) {
        CreateCell(grid, row, 1, "text");
        CreateCell(grid, row, 2, row % 2 ? "1" : "0");
        CreateCell(grid, row, 3, "combo");
    }
    state()->selectedRow = 3;
    Snap();  // first paint: shared objects settle
    const int gdi = testing_host::LiveGdiObjects(), windows = testing_host::LiveWindows();
    for (int i = 0; i < 1000; ++i) {
        InvalidateRect(grid, nullptr, FALSE);
        UpdateWindow(grid);
    }
    EXPECT_EQ(testing_host::LiveGdiObjects(), gdi);

    auto paintedGrid = [&] {
        HWND extra = CreateGrid(host.hwnd(), host.instance(), 0, 2, 0, 0, 300, 200);
        ASSERT_NE(extra, nullptr);
        CreateCell(extra, 1, 1, "x");
        UpdateWindow(extra);
        DestroyWindow(extra);
    };
    paintedGrid();  // the platform makes a few objects once, for the first of its kind
    const int gdiAfterFirst = testing_host::LiveGdiObjects();
    for (int i = 0; i < 500; ++i) paintedGrid();
    EXPECT_EQ(testing_host::LiveGdiObjects(), gdiAfterFirst);
    EXPECT_EQ(testing_host::LiveWindows(), windows);
}

TEST_F(PaintTest, ScrolledImagesMatchAFullRepaint) {
    // Scrolling reuses the last image and draws only the rows it brings in;
    // every step must look exactly like a paint from scratch, wrapped text
    // reaching into the next row and a current cell cut by the bottom edge
    // included.
    ASSERT_EQ(DimCols(grid, 5), 1);
    Define(1, FieldText, 60, 6, 0, RGB(200, 0, 0), RGB(220, 255, 220));
    Define(2, FieldCheck, 40, 1);
    Define(3, FieldText, 70, 6, 1);
    Define(4, FieldText, 80, 6, 2);
    FieldDef wrapped = testing_host::ColumnField("wrap", 40, 40);
    wrapped.multiline = 1;
    ASSERT_EQ(DefineField(grid, 5, FieldText, &wrapped), 1);
    for (int row = 1; row <= 40; ++row) {
        const std::string text = "r" + std::to_string(row);
        CreateCell(grid, row, 1, text.c_str());
        CreateCell(grid, row, 2, row % 3 ? "1" : "0");
        CreateCell(grid, row, 3, text.c_str());
        CreateCell(grid, row, 4, row % 5 ? text.c_str() : tabrix::kDeletedMarker);
        CreateCell(grid, row, 5, "gjpq gjpq gjpq gjpq");
    }
    SendMessageA(grid, WM_SIZE, 0, 0);
    state()->selectedRow = 9;
    StandOn(state()->visibleRows, 3);  // the last whole row: cut by the edge after a step back
    Snap();
    const int steps[][2] = {{SB_LINEDOWN, 1}, {SB_LINEDOWN, 3}, {SB_LINEUP, 1}, {SB_LINEDOWN, 2},
                            {SB_LINEUP, 2},   {SB_PAGEDOWN, 1}, {SB_LINEDOWN, 30}, {SB_LINEUP, 4}};
    for (const auto& step : steps) {
        for (int i = 0; i < step[1]; ++i) {
            SendMessageA(grid, WM_VSCROLL, step[0], 0);
            UpdateWindow(grid);
        }
        const Capture scrolled = CaptureClient(grid);
        const int first = GetFirstVisRow(grid);
        const Capture full = Snap();
        ASSERT_EQ(GetFirstVisRow(grid), first);
        EXPECT_TRUE(scrolled.pixels == full.pixels) << "first visible row " << first;
    }
}
