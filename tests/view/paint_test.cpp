// What a user sees: the grid's client area captured after a paint.
#include <cstdlib>
#include <string>
#include <vector>

#include "grid/library.h"
#include "tests/support/capture.h"
#include "tests/support/grid_fixture.h"

using tabrix::FieldCheck;
using tabrix::library;
using testing_host::Capture;
using testing_host::CaptureClient;

namespace {
const COLORREF kBack = RGB(250, 240, 200), kLines = RGB(0, 200, 0), kSelBack = RGB(0, 0, 160),
               kSelText = RGB(255, 255, 0), kFrame = RGB(255, 0, 255), kBlack = RGB(0, 0, 0);

// An area of the picture that has some, no, only or not only pixels of a colour.
enum Want { kHas, kLacks, kOnly, kNotOnly };
struct Look { RECT area; COLORREF colour; Want want; const char* what; };
RECT Pt(int x, int y) { return RECT{x, y, x + 1, y + 1}; }

void ExpectLooks(const Capture& shot, const std::vector<Look>& looks) {
    for (const Look& look : looks) {
        const int other = shot.CountOtherThan(look.area, look.colour);
        const int all = (look.area.right - look.area.left) * (look.area.bottom - look.area.top);
        const bool ok[] = {other < all, other == all, other == 0, other > 0};
        EXPECT_TRUE(ok[look.want]) << look.what << " (" << other << " of " << all << " pixels differ)";
    }
}

std::vector<COLORREF> Region(const Capture& shot, int left, int top, int width, int height) {
    std::vector<COLORREF> pixels;
    for (int i = 0; i < width * height; ++i) pixels.push_back(shot.At(left + i % width, top + i / width));
    return pixels;
}

class PaintTest : public GridTest {
protected:
    void SetUp() override { GridTest::SetUp(), SetLines(true); }
    void SetLines(bool lines) {
        const GridAttr attr{nullptr, nullptr, lines, static_cast<int32_t>(kBack), static_cast<int32_t>(kLines),
                            static_cast<int32_t>(kSelText), static_cast<int32_t>(kSelBack),
                            static_cast<int32_t>(kFrame), 1};
        SetGridAttr(grid, &attr);
    }
    static FieldDef Col(int width, int size, int align = 0, COLORREF text = 0, COLORREF back = 0) {
        return testing_host::ColumnField("label", width, size, align, static_cast<int>(text), static_cast<int>(back));
    }
    void Fill(int col, const std::vector<const char*>& texts) {
        for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(CreateCell(grid, static_cast<int>(i) + 1, col, texts[i]), 1);
    }
    // Puts the current cell where a test looks, or where it does not, without scrolling.
    void StandOn(int row, int col) { state()->curRow = row, state()->curCol = col; }
    // A paint from scratch: a call to the grid makes it draw every row, as a
    // host's change would; an invalidation alone sends the kept image.
    Capture Snap() {
        GetRowCount(grid);
        InvalidateRect(grid, nullptr, FALSE);
        return CaptureClient(grid);
    }
    int h() { return GetRowHeight(grid); }
    int RowTop(int r) { return state()->headerHeight + (r - 1) * h() - 1; }
    int RowLine(int r) { return state()->headerHeight + r * h() - 1; }
    int Mid(int r) { return RowTop(r) + h() / 2; }
    // The inside of a cell of row r (in the view) between x and x + w, away from its lines.
    RECT Inside(int r, int x, int w) { return RECT{x + 1, RowTop(r) + 2, x + w - 2, RowLine(r) - 1}; }
};

// One scene pixel for pixel against a committed picture, at 96 DPI (the
// check boxes will be redrawn for other resolutions; this one must stay):
// lines, the row header's numbers, triangle and star, a check-box column
// (ticked, unticked, empty, deleted, other text), a coloured column with the
// deleted-row marker and a 31,995-character cell (drawn, never copied),
// right-aligned text with trailing blanks, centred text, the selected row 2
// and the current cell's frame on row 3. TABRIX_WRITE_PICTURE=1 writes the
// picture anew.
TEST_F(PaintTest, ASceneMatchesTheCommittedPicture) {
    Columns({Col(60, 1), Col(70, 32000, 0, RGB(200, 0, 0), RGB(200, 255, 200)), Col(60, 8, 1), Col(60, 5, 2)},
            {FieldCheck});
    const std::string longText = std::string(31990, 'W') + "     ";
    Fill(1, {"1", "0", "", tabrix::kDeletedMarker, "x"});
    Fill(2, {"Ag", "WWWW", "ABC", "\x01   ", longText.c_str()});
    Fill(3, {"ab   ", "ab"});
    Fill(4, {"ab", "", "xy"});
    StandOn(3, 4);
    state()->selectedRow = 2;
    const Capture shot = Snap();
    const RECT area{0, RowTop(1), 310, RowLine(6) + 1};
    const std::string file = std::string("Z:") + TABRIX_TESTS_DIR + "/view/scene_96dpi.txt";
    if (getenv("TABRIX_WRITE_PICTURE")) testing_host::WritePicture(file, shot, area);
    const Capture want = testing_host::ReadPicture(file);
    ASSERT_EQ(want.width, area.right - area.left) << file;
    ASSERT_EQ(want.height, area.bottom - area.top) << file;
    for (int y = 0; y < want.height; ++y) {
        for (int x = 0; x < want.width; ++x)
            ASSERT_EQ(shot.At(area.left + x, area.top + y), want.At(x, y)) << "pixel " << x << "," << y << " of " << file;
    }
    // On the new-record row the star stays and no triangle joins it.
    const auto starOnly = Region(shot, 0, RowTop(6) + 2, 34, h() - 3);
    StandOn(6, 1);
    EXPECT_EQ(Region(Snap(), 0, RowTop(6) + 2, 34, h() - 3), starOnly);

    SetLines(false);
    ShowLineNumbers(grid, 0);
    ExpectLooks(Snap(), {{Pt(200, RowLine(4)), kBack, kHas, "no grid lines when they are off"},
                         {Pt(34, Mid(1)), kBlack, kHas, "the first column's line stays"},
                         {RECT{2, RowTop(1) + 2, 32, RowLine(1) - 1}, GetSysColor(COLOR_BTNFACE), kOnly,
                          "no numbers when they are off"}});
}

// The early exits (no rows yet) validate the window, and erasing leaves
// every pixel to the paint, which would otherwise nest one BeginPaint in another.
TEST_F(PaintTest, EarlyExitsValidateAndErasingDrawsNothing) {
    Columns({Col(60, 5)});
    InvalidateRect(grid, nullptr, FALSE);
    UpdateWindow(grid);
    EXPECT_FALSE(GetUpdateRect(grid, nullptr, FALSE)) << "an invalid region would bring WM_PAINT for ever";

    Fill(1, {"a", "b"});
    UpdateWindow(grid);
    const COLORREF marker = RGB(1, 2, 3);
    HDC dc = GetDC(grid);
    SetBkColor(dc, marker);
    const RECT all{0, 0, 2000, 2000};
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    EXPECT_NE(SendMessageA(grid, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    EXPECT_EQ(GetPixel(dc, 60, Mid(1)), marker) << "erasing draws nothing";
    ReleaseDC(grid, dc);
    InvalidateRect(grid, nullptr, TRUE);
    const Capture shot = CaptureClient(grid);
    ExpectLooks(shot, {{RECT{0, 0, shot.width, shot.height}, marker, kLacks, "the paint covers every pixel"}});
}

TEST_F(PaintTest, ReadOnlyGridHidesTheNewRecordRow) {
    Columns({Col(60, 5)});
    ASSERT_EQ(CreateCell(grid, 0, 1, ""), 1);  // no data rows: only the new-record row
    state()->readOnly = 1;
    Snap();
    EXPECT_EQ(GetCurrentRow(grid), 1) << "the current row never drops to the hidden row 0";
    Fill(1, {"a", "b", "c"});
    StandOn(4, 1);
    ExpectLooks(Snap(), {{Pt(60, Mid(4)), GetSysColor(COLOR_APPWORKSPACE), kHas, "no new-record row"}});
    EXPECT_EQ(GetCurrentRow(grid), 3);
}

TEST_F(PaintTest, AZeroWidthColumnEndsEveryRow) {
    Columns({Col(60, 5), Col(0, 5), Col(60, 5)});
    Fill(3, {"WWW", "WWW"});
    ExpectLooks(Snap(), {{Inside(2, 95, 60), kBack, kOnly, "nothing is drawn after the zero-width column"}});
    EXPECT_EQ(Page(SB_HORZ), 2) << "the row header and column 1 were visited";
}

}  // namespace
