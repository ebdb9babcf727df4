#include "edit/editors.h"

#include <cstring>
#include <string>
#include <vector>

#include "edit/focus.h"
#include "edit/keys.h"
#include "edit/notify.h"
#include "edit/new_record_row.h"
#include "grid/appearance.h"
#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/grid_access.h"
#include "grid/library.h"
#include "grid/editor_text.h"
#include "grid/row_states.h"
#include "grid/text_encoding.h"
#include "support/temp_string.h"
#include "support/text_scan.h"
#include "support/wide_text.h"
#include "view/accessible_ids.h"
#include "view/scroll.h"

namespace tabrix {
namespace {

// A queue that refills itself (a window invalidating itself in its paint)
// must not keep an opening editor waiting for ever.
constexpr int kMaxDrainedMessages = 10000;

// A cell's text as editors show and compare it: without trailing blanks.
struct EditorText {
    const char* text;
    size_t length;
};

EditorText ShownCellText(const GridArrays* a, int row, int col) {
    const char* text = CellText(a, row, col);
    if (!text) return {"", 0};
    return {text, TrimmedLength(text, strlen(text))};
}

bool ShiftDown() { return GetAsyncKeyState(VK_SHIFT) < 0; }
bool CtrlDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

// The editor that holds the current column's text, or null for a column
// without one (check boxes).
HWND EditorOf(const Grid& grid) {
    const GridState* s = grid.state;
    if (!ValidColumn(grid.arrays, s->curCol)) return nullptr;
    switch (grid.arrays->colType[s->curCol]) {
        case FieldText:
            return s->hwndEdit;
        case FieldCombo:
            return s->hwndCombo;
    }
    return nullptr;
}

DWORD EditStyle(const GridArrays* a, int col) {
    static const DWORD kAlignment[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    const DWORD base = a->colMultiline[col] > 0 ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
    return base | WS_CHILD | kAlignment[ColumnAlignment(a, col)];
}

// The column's own font for an editor, or null when the column uses the cell font.
HFONT ColumnEditorFont(const GridState* s, int col) {
    if (col < 0 || col >= kColSlots || !s->colFontFace[col]) return nullptr;
    return GridFont(s, s->colFontFace[col], s->colFontSize[col], s->colFontWeight[col], s->colFontItalic[col],
                    s->colFontUnderline[col]);
}

// Gives `control` its font for this opening; the font it had before is
// deleted only once the control no longer uses it.
void GiveEditorFont(HWND control, HFONT& owned, HFONT font, HFONT cellFont) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : cellFont), TRUE);
    if (owned != font) DeleteOwned(owned);
    owned = font;
}

// Runs every message waiting in the thread's queue, so the editor opens on a
// settled grid. A quit request taken on the way is posted again for the
// host's own loop. Timer messages wait until the opening is over: a host's
// timer that acts on the grid, or sends keys, must find the editor open.
class QueueDrain {
public:
    QueueDrain() = default;
    QueueDrain(const QueueDrain&) = delete;
    QueueDrain& operator=(const QueueDrain&) = delete;
    ~QueueDrain() {
        for (MSG& msg : timers_) DispatchMessageA(&msg);
    }

