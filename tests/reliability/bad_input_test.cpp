// Whatever a host hands the exports, each answers its code, leaves the grid
// as it was when it refuses, and never reads or writes outside what it was
// given: stale and foreign windows, null texts, texts that end at a page the
// process may not touch, huge texts and ODBC handles of the wrong kind (rows,
// columns, modes and field sizes off every edge are the reference's answers).
// A read past a terminator faults on the guard page and the crash filter
// fails the run.
#include <cstring>
#include <string>

#include "tests/odbc/sqlite_database.h"
#include "tests/support/grid_fixture.h"

namespace {
// The live objects the table rows act on (rows are captureless lambdas).
HWND g;
ODBCHANDLE env, dbc;
FieldDef def = testing_host::ColumnField("x", 50, 5);
GridAttr attr{};
ColDesc desc;
int32_t native;
char text[64], state[6];

std::string Answer(intptr_t answer) { return std::to_string(answer); }
std::string Answer(const char* answer) { return answer ? answer : "null"; }
std::string Answer(std::string answer) { return answer; }
std::string Answer(const void* handle) { return handle ? "handle" : "null"; }
// A new handle released again: only whether one came matters.
std::string Released(ODBCHANDLE handle, int32_t (*release)(ODBCHANDLE)) {
    if (handle == -1) return "-1";
    EXPECT_EQ(release(handle), 0);
    return "handle";
}
int32_t Disconnected(ODBCHANDLE c) { return odbcDisconnect(c) | odbcFreeDB(c); }
// Statements allocated, run ("SELECT a, b, c FROM t"), and standing on the first row.
ODBCHANDLE Allocated() {
    ODBCHANDLE stmt = -1;
    EXPECT_EQ(odbcAllocStmt(dbc, &stmt), 0);
    return stmt;
}
ODBCHANDLE FirstRow() {
    const ODBCHANDLE stmt = odbcSQLExec(dbc, "SELECT a, b, c FROM t");
    EXPECT_EQ(odbcFetchRecord(stmt), 0);
    return stmt;
}
std::string AndFree(ODBCHANDLE stmt, std::string answer) { return odbcFreeStmt(stmt), answer; }
std::string Font(HFONT font) { return DeleteObject(font), Answer(font); }

// A text whose terminator is the last byte before a page the process may not
// touch.
struct EdgeText {
    explicit EdgeText(size_t length) {
        const size_t page = 4096, size = (length + page) / page * page;
        base = static_cast<char*>(VirtualAlloc(nullptr, size + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        EXPECT_TRUE(base && VirtualProtect(base + size, page, PAGE_NOACCESS, &old));
        (text = base + size - length - 1)[length] = 0;
    }
    explicit EdgeText(const char* s) : EdgeText(strlen(s)) { memcpy(text, s, strlen(s)); }
    ~EdgeText() { VirtualFree(base, 0, MEM_RELEASE); }
    char *base, *text;
};

const char kTable[] = "r1c1,r1c2,r1c3\nr2c1,r2c2,r2c3\nr3c1,r3c2,r3c3\nr4c1,r4c2,r4c3";

class BadInput : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        g = grid;
        Refill();
        db.Run("CREATE TABLE t(a VARCHAR(10), b VARCHAR(10), c VARCHAR(10))");
        db.Run("INSERT INTO t VALUES ('a1', 'b1', 'c1'), ('a2', 'b2', 'c2')");
        env = db.env;
        dbc = db.dbc;
    }
    // The 3 x 4 table "rNcM". Reshaping repaints the header, which costs tens
    // of milliseconds under Wine, so only a grid whose columns changed is
    // reshaped; the rest is put back by cheap calls.
    void Refill() {
        GridReadOnly(grid, 0);
        ShowLineNumbers(grid, 0);
        SetModify(grid, 0);
        SetRowHeight(grid, 20);
        if (fresh_.empty() || Columns() != freshColumns_) Shape(3, 10);
        ASSERT_EQ(LoadRecordsetDelimited(grid, kTable, "\n", ","), 1);
        ASSERT_EQ(GotoCell(grid, 1, 1), 1);
        if (fresh_.empty()) freshColumns_ = Columns(), fresh_ = Snapshot();
        ASSERT_EQ(Snapshot(), fresh_);
    }
    // Everything a host can read back of the grid.
    std::string Snapshot() {
        std::string s = Columns() + std::to_string(GetRowCount(grid)) + " rows at " +
                        std::to_string(GetCurrentRow(grid)) + "," + std::to_string(GetCurrentCol(grid)) + " changed " +
                        std::to_string(GridDataChanged(grid));
        for (int row = 0; row <= GetRowCount(grid) + 1; ++row) {
            s += std::string("|") + GetRecordDelimited(grid, row, 0, ",", 0) + " " +
                 std::to_string(RowModified(grid, row));
        }
        return s;
    }
    std::string Columns() {
        std::string s = std::to_string(GetColCount(grid)) + " cols height " + std::to_string(GetRowHeight(grid));
        for (int col = 0; col <= GetColCount(grid) + 1; ++col) {
            s += "|" + Heading(col) + " " + std::to_string(GetColWidth(grid, col));
            s += " " + std::to_string(GetFldSize(grid, col));
        }
        return s + "|";
    }
    testing_host::SqliteDatabase db{"bad_input.db"};
    std::string fresh_, freshColumns_;
};

// Every export that takes a grid, given windows that are not grids.
struct HandleCase { const char* call; std::string (*run)(HWND); const char* answer = "-3"; };
#define EXPORT(call, ...) HandleCase{#call, [](HWND h) { return Answer(call); }, ##__VA_ARGS__}
const HandleCase kHandleCases[] = {
    EXPORT(FreeGrid(h)), EXPORT(DimCols(h, 2)), EXPORT(DefineField(h, 1, 0, &def)), EXPORT(ClearColLabels(h)),
    EXPORT(InsertColLabel(h, 10, "x", 1, 0)), EXPORT(LockField(h, 1, 1)), EXPORT(GetColCount(h)),
    EXPORT(GetColWidth(h, 1)), EXPORT(GetFldSize(h, 1)), EXPORT(DimRows(h, 5)), EXPORT(RedimPreserveRows(h, 5)),
    EXPORT(CreateCell(h, 1, 1, "x")), EXPORT(SetCellText(h, 1, 1, "x")), EXPORT(GetCell(h, 0, 1, 1, &def), "DB_ERROR"),
    EXPORT(GetCell(h, 1, 1, 1, &def), "DB_ERROR"), EXPORT(GetRowCount(h)), EXPORT(ClearCells(h)), EXPORT(ClearGrid(h)),
    EXPORT(SetGridAttr(h, &attr)), EXPORT(SetGridAttr(h, nullptr)), EXPORT(ShowLineNumbers(h, 1)),
    EXPORT(SetRowHeight(h, 30)), EXPORT(GetRowHeight(h)), EXPORT(SetUndoBuffer(h)), EXPORT(UndoRow(h)),
    EXPORT(UndoField(h)), EXPORT(CanUndoRow(h)), EXPORT(CanUndoField(h)), EXPORT(UndeleteRow(h)),
    EXPORT(CanUndeleteRow(h)), EXPORT(DeleteGridRow(h)), EXPORT(CanDeleteRow(h)), EXPORT(RowModified(h, 1)),
    EXPORT(ResetRowModified(h, 1)), EXPORT(GridDataChanged(h)), EXPORT((SetModify(h, 1), 0), "0"),
    EXPORT(FinishEditing(h)), EXPORT(GridReadOnly(h, 1)), EXPORT(GridFind(h, "r1c1", 0, 0, 0)),
    EXPORT(GotoCell(h, 1, 1)), EXPORT(ViewGrid(h, 0)), EXPORT(ViewGrid(h, 1)), EXPORT(GetFirstVisRow(h)),
    EXPORT(GetFirstVisCol(h)), EXPORT(GetCurrentRow(h)), EXPORT(GetCurrentCol(h)), EXPORT(GetRecordRAF(h, 1), "DB_ERR"),
    EXPORT(PutRecordRAF(h, 1, "abc")), EXPORT(LoadRecordsetRAF(h, "abc")),
    EXPORT(GetRecordDelimited(h, 1, 0, ",", 0), "DB_ERR"), EXPORT(PutRecordDelimited(h, 1, "a,b", "\r\n", ",")),
    EXPORT(LoadRecordsetDelimited(h, "a,b", "\r\n", ",")), EXPORT(odbcInitColumn(h, 1, 0, &def)),
    EXPORT(odbcLoadRecordsetSQL(h, dbc, "SELECT a FROM t", 1), "-1"), EXPORT(FetchRecords(h, 0, 0, 1)),
    EXPORT(FetchRecords_EX(h, dbc, 0, 1, "SELECT a FROM t")),
};

TEST_F(BadInput, EveryExportRefusesWindowsThatAreNotGrids) {
    const std::string before = Snapshot();
    HWND gone = CreateGrid(host.hwnd(), host.instance(), 0, 3, 0, 0, 100, 100);
    DestroyWindow(gone);
    const LONG_PTR hostProc = GetWindowLongPtrA(host.hwnd(), GWLP_WNDPROC);
    for (HWND bad : {HWND{}, host.hwnd(), GetWindow(grid, GW_CHILD), gone}) {
        for (const HandleCase& e : kHandleCases) EXPECT_EQ(e.run(bad), e.answer) << e.call << " with " << bad;
    }
    for (HWND bad : {HWND{}, gone}) {
        EXPECT_EQ(CreateGrid(bad, host.instance(), 0, 3, 0, 0, 100, 100), nullptr) << "parent " << bad;
        TrapInitMenuPopup(bad);
    }
    EXPECT_EQ(GetWindowLongPtrA(host.hwnd(), GWLP_WNDPROC), hostProc) << "no window was hooked";
    Settle();
    EXPECT_EQ(Snapshot(), before) << "refused calls leave the real grid alone";
}

// Every export that takes a string: a null one answers the export's refusal
// and changes nothing (unless null means "none", as for a FieldDef's label
// and face); one ending at a guard page is read up to its terminator only.
struct StringCase {
    const char *call; std::string (*run)(char*); const char *nullAnswer, *text, *answer; bool nullKeeps = true;
};
#define STR(call, ...) StringCase{#call, [](char* s) { return Answer(call); }, __VA_ARGS__}
#define RUN(call, body, ...) StringCase{call, [](char* s) -> std::string body, __VA_ARGS__}
FieldDef Field(char* label, const char* face) { return testing_host::ColumnField(label, 60, 10, 0, 0, 0, face); }
const StringCase kStringCases[] = {
    STR(InsertColLabel(g, 50, s, 2, 0), "-2", "Price", "1"), STR(CreateCell(g, 2, 2, s), "-1", "abc", "1"),
    STR(SetCellText(g, 2, 2, s), "-1", "abc", "1"), STR(GridFind(g, s, 0, 0, 0), "0", "r3c2", "1"),
    RUN("DefineField label", { FieldDef d = Field(s, nullptr); return Answer(DefineField(g, 2, 0, &d)); }, "1",
        "Name", "1", false),
    RUN("DefineField fontFace", { FieldDef d = Field(nullptr, s); return Answer(DefineField(g, 2, 0, &d)); }, "1",
        "Arial", "1", false),
    RUN("odbcInitColumn fontFace", { FieldDef d = Field(nullptr, s); return Answer(odbcInitColumn(g, 2, 0, &d)); },
        "1", "Arial", "1", false),
    STR(Font(MakeFont(s, 9, 400, 0, 0, 0)), "handle", "Tahoma", "handle"),
    // A null label buffer is skipped; one just big enough for the heading (as
    // a host that reuses its DefineField record has) receives only that.
    RUN("GetCell label", { FieldDef d{}; d.label = s; return Answer(GetCell(g, 0, 2, 2, &d)) + " " + (s ? s : ""); },
        "r2c2 ", "col", "r2c2 col"),
    STR(PutRecordRAF(g, 2, s), "-2", "abcdefghij", "1"), STR(LoadRecordsetRAF(g, s), "-2", "abcdefghij", "1"),
    STR(GetRecordDelimited(g, 2, 0, s, 0), "r2c1r2c2r2c3", ";", "r2c1;r2c2;r2c3"),
    STR(PutRecordDelimited(g, 2, s, "\r\n", ","), "0", "a,b,c", "1"),
    STR(PutRecordDelimited(g, 2, "a,b", s, ","), "1", "\n", "1", false),
    STR(PutRecordDelimited(g, 2, "a;b", "\r\n", s), "0", ";", "1"),
    STR(LoadRecordsetDelimited(g, s, "\r\n", ","), "0", "a,b\r\nc,d", "1"),
    STR(LoadRecordsetDelimited(g, "a,b", s, ","), "1", "\n", "1", false),
    STR(LoadRecordsetDelimited(g, "a;b", "\r\n", s), "0", ";", "1"),
    STR(Released(odbcConnect(env, s), Disconnected), "-1", "DRIVER=SQLite3;Database=:memory:", "handle"),
    STR(odbcConnectDSN(env, s, "", ""), "-1", "NoSuchSource", "-1"),
    STR(odbcConnectDSN(env, "NoSuchSource", s, s), "-1", "user", "-1"),
    STR(Released(odbcSQLExec(dbc, s), odbcFreeStmt), "handle", "SELECT a FROM t", "handle"),
    STR(Released(odbcLoadRecordsetSQL(g, dbc, s, 1), odbcFreeStmt), "-1", "SELECT a, b, c FROM t", "handle"),
    RUN("FetchRecords_EX sql", {
            const ODBCHANDLE stmt = Allocated();
            return AndFree(stmt, Answer(FetchRecords_EX(g, dbc, stmt, 3, s)));
        }, "-1", "SELECT a, b, c FROM t", "0"),
    RUN("odbcGetData buffer", {
            const ODBCHANDLE stmt = FirstRow();
            const std::string rc = Answer(odbcGetData(stmt, 2, s));
            return AndFree(stmt, rc + " " + (s ? s : ""));
        }, "-1 ", "       ", "0 b1"),
    RUN("odbcGetDiagRec message", {
            const ODBCHANDLE stmt = Allocated();
            odbcGetColDesc(stmt, 1, &desc);  // fails: the statement has not run
            return AndFree(stmt, Answer(odbcGetDiagRec(3, stmt, &native, s, state, 1)));
        }, "1", "                                        ", "1"),
    STR(odbcCreateMDB(s, "x.mdb"), "0", "CREATE_DB", "0"), STR(odbcCreateMDB("CREATE_DB", s), "0", "x.mdb", "0"),
    STR(odbcCompactMDB(s, ""), "0", "a.mdb", "0"), STR(odbcCompactMDB("a.mdb", s), "0", "b.mdb", "0"),
    STR(odbcRepairMDB(s, ""), "0", "a.mdb", "0"), STR(odbcRepairMDB("a.mdb", s), "0", "b.mdb", "0"),
};

TEST_F(BadInput, NullAndPageEdgeStrings) {
    for (const StringCase& c : kStringCases) {
        Refill();
        const std::string before = Snapshot();
        EXPECT_EQ(c.run(nullptr), c.nullAnswer) << c.call << " with null";
        EXPECT_TRUE(!c.nullKeeps || Snapshot() == before) << c.call << " with null changed the grid";
        Refill();
        {
            EdgeText text(c.text);
            EXPECT_EQ(c.run(text.text), c.answer) << c.call << " with \"" << c.text << "\" at a page edge";
            Settle();
        }
        Settle();  // the guard page is gone: nothing may still point into it
    }
}

// Record and delimited texts of 50 MB ending at a guard page (reads past
// the terminator of short texts are the fuzz targets', under a sanitizer).
TEST_F(BadInput, HugeRecords) {
    constexpr int kLine = 30, kLines = 1666667;  // 50,000,010 bytes
    EdgeText huge(size_t{kLine} * kLines);
    for (size_t i = 0; i < kLines; ++i) memcpy(huge.text + i * kLine, "aaaaaaaaa,bbbbbbbbb,cccccccc\r\n", kLine);
    const struct { const char* name; int (*put)(char*); int rows; } kRecords[] = {
        {"LoadRecordsetRAF", [](char* s) { return LoadRecordsetRAF(g, s); }, kLines},
        {"LoadRecordsetDelimited", [](char* s) { return LoadRecordsetDelimited(g, s, "\r\n", ","); }, kLines},
        {"PutRecordRAF", [](char* s) { return PutRecordRAF(g, 2, s); }, 4},
        {"PutRecordDelimited", [](char* s) { return PutRecordDelimited(g, 2, s, "\r\n", ","); }, 4},
    };
    for (const auto& c : kRecords) {
        Refill();
        EXPECT_EQ(c.put(huge.text), 1) << c.name;
        EXPECT_EQ(GetRowCount(grid), c.rows) << c.name;
    }
}

// The ODBC wrappers given handles that are freed, of another kind, or no
// handle at all: each answers its code, and the failure it keeps is this
// call's, not an earlier one (odbcGetDiagRec keeps the kept one by design).
// `takes`: the kind of handle the call takes (environment, connection, statement).
struct OdbcCase { const char* call; std::string (*run)(ODBCHANDLE); char takes; const char* answer = "-2"; };
#define ODBC(call, takes, ...) OdbcCase{#call, [](ODBCHANDLE h) { return Answer(call); }, takes, ##__VA_ARGS__}
ODBCHANDLE scratch;
const OdbcCase kOdbcCases[] = {
    ODBC(odbcFreeEnv(h), 'e'), ODBC(odbcConnect(h, "DRIVER=SQLite3;Database=:memory:"), 'e', "-1"),
    ODBC(odbcConnectDSN(h, "NoSuchSource", "", ""), 'e', "-1"), ODBC(odbcDisconnect(h), 'c'), ODBC(odbcFreeDB(h), 'c'),
    ODBC(odbcAllocStmt(h, &scratch), 'c'), ODBC(odbcSQLExec(h, "SELECT a FROM t"), 'c', "-1"),
    ODBC(odbcBeginTrans(h), 'c'), ODBC(odbcEndTrans(h, 0), 'c'),
    ODBC(odbcLoadRecordsetSQL(g, h, "SELECT a, b, c FROM t", 1), 'c', "-1"), ODBC(odbcFreeStmt(h), 's'),
    ODBC(odbcGetColCount(h), 's', "-1"), ODBC(odbcGetColDesc(h, 1, &desc), 's', "-1"),
    ODBC(odbcRowsAffected(h), 's', "-1"), ODBC(odbcFetchRecord(h), 's'),
    ODBC(odbcGetData(h, 1, (strcpy(text, "          "), text)), 's'),
    ODBC(FetchRecords_EX(g, dbc, h, 3, "SELECT a, b, c FROM t"), 's'), ODBC(FetchRecords(g, 0, h, 3), 's'),
    ODBC(odbcGetDiagRec(3, h, &native, (strcpy(text, "          "), text), (strcpy(state, "     "), state), 1), 's'),
};

TEST_F(BadInput, OdbcHandlesThatAreNotWhatTheCallTakes) {
    const ODBCHANDLE freedEnv = odbcAllocEnv(), freedDbc = odbcConnect(freedEnv, "DRIVER=SQLite3;Database=:memory:");
    const ODBCHANDLE freedStmt = odbcSQLExec(freedDbc, "SELECT 1");
    const ODBCHANDLE liveStmt = Allocated();  // first, or it could take the freed one's place
    ASSERT_NE(freedStmt, -1) << odbcGetErrMsg();
    ASSERT_EQ(odbcFreeStmt(freedStmt), 0);
    ASSERT_EQ(odbcDisconnect(freedDbc), 0);
    ASSERT_EQ(odbcFreeDB(freedDbc), 0);
    ASSERT_EQ(odbcFreeEnv(freedEnv), 0);
    const struct { ODBCHANDLE handle; char kind; } bad[] = {{freedEnv, 0}, {freedDbc, 0}, {freedStmt, 0}, {0, 0},
        {-1, 0}, {12345, 0}, {env, 'e'}, {liveStmt, 's'}};
    for (const auto& b : bad) {
        for (const OdbcCase& c : kOdbcCases) {
            if (c.takes == b.kind) continue;  // a live handle of the kind the call takes
            EXPECT_EQ(odbcSQLExec(dbc, "SELECT marker_of_an_earlier_failure"), -1);
            EXPECT_EQ(c.run(b.handle), c.answer) << c.call << " with " << b.handle;
            const bool keeps = strstr(odbcGetErrMsg(), "marker_of_an_earlier_failure") != nullptr;
            EXPECT_EQ(keeps, strstr(c.call, "odbcGetDiagRec") != nullptr)
                << c.call << " with " << b.handle << " left: " << odbcGetErrMsg();
        }
    }
    const std::string before = Snapshot();
    EXPECT_EQ(FetchRecords(grid, 0, freedStmt, 3), -2);
    EXPECT_EQ(Snapshot(), before) << "no statement, no rows replaced";
    EXPECT_EQ(odbcFreeStmt(liveStmt), 0);
}

}  // namespace
