// GridFind as a host's "Find" and "Find next" use it: one table of searches
// in order, since a continued search resumes where the previous hit left.
#include <string>

#include "tests/support/grid_fixture.h"

namespace {

struct Search {
    const char* why;
    const char* text;
    int mode, currentColumnOnly, resume;
    int row, col;  // the hit, or 0 for none
};

class FindTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Fill(grid);
    }
    // Rows 1 to 5 of four columns; row 6 is the new-record row. Column 4
    // holds a long cell that ends in "needle".
    static void Fill(HWND g) {
        const std::string longCell = std::string(30994, 'a') + "needle";
        const char* rows[5][4] = {{"abc", "ABC", "x", longCell.c_str()},
                                  {"abc  ", "", "abcdef", ""},
                                  {"q", "hit", "zz", ""},
                                  {"hit", "w", "hitch", ""},
                                  {"k", "m", "y", "hit"}};
        ASSERT_TRUE(testing_host::ShapeGrid(g, 4, 10));
        const FieldDef big = testing_host::ColumnField("c", 60, 31000);
        ASSERT_EQ(DefineField(g, 4, 0, &big), 1);
        for (int i = 0; i < 20; ++i) ASSERT_EQ(CreateCell(g, i / 4 + 1, i % 4 + 1, rows[i / 4][i % 4]), 1);
        SetUndoBuffer(g);
    }
    // The answer, and the current cell moved to the hit or left where it was.
    void Run(HWND in, const Search& s) {
        const int row = GetCurrentRow(in), col = GetCurrentCol(in);
        EXPECT_EQ(GridFind(in, s.text, s.currentColumnOnly, s.resume, s.mode), s.row ? 1 : 0) << s.why;
        EXPECT_EQ(GetCurrentRow(in), s.row ? s.row : row) << s.why;
        EXPECT_EQ(GetCurrentCol(in), s.row ? s.col : col) << s.why;
    }
};

TEST_F(FindTest, SearchesInOrder) {
    const Search searches[] = {
        {"equals", "hit", 0, 0, 0, 3, 2},
        {"next: the rest of the hit's row, then later rows from column 1", "hit", 0, 0, 1, 4, 1},
        {"next", "hit", 0, 0, 1, 5, 4},
        {"after the last column of the last data row: row 1 again", "hit", 0, 0, 1, 3, 2},
        {"a failed continued search finds nothing", "nothing", 0, 0, 1, 0, 0},
        {"and keeps finding nothing: no wrap", "nothing", 0, 0, 1, 0, 0},
        {"empty equals the first empty cell", "", 0, 0, 0, 2, 2},
        {"empty is contained nowhere", "", 1, 0, 0, 0, 0},
        {"everything begins with empty", "", 2, 0, 0, 1, 1},
        {"case counts", "ABC", 1, 0, 0, 1, 2},
        {"contains", "bcd", 1, 0, 0, 2, 3},
        {"begins with", "hi", 2, 0, 0, 3, 2},
        {"trailing blanks count", "abc", 0, 0, 0, 1, 1},
        {"trailing blanks count, next", "abc", 0, 0, 1, 0, 0},
        {"a long cell matched at its end", "needle", 1, 0, 0, 1, 4},
        {"current column only: column 4 after the hit", "hit", 0, 1, 0, 5, 4},
        {"current column, next: wraps to row 1", "needle", 1, 1, 1, 1, 4},
        {"current column, next", "hit", 0, 1, 1, 5, 4},
    };
    for (const Search& s : searches) Run(grid, s);
}

TEST_F(FindTest, GridsShareTheContinuation) {
    HWND other = CreateGrid(host.hwnd(), host.instance(), 0, 78, 0, 300, 400, 200);
    Fill(other);
    Run(grid, {"hit in the first grid", "hit", 0, 0, 0, 3, 2});
    Run(other, {"the second grid resumes after it", "hit", 0, 0, 1, 4, 1});
    DestroyWindow(other);
}

TEST_F(FindTest, ARefusedRowChangeFindsNothingAndMovesNothing) {
    Run(grid, {"first hit", "hit", 0, 0, 0, 3, 2});
    UpdateWindow(grid);
    SendMessageA(grid, WM_KEYUP, VK_F2, 0);
    ASSERT_EQ(FinishEditing(grid), 1) << "the row now counts as edited";
    host.Answer(GN_ROWCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 1; });
    EXPECT_EQ(GridFind(grid, "hit", 0, 1, 0), -1);
    Expect(3, 2);
    EXPECT_EQ(host.MessagesOf(GN_ROWCHANGING).size(), 1u);
    host.Answer(GN_ROWCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    Run(grid, {"the continuation did not move", "hit", 0, 0, 1, 4, 1});
}

}  // namespace