    void Run() {
        MSG msg;
        bool quit = false;
        WPARAM quitCode = 0;
        for (int n = 0; n < kMaxDrainedMessages && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
            } else if (msg.message == WM_TIMER) {
                KeepTimer(msg);
            } else {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (quit) PostQuitMessage(static_cast<int>(quitCode));
    }

private:
    // One tick per timer: a timer that came due twice meanwhile ticks once,
    // as the platform itself coalesces late timer messages.
    void KeepTimer(const MSG& msg) {
        for (const MSG& kept : timers_) {
            if (kept.hwnd == msg.hwnd && kept.wParam == msg.wParam && kept.lParam == msg.lParam) return;
        }
        timers_.push_back(msg);
    }

    std::vector<MSG> timers_;
};

void NotifyDropDown(const Grid& grid) {
    GridState* s = grid.state;
    s->comboNotified = 1;
    const int comboLow = static_cast<int>(reinterpret_cast<uintptr_t>(s->hwndCombo) & 0xFFFF);
    NotifyHost(grid, s->hwndCombo, GN_DROPDOWN, PackWords(static_cast<int>(ControlId(grid)), comboLow),
               PackWords(s->comboRow, s->comboCol), NotifyCell{s->comboRow, s->comboCol});
}

// The dropped list gets five times the closed box's height below it.
void SizeComboList(const Grid& grid) {
    HWND combo = grid.state->hwndCombo;
    RECT r;
    GetWindowRect(combo, &r);
    MapWindowPoints(nullptr, grid.hwnd, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(combo, HWND_TOP, r.left, r.top, r.right - r.left, 6 * (r.bottom - r.top), SWP_SHOWWINDOW);
}

void CommitAndMove(const Grid& grid, int code) {
    if (CommitEdit(grid) != kDone) return;
    SendKeyMove(grid, -1, code);
}

int TabMove() { return ShiftDown() ? SB_LINELEFT : SB_LINERIGHT; }

// What both editors do alike: they tell the host hook which editor holds
// the focus, and ask a dialog host for every key. True when answered.
bool AnsweredAsEditor(HWND grid, HWND edit, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_SETFOCUS:
            input.focusedEditor = edit;
            break;
        case WM_KILLFOCUS:
            input.focusedEditor = nullptr;
            break;
        case WM_GETDLGCODE:
            *result = DLGC_WANTALLKEYS;
            return true;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            // The grid scrolls: an edit control would swallow the wheel and
            // a closed list would change its value with it.
            *result = SendMessageA(grid, message, wParam, lParam);
            return true;
    }
    return false;
}

LRESULT CALLBACK EditKeyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    Grid grid = GridFromWindow(GetParent(edit));
    WNDPROC previous = grid.state ? grid.state->editPrevProc : nullptr;
    if (!previous) return DefWindowProcA(edit, message, wParam, lParam);
    LRESULT answer;
    if (AnsweredAsEditor(grid.hwnd, edit, message, wParam, lParam, &answer)) return answer;
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_TAB && CtrlDown()) return 0;
            break;
        case WM_CHAR:
            // Enter is taken for the move, so a multi-line editor gets no
            // line breaks from the keyboard.
            if (wParam == VK_RETURN) {
                CommitAndMove(grid, SB_LINERIGHT);
                return 0;
            }
            if (wParam == VK_TAB) {
                CommitAndMove(grid, TabMove());
                return 0;
            }
            if (wParam == VK_ESCAPE) {
                CancelEdit(grid);
                return 0;
            }
            break;
    }
    return CallPreviousProc(previous, edit, message, wParam, lParam);
}

// The combo box's edit child: the grid is its parent's parent. These keys
// act on key press.
LRESULT CALLBACK ComboKeyProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND combo = GetParent(edit);
    Grid grid = GridFromWindow(GetParent(combo));
    WNDPROC previous = grid.state ? grid.state->comboEditPrevProc : nullptr;
    if (!previous) return DefWindowProcA(edit, message, wParam, lParam);
    GridState* s = grid.state;
    LRESULT answer;
    if (AnsweredAsEditor(grid.hwnd, edit, message, wParam, lParam, &answer)) return answer;
    switch (message) {
        case WM_CHAR:
            if (wParam == VK_RETURN || wParam == VK_TAB || wParam == VK_ESCAPE) return 0;
            break;
        case WM_KEYDOWN:
            switch (wParam) {
                case VK_RETURN:
                    CommitAndMove(grid, SB_LINERIGHT);
                    return 0;
                case VK_TAB:
                    if (!CtrlDown()) CommitAndMove(grid, TabMove());
                    return 0;
                case VK_ESCAPE:
                    if (SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) {
                        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
                    } else {
                        CancelEdit(grid);
                    }
                    return 0;
                case VK_DOWN:
                    if (!s->curCellPainted) break;
                    if (!s->comboNotified) {
                        NotifyDropDown(grid);
                        if (!GridSurvived(grid)) return 0;
                    }
                    if (!SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) {
                        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
                        return 0;
                    }
                    break;
            }
            break;
    }
    return CallPreviousProc(previous, edit, message, wParam, lParam);
}

// The combo box itself, where its button is: the wheel goes to the grid.
LRESULT CALLBACK ComboWheelProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND gridWindow = GetParent(combo);
    const GridState* s = GridFromWindow(gridWindow).state;
    WNDPROC previous = s ? s->comboWheelPrevProc : nullptr;
    if (!previous) return DefWindowProcA(combo, message, wParam, lParam);
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) return SendMessageA(gridWindow, message, wParam, lParam);
    return CallPreviousProc(previous, combo, message, wParam, lParam);
}

