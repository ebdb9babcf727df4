// A long random session at two grids: seeded user events (clicks, row
// selections, real keys, typing, pastes, the wheel, scroll-bar steps
// painted each or only the first, divider and row-border drags, list drops, focus moves,
// undeletions from the host's menu, texts the host sets) against a host
// that refuses about one question in five, hearing them as messages, then
// through a registered callback, then as messages again (the callback
// disabled, then unregistered). A model kept from the
// notifications the host accepted is compared with what the grids answer
// every 100 events, and what each grid shows after every other event (cells
// of wrapped text included, and the scroll bar) with a repaint of the whole
// window. CI runs 2,000 events; the long run sets
// TABRIX_SESSION_EVENTS=20000 (and any TABRIX_SESSION_SEED). A failure
// names the seed and the event; the same seed replays the session.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/edit/session.h"
#include "tests/support/capture.h"

namespace {

constexpr char kDeleted[] = "#DELETED#";
const std::vector<std::string> kListItems = {"fig", "kiwi", "plum", "apricot", "watermelon", "x"};

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

struct Column { int type, size, width; bool locked, wrapped; };

// What a grid must answer, kept from the notifications alone.
struct Model {
    HWND grid = nullptr;
    std::vector<Column> cols;
    std::vector<std::vector<std::string>> rows;
    struct Deletion { int row; std::string record; std::vector<std::string> cells; };  // record: fixed-width
    std::vector<Deletion> stack;  // newest last, as many as the grid keeps
    Deletion deleting{};
    int changingRow = 0, changingCol = 0;
    std::string changingText;
};

struct Figures { int accepted, refused, rowMovesRefused, deletions, deletionsRefused, undeletions, drops; };

class RandomSession : public EditSession {
protected:
    void SetUp() override {
        EditSession::SetUp();
        HWND second = CreateGrid(host.hwnd(), host.instance(), 0, 78, 410, 0, 370, 280);
        ASSERT_NE(second, nullptr);
        ASSERT_NO_FATAL_FAILURE(Build(models[0], grid, 30,
            {{0, 1, 30, false, false}, {0, 10, 70, false, false}, {1, 1, 40, false, false}, {2, 8, 80, false, false},
             {0, 6, 50, true, false}, {0, 300, 120, false, true}}));
        ASSERT_NO_FATAL_FAILURE(Build(models[1], second, 14,
            {{0, 32000, 150, false, false}, {2, 3, 60, false, false}, {0, 2, 40, false, false}, {1, 1, 40, true, false},
             {0, 40, 90, false, true}, {0, 1, 30, false, false}, {0, 12, 80, false, false}}));
        for (UINT code : {GN_CELLCHANGING, GN_CELLCHANGED, GN_ROWCHANGING, GN_ROWDELETING, GN_ROWDELETED,
                          GN_ROWUNDELETED, GN_DROPDOWN}) {
            host.Answer(code, [this, code](WPARAM w, LPARAM l) { return Reply(code, w, l, false); });
        }
        SetFocus(grid);
    }

    void Build(Model& m, HWND g, int rows, std::vector<Column> cols) {
        m.grid = g;
        m.cols = cols;
        ASSERT_EQ(DimCols(g, static_cast<int>(cols.size())), 1);
        for (size_t c = 0; c < cols.size(); ++c) {
            FieldDef def = testing_host::ColumnField("c", cols[c].width, cols[c].size);
            def.locked = cols[c].locked;
            def.multiline = cols[c].wrapped;
            ASSERT_EQ(DefineField(g, static_cast<int>(c) + 1, cols[c].type, &def), 1);
        }
        for (int r = 1; r <= rows; ++r) {
            m.rows.emplace_back();
            for (size_t c = 0; c < cols.size(); ++c) {
                const Column& col = cols[c];
                std::string text = col.type == 1   ? std::string(r % 3 == 0 ? "" : r % 3 == 1 ? "0" : "1")
                                   : col.type == 2 ? kListItems[r % kListItems.size()]
                                   : col.size == 32000 && r == 1 ? std::string(32000, 'w')
                                   : col.wrapped && r % 2 ? "gjpq gjpq gjpq gjpq"  // reaching into the next row
                                                                 : Text(r, static_cast<int>(c) + 1);
                text.resize(std::min<size_t>(text.size(), col.size));
                ASSERT_EQ(CreateCell(g, r, static_cast<int>(c) + 1, text.c_str()), 1);
                m.rows.back().push_back(text);
            }
        }
        SendMessageA(g, WM_SIZE, 0, 0);
        ASSERT_EQ(SetUndoBuffer(g), 1);
    }

