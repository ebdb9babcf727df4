// Copy and paste through the keys, as spreadsheets exchange cells. The
// rectangles GetCellsText gives and a paste undone with its row are the
// reference's answers.
#include <cstring>
#include <functional>
#include <string>

#include "tests/edit/session.h"

namespace {

using testing_host::ColumnField;

class ClipboardSession : public EditSession {
protected:
    void PutText(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(host.hwnd()));
        EmptyClipboard();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }
    // The clipboard's Unicode text and its ANSI text, joined by "|".
    std::string Clipped() {
        std::string both;
        if (!OpenClipboard(host.hwnd())) return "clipboard busy";
        if (HANDLE wide = GetClipboardData(CF_UNICODETEXT)) {
            for (const wchar_t* c = static_cast<const wchar_t*>(GlobalLock(wide)); *c; ++c) both += static_cast<char>(*c);
            GlobalUnlock(wide);
        }
        both += "|";
        if (HANDLE ansi = GetClipboardData(CF_TEXT)) both += static_cast<const char*>(GlobalLock(ansi)), GlobalUnlock(ansi);
        CloseClipboard();
        return both;
    }
    std::string Cells(int row1, int col1, int row2, int col2) { return GetCellsText(grid, row1, col1, row2, col2); }
};

TEST_F(ClipboardSession, CopiesACellOrTheSelectedRowAndPasteReadsThemBack) {
    Table(3, 4);
    ASSERT_EQ(CreateCell(grid, 1, 1, "a\tb"), 1);
    ASSERT_EQ(CreateCell(grid, 1, 2, "say \"hi\""), 1);
    ASSERT_EQ(CreateCell(grid, 1, 3, "l1\r\nl2  "), 1);
    Click(2, 2), Press(VK_ESCAPE);
    Press('C', {VK_CONTROL});
    EXPECT_EQ(Clipped(), "r2c2|r2c2") << "the current cell";
    ASSERT_EQ(SelectRow(grid, 1), 1);
    Press(VK_INSERT, {VK_CONTROL});
    const std::string row1 = "\"a\tb\"\t\"say \"\"hi\"\"\"\t\"l1\r\nl2\"";
    EXPECT_EQ(Clipped(), row1 + "|" + row1) << "the selected row, quoted, without trailing blanks";
    EXPECT_EQ(Cells(1, 1, 1, 3), row1);
    ASSERT_EQ(GotoCell(grid, 3, 1), 1);
    Press('V', {VK_CONTROL});
    EXPECT_EQ(Cells(3, 1, 3, 3), row1) << "the pasted row reads as the copied one";
    Click(2, 1);
    Press(VK_F2), Press('X'), Press('C', {VK_CONTROL}), Press(VK_ESCAPE);
    EXPECT_EQ(Clipped().substr(0, 5), row1.substr(0, 5)) << "Ctrl+C in an open editor is the editor's";
}

struct PasteCase {
    const char* name;
    std::function<void()> prepare;
    int row, col;
    const wchar_t* text;
    int end, cells, stopRow, stopCol;
    int rows;  // the data rows after the paste
    const char* after;  // the data rows' columns 1..3
};