// A UTF-8 grid's combo box is a Unicode window under an ANSI subclass:
// hosts fill it with ANSI messages (CB_ADDSTRING), whose UTF-8 texts arrive
// here unconverted and reach the box as UTF-16; what is read from it comes
// back as UTF-8.
std::wstring ComboText(HWND combo, WNDPROC wide, int item) {
    const UINT lengthMessage = item < 0 ? WM_GETTEXTLENGTH : CB_GETLBTEXTLEN;
    const LRESULT length = CallWindowProcW(wide, combo, lengthMessage, static_cast<WPARAM>(item), 0);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT read = item < 0 ? CallWindowProcW(wide, combo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))
                                  : CallWindowProcW(wide, combo, CB_GETLBTEXT, static_cast<WPARAM>(item),
                                                    reinterpret_cast<LPARAM>(&text[0]));
    text.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return text;
}

LRESULT CALLBACK Utf8ComboProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    Grid grid = GridFromWindow(GetParent(combo));
    const GridState* s = grid.state;
    if (!s || !s->comboPrevAnsiProc) return DefWindowProcA(combo, message, wParam, lParam);
    std::string utf8;
    switch (message) {
        case CB_ADDSTRING:
        case CB_INSERTSTRING:
        case CB_FINDSTRING:
        case CB_FINDSTRINGEXACT:
        case CB_SELECTSTRING:
        case WM_SETTEXT: {
            if (!lParam) break;
            const std::wstring wide = ToWide(reinterpret_cast<const char*>(lParam), CP_UTF8);
            return CallWindowProcW(s->comboWideProc, combo, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        case WM_GETTEXTLENGTH:
        case CB_GETLBTEXTLEN: {
            const std::wstring wide = ComboText(combo, s->comboWideProc, message == CB_GETLBTEXTLEN ? static_cast<int>(wParam) : -1);
            FromWide(wide.c_str(), static_cast<int>(wide.size()), CP_UTF8, &utf8);
            return static_cast<LRESULT>(utf8.size());
        }
        case WM_GETTEXT:
        case CB_GETLBTEXT: {
            if (!lParam) return 0;
            const bool item = message == CB_GETLBTEXT;
            const std::wstring wide = ComboText(combo, s->comboWideProc, item ? static_cast<int>(wParam) : -1);
            FromWide(wide.c_str(), static_cast<int>(wide.size()), CP_UTF8, &utf8);
            // WM_GETTEXT gives a buffer size; CB_GETLBTEXT's caller sized it
            // with CB_GETLBTEXTLEN.
            size_t length = utf8.size();
            if (!item) {
                if (wParam == 0) return 0;
                if (length > wParam - 1) length = WholeCharacters(utf8.c_str(), wParam - 1, s->encoding);
            }
            char* out = reinterpret_cast<char*>(lParam);
            memcpy(out, utf8.data(), length);
            out[length] = '\0';
            return static_cast<LRESULT>(length);
        }
    }
    return CallWindowProcA(s->comboPrevAnsiProc, combo, message, wParam, lParam);
}

// Characters an editor takes: the database's limit of a column loaded from
// a query, else the field's bytes.
int EditorLimit(const Grid& grid, int col) {
    const int declared = DeclaredSize(grid.arrays, col);
    const int limit = col < kColSlots ? grid.state->colCharLimit[col] : 0;
    return limit > 0 && limit < declared ? limit : declared;
}

// A fresh edit control for each opening: its style follows the column.
void CreateEditControl(const Grid& grid, DWORD style) {
    GridState* s = grid.state;
    if (s->hwndEdit) {
        GiveEditorFont(s->hwndEdit, s->editFont, nullptr, s->cellFont);
        RestoreWindowProc(s->hwndEdit, s->editPrevProc);
        DestroyWindow(s->hwndEdit);
        s->hwndEdit = nullptr;
    }
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId));
    s->hwndEdit = Utf8Grid(s) ? CreateWindowExW(0, L"EDIT", L"", style, 0, 0, 0, 0, grid.hwnd, id, WindowInstance(grid.hwnd), nullptr)
                              : CreateWindowExA(0, "EDIT", "", style, 0, 0, 0, 0, grid.hwnd, id, WindowInstance(grid.hwnd), nullptr);
    if (!s->hwndEdit) return;
    SendMessageA(s->hwndEdit, WM_SETFONT, reinterpret_cast<WPARAM>(s->cellFont), TRUE);
    s->editPrevProc = SubclassWindow(s->hwndEdit, EditKeyProc);
}

