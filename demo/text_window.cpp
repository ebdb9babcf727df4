#include "demo/text_window.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "demo/menus.h"
#include "tabrix32.h"

namespace demo {
namespace {

enum Command { kOpenText = 200, kSaveText, kCloseText };
constexpr int kGridId = 1;
// Every column takes any text a line may hold; a text file carries no sizes.
constexpr int kFieldSize = 255;
constexpr int kColumnWidth = 120;
constexpr char kClassName[] = "TabrixDemoText";
constexpr char kTitle[] = "Text file";

struct TextWindow {
    HWND window = nullptr, grid = nullptr;
    // The file's first line, written back unchanged so that a round trip
    // keeps the header exactly as the file had it.
    std::string header;
};
TextWindow text;  // one text window per program

// ---- Files, as bytes: the grid's delimited functions take the line ends
// as they are, so no text-mode translation is wanted ----

bool ReadWholeFile(const std::string& path, std::string* contents) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
    if (ok) {
        contents->assign(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        ok = contents->empty() || (ReadFile(file, &(*contents)[0], static_cast<DWORD>(contents->size()), &read,
                                            nullptr) &&
                                   read == contents->size());
    }
    CloseHandle(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, const std::string& contents) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
                    written == contents.size();
    CloseHandle(file);
    return ok;
}

// ---- Shaping the grid from the header line ----

// The header ends at the first CR or LF, the line ends the grid also accepts;
// `rest` starts after that line end (CR LF counted once).
void SplitHeader(const std::string& contents, std::string* header, std::string* rest) {
    const size_t end = contents.find_first_of("\r\n");
    *header = contents.substr(0, end);
    if (end == std::string::npos) {
        rest->clear();
        return;
    }
    const size_t next = contents.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    *rest = contents.substr(next);
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

// DimCols drops every row and column, so a file with another layout starts
// from a clean grid; each header field becomes a column's label.
bool ShapeColumns(HWND grid, const std::string& header) {
    const std::vector<std::string> labels = SplitFields(header);
    if (DimCols(grid, static_cast<int32_t>(labels.size())) != TABRIX_DONE) return false;
    for (size_t i = 0; i < labels.size(); ++i) {
        FieldDef def{};
        def.label = const_cast<char*>(labels[i].c_str());  // the grid copies the label
        def.width = kColumnWidth;
        def.size = kFieldSize;
        if (DefineField(grid, static_cast<int32_t>(i) + 1, TABRIX_FIELD_TEXT, &def) != TABRIX_DONE) return false;
    }
    return true;
}

// The header line is skipped, not loaded as a row: it already labels the
// columns, and as a row it would be edited, sorted and found like the data.
std::string LoadText(HWND grid, const std::string& contents) {
    std::string header, rows;
    SplitHeader(contents, &header, &rows);
    if (header.empty()) return "the file has no header line";
    if (!ShapeColumns(grid, header)) return "the header line does not fit the grid";
    // An empty text loads nothing and answers 0: a header alone is an empty table.
    if (!rows.empty() && LoadRecordsetDelimited(grid, rows.c_str(), "\r\n", ",") != TABRIX_DONE)
        return "the rows could not be loaded";
    text.header = header;
    return "";
}

std::string GridAsText(HWND grid) {
    std::string out = text.header + "\r\n";
    const int rows = GetRowCount(grid);
    for (int row = 1; row <= rows; ++row) {
        // A deleted row stays in the grid, marked, until the next load.
        if (RowModified(grid, row) == TABRIX_ROW_DELETED) continue;
        // The answer belongs to the DLL and is replaced by the next call:
        // appending copies it at once.
        out += GetRecordDelimited(grid, row, 0, ",", 0);
        out += "\r\n";
    }
    return out;
}

// ---- Commands ----

constexpr char kFilter[] = "Text files (*.csv;*.txt)\0*.csv;*.txt\0All files (*.*)\0*.*\0";

OPENFILENAMEA FileDialog(char* path, DWORD size) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = text.window;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = size;
    ofn.lpstrDefExt = "csv";
    return ofn;
}

void SetTitle(const std::string& path) { SetWindowTextA(text.window, (std::string(kTitle) + " - " + path).c_str()); }

void OpenText() {
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn = FileDialog(path, sizeof path);
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&ofn)) return;
    std::string contents;
    const std::string error = ReadWholeFile(path, &contents) ? LoadText(text.grid, contents) : "cannot read the file";
    if (!error.empty()) {
        MessageBoxA(text.window, error.c_str(), "Open text", MB_OK | MB_ICONWARNING);
        return;
    }
    SetTitle(path);
}

void SaveText() {
    if (text.header.empty()) {
        MessageBoxA(text.window, "Open a text file first: its header names the columns.", "Save text",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    // The open editor's text belongs in the file too; a refused edit stays open.
    if (FinishEditing(text.grid) != TABRIX_DONE) return;
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn = FileDialog(path, sizeof path);
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&ofn)) return;
    if (!WriteWholeFile(path, GridAsText(text.grid))) {
        MessageBoxA(text.window, "cannot write the file", "Save text", MB_OK | MB_ICONWARNING);
        return;
    }
    SetTitle(path);
}

HMENU MakeMenu() {
    HMENU bar = CreateMenu();
    AppendPopup(bar, MakePopup({{kOpenText, "&Open text..."}, {kSaveText, "&Save text..."}, {0, nullptr}, {kCloseText, "&Close"}}),
                "&File");
    return bar;
}

LRESULT CALLBACK TextWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (text.grid) MoveWindow(text.grid, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (text.grid) SetFocus(text.grid);
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kOpenText: OpenText(); break;
                case kSaveText: SaveText(); break;
                case kCloseText: PostMessageA(hwnd, WM_CLOSE, 0, 0); break;
            }
            return 0;
        case WM_DESTROY:
            // The grid goes with its parent window; only the program's
            // record of both is cleared, so the menu can open a fresh one.
            text = TextWindow{};
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

void ShowTextWindow(HWND owner, HINSTANCE instance) {
    if (text.window) {
        ShowWindow(text.window, SW_RESTORE);
        SetForegroundWindow(text.window);
        return;
    }
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TextWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        registered = RegisterClassA(&wc) != 0;
        if (!registered) return;
    }
    text.window = CreateWindowA(kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, 600, 400, owner, MakeMenu(), instance, nullptr);
    if (!text.window) return;
    text.grid = CreateGrid(text.window, instance, 1, kGridId, 0, 0, 100, 100);
    RECT client;
    GetClientRect(text.window, &client);
    MoveWindow(text.grid, 0, 0, client.right, client.bottom, TRUE);
    ShowWindow(text.window, SW_SHOWNORMAL);
    SetFocus(text.grid);
}

}  // namespace demo
