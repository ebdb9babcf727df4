#include "demo/main_window.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <set>

#include "demo/database.h"
#include "demo/menus.h"
#include "demo/save.h"
#include "demo/script_player.h"
#include "demo/text_window.h"
#include "demo/wide.h"
#include "tabrix32.h"
#include "tests/support/capture.h"
#include "tools/png.h"

namespace demo {
namespace {

enum Command { kSave = 100, kReload, kExit, kFind, kFindNext, kUndoField, kUndoRow, kDeleteRow, kUndelete, kReadOnly, kTextFile, kCopy, kPaste };
enum StatusPart { kRowsPart, kCellPart, kNoticePart, kMessagePart };
constexpr int kGridId = 1;
constexpr int kStatusId = 2;
constexpr int kToolbarId = 3;

// How the demo shows columns, found by name so that any query (--sql) with
// such columns gets the same treatment. The loader sizes columns from what
// the driver reports, which for SQLite's untyped text is little.
constexpr int kTextField = 0;  // field types of DefineField and odbcInitColumn
constexpr int kCheckBoxField = 1;
constexpr int kListField = 2;
constexpr int kLeft = 0, kRight = 1, kCenter = 2;
struct ColumnLook {
    const char* name;
    int width;
    int align;
    int type;
};
constexpr ColumnLook kColumnLooks[] = {
    {"id", 50, kRight, kTextField},          {"name", 260, kLeft, kTextField},
    {"category", 110, kLeft, kListField},    {"quantity", 80, kRight, kTextField},
    {"price", 80, kRight, kTextField},       {"in_stock", 70, kCenter, kCheckBoxField},
    {"supplier", 170, kLeft, kTextField},
};
constexpr char kListColumn[] = "category";
constexpr char kQuantityColumn[] = "quantity";

struct App {
    Options options;
    HWND window = nullptr, grid = nullptr, status = nullptr, toolbar = nullptr;
    Database db;
    LoadedTable loaded;
    std::set<std::string> listItems;  // the list column's values, sorted
    int listCol = 0, quantityCol = 0;
    int shownRow = -1, shownCol = -1;
    bool readOnly = false;
    // The modeless Find dialog and what it searches for.
    HWND findDialog = nullptr;
    UINT findMessage = 0;
    FINDREPLACEW find{};
    wchar_t findText[128] = L"";
    bool findResumes = false;
    // The main window's resolution: the demo's own measures are given at
    // 96 DPI and scaled to it, as the grid scales its own.
    int dpi = 96;
};
App app;  // one main window per program

// Sent when the window moves to a monitor of another resolution (not in
// every platform header this builds with).
constexpr UINT kDpiChanged = 0x02E0;

int Px(int pixels) { return MulDiv(pixels, app.dpi, 96); }

// The window's resolution where each monitor has its own, else the screen's.
int DpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (window && dpiForWindow && dpiForWindow(window)) return static_cast<int>(dpiForWindow(window));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// ---- Status bar ----

// Texts are UTF-8, as the grid's are; the bar shows them as characters.
void SetStatus(StatusPart part, const std::string& text) {
    SendMessageW(app.status, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

void ShowMessage(const std::string& text) { SetStatus(kMessagePart, text); }

std::string ColumnName(int col) {
    const auto& names = app.loaded.columns;
    return col >= 1 && col <= static_cast<int>(names.size()) ? names[col - 1].name : "";
}

void ShowRowCount() { SetStatus(kRowsPart, std::to_string(GetRowCount(app.grid)) + " rows"); }

// The grid tells the host about changes, not about moves: the current cell
// is read after every message instead.
void ShowCurrentCell() {
    const int row = GetCurrentRow(app.grid), col = GetCurrentCol(app.grid);
    if (row == app.shownRow && col == app.shownCol) return;
    app.shownRow = row;
    app.shownCol = col;
    SetStatus(kCellPart, "row " + std::to_string(row) + ", " + ColumnName(col));
}

const char* NotificationName(UINT code) {
    static const char* const names[] = {"GN_ROWCHANGING", "GN_ROWDELETING", "GN_ROWDELETED",
                                        "GN_ROWUNDELETED", "GN_CELLCHANGING", "GN_CELLCHANGED",
                                        "GN_ROWHEADERDBLCLK", "GN_RBUTTONUP", "GN_DROPDOWN"};
    return names[code - GN_ROWCHANGING];
}

void LayOut() {
    RECT client, bar, tools;
    GetClientRect(app.window, &client);
    // Both bars place themselves along their edge; the grid takes what is between.
    SendMessageA(app.toolbar, TB_AUTOSIZE, 0, 0);
    GetWindowRect(app.toolbar, &tools);
    const int toolsHeight = tools.bottom - tools.top;
    SendMessageA(app.status, WM_SIZE, 0, 0);
    GetWindowRect(app.status, &bar);
    const int barHeight = bar.bottom - bar.top;
    // Fixed parts for the counts and the notice; the message gets the rest.
    const int parts[] = {Px(90), Px(240), Px(420), -1};
    SendMessageA(app.status, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));
    MoveWindow(app.grid, 0, toolsHeight, client.right, client.bottom - toolsHeight - barHeight, TRUE);
}

// ---- Loading ----

// The loader labels the grid's columns; the save needs the result's own
// column names and types, which the open statement still describes.
std::vector<Column> ResultColumns(ODBCHANDLE stmt) {
    std::vector<Column> columns;
    const int count = odbcGetColCount(stmt);
    for (int col = 1; col <= count; ++col) {
        ColDesc desc{};
        odbcGetColDesc(stmt, col, &desc);
        columns.push_back(Column{desc.name, static_cast<SQLSMALLINT>(desc.dataType), desc.columnSize,
                                 desc.decimalDigits});
    }
    return columns;
}

int ColumnNamed(const char* name) {
    const auto& names = app.loaded.columns;
    for (size_t i = 0; i < names.size(); ++i) {
        if (lstrcmpiA(names[i].name.c_str(), name) == 0) return static_cast<int>(i) + 1;
    }
    return 0;
}

std::string Cell(int row, int col) {
    FieldDef def{};
    return GetCell(app.grid, 0, row, col, &def);
}

// Keeps the loaded column's label and size, changing how it looks and edits.
void ApplyLook(int col, const ColumnLook& look) {
    FieldDef def{};
    GetCell(app.grid, 0, 1, col, &def);
    def.width = Px(look.width);
    def.align = look.align;
    odbcInitColumn(app.grid, col, look.type, &def);
}

void ShapeColumns() {
    for (const ColumnLook& look : kColumnLooks) {
        const int col = ColumnNamed(look.name);
        if (!col) continue;
        ApplyLook(col, look);
        if (look.type == kCheckBoxField) app.loaded.checkBoxCols.push_back(col);
    }
    app.loaded.keyCol = 1;
    LockField(app.grid, app.loaded.keyCol, 1);  // the key identifies the row in the table
    app.listCol = ColumnNamed(kListColumn);
    app.quantityCol = ColumnNamed(kQuantityColumn);
}

// Every loaded text, against which the save finds the cells the user
// changed, and the list column's values.
void RememberLoadedTexts() {
    LoadedTable& t = app.loaded;
    t.texts.clear();
    app.listItems.clear();
    const int rows = GetRowCount(app.grid), cols = static_cast<int>(t.columns.size());
    for (int row = 1; row <= rows; ++row) {
        t.texts.emplace_back();
        for (int col = 1; col <= cols; ++col) t.texts.back().push_back(Cell(row, col));
        if (app.listCol) app.listItems.insert(Cell(row, app.listCol));
    }
}

bool LoadGrid() {
    app.loaded = LoadedTable{};
    if (!app.db.Open()) return false;
    const ODBCHANDLE stmt = odbcLoadRecordsetSQL(app.grid, app.db.dbc, app.options.sql.c_str(), 1);
    if (stmt == -1) {
        ShowMessage(std::string("query failed: ") + odbcGetErrMsg());
        ShowRowCount();
        return false;
    }
    app.loaded.table = app.options.table;
    app.loaded.columns = ResultColumns(stmt);
    odbcFreeStmt(stmt);
    ShapeColumns();
    RememberLoadedTexts();
    SetUndoBuffer(app.grid);  // undo and deletion need it
    GridReadOnly(app.grid, app.readOnly);
    app.shownRow = -1;
    ShowRowCount();
    ShowCurrentCell();
    return true;
}

bool OpenData() {
    std::string error;
    const bool open = app.options.connection.empty() ? OpenSampleDatabase(app.db, app.options.database, &error)
                                                     : Connect(app.db, app.options.connection, &error);
    if (!open) {
        ShowMessage(error);
        ShowRowCount();
    }
    return open && LoadGrid();
}

// ---- Notifications ----

void FillList(HWND list) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : app.listItems) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

bool IsCount(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Answers true to refuse the new text; the editor then stays open.
bool RefuseCellChange(int row, int col) {
    if (col != app.quantityCol || col == 0) return false;
    const std::string text = GetCell(app.grid, 1, row, col, nullptr);  // the text about to be stored
    if (IsCount(text)) return false;
    ShowMessage("refused: the quantity must be a whole number, 0 or more (\"" + text + "\")");
    MessageBeep(MB_ICONWARNING);
    return true;
}

LRESULT OnGridNotification(UINT code, WPARAM wParam, LPARAM lParam) {
    // lParam's row wraps past 65,535; the notification's own cell does not.
    int32_t row = 0, col = 0;
    GetNotifyCell(&row, &col);
    if (code == GN_RBUTTONUP) {
        SetStatus(kNoticePart, "GN_RBUTTONUP at " + std::to_string(LOWORD(lParam)) + "," +
                                   std::to_string(HIWORD(lParam)) + ", row " + std::to_string(row));
    } else {
        SetStatus(kNoticePart, std::string(NotificationName(code)) + " " + std::to_string(row) + "," + std::to_string(col));
    }
    switch (code) {
        case GN_DROPDOWN:
            FillList(GetNotifyHwnd());
            return 0;
        case GN_CELLCHANGING:
            return RefuseCellChange(row, col) ? 1 : 0;
        case GN_CELLCHANGED:
            ShowMessage("");
            ShowRowCount();  // typing in the new-record row appends one
            return 0;
        default:
            (void)wParam;
            return 0;
    }
}

// ---- Commands ----

void Save() {
    if (!app.db.Open() || app.loaded.columns.empty()) {
        ShowMessage("nothing loaded to save");
        return;
    }
    const SaveOutcome out = SaveGrid(app.grid, app.db, app.loaded);
    if (!out.saved) {
        ShowMessage(out.message);
        MessageBoxW(app.window, Wide(out.message).c_str(), L"Save failed", MB_OK | MB_ICONWARNING);
        return;
    }
    // Reloading gives inserted rows their keys and resets every row state.
    LoadGrid();
    ShowMessage("saved: " + std::to_string(out.updated) + " updated, " + std::to_string(out.inserted) +
                " inserted, " + std::to_string(out.deleted) + " deleted");
}

void Paste() {
    PasteCells(app.grid, nullptr);
    int32_t cells = 0, row = 0, col = 0;
    const int end = GetPasteResult(app.grid, &cells, &row, &col);
    std::string text = "pasted " + std::to_string(cells) + (cells == 1 ? " cell" : " cells");
    const std::string at = " at row " + std::to_string(row) + ", " + ColumnName(col);
    switch (end) {
        case TABRIX_PASTE_REFUSED: text += "; refused" + at; break;
        case TABRIX_PASTE_ROW_REFUSED: text += "; the row could not be left before row " + std::to_string(row); break;
        case TABRIX_PASTE_TOO_LONG: text += "; too long for the field" + at; break;
        case TABRIX_PASTE_NOT_CHECK: text += "; not 0 or 1" + at; break;
        case TABRIX_PASTE_READ_ONLY: text = "read-only: nothing pasted"; break;
        case TABRIX_PASTE_NO_TEXT: text = "no text to paste"; break;
        case TABRIX_PASTE_DELETED_ROW: text += "; stopped at deleted row " + std::to_string(row); break;
    }
    ShowMessage(text);
    ShowRowCount();
}

void ReportFind(int found) {
    const std::string text = Utf8(app.findText);
    if (found == 1) ShowMessage("found \"" + text + "\"");
    if (found == 0) ShowMessage("\"" + text + "\" not found");
    if (found == -1) ShowMessage("the row being edited could not be left");
    app.findResumes = found == 1;
}

void FindNext() {
    // Mode 1: the cell contains the text.
    ReportFind(GridFind(app.grid, Utf8(app.findText).c_str(), 0, app.findResumes ? 1 : 0, 1));
}

void OpenFindDialog() {
    if (app.findDialog) {
        SetFocus(app.findDialog);
        return;
    }
    app.find = FINDREPLACEW{};
    app.find.lStructSize = sizeof app.find;
    app.find.hwndOwner = app.window;
    app.find.Flags = FR_DOWN | FR_HIDEUPDOWN | FR_HIDEWHOLEWORD | FR_HIDEMATCHCASE;
    app.find.lpstrFindWhat = app.findText;
    app.find.wFindWhatLen = sizeof app.findText;
    app.findDialog = FindTextW(&app.find);
}

void OnFindMessage(const FINDREPLACEW& find) {
    if (find.Flags & FR_DIALOGTERM) {
        app.findDialog = nullptr;
        SetFocus(app.grid);
    } else if (find.Flags & FR_FINDNEXT) {
        FindNext();
    }
}

void ToggleReadOnly() {
    if (GridReadOnly(app.grid, app.readOnly ? 0 : 1) != 1) {
        ShowMessage("the cell being edited was refused; correct it first");
        return;
    }
    app.readOnly = !app.readOnly;
    CheckMenuItem(GetMenu(app.window), kReadOnly, app.readOnly ? MF_CHECKED : MF_UNCHECKED);
    ShowMessage(app.readOnly ? "read-only" : "editable");
}

void OnCommand(int command) {
    switch (command) {
        case kSave: Save(); break;
        case kReload: LoadGrid(); break;
        case kExit: PostMessageA(app.window, WM_CLOSE, 0, 0); break;
        case kFind: OpenFindDialog(); return;
        case kFindNext: app.findText[0] ? FindNext() : OpenFindDialog(); break;
        case kUndoField: UndoField(app.grid); break;
        case kUndoRow: UndoRow(app.grid); break;
        case kDeleteRow: DeleteGridRow(app.grid); break;
        case kUndelete: UndeleteRow(app.grid); break;
        case kReadOnly: ToggleReadOnly(); break;
        case kTextFile: ShowTextWindow(app.window, GetModuleHandleA(nullptr)); return;
        case kCopy: ShowMessage(CopyCells(app.grid) == 1 ? "copied" : "the clipboard is busy"); break;
        case kPaste: Paste(); break;
    }
    SetFocus(app.grid);
}

// Commands that would do nothing are greyed when their menu opens.
void EnableEditCommands(HMENU menu) {
    auto enable = [menu](int command, bool on) { EnableMenuItem(menu, command, on ? MF_ENABLED : MF_GRAYED); };
    enable(kUndoField, CanUndoField(app.grid) == 1);
    enable(kUndoRow, CanUndoRow(app.grid) == 1);
    enable(kDeleteRow, !app.readOnly && CanDeleteRow(app.grid) == 1);
    enable(kUndelete, !app.readOnly && CanUndeleteRow(app.grid) == 1);
    enable(kPaste, !app.readOnly);
}

// The toolbar has no popup to grey its buttons when it opens, so they follow
// the grid after every message; only a change is sent, to spare repaints.
void EnableToolbarButtons() {
    auto enable = [](int command, bool on) {
        if ((SendMessageA(app.toolbar, TB_ISBUTTONENABLED, command, 0) != 0) != on)
            SendMessageA(app.toolbar, TB_ENABLEBUTTON, command, MAKELPARAM(on ? TRUE : FALSE, 0));
    };
    enable(kUndoRow, CanUndoRow(app.grid) == 1);
    enable(kUndelete, !app.readOnly && CanUndeleteRow(app.grid) == 1);
}

HMENU MakeMenu() {
    HMENU bar = CreateMenu();
    AppendPopup(bar,
                MakePopup({{kSave, "&Save\tCtrl+S"}, {kReload, "&Reload"}, {kTextFile, "&Text file..."}, {0, nullptr},
                           {kExit, "E&xit"}}),
                "&File");
    AppendPopup(bar,
                MakePopup({{kCopy, "&Copy\tCtrl+C"}, {kPaste, "&Paste\tCtrl+V"}, {0, nullptr},
                           {kFind, "&Find...\tCtrl+F"}, {kFindNext, "Find &next\tF3"}, {0, nullptr},
                           {kUndoField, "Undo &field"}, {kUndoRow, "Undo &row"}, {kDeleteRow, "&Delete row"},
                           {kUndelete, "Undele&te row"}, {0, nullptr}, {kReadOnly, "Read-&only"}}),
                "&Edit");
    return bar;
}

// Text buttons for the commands used most, sending the menu's own command
// identifiers, so WM_COMMAND serves both.
HWND MakeToolbar(HINSTANCE instance) {
    HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP, 0, 0, 0, 0,
                               app.window, reinterpret_cast<HMENU>(kToolbarId), instance, nullptr);
    if (!bar) return nullptr;
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // No images: a zero bitmap size keeps the buttons as high as their text.
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    struct Tool {
        int command;
        const char* text;
    };
    static const Tool tools[] = {{kSave, "Save"}, {kFind, "Find"}, {kUndoRow, "Undo row"}, {kUndelete, "Undelete"}};
    for (const Tool& tool : tools) {
        TBBUTTON button{};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = tool.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        button.iString = reinterpret_cast<INT_PTR>(tool.text);
        SendMessageA(bar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageA(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

HACCEL MakeAccelerators() {
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'S', kSave}, {FCONTROL | FVIRTKEY, 'F', kFind}, {FVIRTKEY, VK_F3, kFindNext}};
    return CreateAcceleratorTableA(keys, 3);
}

// The grid's copy and paste keys, taken by the demo so a paste reports on
// the status bar; an open editor keeps them for its own text.
HACCEL MakeGridAccelerators() {
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'C', kCopy}, {FCONTROL | FVIRTKEY, VK_INSERT, kCopy},
                    {FCONTROL | FVIRTKEY, 'V', kPaste}, {FSHIFT | FVIRTKEY, VK_INSERT, kPaste}};
    return CreateAcceleratorTableA(keys, 4);
}

// Unsaved edits are offered for saving; answers false to stay open.
bool MayClose() {
    if (!app.options.screenshot.empty() || GridDataChanged(app.grid) != 1) return true;
    const int answer = MessageBoxA(app.window, "Save the changes?", "Tabrix demo", MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) Save();
    return answer == IDNO || (answer == IDYES && GridDataChanged(app.grid) != 1);
}

// The grid's cell font and the bars' font at the window's resolution; the
// grid deletes the cell font it replaces, the bars' old one is deleted here.
void GiveFonts() {
    // The grid's own face is a bitmap font, which borrows no glyphs; the
    // platform links a TrueType face such as Tahoma to fonts of other scripts.
    GridAttr attr{};
    attr.cellFont = CreateFontW(-MulDiv(8, app.dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                                0, 0, 0, L"Tahoma");
    attr.showGridLines = 1;
    attr.showLineNumbers = 1;
    SetGridAttr(app.grid, &attr);
    // The bars keep the platform's font, at the window's resolution when it
    // differs from the screen's.
    static HFONT barFont = nullptr;
    HFONT old = barFont;
    barFont = nullptr;
    if (app.dpi != DpiOf(nullptr)) {
        LOGFONTW look{};
        SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof look, &look, 0);
        look.lfHeight = MulDiv(look.lfHeight, app.dpi, DpiOf(nullptr));
        barFont = CreateFontIndirectW(&look);
    }
    // No font given (null) is the platform's own again.
    if (barFont || old) {
        for (HWND bar : {app.toolbar, app.status}) SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(barFont), TRUE);
    }
    if (old) DeleteObject(old);
}

// A monitor of another resolution: the window takes the size the platform
// suggests, and every measure the demo gives follows.
void OnDpiChanged(int dpi, const RECT& suggested) {
    app.dpi = dpi;
    SetWindowPos(app.window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    GiveFonts();
    if (!app.loaded.columns.empty()) ShapeColumns();
    LayOut();
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= GN_ROWCHANGING && message <= GN_DROPDOWN) return OnGridNotification(message, wParam, lParam);
    if (message == app.findMessage && app.findMessage) {
        OnFindMessage(*reinterpret_cast<const FINDREPLACEW*>(lParam));
        return 0;
    }
    switch (message) {
        case WM_SIZE:
            if (app.grid) LayOut();
            return 0;
        case WM_SETFOCUS:
            SetFocus(app.grid);
            return 0;
        case kDpiChanged:
            if (app.grid) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            EnableEditCommands(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_CLOSE:
            if (MayClose()) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A Unicode window and message loop: an ANSI one would turn typed characters
// outside the ANSI code page into "?" before the grid's editor saw them.
bool CreateMainWindow(HINSTANCE instance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TabrixDemo";
    if (!RegisterClassW(&wc)) return false;
    app.dpi = DpiOf(nullptr);
    app.window = CreateWindowW(L"TabrixDemo", L"Tabrix demo - products", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, Px(900), Px(520), nullptr, MakeMenu(), instance, nullptr);
    if (!app.window) return false;
    app.status = CreateWindowA(STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, app.window,
                               reinterpret_cast<HMENU>(kStatusId), instance, nullptr);
    app.toolbar = MakeToolbar(instance);
    app.grid = CreateGrid(app.window, instance, 1, kGridId, 0, 0, 100, 100);
    if (!app.status || !app.toolbar || !app.grid) return false;
    // The name screen readers give the table.
    SetWindowTextA(app.grid, "Products");
    SetGridCodePage(app.grid, TABRIX_UTF8);
    app.dpi = DpiOf(app.window);
    GiveFonts();
    // Gives the focus back to the grid when the window comes back from a minimise.
    TrapInitMenuPopup(app.window);
    app.findMessage = RegisterWindowMessageW(FINDMSGSTRINGW);
    LayOut();
    return true;
}

int MessageLoop() {
    HACCEL accelerators = MakeAccelerators();
    HACCEL gridAccelerators = MakeGridAccelerators();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (app.findDialog && IsDialogMessageW(app.findDialog, &msg)) continue;
        // The keys are the main window's: Ctrl+S in the text window must not
        // save the database.
        const bool mine = msg.hwnd == app.window || IsChild(app.window, msg.hwnd);
        if (mine && TranslateAcceleratorW(app.window, accelerators, &msg)) continue;
        if (msg.hwnd == app.grid && TranslateAcceleratorW(app.window, gridAccelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (app.grid && IsWindow(app.grid)) {
            ShowCurrentCell();
            EnableToolbarButtons();
        }
    }
    DestroyAcceleratorTable(accelerators);
    DestroyAcceleratorTable(gridAccelerators);
    return static_cast<int>(msg.wParam);
}

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Exit code 0 only when the data loaded and the picture was written, so a
// test run can rely on it.
int SaveScreenshot(bool loaded) {
    RedrawWindow(app.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    const bool written = testing_host::SavePng(testing_host::CaptureClient(app.window), app.options.screenshot);
    DestroyWindow(app.window);
    PumpPending();
    return loaded && written ? 0 : 1;
}

}  // namespace

int RunMainWindow(const Options& options) {
    app.options = options;
    // Statements, the connection string and the drivers' messages in UTF-8,
    // as the grid's texts.
    odbcSetCodePage(TABRIX_UTF8);
    // An editor opens with its text selected, so typing replaces the value,
    // as a user tabbing through a data-entry form expects.
    OnEntryStyle(1);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!CreateMainWindow(instance)) return 1;
    // A failed connection or query leaves an empty grid and the reason in the
    // status bar: the program stays usable.
    const bool loaded = OpenData();
    EnableToolbarButtons();  // a screenshot is taken before the message loop runs
    ShowWindow(app.window, SW_SHOWNORMAL);
    UpdateWindow(app.window);
    if (!options.script.empty()) {
        std::string error;
        if (!StartScript(options.script, {app.window, app.grid, app.status, kMessagePart}, &error)) {
            fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }
    const int code = options.screenshot.empty() ? MessageLoop() : SaveScreenshot(loaded);
    Disconnect(app.db);
    return code;
}

}  // namespace demo