// Shows `editor` and gives it the focus; false when the host destroyed the
// grid on the focus change.
bool FocusEditor(const Grid& grid, HWND editor) {
    grid.state->editorLastX = grid.state->curCellRect.left;
    grid.state->editorLastY = grid.state->curCellRect.top;
    SetFocus(editor);
    return GridSurvived(grid);
}

void OpenTextEditor(const Grid& grid, EditorText cell) {
    GridState* s = grid.state;
    const int col = s->curCol;
    CreateEditControl(grid, EditStyle(grid.arrays, col));
    HWND edit = s->hwndEdit;
    if (!edit) return;
    GiveEditorFont(edit, s->editFont, ColumnEditorFont(s, col), s->cellFont);
    MoveEditor(edit, EditorPlace(s, false));
    ShowWindow(edit, SW_SHOW);
    if (!FocusEditor(grid, edit)) return;
    // The limit counts characters, a UTF-8 grid's field bytes: its commit
    // refuses a text over the field's bytes.
    SendMessageA(edit, EM_LIMITTEXT, EditorLimit(grid, col), 0);
    SetEditorText(s, edit, cell.text, cell.length);
    // Entry style 1 selects the whole text, so typing replaces it; style 0
    // leaves the caret after the text.
    const WPARAM end = static_cast<WPARAM>(EditorPosition(s, edit, cell.text, cell.length));
    if (library.entryStyle == 0) {
        SendMessageA(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
    } else {
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    SendMessageA(edit, EM_SETMODIFY, 0, 0);
    s->editing = 1;
}

void OpenListEditor(const Grid& grid, EditorText cell) {
    GridState* s = grid.state;
    HWND combo = s->hwndCombo;
    if (!s->hwndComboEdit) {
        s->hwndComboEdit = GetWindow(combo, GW_CHILD);
        if (!s->hwndComboEdit) return;
        s->comboEditPrevProc = SubclassWindow(s->hwndComboEdit, ComboKeyProc);
    }
    GiveEditorFont(combo, s->comboFont, ColumnEditorFont(s, s->curCol), s->cellFont);
    MoveEditor(combo, EditorPlace(s, true));
    s->comboRow = s->curRow;
    s->comboCol = s->curCol;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    s->comboNotified = 0;
    SendMessageA(combo, CB_LIMITTEXT, EditorLimit(grid, s->curCol), 0);
    SetEditorText(s, combo, cell.text, cell.length);
    if (!IsWindowVisible(combo)) ShowWindow(combo, SW_SHOW);
    if (!FocusEditor(grid, combo)) return;
    // After the focus: a combo box selects its whole text when it gains it,
    // but not when it kept the focus from the cell before, so both entry
    // styles set the selection themselves.
    const int end = EditorPosition(s, combo, cell.text, cell.length);
    SendMessageA(combo, CB_SETEDITSEL, 0, library.entryStyle == 0 ? MAKELPARAM(end, end) : MAKELPARAM(0, -1));
    s->editing = 1;
}

// Scrolls the current cell into view when the last paint did not show it
// whole, and paints at once so curCellRect is where the editor goes. A grid
// painted since its last change already has it right: painting again would
// double what a person waits for on every Enter.
void ShowCurrentCell(const Grid& grid) {
    GridState* s = grid.state;
    bool scrolled = false;
    if (!s->curColShown) {
        s->hScroll.nPos = s->curCol - 1;
        ClampScrollPosition(s->hScroll);
        ApplyScrollBar(grid, SB_HORZ);
        scrolled = true;
    }
    if (!s->curRowShown) {
        s->vScroll.nPos = s->curRow;
        ClampScrollPosition(s->vScroll);
        ApplyScrollBar(grid, SB_VERT);
        scrolled = true;
    }
    if (!scrolled && !s->repaintPending) return;
    RequestRepaint(grid);
    UpdateWindow(grid.hwnd);
}

void CloseEditor(const Grid& grid, HWND editor) {
    GridState* s = grid.state;
    s->editing = 0;
    ShowWindow(editor, SW_HIDE);
    if (editor == s->hwndCombo) SendMessageA(editor, CB_RESETCONTENT, 0, 0);
    s->comboNotified = 0;
}

// The editor stays open with the user's text and the focus.
int KeepEditorOpen(const Grid& grid, HWND editor) {
    RequestRepaint(grid);
    UpdateWindow(grid.hwnd);
    SetFocus(editor);
    return kEditRefused;
}

}  // namespace

RECT EditorPlace(const GridState* s, bool combo) {
    const RECT& r = s->curCellRect;
    const Metrics& m = s->metrics;
    return combo ? RECT{r.left + m.comboLeft, r.top + m.comboTop, r.right - m.comboRight, r.bottom - m.comboBottom}
                 : RECT{r.left + m.editLeft, r.top + m.editTop, r.right - m.editRight, r.bottom - m.editBottom};
}

void MoveEditor(HWND editor, const RECT& place) {
    MoveWindow(editor, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

void RefitEditorFonts(const Grid& grid) {
    GridState* s = grid.state;
    const int col = s->curCol;
    const bool comboOpen = s->editing && ValidColumn(grid.arrays, col) && grid.arrays->colType[col] == FieldCombo;
    if (s->hwndEdit) {
        GiveEditorFont(s->hwndEdit, s->editFont, s->editing && !comboOpen ? ColumnEditorFont(s, col) : nullptr,
                       s->cellFont);
    }
    if (s->hwndCombo) GiveEditorFont(s->hwndCombo, s->comboFont, comboOpen ? ColumnEditorFont(s, col) : nullptr, s->cellFont);
}

bool CreateComboBox(const Grid& grid) {
    GridState* s = grid.state;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_AUTOHSCROLL | CBS_DROPDOWN;
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId));
    s->hwndCombo = Utf8Grid(s) ? CreateWindowExW(0, L"Combobox", L"", style, 0, 0, 0, 0, grid.hwnd, id, WindowInstance(grid.hwnd), nullptr)
                               : CreateWindowExA(0, "Combobox", "", style, 0, 0, 0, 0, grid.hwnd, id, WindowInstance(grid.hwnd), nullptr);
    if (!s->hwndCombo) return false;
    if (Utf8Grid(s)) {
        s->comboWideProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(s->hwndCombo, GWLP_WNDPROC));
        s->comboPrevAnsiProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(s->hwndCombo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Utf8ComboProc)));
    }
    s->comboWheelPrevProc = SubclassWindow(s->hwndCombo, ComboWheelProc);
    SendMessageA(s->hwndCombo, WM_SETFONT, reinterpret_cast<WPARAM>(s->cellFont), TRUE);
    return true;
}

