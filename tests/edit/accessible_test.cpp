// The grid through oleacc, as a screen reader reads it: the tree, its
// places and navigation, in this process and from another, the events real
// input raises, the actions, and objects held past the grid's end.
#include <fstream>
#include <functional>
#include <map>

#include "tests/edit/session.h"
#include "tests/support/access_walk.h"
#include "tests/support/object_count.h"

namespace {

using testing_host::Child;
using testing_host::ColumnField;
using testing_host::Utf8;

class AccessibleTest : public EditSession {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        EditSession::SetUp();
        SetWindowTextA(grid, "Orders");
        FieldDef locked = ColumnField("Code", 60, 10);
        locked.locked = 1;
        Columns({ColumnField("Item", 80, 10), locked, ColumnField("Done", 50, 1)},
                {tabrix::FieldText, tabrix::FieldText, tabrix::FieldCheck});
        for (int r = 1; r <= 5; ++r) {
            for (const char* text : {"r", "c"}) CreateCell(grid, r, *text == 'r' ? 1 : 2, (text + std::to_string(r)).c_str());
            CreateCell(grid, r, 3, r % 2 ? "1" : "0");
        }
        SetUndoBuffer(grid);
        Settle();
    }
    void TearDown() override {
        EditSession::TearDown();
        CoUninitialize();
    }
    IAccessible* Table() {
        IAccessible* table = nullptr;
        EXPECT_EQ(AccessibleObjectFromWindow(grid, OBJID_CLIENT, testing_host::kIAccessible, reinterpret_cast<void**>(&table)), S_OK);
        return table;
    }
    // A child object (a row, or through an event id a cell) of `parent`.
    static IAccessible* Object(IAccessible* parent, long id) {
        IDispatch* child = nullptr;
        IAccessible* object = nullptr;
        EXPECT_EQ(parent->get_accChild(Child(id), &child), S_OK) << "child " << id;
        if (child) child->QueryInterface(testing_host::kIAccessible, reinterpret_cast<void**>(&object)), child->Release();
        return object;
    }
    // The name of what a navigation or hit test answered, from `from`.
    static std::string NameOf(IAccessible* from, VARIANT found) {
        BSTR name = nullptr;
        IAccessible* object = nullptr;
        if (found.vt == VT_I4) from->get_accName(found, &name);
        if (found.vt == VT_DISPATCH && SUCCEEDED(found.pdispVal->QueryInterface(testing_host::kIAccessible, reinterpret_cast<void**>(&object)))) {
            object->get_accName(Child(CHILDID_SELF), &name);
            object->Release();
        }
        if (found.vt == VT_DISPATCH) found.pdispVal->Release();
        return found.vt == VT_EMPTY ? "(none)" : Utf8(name);
    }
    std::map<std::string, testing_host::AccPart> Tree() {
        std::map<std::string, testing_host::AccPart> tree;
        for (const auto& part : testing_host::WalkWindow(grid)) tree[part.path] = part;
        return tree;
    }
};