    Model& Of(WPARAM wParam) { return models[LOWORD(wParam) == 77 ? 0 : 1]; }
    Model& Current() { return models[grid == models[0].grid ? 0 : 1]; }
    bool Refuse() { return refusing && std::uniform_int_distribution<int>(0, 4)(replies) == 0; }

    static RandomSession* self;
    static LRESULT CALLBACK Delivered(HWND target, UINT code, WPARAM wParam, LPARAM lParam) {
        EXPECT_EQ(target, self->host.hwnd()) << "a callback names the grid's parent";
        return self->Reply(code, wParam, lParam, true);
    }

    // The host's side: random refusals, and the model updated from what it accepted.
    LRESULT Reply(UINT code, WPARAM wParam, LPARAM lParam, bool byCallback) {
        EXPECT_EQ(byCallback, viaCallback) << "notification " << code << " came the other way";
        Model& m = Of(wParam);
        const int row = LOWORD(lParam), col = HIWORD(lParam);
        const bool dataRow = row >= 1 && row <= static_cast<int>(m.rows.size());
        if (!dataRow && (code == GN_ROWDELETING || code == GN_ROWDELETED || code == GN_ROWUNDELETED)) {
            ADD_FAILURE() << "row " << row << " is no data row";
            return 1;
        }
        switch (code) {
            case GN_CELLCHANGING:
                EXPECT_FALSE(col >= 1 && col <= static_cast<int>(m.cols.size()) && m.cols[col - 1].locked)
                    << "asked to change column " << col << ", which is locked";
                if (Refuse()) return ++figures.refused, 1;
                m.changingRow = row, m.changingCol = col, m.changingText = CellOf(m.grid, row, col, 1);
                if (m.grid == pasting && row - pasteAt.x <= 1 && col - pasteAt.y <= 1)  // kPaste's cell
                    m.changingText = (row - pasteAt.x) == (col - pasteAt.y) ? "0" : "1";
                EXPECT_LT(static_cast<int>(m.changingText.size()), GetFldSize(m.grid, col))  // the size and its 0
                    << "asked about a text longer than column " << col << "'s field";
                return 0;
            case GN_CELLCHANGED:
                EXPECT_EQ(row * 1000 + col, m.changingRow * 1000 + m.changingCol) << "the cell the host approved";
                if (row == static_cast<int>(m.rows.size()) + 1) m.rows.emplace_back(m.cols.size());
                if (row >= 1 && row <= static_cast<int>(m.rows.size())) m.rows[row - 1][col - 1] = m.changingText;
                m.changingRow = 0;
                return ++figures.accepted, 0;
            case GN_ROWCHANGING:
                return Refuse() ? ++figures.rowMovesRefused, 1 : 0;
            case GN_ROWDELETING:
                if (Refuse()) return ++figures.deletionsRefused, 1;
                m.deleting = {row, GetRecordRAF(m.grid, row), m.rows[row - 1]};
                return 0;
            case GN_ROWDELETED:
                EXPECT_EQ(row, m.deleting.row);
                if (m.stack.size() == 10) m.stack.erase(m.stack.begin());
                m.stack.push_back(m.deleting);
                m.rows[row - 1].assign(m.cols.size(), kDeleted);
                return ++figures.deletions, 0;
            case GN_ROWUNDELETED:
                if (m.stack.empty() || m.stack.back().row != row) {
                    ADD_FAILURE() << "row " << row << " came back, not the latest deletion";
                    return 0;
                }
                EXPECT_EQ(GetRecordRAF(m.grid, row), m.stack.back().record) << "row " << row << " byte for byte";
                m.rows[row - 1] = m.stack.back().cells;
                m.stack.pop_back();
                return ++figures.undeletions, 0;
            case GN_DROPDOWN:
                for (const std::string& item : kListItems)
                    SendMessageA(GetNotifyHwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
                return ++figures.drops, 0;
        }
        return 0;
    }

    // Row counts, every cell against the model and within its size, and
    // whether a deletion can be taken back; stops at the first difference.
    void CheckModel(const Model& m) {
        const int rows = static_cast<int>(m.rows.size());
        ASSERT_EQ(GetRowCount(m.grid), rows);
        ASSERT_EQ(CanUndeleteRow(m.grid), m.stack.empty() ? 0 : 1);
        for (int r = 1; r <= rows + 1; ++r) {
            for (int c = 1; c <= static_cast<int>(m.cols.size()); ++c) {
                const std::string text = CellOf(m.grid, r, c);
                ASSERT_EQ(text, r <= rows ? m.rows[r - 1][c - 1] : "") << "row " << r << ", column " << c;
                if (text != kDeleted) {
                    ASSERT_LE(static_cast<int>(text.size()), GetFldSize(m.grid, c));
                }
            }
        }
    }

    // Where the editors were since the last look, in screen coordinates: an
    // editor moved or hidden by a paint leaves its pixels until the next one.
    static std::vector<RECT>& EditorPlaces() {
        static std::vector<RECT> places;
        return places;
    }
    static LRESULT CALLBACK WatchEditors(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        char name[16] = "";
        RECT r;
        if (call->message == WM_WINDOWPOSCHANGED && GetClassNameA(call->hwnd, name, sizeof name) &&
            (!strcmp(name, "Edit") || !strcmp(name, "ComboBox")) && GetWindowRect(call->hwnd, &r)) {
            EditorPlaces().push_back(r);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // What the grid shows against a repaint of every row of the same state
    // (a host passes a change of the system's colours on, and the grid then
    // draws every row): a row a paint should have drawn and did not differs.
    // The header and wherever an editor was are left out.
    void CheckPicture(const Model& m) {
        auto shot = [&] {
            for (int i = 0; i < 4 && GetUpdateRect(m.grid, nullptr, FALSE); ++i) UpdateWindow(m.grid);
            return testing_host::CaptureClient(m.grid);
        };
        const testing_host::Capture shown = shot();
        const std::vector<COLORREF> bar = BarPixels(m.grid);
        SendMessageA(m.grid, WM_SYSCOLORCHANGE, 0, 0);
        RedrawWindow(m.grid, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
        const testing_host::Capture full = shot();
        ASSERT_TRUE(bar == BarPixels(m.grid)) << "grid " << (&m == &models[0] ? 1 : 2) << ": the scroll bar, row "
                                              << GetFirstVisRow(m.grid) << " first, differs from a redrawn one";
        ASSERT_EQ(GetScrollPos(m.grid, SB_VERT), GetFirstVisRow(m.grid)) << "the thumb stands where the grid is";
        RECT header;
        GetWindowRect(FindWindowExA(m.grid, nullptr, WC_HEADERA, nullptr), &header);
        MapWindowPoints(nullptr, m.grid, reinterpret_cast<POINT*>(&header), 2);
        std::vector<RECT> left = EditorPlaces();
        for (RECT& r : left) MapWindowPoints(nullptr, m.grid, reinterpret_cast<POINT*>(&r), 2);
        for (int y = header.bottom; y < full.height; ++y) {
            for (int x = 0; x < full.width; ++x) {
                const POINT p{x, y};
                if (shown.At(x, y) == full.At(x, y) ||
                    std::any_of(left.begin(), left.end(), [&](const RECT& r) { return PtInRect(&r, p) != 0; })) {
                    continue;
                }
                ADD_FAILURE() << "grid " << (&m == &models[0] ? 1 : 2) << ": pixel " << x << "," << y << " (row "
                              << GetFirstVisRow(m.grid) + (y - header.bottom) / GetRowHeight(m.grid)
                              << ") differs from a repaint of every row";
                return;
            }
        }
    }
    // The middle column of the vertical scroll bar's pixels on screen, where
    // a thumb left on its old place would show.
    static std::vector<COLORREF> BarPixels(HWND grid) {
        SCROLLBARINFO bar{sizeof bar, {}, 0, 0, 0, 0, {}};
        RECT window;
        GetScrollBarInfo(grid, OBJID_VSCROLL, &bar);
        GetWindowRect(grid, &window);
        HDC dc = GetWindowDC(grid);
        std::vector<COLORREF> pixels;
        const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - window.left;
        for (int y = bar.rcScrollBar.top; y < bar.rcScrollBar.bottom; ++y)
            pixels.push_back(GetPixel(dc, x, y - window.top));
        ReleaseDC(grid, dc);
        return pixels;
    }
    // The editors shown now are where the next look starts from.
    static void KeepEditorPlaces(const Model* models) {
        EditorPlaces().clear();
        for (int g = 0; g < 2; ++g) {
            for (const char* cls : {"Edit", "ComboBox"}) {
                HWND editor = FindWindowExA(models[g].grid, nullptr, cls, nullptr);
                RECT r;
                if (IsWindowVisible(editor) && GetWindowRect(editor, &r)) EditorPlaces().push_back(r);
            }
        }
    }

    int Random(int from, int to) { return std::uniform_int_distribution<int>(from, to)(events); }
    // A row on screen (or the new-record row) and a column from the first one shown.
    int AnyRow() { return std::min(GetFirstVisRow(grid) + Random(0, Page()), GetRowCount(grid) + 1); }
    int AnyCol() { return std::min(GetFirstVisCol(grid) + Random(0, 3), GetColCount(grid)); }
    int ColOfType(int type) {
        std::vector<int> found;
        for (size_t c = 0; c < Current().cols.size(); ++c) {
            if (Current().cols[c].type == type) found.push_back(static_cast<int>(c) + 1);
        }
        return found[Random(0, static_cast<int>(found.size()) - 1)];
    }
    // A list column out of view: the user first goes home, where it shows.
    void DropList() {
        const int row = AnyRow(), col = ColOfType(2);
        RECT client;
        GetClientRect(grid, &client);
        if (col < GetFirstVisCol(grid) || CellPoint(row, col).x > client.right - 10) return Press(VK_HOME);
        Click(row, col);
        for (int n = Random(0, 5); n >= 0; --n) Press(VK_DOWN);
        Press(Random(0, 3) ? VK_RETURN : VK_ESCAPE);
    }
    static void Drag(HWND window, int x, int y, int toX, int toY) {
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, toY));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(toX, toY));
        testing_host::PumpMessages();
    }
    void TypeSome() {
        static const char kChars[] = "abcxyz0189 ";
        std::string text(Random(0, 9) ? Random(1, 6) : Random(20, 60), ' ');
        for (char& ch : text) ch = kChars[Random(0, sizeof kChars - 2)];
        static const char* const kEnds[] = {"", "", "\t", "\n"};  // often committed at once
        Type((text + kEnds[Random(0, 3)]).c_str());
    }
    void AnyKey() {
        static const WORD kKeys[] = {VK_RETURN, VK_TAB, VK_ESCAPE, VK_DELETE, VK_F2, VK_UP,
                                     VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
        const WORD key = kKeys[Random(0, std::size(kKeys) - 1)];
        if ((key == VK_TAB || key == VK_HOME || key == VK_END) && Random(0, 2) == 0) {
            return Press(key, {key == VK_TAB ? WORD(VK_SHIFT) : WORD(VK_CONTROL)});
        }
        Press(key);
    }

    struct Event { const char* name; int weight; std::function<void()> act; };
    std::vector<Event> Events() {
        return {
            {"click", 20, [this] { Click(AnyRow(), AnyCol()); }},
            {"key", 30, [this] { AnyKey(); }},
            {"typing", 18, [this] { TypeSome(); }},
            {"check box", 5, [this] { const int r = AnyRow(), c = ColOfType(1); Click(r, c), Click(r, c); }},
            {"row selected", 4, [this] {
                 const int r = AnyRow();
                 Click(r, 0);
                 Mouse(WM_LBUTTONDBLCLK, r, 0);
                 Mouse(WM_LBUTTONUP, r, 0);
             }},
            {"row deleted", 4, [this] { Delete(AnyRow()); }},
            {"undelete", 1, [this] { UndeleteRow(grid); }},
            {"wheel", 4, [this] {  // a row or three either way, the current cell staying
                 const int delta = (Random(0, 1) ? WHEEL_DELTA : WHEEL_DELTA / 3) * (Random(0, 1) ? 1 : -1);
                 SendMessageA(grid, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
             }},
            {"bar steps", 4, [this] {  // lines or pages either way, painted each or only the first
                 const int code = Random(SB_LINEUP, SB_PAGEDOWN), count = Random(1, 4), each = Random(0, 1);
                 for (int n = 0; n < count; ++n) {
                     SendMessageA(grid, WM_VSCROLL, code, 0);
                     if (each || n == 0) UpdateWindow(grid);
                 }
             }},
            {"paste", 3, [this] {  // as Ctrl+V outside an editor: 2 x 2 one-character texts
                 if (Editing()) return;
                 pasting = grid, pasteAt = POINT{GetCurrentRow(grid), GetCurrentCol(grid)};
                 PasteCells(grid, "0\t1\r\n1\t0");
                 pasting = nullptr;
             }},
            {"host sets a text", 5, [this] {  // a shown text cell of a row neither deleted nor being edited
                 Model& m = Current();
                 const int r = AnyRow(), c = ColOfType(0);
                 if (Editing() || r > static_cast<int>(m.rows.size()) || m.rows[r - 1][c - 1] == kDeleted) return;
                 std::string text = "h" + std::to_string(Random(0, 999));
                 text.resize(std::min<size_t>(text.size(), m.cols[c - 1].size));
                 ASSERT_EQ(SetCellText(grid, r, c, text.c_str()), 1);
                 m.rows[r - 1][c - 1] = text;
             }},
            {"list drop", 6, [this] { DropList(); }},
            {"divider drag", 3, [this] {
                 HWND header = FindWindowExA(grid, nullptr, WC_HEADERA, nullptr);
                 RECT item;
                 const int x = Header_GetItemRect(header, Random(1, 3), &item) ? item.right - 1 : -1;
                 if (x >= 0) Drag(header, x, 5, x + Random(-70, 70), 5);
             }},
            {"row border drag", 2, [this] {  // the border below one of the first rows, from its middle
                 UpdateWindow(grid);
                 const int h = GetRowHeight(grid), y = CellPoint(GetFirstVisRow(grid) + Random(0, 2), 0).y + h - h / 2;
                 Drag(grid, 10, y, 10, y + (h > 40 ? Random(-30, 0) : Random(-8, 12)));
             }},
            {"focus move", 6, [this] {  // the other grid takes over: clicked in, or focused by the host
                 grid = models[grid == models[0].grid ? 1 : 0].grid;
                 if (Random(0, 1))
                     Click(AnyRow(), AnyCol());
                 else
                     SetFocus(grid);
             }},
        };
    }

    // Open editors closed without a commit, so the end sees the model's texts.
    void CloseEditors() {
        for (const Model& m : models) {
            for (const char* cls : {"Edit", "ComboBox"}) {
                HWND editor = FindWindowExA(m.grid, nullptr, cls, nullptr);
                if (!IsWindowVisible(editor)) continue;
                SetFocus(editor);
                Keys({VK_ESCAPE, VK_ESCAPE});
            }
        }
    }

    Model models[2];
    Figures figures{};
    bool refusing = true, viaCallback = false;
    HWND pasting = nullptr;  // the grid a paste is going into, from the cell pasteAt (row, column)
    POINT pasteAt{};
    std::mt19937 events, replies;
};
RandomSession* RandomSession::self;

TEST_F(RandomSession, ModelHoldsThroughRandomUserEventsAndHostReplies) {
    const unsigned long seed = EnvNumber("TABRIX_SESSION_SEED", 20240607);
    const unsigned long count = EnvNumber("TABRIX_SESSION_EVENTS", 2000);
    events.seed(seed);
    replies.seed(seed + 1);
    const std::vector<Event> table = Events();
    int total = 0;
    for (const Event& e : table) total += e.weight;
    std::deque<const char*> recent;
    HHOOK watch = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchEditors, nullptr, GetCurrentThreadId());
    ASSERT_NE(watch, nullptr);
    const auto start = std::chrono::steady_clock::now();
    unsigned long done = 0;
    for (unsigned long i = 1; i <= count && !HasFailure(); done = i++) {
        int pick = Random(1, total);
        const Event* e = table.data();
        while (pick > e->weight) pick -= e->weight, ++e;
        recent.push_back(e->name);
        if (recent.size() > 6) recent.pop_front();
        std::string trace = "seed " + std::to_string(seed) + ", event " + std::to_string(i) + "; latest events:";
        for (const char* name : recent) trace += std::string(" ") + name;
        SCOPED_TRACE(trace);
        if (i == count / 3 || i == count * 2 / 3 || i == count * 5 / 6) {
            self = this;
            viaCallback = i == count / 3;
            ASSERT_EQ(SetFuncCallback(i == count * 5 / 6 ? nullptr : Delivered, viaCallback || i == count * 5 / 6), 1);
        }
        e->act();
        if (i % 2 == 0) {
            for (const Model& m : models) CheckPicture(m);
            KeepEditorPlaces(models);
        }
        if (i % 100 == 0 || i == count) {
            for (const Model& m : models) CheckModel(m);
            host.Clear();
        }
    }
    UnhookWindowsHookEx(watch);
    SetFuncCallback(nullptr, 0), viaCallback = false;
    // Every deletion the grid kept comes back, and no more than ten.
    SCOPED_TRACE("seed " + std::to_string(seed) + ", undeleting at the end");
    if (HasFailure()) return;
    refusing = false;
    CloseEditors();
    std::string atEnd;
    for (Model& m : models) {
        const size_t kept = m.stack.size();
        int undone = 0;
        for (; CanUndeleteRow(m.grid) && undone <= 10; ++undone) ASSERT_EQ(UndeleteRow(m.grid), 1);
        EXPECT_EQ(undone, static_cast<int>(kept));
        EXPECT_LE(undone, 10);
        CheckModel(m);
        atEnd += " " + std::to_string(undone);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("seed %lu: %lu events in %.1f s; edits %d accepted, %d refused; row moves refused %d; deletions %d "
           "(%d refused); undeletions %d (at the end:%s); lists dropped %d\n",
           seed, done, seconds, figures.accepted, figures.refused, figures.rowMovesRefused, figures.deletions,
           figures.deletionsRefused, figures.undeletions, atEnd.c_str(), figures.drops);
}

}  // namespace