int SetTextCodePage(const Grid& grid, int codePage) {
    GridState* s = grid.state;
    if ((codePage != kAnsiTexts && codePage != kUtf8Texts) || s->editing) return 0;
    if (codePage == s->textCodePage) return kDone;
    SetTextEncoding(s, codePage);
    RemakeOwnFonts(grid);
    // The combo box is a window of the new character set; the edit control
    // is made anew at each opening anyway.
    RestoreWindowProc(s->hwndComboEdit, s->comboEditPrevProc);
    if (s->hwndCombo) DestroyWindow(s->hwndCombo);
    s->hwndCombo = s->hwndComboEdit = nullptr;
    s->comboEditPrevProc = s->comboPrevAnsiProc = s->comboWideProc = s->comboWheelPrevProc = nullptr;
    if (!CreateComboBox(grid)) return 0;
    ShowWindow(s->hwndCombo, SW_HIDE);
    s->headerDirty = 1;
    return kDone;
}

// Locked columns, read-only grids and deleted rows get no editor.
bool CurrentCellEditable(const Grid& grid) {
    const GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    if (s->editing || !HasCells(s) || !ValidColumn(a, s->curCol) || s->curCol >= s->colCount) return false;
    if (s->curRow < 1 || s->curRow > s->rowCount) return false;
    if (a->colLocked[s->curCol] || s->readOnly) return false;
    const EditorText first = ShownCellText(a, s->curRow, 1);
    return !IsDeletedMarker(first.text, first.length);
}

void OpenEditor(const Grid& grid) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    if (!CurrentCellEditable(grid)) return;
    ShowCurrentCell(grid);
    const int opening = ++s->editorOpenings;
    SendMessageA(grid.hwnd, WM_KEYUP, VK_ESCAPE, 0);
    if (!GridSurvived(grid)) return;
    QueueDrain drain;
    drain.Run();
    // What ran in the drain may have destroyed the grid, opened an editor of
    // its own, moved the current cell or reshaped the grid: the cell is
    // judged again before anything is opened on it.
    if (!GridSurvived(grid) || s->editorOpenings != opening || !CurrentCellEditable(grid)) return;
    ShowCurrentCell(grid);

    const EditorText cell = ShownCellText(a, s->curRow, s->curCol);
    switch (a->colType[s->curCol]) {
        case FieldText:
            OpenTextEditor(grid, cell);
            break;
        case FieldCombo:
            OpenListEditor(grid, cell);
            break;
    }
}

