// Moves, typing a table, and the host's say on values and row changes.
#include <functional>

#include "tests/edit/session.h"

namespace {

using Codes = std::vector<UINT>;
LRESULT Refuse(WPARAM, LPARAM) { return 1; }

TEST_F(EditSession, RefusedValueKeepsTheEditorOpenUntilEscape) {
    Table(3, 4);
    host.Answer(GN_CELLCHANGING, Refuse);
    Click(2, 1), Type("x\ny\t");
    Expect(2, 1);
    EXPECT_EQ(Cell(2, 1, 1), "r2c1xy") << "the editor keeps the user's text for correcting";
    EXPECT_EQ(host.MessagesOf(GN_CELLCHANGING).size(), 2u);
    Press(VK_ESCAPE);
    EXPECT_EQ(Cell(2, 1), "r2c1");
    EXPECT_EQ(RowModified(grid, 2), 0);
    EXPECT_TRUE(host.MessagesOf(GN_CELLCHANGED).empty());
}

// Every way off an edited row that the host refuses brings back the view,
// the row and the selection (Ctrl+Home and Ctrl+End keep their move along
// the row), and the host is asked again each time; once it accepts, the
// next row is not edited.
TEST_F(EditSession, RefusedRowChangeHoldsTheUserOnTheRow) {
    Table(3, 40);
    host.Answer(GN_ROWCHANGING, Refuse);
    Edit(2, 1, "x\n");
    const struct { const char* name; int col; std::function<void()> act; int toFirstCol, toCol; } moves[] = {
        {"Down", 2, [] { Press(VK_DOWN); }, 2, 2},
        {"Page Down", 2, [] { Press(VK_NEXT); }, 2, 2},
        {"Ctrl+Home", 2, [] { Press(VK_HOME, {VK_CONTROL}); }, 1, 1},
        {"Ctrl+End", 2, [] { Press(VK_END, {VK_CONTROL}); }, 1, 3},
        {"click on another row", 1, [this] { Click(4, 3); }, 1, 1},
        {"click on a row header", 2, [this] { Click(5, 0); }, 2, 2},
        {"Right at the end of the row", 3, [] { Press(VK_RIGHT); }, 3, 3},
        {"Left at the start of the row", 1, [] { Press(VK_LEFT); }, 1, 1},
    };
    size_t asked = host.MessagesOf(GN_ROWCHANGING).size();
    for (const auto& m : moves) {
        SCOPED_TRACE(m.name);
        ASSERT_EQ(GotoCell(grid, 2, m.col), 1);  // the cell becomes the top-left one
        state()->selectedRow = 2;  // no export reads the selection
        m.act();
        EXPECT_EQ(GetFirstVisRow(grid), 2);
        EXPECT_EQ(GetFirstVisCol(grid), m.toFirstCol);
        Expect(2, m.toCol);
        EXPECT_EQ(state()->selectedRow, 2);
        EXPECT_EQ(host.MessagesOf(GN_ROWCHANGING).size(), ++asked);
    }
    host.Answer(GN_ROWCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 0; });
    Keys({VK_DOWN, VK_DOWN});
    EXPECT_EQ(host.MessagesOf(GN_ROWCHANGING).size(), asked + 1);
}

TEST_F(EditSession, TheHostHearsCommitsBeforeRowChangesDeletionsAndUndeletions) {
    Table(3, 4);
    ASSERT_EQ(SetUndoBuffer(grid), 1);
    host.Clear();
    Click(1, 3), Type("x\t");
    EXPECT_EQ(Heard(), (Codes{GN_CELLCHANGING, GN_CELLCHANGED, GN_ROWCHANGING}));
    EXPECT_EQ(host.MessagesOf(GN_ROWCHANGING)[0].lParam, MAKELPARAM(1, 1)) << "row 1 left, modified";
    Expect(2, 1);
    Press(VK_ESCAPE), host.Clear();
    Delete(3);
    EXPECT_EQ(Heard(), (Codes{GN_ROWHEADERDBLCLK, GN_ROWDELETING, GN_ROWDELETED}));
    EXPECT_EQ(Cell(3, 2), "#DELETED#");
    Edit(2, 1, "y\n"), host.Clear();
    EXPECT_EQ(UndeleteRow(grid), 1);
    EXPECT_EQ(Heard(), (Codes{GN_ROWCHANGING, GN_ROWUNDELETED})) << "leaving the edited row comes first";
    EXPECT_EQ(Cell(3, 2), "r3c2");
    EXPECT_EQ(GetCurrentRow(grid), 3);
}

TEST_F(EditSession, KeysMoveTheCurrentCell) {
    Table(3, 4);  // rows 1..4 and the new-record row 5
    const struct { const char* name; int row, col; WORD key; std::initializer_list<WORD> held; int toRow, toCol; }
        cases[] = {
        {"Down", 1, 1, VK_DOWN, {}, 2, 1},                  {"Up", 2, 2, VK_UP, {}, 1, 2},
        {"Right wraps like Tab", 1, 3, VK_RIGHT, {}, 2, 1}, {"Tab wraps to the next row", 1, 3, VK_TAB, {}, 2, 1},
        {"Shift+Tab", 2, 2, VK_TAB, {VK_SHIFT}, 2, 1},      {"Shift+Tab wraps back", 2, 1, VK_TAB, {VK_SHIFT}, 1, 3},
        {"Enter", 3, 3, VK_RETURN, {}, 4, 1},               {"Home", 2, 3, VK_HOME, {}, 2, 1},
        {"End", 2, 1, VK_END, {}, 2, 3},                    {"Ctrl+Home", 3, 2, VK_HOME, {VK_CONTROL}, 1, 1},
        {"Ctrl+End", 1, 1, VK_END, {VK_CONTROL}, 5, 3},     {"Down at the new-record row", 5, 1, VK_DOWN, {}, 5, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(GotoCell(grid, c.row, c.col), 1);
        Press(c.key, c.held);
        Expect(c.toRow, c.toCol);
    }
}

}  // namespace
