// The grid through oleacc, as a screen reader reads it: the tree, its
// places and navigation, in this process and from another, the events real
// input raises, the actions, and objects held past the grid's end.
#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <process.h>

#include "tests/edit/session.h"
#include "tests/support/access_walk.h"
#include "tests/support/object_count.h"

namespace {

using namespace testing_host;

class AccessibleTest : public EditSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        EditSession::SetUp();
        SetWindowTextA(grid, "Orders");
        Columns({ColumnField("Item", 80, 10), ColumnField("Code", 60, 10), ColumnField("Done", 50, 1)}, {0, 0, tabrix::FieldCheck});
        LockField(grid, 2, 1), LoadRecordsetDelimited(grid, "r1,c1,1\nr2,c2,0\nr3,c3,1\nr4,c4,0\nr5,c5,1\n", "\n", ",");
        SetUndoBuffer(grid), Settle();
    }
    void TearDown() override { EditSession::TearDown(), CoUninitialize(); }
    IAccessible* Table() {
        IAccessible* table = nullptr;
        EXPECT_EQ(AccessibleObjectFromWindow(grid, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&table)), S_OK);
        return table;
    }
    // The object a child id of `parent` names, or that a call answered.
    static IAccessible* Object(IAccessible* parent, VARIANT found) {
        IDispatch* object = found.vt == VT_DISPATCH ? found.pdispVal : nullptr;
        IAccessible* acc = nullptr;
        if (found.vt == VT_I4) { EXPECT_EQ(parent->get_accChild(found, &object), S_OK) << "child " << found.lVal; }
        if (object) object->QueryInterface(kIAccessible, reinterpret_cast<void**>(&acc)), object->Release();
        return acc;
    }
    std::map<std::string, AccPart> Tree() {
        std::map<std::string, AccPart> tree;
        for (const auto& part : WalkWindow(grid)) tree[part.path] = part;
        return tree;
    }
    // The walk of another process, which gets the objects marshalled; its calls arrive as this thread's messages.
    std::vector<std::string> WalkFromAnotherProcess() {
        char folder[MAX_PATH];
        *strrchr((GetModuleFileNameA(nullptr, folder, MAX_PATH), folder), '\\') = 0;
        const std::string exe = std::string(folder) + "\\accessible_client.exe", out = std::string(folder) + "\\walk.txt";
        const std::string window = std::to_string(reinterpret_cast<INT_PTR>(grid)), quoted = '"' + out + '"';
        HANDLE process = reinterpret_cast<HANDLE>(_spawnl(_P_NOWAIT, exe.c_str(), exe.c_str(), window.c_str(), quoted.c_str(), nullptr));
        while (MsgWaitForMultipleObjects(1, &process, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) PumpMessages();
        DWORD status = 1;
        GetExitCodeProcess(process, &status), CloseHandle(process);
        EXPECT_EQ(status, 0u) << "the other process's walk";
        std::vector<std::string> lines;
        std::ifstream file(out);
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return DeleteFileA(out.c_str()), lines;
    }
};