int CommitEdit(const Grid& grid) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    if (!s->editing) return kDone;
    if (s->committing) return kEditRefused;
    HWND editor = EditorOf(grid);
    if (!editor) return kEditRefused;
    const int row = s->curRow, col = s->curCol;

    // A list item longer than the field bypasses the list's text limit, and
    // a UTF-8 grid's editor counts characters, not bytes: a text over the
    // field's bytes is refused before the host is asked, as a refusal would be.
    const std::string text = EditorTextOf(s, editor);
    if (text.size() > static_cast<size_t>(DeclaredSize(a, col))) return KeepEditorOpen(grid, editor);

    const EditorText old = ShownCellText(a, row, col);
    if (text.size() != old.length || memcmp(text.data(), old.text, old.length) != 0) {
        const WPARAM wParam = PackWords(static_cast<int>(ControlId(grid)), a->colTag1[col]);
        const LPARAM lParam = PackWords(row, col);
        s->committing = 1;
        const LRESULT reply = NotifyHost(grid, editor, GN_CELLCHANGING, wParam, lParam, NotifyCell{row, col});
        if (!GridSurvived(grid)) return kEditRefused;
        s->committing = 0;
        if (reply || StoreCell(a, row, col, text.c_str()) != kStored) return KeepEditorOpen(grid, editor);
        MarkRowModified(a, row);
        s->rowEdited = 1;
        s->dataChanged = 1;
        NotifyHost(grid, editor, GN_CELLCHANGED, wParam, lParam, NotifyCell{row, col});
        if (!GridSurvived(grid)) return kEditRefused;
        AnnounceCellValue(grid, row, col);
        if (row == s->rowCount && !text.empty()) AppendNewRecordRow(grid, row);
    }
    CloseEditor(grid, editor);
    SetFocus(grid.hwnd);
    if (!GridSurvived(grid)) return kEditRefused;
    // Painted with the next paint: a commit is nearly always followed by a
    // move that paints anyway.
    RequestRepaint(grid);
    return kDone;
}

void ShowStoredTextInEditor(const Grid& grid, int row, int col) {
    const GridState* s = grid.state;
    HWND editor = EditorOf(grid);
    if (!s->editing || !editor || row != s->curRow || col != s->curCol) return;
    const EditorText cell = ShownCellText(grid.arrays, row, col);
    SetEditorText(s, editor, cell.text, cell.length);
    const int end = EditorPosition(s, editor, cell.text, cell.length);
    if (editor == s->hwndCombo) {
        SendMessageA(editor, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
    } else {
        SendMessageA(editor, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

bool EditorClosed(const Grid& grid) { return !grid.state->editing || CommitEdit(grid) == kDone; }

bool CommitIfEditing(const Grid& grid) {
    if (grid.state->editing) CommitEdit(grid);
    return GridSurvived(grid);
}

void CancelEdit(const Grid& grid) {
    HWND editor = EditorOf(grid);
    if (editor) CloseEditor(grid, editor);
    grid.state->editing = 0;
    SetFocus(grid.hwnd);
    if (GridSurvived(grid)) RequestRepaint(grid);
}

int FinishEditing(const Grid& grid) {
    GridState* s = grid.state;
    if (!s->editing) return kDone;
    if (!EditorClosed(grid)) return kEditRefused;
    s->rowEdited = 1;
    s->editing = 0;
    return kDone;
}

int GridReadOnly(const Grid& grid, int value) {
    // Painting moves the current row off the hidden new-record row, which
    // would carry an open editor's text to another row.
    if (value && !EditorClosed(grid)) return kEditRefused;
    grid.state->readOnly = value;
    return kDone;
}

bool OnComboCommand(const Grid& grid, WPARAM wParam) {
    if (LOWORD(wParam) != kComboId) return false;
    switch (HIWORD(wParam)) {
        case CBN_SETFOCUS:
            SizeComboList(grid);
            return true;
        case CBN_DROPDOWN:
            if (!grid.state->comboNotified) NotifyDropDown(grid);
            return true;
    }
    return false;
}

}  // namespace tabrix
