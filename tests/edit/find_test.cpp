// GridFind's searches, one by one, are in the reference's answers; here what
// lasts between calls: the continuation shared by the grids of a process,
// and a row change the host refuses.
#include "tests/support/grid_fixture.h"

namespace {

class FindTest : public GridTest {
protected:
    // Rows 1 to 3 of two columns; "hit" at 2,2 and 3,1.
    static void Fill(HWND g) {
        ASSERT_TRUE(testing_host::ShapeGrid(g, 2, 10));
        ASSERT_EQ(LoadRecordsetDelimited(g, "a,b\r\nc,hit\r\nhit,d", "\r\n", ","), 1);
        SetUndoBuffer(g);
    }
    void SetUp() override { GridTest::SetUp(), Fill(grid); }
};

TEST_F(FindTest, GridsShareTheContinuationAndARefusedRowChangeKeepsIt) {
    HWND other = CreateGrid(host.hwnd(), host.instance(), 0, 78, 0, 300, 400, 200);
    Fill(other);
    ASSERT_EQ(GridFind(grid, "hit", 0, 0, TABRIX_FIND_EQUALS), 1);
    ASSERT_EQ(GridFind(other, "hit", 0, 1, TABRIX_FIND_EQUALS), 1);
    EXPECT_EQ(GetCurrentRow(other), 3) << "the second grid resumes after the first grid's hit";
    DestroyWindow(other);

    ASSERT_EQ(GridFind(grid, "hit", 0, 0, TABRIX_FIND_EQUALS), 1);
    UpdateWindow(grid);
    SendMessageA(grid, WM_KEYUP, VK_F2, 0);
    ASSERT_EQ(FinishEditing(grid), 1) << "the row now counts as edited";
    host.Answer(GN_ROWCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 1; });
    EXPECT_EQ(GridFind(grid, "hit", 0, 1, TABRIX_FIND_EQUALS), -1);
    Expect(2, 2);
    EXPECT_EQ(host.MessagesOf(GN_ROWCHANGING).size(), 1u);
    host.Answer(GN_ROWCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    EXPECT_EQ(GridFind(grid, "hit", 0, 1, TABRIX_FIND_EQUALS), 1);
    Expect(3, 1);  // the refused search left the continuation after 2,2
}

}  // namespace