// Rows 3 to 5 and the new-record row in view, column 1 scrolled out, row 4
// selected, the current cell (3, 2) locked and focused; read here and from
// another process, then walked a thousand times more (from one table:
// Wine's marshalling keeps some 2 KB a request of its own).
TEST_F(AccessibleTest, TheWalkReadsWhatTheGridShowsWherePaintPutIt) {
    ASSERT_EQ(GotoCell(grid, 3, 2), 1);
    ASSERT_EQ(SelectRow(grid, 4), 1);
    Settle();
    auto tree = Tree();
    const long off = STATE_SYSTEM_OFFSCREEN, focused = STATE_SYSTEM_FOCUSED, selected = STATE_SYSTEM_SELECTED;
    const struct { const char* path; long role; const char* name; const char* value; long has, hasNot; } parts[] = {
        {"/Orders", ROLE_SYSTEM_TABLE, "Orders", "", STATE_SYSTEM_FOCUSABLE, focused},
        {"/Orders/Column headers/1", ROLE_SYSTEM_COLUMNHEADER, "Item", "", off, 0},
        {"/Orders/3/1", ROLE_SYSTEM_CELL, "Item: r3", "r3", off, focused},
        {"/Orders/3/2", ROLE_SYSTEM_CELL, "Code: c3", "c3", focused | STATE_SYSTEM_READONLY, off},
        {"/Orders/3/3", ROLE_SYSTEM_CHECKBUTTON, "Done", "1", STATE_SYSTEM_CHECKED, STATE_SYSTEM_READONLY | off},
        {"/Orders/4", ROLE_SYSTEM_ROW, "4", "", selected, 0},
        {"/Orders/4/3", ROLE_SYSTEM_CHECKBUTTON, "Done", "0", selected, STATE_SYSTEM_CHECKED},
        {"/Orders/New record", ROLE_SYSTEM_ROW, "New record", "", 0, STATE_SYSTEM_SELECTABLE},
    };
    for (const auto& p : parts) {
        ASSERT_EQ(tree.count(p.path), 1u) << p.path;
        EXPECT_EQ(std::tie(tree[p.path].role, tree[p.path].name, tree[p.path].value), std::tie(p.role, p.name, p.value))
            << p.path << ": role, name, value";
        EXPECT_EQ(tree[p.path].state & (p.has | p.hasNot), p.has) << p.path << ": the states it has of those named";
    }
    std::vector<std::string> here;
    for (const auto& part : WalkWindow(grid)) here.push_back(part.Line());
    EXPECT_EQ(WalkFromAnotherProcess(), here) << "every part, read alike in both processes";
    // Every cell lies where GetCellRect says; the table's hit test answers its row, the row's the cell.
    IAccessible* table = Table();
    int cellsInView = 0;
    for (const auto& [path, part] : tree) {
        int row = GetRowCount(grid) + 1, col = 0;
        if (sscanf(path.c_str(), "/Orders/%d/%d", &row, &col) < 2 && sscanf(path.c_str(), "/Orders/New record/%d", &col) < 1)
            continue;
        RECT cell;
        const bool inView = GetCellRect(grid, row, col, &cell) == 1;
        if (inView) MapWindowPoints(grid, HWND_DESKTOP, reinterpret_cast<POINT*>(&cell), 2);
        EXPECT_TRUE(EqualRect(&part.box, &cell)) << part.Line();
        EXPECT_EQ(inView, !(part.state & STATE_SYSTEM_OFFSCREEN)) << part.Line();
        VARIANT found{};
        const POINT at{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        if (!inView || table->accHitTest(at.x, at.y, &found) != S_OK || found.vt != VT_DISPATCH) continue;
        IAccessible* rowObject = Object(table, found);
        EXPECT_EQ(rowObject->accHitTest(at.x, at.y, &found), S_OK) << path;
        EXPECT_EQ(found.vt == VT_I4 ? found.lVal : -1, col) << path;
        rowObject->Release(), ++cellsInView;
    }
    EXPECT_EQ(cellsInView, 4 * 2) << "rows 3 to 5 and the new-record row, columns 2 and 3, found by hit testing";
    // Navigation from row 3 (id 2) or, as events name parts, from the table.
    const struct { long from, start, dir; const char* name; } moves[] = {{0, 0, NAVDIR_FIRSTCHILD, "Column headers"},
        {0, 0, NAVDIR_LASTCHILD, "New record"}, {0, 2, NAVDIR_DOWN, "4"}, {0, 2, NAVDIR_UP, "Column headers"},
        {2, 2, NAVDIR_RIGHT, "Done"}, {2, 2, NAVDIR_DOWN, "Code: c4"}, {2, 3, NAVDIR_NEXT, ""}, {0, -1026, NAVDIR_UP, "Code"}};
    for (const auto& m : moves) {
        IAccessible* from = m.from ? Object(table, Child(m.from)) : (table->AddRef(), table);
        VARIANT found{};
        BSTR name = nullptr;
        from->accNavigate(m.dir, Child(m.start), &found);
        IAccessible* object = found.vt == VT_DISPATCH ? Object(from, found) : (from->AddRef(), from);
        object->get_accName(found.vt == VT_DISPATCH ? Child(0) : found, &name), object->Release(), from->Release();
        EXPECT_EQ(Utf8(name), m.name) << "from " << m.from << ", child " << m.start << ", direction " << m.dir;
    }
    auto walks = [&](int n) {
        for (std::vector<AccPart> walked; n-- > 0; walked.clear()) Walk(table, "", &walked);
        DWORD handles = 0;
        GetProcessHandleCount(GetCurrentProcess(), &handles);
        return std::vector<long long>{LiveGdiObjects(), LiveWindows(), handles, PrivateKb()};
    };
    const std::vector<long long> before = walks(20), after = walks(1000);
    const char* what[] = {"GDI objects", "windows", "kernel handles"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(after[i], before[i]) << what[i];
    EXPECT_LE(after[3] - before[3], 64) << "private KB";
    EXPECT_EQ(table->Release(), 0u) << "the client's reference was the last";
    // Texts come through the grid's code page: the same word from ANSI and UTF-8 bytes.
    for (auto [page, text] : {std::pair{0, "Caf\xE9"}, {TABRIX_UTF8, "Caf\xC3\xA9"}})
        EXPECT_EQ((SetGridCodePage(grid, page), SetCellText(grid, 5, 2, text), Tree()["/Orders/5/2"].name), "Code: Caf\xC3\xA9") << page;
}

// What a screen reader hears of real input through the object each event
// names (Enter commits and moves right; a row header's click moves to its
// row), and what its actions do, the host asked, until the grid is gone.
TEST_F(AccessibleTest, EventsFollowRealInputAndActionsAskTheHostAsUsersDo) {
    static std::vector<std::string> heard;
    static HWND listened = nullptr;
    listened = grid;
    auto hear = [](HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
        IAccessible* acc = nullptr;
        BSTR name = nullptr, value = nullptr;
        VARIANT id;
        if (hwnd != listened || object != OBJID_CLIENT || (child == CHILDID_SELF && event != EVENT_OBJECT_REORDER)) return;
        if (FAILED(AccessibleObjectFromEvent(hwnd, object, child, &acc, &id))) return heard.push_back("no object");
        acc->get_accName(id, &name), acc->get_accValue(id, &value), acc->Release();
        const char* kind = event == EVENT_OBJECT_FOCUS ? "focus " : event == EVENT_OBJECT_VALUECHANGE ? "value "
                           : event == EVENT_OBJECT_SELECTION ? "selection " : "reorder ";
        heard.push_back(kind + Utf8(name) + (value ? "=" + Utf8(value) : ""));
    };
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_VALUECHANGE, nullptr, hear,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    const struct { const char* name; std::function<void()> act; std::vector<std::string> events; } steps[] = {
        {"focus", [&] { SetFocus(host.hwnd()), SetFocus(grid); }, {"focus Item: r1=r1"}},
        {"Down", [] { Press(VK_DOWN); }, {"focus Item: r2=r2"}},
        {"Right, Right", [] { Keys({VK_RIGHT, VK_RIGHT}); }, {"focus Code: c2=c2", "focus Done=0"}},
        {"Space", [] { Press(VK_SPACE); }, {"value Done=1"}},
        {"Left, Left, F2, x, Enter", [] { Keys({VK_LEFT, VK_LEFT, VK_F2, 'X', VK_RETURN}); },
         {"focus Code: c2=c2", "focus Item: r2=r2", "value Item: r2x=r2x", "focus Item: r2x=r2x", "focus Code: c2=c2"}},
        {"double click in a row header", [&] { Click(4, 0), Mouse(WM_LBUTTONDBLCLK, 4, 0); },
         {"focus Item: r4=r4", "selection 4"}},
        {"a load", [&] { LoadRecordsetDelimited(grid, "r1,c1,1\nr2,c2,0\nr3,c3,1\nr4,c4,0\n", "\n", ","); },
         {"reorder Orders", "focus Item: r1=r1"}},
    };
    for (const auto& step : steps) {
        heard.clear(), step.act();
        PumpMessages(), UpdateWindow(grid);
        EXPECT_EQ(heard, step.events) << step.name;
    }
    UnhookWinEvent(hook);
    // A check box's default action and a row's selection ask the host as a
    // click and a double click in the row header do; then the grid goes.
    IAccessible* table = Table();
    const struct { const char* name; LRESULT leaveRow, takeValue; bool edited; const char* value; int row; } cases[] = {
        {"the host refuses the value", 0, 1, false, "0", 4},
        {"the host refuses to leave the edited row", 1, 0, true, "0", 1},
        {"accepted", 0, 0, true, "1", 4},
    };
    for (const auto& c : cases) {
        host.Answer(GN_ROWCHANGING, [&c](WPARAM, LPARAM) { return c.leaveRow; });
        host.Answer(GN_CELLCHANGING, [&c](WPARAM, LPARAM) { return c.takeValue; });
        SetCellText(grid, 4, 3, "0"), GotoCell(grid, 1, 1);
        if (c.edited) Press(VK_F2), Type("e");
        ASSERT_EQ(FinishEditing(grid), 1);
        Settle(), host.Clear();
        EXPECT_EQ(table->accDoDefaultAction(Child(-(4 * 1024 + 3))), S_OK) << c.name;
        PumpMessages();
        EXPECT_EQ(Cell(4, 3), c.value) << c.name;
        EXPECT_EQ(GetCurrentRow(grid), c.row) << c.name;
        EXPECT_EQ(host.MessagesOf(GN_CELLCHANGING).size(), c.leaveRow ? 0u : 1u) << c.name;
    }
    for (LRESULT refuse : {1, 0}) {
        host.Answer(GN_ROWHEADERDBLCLK, [refuse](WPARAM, LPARAM) { return refuse; });
        table->accSelect(SELFLAG_TAKESELECTION, Child(3)), PumpMessages();
        EXPECT_EQ(CanDeleteRow(grid), refuse ? 0 : 1) << "row 2 is selected unless the host answered 1";
    }
    IAccessible* held[] = {table, Object(table, Child(2)), Object(table, Child(-(2 * 1024 + 3)))};
    DestroyWindow(grid);
    const char* calls[] = {"get_accName", "get_accChild", "accLocation", "accNavigate", "accHitTest", "accDoDefaultAction"};
    for (IAccessible* a : held) {
        struct { VARIANT v; BSTR s; IDispatch* d; long n; } o{};
        const HRESULT answers[] = {a->get_accName(Child(0), &o.s), a->get_accChild(Child(1), &o.d),
            a->accLocation(&o.n, &o.n, &o.n, &o.n, Child(0)), a->accNavigate(NAVDIR_NEXT, Child(0), &o.v),
            a->accHitTest(10, 10, &o.v), a->accDoDefaultAction(Child(0))};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(answers[i], CO_E_OBJNOTCONNECTED) << calls[i];
        EXPECT_EQ(a->Release(), 0u) << "the client's reference was the last";
    }
}

}  // namespace