// One grid per case: 3 columns of 10 characters, rows 1..4 "rNcM".
TEST_F(ClipboardSession, PastesCellByCellAsTypingStoresThem) {
    auto refuseCell = [this] {
        host.Answer(GN_CELLCHANGING, [](WPARAM, LPARAM) -> LRESULT {
            int32_t row, col;
            GetNotifyCell(&row, &col);
            return row == 2 && col == 2;
        });
    };
    auto refuseRow = [this] { host.Answer(GN_ROWCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 1; }); };
    auto checkBox = [this] {
        Columns({ColumnField("a", 60, 10), ColumnField("ok", 40, 1), ColumnField("c", 60, 10)}, {0, tabrix::FieldCheck, 0});
        ASSERT_EQ(CreateCell(grid, 1, 1, ""), 1);
    };
    const std::string table = "r1c1\tr1c2\tr1c3\r\nr2c1\tr2c2\tr2c3\r\nr3c1\tr3c2\tr3c3\r\nr4c1\tr4c2\tr4c3";
    const PasteCase cases[] = {
        {"a 3x3 block across the new-record row", nullptr, 4, 1, L"a\tb\tc\r\nd\te\tf\r\ng\th\ti\r\n", TABRIX_PASTE_DONE, 9, 6, 3, 6,
         "r1c1\tr1c2\tr1c3\r\nr2c1\tr2c2\tr2c3\r\nr3c1\tr3c2\tr3c3\r\na\tb\tc\r\nd\te\tf\r\ng\th\ti"},
        {"a refused cell", refuseCell, 1, 1, L"a\tb\tc\nd\te\tf\ng\th\ti", TABRIX_PASTE_REFUSED, 4, 2, 2, 4,
         "a\tb\tc\r\nd\tr2c2\tr2c3\r\nr3c1\tr3c2\tr3c3\r\nr4c1\tr4c2\tr4c3"},
        {"a refused row change", refuseRow, 1, 2, L"a\nb", TABRIX_PASTE_ROW_REFUSED, 1, 2, 2, 4,
         "r1c1\ta\tr1c3\r\nr2c1\tr2c2\tr2c3\r\nr3c1\tr3c2\tr3c3\r\nr4c1\tr4c2\tr4c3"},
        {"an over-long text", nullptr, 1, 1, L"x\t01234567890\ty", TABRIX_PASTE_TOO_LONG, 1, 1, 2, 4,
         "x\tr1c2\tr1c3\r\nr2c1\tr2c2\tr2c3\r\nr3c1\tr3c2\tr3c3\r\nr4c1\tr4c2\tr4c3"},
        {"a locked column", [this] { ASSERT_EQ(LockField(grid, 2, 1), 0); }, 1, 1, L"a\tb\tc",
         TABRIX_PASTE_DONE, 2, 1, 3, 4, "a\tr1c2\tc\r\nr2c1\tr2c2\tr2c3\r\nr3c1\tr3c2\tr3c3\r\nr4c1\tr4c2\tr4c3"},
        {"a check box given x", checkBox, 1, 1, L"a\t1\tb\nc\tx\td", TABRIX_PASTE_NOT_CHECK, 4, 2, 2, 2, "a\t1\tb\r\nc\t\t"},
        {"a read-only grid", [this] { ASSERT_EQ(GridReadOnly(grid, 1), 1); }, 1, 1, L"a", TABRIX_PASTE_READ_ONLY,
         0, 1, 1, 4, table.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (IsWindow(grid)) DestroyWindow(grid);
        grid = CreateGrid(host.hwnd(), host.instance(), 0, 77, 0, 0, 400, 300);
        host.Answer(GN_CELLCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 0; });
        host.Answer(GN_ROWCHANGING, [](WPARAM, LPARAM) -> LRESULT { return 0; });
        Table(3, 4);
        if (c.prepare) c.prepare();
        SetFocus(grid);
        ASSERT_EQ(GotoCell(grid, c.row, c.col), 1);
        PutText(c.text);
        host.Clear();
        Press(c.row == 1 ? 'V' : VK_INSERT, {c.row == 1 ? WORD{VK_CONTROL} : WORD{VK_SHIFT}});  // or Shift+Insert
        int32_t cells = -1, row = -1, col = -1;
        EXPECT_EQ(GetPasteResult(grid, &cells, &row, &col), c.end);
        EXPECT_EQ(std::vector<int>({cells, row, col}), std::vector<int>({c.cells, c.stopRow, c.stopCol}));
        EXPECT_EQ(GetRowCount(grid), c.rows);
        EXPECT_EQ(Cells(1, 1, c.rows, 3), c.after);
        EXPECT_EQ(host.MessagesOf(GN_CELLCHANGED).size(), static_cast<size_t>(c.cells));
        EXPECT_EQ(host.MessagesOf(GN_CELLCHANGING).size(), c.cells + (c.end == TABRIX_PASTE_REFUSED ? 1u : 0u))
            << "asked about each cell changed and the one refused, never about an over-long text";
        if (c.rows == 6) {
            EXPECT_EQ(RowModified(grid, 5), 2) << "row 5 appended through the new-record row";
            EXPECT_EQ(RowModified(grid, 6), 2) << "row 6 appended through the new-record row";
        }
    }
}

}  // namespace