// Rows 3 to 5 and the new-record row in view, column 1 scrolled out, row 4
// selected, the current cell (3, 2) in a locked column while the grid has the focus.
TEST_F(AccessibleTest, TheWalkReadsWhatTheGridShowsWherePaintPutIt) {
    ASSERT_EQ(GotoCell(grid, 3, 2), 1);
    ASSERT_EQ(SelectRow(grid, 4), 1);
    Settle();
    auto tree = Tree();
    const long shown = STATE_SYSTEM_OFFSCREEN;
    const struct { const char* path; long role; const char* name; const char* value; long has, hasNot; } parts[] = {
        {"/Orders", ROLE_SYSTEM_TABLE, "Orders", "", STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_FOCUSED},
        {"/Orders/Column headers/1", ROLE_SYSTEM_COLUMNHEADER, "Item", "", STATE_SYSTEM_OFFSCREEN, 0},
        {"/Orders/Column headers/2", ROLE_SYSTEM_COLUMNHEADER, "Code", "", 0, shown},
        {"/Orders/3", ROLE_SYSTEM_ROW, "3", "", STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_SELECTED | shown},
        {"/Orders/3/1", ROLE_SYSTEM_CELL, "Item: r3", "r3", STATE_SYSTEM_OFFSCREEN, STATE_SYSTEM_FOCUSED},
        {"/Orders/3/2", ROLE_SYSTEM_CELL, "Code: c3", "c3", STATE_SYSTEM_FOCUSED | STATE_SYSTEM_READONLY, shown},
        {"/Orders/3/3", ROLE_SYSTEM_CHECKBUTTON, "Done", "1", STATE_SYSTEM_CHECKED, STATE_SYSTEM_READONLY | shown},
        {"/Orders/4", ROLE_SYSTEM_ROW, "4", "", STATE_SYSTEM_SELECTED, 0},
        {"/Orders/4/3", ROLE_SYSTEM_CHECKBUTTON, "Done", "0", STATE_SYSTEM_SELECTED, STATE_SYSTEM_CHECKED},
        {"/Orders/New record", ROLE_SYSTEM_ROW, "New record", "", 0, STATE_SYSTEM_SELECTABLE},
        {"/Orders/New record/2", ROLE_SYSTEM_CELL, "Code", "", STATE_SYSTEM_READONLY, 0},
    };
    for (const auto& p : parts) {
        SCOPED_TRACE(p.path);
        ASSERT_EQ(tree.count(p.path), 1u);
        const auto& part = tree[p.path];
        EXPECT_EQ(part.role, p.role);
        EXPECT_EQ(part.name, p.name);
        EXPECT_EQ(part.value, p.value);
        EXPECT_EQ(part.state & p.has, p.has);
        EXPECT_EQ(part.state & p.hasNot, 0);
    }
    EXPECT_EQ(tree.count("/Orders/2"), 0u) << "rows above the view are no children";
    // Every cell lies where GetCellRect says, and hit testing finds it there.
    IAccessible* table = Table();
    int cells = 0;
    for (const auto& [path, part] : tree) {
        int row = 0, col = 0;
        if (sscanf(path.c_str(), "/Orders/%d/%d", &row, &col) != 2 && sscanf(path.c_str(), "/Orders/New record/%d", &col) != 1) continue;
        if (!row) row = GetRowCount(grid) + 1;
        SCOPED_TRACE(path);
        RECT cell;
        const bool inView = GetCellRect(grid, row, col, &cell) == 1;
        if (inView) MapWindowPoints(grid, HWND_DESKTOP, reinterpret_cast<POINT*>(&cell), 2);
        EXPECT_TRUE(EqualRect(&part.box, &cell)) << part.Line();
        EXPECT_EQ(inView, !(part.state & STATE_SYSTEM_OFFSCREEN));
        if (!inView) continue;
        VARIANT found;
        ASSERT_EQ(table->accHitTest((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, &found), S_OK);
        ASSERT_EQ(found.vt, VT_DISPATCH) << "the table answers the row";
        IAccessible* rowObject = nullptr;
        found.pdispVal->QueryInterface(testing_host::kIAccessible, reinterpret_cast<void**>(&rowObject));
        found.pdispVal->Release();
        ASSERT_EQ(rowObject->accHitTest((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, &found), S_OK);
        EXPECT_EQ(found.vt == VT_I4 ? found.lVal : -1, col) << "the row answers the cell";
        rowObject->Release();
        ++cells;
    }
    EXPECT_EQ(cells, 4 * 2) << "rows 3 to 5 and the new-record row, columns 2 and 3";
    // Navigation: from the table, a row (id 2, row 3) and a cell of row 3
    // (id -(1 * 1024 + 2), as events name it).
    const struct { long from, start, dir; const char* name; } moves[] = {
        {0, CHILDID_SELF, NAVDIR_FIRSTCHILD, "Column headers"}, {0, CHILDID_SELF, NAVDIR_LASTCHILD, "New record"},
        {2, CHILDID_SELF, NAVDIR_DOWN, "4"}, {2, CHILDID_SELF, NAVDIR_UP, "Column headers"},
        {2, 2, NAVDIR_RIGHT, "Done"}, {2, 2, NAVDIR_DOWN, "Code: c4"}, {2, 3, NAVDIR_NEXT, "(none)"},
        {-1026, CHILDID_SELF, NAVDIR_UP, "Code"}, {2, CHILDID_SELF, NAVDIR_LASTCHILD, "Done"},
    };
    for (const auto& m : moves) {
        IAccessible* from = m.from ? Object(table, m.from) : table;
        VARIANT found;
        from->accNavigate(m.dir, Child(m.start), &found);
        EXPECT_EQ(NameOf(from, found), m.name) << "from " << m.from << ", child " << m.start << ", direction " << m.dir;
        if (from != table) from->Release();
    }
    EXPECT_EQ(table->Release(), 0u);
    // Texts come through the grid's code page: the same word from ANSI and UTF-8 bytes.
    for (auto [page, text] : {std::pair{0, "Caf\xE9"}, {TABRIX_UTF8, "Caf\xC3\xA9"}}) {
        ASSERT_EQ(SetGridCodePage(grid, page), 1);
        ASSERT_EQ(SetCellText(grid, 5, 2, text), 1);
        EXPECT_EQ(Tree()["/Orders/5/2"].name, "Code: Caf\xC3\xA9") << "code page " << page;
    }
}

// The objects reach another process marshalled, as a screen reader gets
// them: its walk reads every line this process reads.
TEST_F(AccessibleTest, AWalkFromAnotherProcessReadsTheSameTree) {
    ASSERT_EQ(GotoCell(grid, 2, 2), 1);
    Settle();
    std::vector<std::string> here, there;
    for (const auto& part : testing_host::WalkWindow(grid)) here.push_back(part.Line());
    char exe[MAX_PATH], command[2 * MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    *strrchr(exe, '\\') = 0;
    const std::string out = std::string(exe) + "\\accessible_walk.txt";
    snprintf(command, sizeof command, "\"%s\\accessible_client.exe\" %lld \"%s\"", exe,
             static_cast<long long>(reinterpret_cast<INT_PTR>(grid)), out.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    // Its calls arrive as messages of this thread's apartment.
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        testing_host::PumpMessages();
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread), CloseHandle(process.hProcess);
    EXPECT_EQ(status, 0u) << "the other process's walk";
    std::ifstream lines(out);
    for (std::string line; std::getline(lines, line);) there.push_back(line);
    EXPECT_GT(here.size(), 20u);
    EXPECT_EQ(there, here);
    DeleteFileA(out.c_str());
}

std::vector<std::string> heard;
HWND listened;
void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (hwnd != listened || object != OBJID_CLIENT || (child == CHILDID_SELF && event != EVENT_OBJECT_REORDER)) return;
    IAccessible* acc = nullptr;
    VARIANT id;
    BSTR name = nullptr, value = nullptr;
    if (FAILED(AccessibleObjectFromEvent(hwnd, object, child, &acc, &id))) return heard.push_back("no object");
    acc->get_accName(id, &name), acc->get_accValue(id, &value), acc->Release();
    const char* what = event == EVENT_OBJECT_FOCUS ? "focus " : event == EVENT_OBJECT_VALUECHANGE ? "value " : event == EVENT_OBJECT_SELECTION ? "selection " : "reorder ";
    heard.push_back(what + Utf8(name) + (value ? "=" + Utf8(value) : ""));
}

// Real keys and clicks, and what a screen reader hears of each through the
// object each event names.
TEST_F(AccessibleTest, EventsFollowRealInput) {
    listened = grid;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_VALUECHANGE, nullptr, Hear,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    using Heard = std::vector<std::string>;
    const struct { const char* name; std::function<void()> act; Heard events; } steps[] = {
        {"focus", [&] { SetFocus(host.hwnd()), SetFocus(grid); }, {"focus Item: r1=r1"}},
        {"Down", [] { Press(VK_DOWN); }, {"focus Item: r2=r2"}},
        {"Right, Right", [] { Keys({VK_RIGHT, VK_RIGHT}); }, {"focus Code: c2=c2", "focus Done=0"}},
        {"Space", [] { Press(VK_SPACE); }, {"value Done=1"}},
        {"Left, Left, F2, x, Enter", [] { Keys({VK_LEFT, VK_LEFT, VK_F2, 'X', VK_RETURN}); }, {"focus Code: c2=c2", "focus Item: r2=r2", "value Item: r2x=r2x", "focus Item: r2x=r2x", "focus Code: c2=c2"}},
        {"double click in a row header", [&] { Click(4, 0), Mouse(WM_LBUTTONDBLCLK, 4, 0); testing_host::PumpMessages(); }, {"focus Item: r4=r4", "selection 4"}},
        {"a load", [&] { LoadRecordsetDelimited(grid, "a,b,1\r\n", "\r\n", ","), testing_host::PumpMessages(); }, {"reorder Orders", "focus Item: a=a"}},
    };
    for (const auto& step : steps) {
        heard.clear();
        step.act();
        UpdateWindow(grid), testing_host::PumpMessages();
        EXPECT_EQ(heard, step.events) << step.name;
    }
    UnhookWinEvent(hook);
}

// The default action of a check box toggles it as a click would, asking the
// host to leave an edited row and to take the value; a selection asks as a
// double click in the row header does.
TEST_F(AccessibleTest, ActionsAskTheHostAsTheUsersWouldAndCanBeRefused) {
    IAccessible* table = Table();
    const struct { const char* name; LRESULT leaveRow, takeValue; bool edited; const char* value; int row; } cases[] = {
        {"the host refuses the value", 0, 1, false, "0", 4},
        {"the host refuses to leave the edited row", 1, 0, true, "0", 1},
        {"accepted", 0, 0, true, "1", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.Answer(GN_ROWCHANGING, [&c](WPARAM, LPARAM) { return c.leaveRow; });
        host.Answer(GN_CELLCHANGING, [&c](WPARAM, LPARAM) { return c.takeValue; });
        ASSERT_EQ(GotoCell(grid, 1, 1), 1);
        if (c.edited) Press(VK_F2), Type("e");
        ASSERT_EQ(FinishEditing(grid), 1);
        Settle(), host.Clear();
        IAccessible* row4 = Object(table, 5);
        ASSERT_EQ(row4->accDoDefaultAction(Child(3)), S_OK);
        row4->Release();
        testing_host::PumpMessages();
        EXPECT_EQ(Cell(4, 3), c.value);
        EXPECT_EQ(GetCurrentRow(grid), c.row);
        EXPECT_EQ(host.MessagesOf(GN_ROWCHANGING).size(), c.edited ? 1u : 0u);
        EXPECT_EQ(host.MessagesOf(GN_CELLCHANGING).size(), c.leaveRow ? 0u : 1u);
        ASSERT_EQ(SetCellText(grid, 4, 3, "0"), 1);
    }
    EXPECT_EQ(table->accDoDefaultAction(Child(-(1 * 1024 + 1))), DISP_E_MEMBERNOTFOUND) << "a text cell";
    for (LRESULT refuse : {1, 0}) {
        host.Answer(GN_ROWHEADERDBLCLK, [refuse](WPARAM, LPARAM) { return refuse; });
        ASSERT_EQ(table->accSelect(SELFLAG_TAKESELECTION, Child(3)), S_OK);
        testing_host::PumpMessages();
        EXPECT_EQ(CanDeleteRow(grid), refuse ? 0 : 1) << "row 2 selected unless the host answered 1";
    }
    EXPECT_EQ(table->Release(), 0u);
}

// Objects a client holds after the grid is gone answer that they are cut
// off, every call, and go away with the client's release.
TEST_F(AccessibleTest, ObjectsHeldPastTheGridAnswerNotConnected) {
    IAccessible* table = Table();
    IAccessible* held[] = {table, Object(table, 2), Object(table, -(2 * 1024 + 3))};
    DestroyWindow(grid);
    const struct { const char* name; std::function<HRESULT(IAccessible*)> call; } calls[] = {
        {"get_accName", [](IAccessible* a) { BSTR s = nullptr; return a->get_accName(Child(0), &s); }},
        {"get_accState", [](IAccessible* a) { VARIANT v; return a->get_accState(Child(0), &v); }},
        {"get_accChildCount", [](IAccessible* a) { long n; return a->get_accChildCount(&n); }},
        {"get_accChild", [](IAccessible* a) { IDispatch* d = nullptr; return a->get_accChild(Child(1), &d); }},
        {"get_accParent", [](IAccessible* a) { IDispatch* d = nullptr; return a->get_accParent(&d); }},
        {"accLocation", [](IAccessible* a) { long x, y, w, h; return a->accLocation(&x, &y, &w, &h, Child(0)); }},
        {"accNavigate", [](IAccessible* a) { VARIANT v; return a->accNavigate(NAVDIR_NEXT, Child(0), &v); }},
        {"accHitTest", [](IAccessible* a) { VARIANT v; return a->accHitTest(10, 10, &v); }},
        {"get_accFocus", [](IAccessible* a) { VARIANT v; return a->get_accFocus(&v); }},
        {"accDoDefaultAction", [](IAccessible* a) { return a->accDoDefaultAction(Child(0)); }},
        {"accSelect", [](IAccessible* a) { return a->accSelect(SELFLAG_TAKEFOCUS, Child(0)); }},
    };
    for (IAccessible* object : held) {
        for (const auto& c : calls) EXPECT_EQ(c.call(object), CO_E_OBJNOTCONNECTED) << c.name;
        EXPECT_EQ(object->Release(), 0u) << "the client's reference was the last";
    }
}

// A thousand walks (a table, its header row and six rows of three cells)
// through one table give back every object, handle and byte they took; a
// thousand tables asked of the window, every object and handle (Wine's
// marshalling keeps some 2 KB a request of its own, whatever the object).
TEST_F(AccessibleTest, WalksLeaveNothingBehind) {
    IAccessible* table = Table();
    const std::function<size_t()> walks[] = {
        [table] { std::vector<testing_host::AccPart> parts; return testing_host::Walk(table, "", &parts), parts.size(); },
        [this] { return testing_host::WalkWindow(grid).size(); }};
    for (const auto& walk : walks) {
        for (int i = 0; i < 20; ++i) ASSERT_EQ(walk(), 29u);
        const long long before[] = {testing_host::LiveGdiObjects(), testing_host::LiveWindows(), testing_host::LiveHandles(), testing_host::PrivateKb()};
        for (int i = 0; i < 1000; ++i) ASSERT_EQ(walk(), 29u) << "walk " << i;
        const long long after[] = {testing_host::LiveGdiObjects(), testing_host::LiveWindows(), testing_host::LiveHandles(), testing_host::PrivateKb()};
        EXPECT_EQ(after[0], before[0]) << "GDI objects";
        EXPECT_EQ(after[1], before[1]) << "windows";
        EXPECT_EQ(after[2], before[2]) << "kernel handles";
        if (&walk == &walks[0]) {
            EXPECT_LE(after[3] - before[3], 64) << "private KB";
        }
    }
    EXPECT_EQ(table->Release(), 0u);
}

}  // namespace
