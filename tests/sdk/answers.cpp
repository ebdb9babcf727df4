// Asks the DLL every answer the reference gives: the rows of the Answers
// table of docs/api.md (doc_answers.inc, made by doc_examples.py), each in
// the situation it names, made afresh. A differing row fails the run and
// names its line; a crash names the row it came in.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "tabrix32.h"
#include "tests/support/crash_filter.h"
#include "tests/support/test_host.h"

namespace {

using testing_host::PumpMessages;
enum class Situation { fresh, orders, editing, refusing, deleted, scrolled, notgrid, query, table };

testing_host::TestHost* host;
HWND grid, made;
FieldDef def, got;
GridAttr attr;
RECT rect;
char buf[300], defLabel[16], longText[3001], labels[4][32];
char *readOnly, *guarded, *edge;
ODBCHANDLE env = -1, dbc = -1, stmt = -1, other;
int32_t native;
ColDesc desc;
LOGFONTA font;
char state[6];
const char* running = "the start";
void Pump() { PumpMessages(); }

void Define(int col, const char* label, int width, int size, int align, int tag1) {
    FieldDef d{};
    d.label = strcpy(labels[col], label);
    d.width = width;
    d.size = size;
    d.align = align;
    d.tag1 = tag1;
    DefineField(grid, col, TABRIX_FIELD_TEXT, &d);
}

// `dbc` on a new SQLite file holding what `sql` makes.
void Connect(std::initializer_list<const char*> sql) {
    char file[MAX_PATH] = "/tmp", connection[MAX_PATH + 40];
    GetEnvironmentVariableA("TABRIX_TESTENV", file, sizeof file - 16);
    strcat(file, "/answers.db");
    DeleteFileA((std::string("Z:") + file).c_str());
    dbc = odbcConnect(env = odbcAllocEnv(), strcat(strcpy(connection, "DRIVER=SQLite3;Database="), file));
    for (const char* statement : sql) {
        const ODBCHANDLE setup = odbcSQLExec(dbc, statement);
        if (setup == -1) fprintf(stderr, "%s: no database: %s\n", running, odbcGetErrMsg());
        odbcFreeStmt(setup);
    }
}

// The row's grid sized and painted as the call left it (a crash names the
// row), then gone.
void Leave() {
    if (!IsWindow(made)) return;
    SendMessageA(made, WM_SIZE, 0, 0);
    UpdateWindow(made);
    DestroyWindow(made);
}

HWND Make(Situation s) {
    host->Answer(GN_CELLCHANGING, [](WPARAM, LPARAM) { return 0; });
    Pump();
    host->Clear();
    def = FieldDef{};
    def.label = strcpy(defLabel, "Extra");
    def.width = 50;
    def.size = 4;
    got = FieldDef{};
    attr = GridAttr{};
    rect = RECT{-7, -7, -7, -7};
    memset(buf, 0, sizeof buf);
    if (dbc != -1) odbcFreeStmt(stmt), odbcDisconnect(dbc), odbcFreeDB(dbc), odbcFreeEnv(env);
    dbc = stmt = -1;
    other = 7;
    native = 0;
    strcpy(state, "?????");
    OnEntryStyle(0);
    made = grid = CreateGrid(host->hwnd(), host->instance(), 1, 100, 0, 0, 500, 300);
    if (s == Situation::fresh) return grid;
    if (s == Situation::notgrid) return host->hwnd();
    if (s == Situation::table) {
        DimCols(grid, 3);
        for (int col = 1; col <= 3; ++col) Define(col, "col", 60, 10, TABRIX_ALIGN_LEFT, 0);
        LoadRecordsetDelimited(grid, "r1c1,r1c2,r1c3\nr2c1,r2c2,r2c3\nr3c1,r3c2,r3c3\nr4c1,r4c2,r4c3", "\n", ",");
        SetRowHeight(grid, 20);
        ShowLineNumbers(grid, 0);
        Connect({"CREATE TABLE t(a VARCHAR(10), b VARCHAR(10), c VARCHAR(10))",
                 "INSERT INTO t VALUES ('a1', 'b1', 'c1'), ('a2', 'b2', 'c2')"});
        Pump();
        return grid;
    }
    DimCols(grid, 3);
    Define(1, "Item", 80, 5, TABRIX_ALIGN_LEFT, 0);
    Define(2, "Quantity in stock", 60, 3, TABRIX_ALIGN_RIGHT, 0);
    Define(3, "Note", 50, 4, TABRIX_ALIGN_LEFT, 1);
    const char* texts[2][3] = {{"ab", "xyz", ""}, {"bolts", "7", "c\"q"}};
    for (int row = 1; row <= 2; ++row)
        for (int col = 1; col <= 3; ++col) CreateCell(grid, row, col, texts[row - 1][col - 1]);
    SetUndoBuffer(grid);
    Pump();
    if (s == Situation::editing || s == Situation::refusing) {
        SendMessageA(grid, WM_KEYUP, VK_F2, 0);
        Pump();
        HWND editor = FindWindowExA(grid, nullptr, "Edit", nullptr);
        if (!editor) fprintf(stderr, "%s: F2 opened no editor\n", running);
        if (s == Situation::refusing && editor) {
            SetWindowTextA(editor, "zz");
            SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
            host->Answer(GN_CELLCHANGING, [](WPARAM, LPARAM) { return 1; });
        }
    } else if (s == Situation::deleted) {
        if (SelectRow(grid, 2) == TABRIX_DONE) DeleteGridRow(grid);
    } else if (s == Situation::query) {
        Connect({"CREATE TABLE items(id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(20), note TEXT)",
                 "INSERT INTO items(name, note) VALUES ('n1', 'note1'), ('n2', NULL), ('n3', 'note3')"});
        stmt = odbcSQLExec(dbc, "SELECT name, note FROM items ORDER BY id");
    } else if (s == Situation::scrolled) {
        if (CreateCell(grid, 200, 1, "end") == TABRIX_STORED) GotoCell(grid, 150, 1);
    }
    Pump();
    return grid;
}

// Answers as the table writes them: numbers, and texts quoted as C literals.
template <class Number>
std::string Of(Number number) {
    return std::to_string(static_cast<long long>(number));
}
std::string Of(const char* text) {
    if (!text) return "NULL";
    std::string quoted = "\"";
    for (const char* c = text; *c; ++c) quoted += *c == '"' || *c == '\\' ? std::string("\\") + *c : std::string(1, *c);
    return quoted + "\"";
}
std::string Of(char* text) { return Of(static_cast<const char*>(text)); }

int failures, rows;
void Check(int line, const char* call, const char* situation, const std::string& answer, const std::string& expected) {
    ++rows;
    if (answer == expected) return;
    ++failures;
    printf("FAIL docs/api.md:%d: %s in %s answers %s; the reference says %s\n", line, call, situation,
           answer.c_str(), expected.c_str());
}

}  // namespace

#define ROW(line, situation, call, expected)                                 \
    running = "docs/api.md:" #line;                                          \
    grid = Make(Situation::situation);                                       \
    Check(line, #call, #situation, Of(call), Of(expected));                 \
    Leave();

int main() {
    testing_host::InstallCrashFilter([] { return running; });
    testing_host::TestHost window(640, 480);
    host = &window;
    // Label buffers the DLL may not, or must not, write through.
    DWORD old;
    readOnly = static_cast<char*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    memset(readOnly, 'r', 4096);
    VirtualProtect(readOnly, 4096, PAGE_READONLY, &old);
    guarded = static_cast<char*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_READWRITE | PAGE_GUARD));
    char* pages = static_cast<char*>(VirtualAlloc(nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
    VirtualProtect(pages + 4096, 4096, PAGE_NOACCESS, &old);
    edge = pages + 4096 - 8;
    memset(longText, 'a', sizeof longText - 1);

#include "doc_answers.inc"

    printf("%d of %d answers of the reference differ from the DLL's\n", failures, rows);
    return failures ? 1 : 0;
}
