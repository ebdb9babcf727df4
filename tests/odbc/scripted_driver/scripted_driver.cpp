// A native ODBC driver of the test run's own, loaded by unixODBC (and so by
// Wine's odbc32) to produce results no real driver here produces. It has no
// data: the statement text is a script naming the result, as words
// separated by spaces or semicolons (any other word, "SELECT" say, is
// ignored):
//
//   rows=N          N rows (default 0)
//   cols=N          N text columns named c1..cN (default 2, at most 64);
//                   the value of column c in row r is "r<r>c<c>"
//   display=D       every column's display size, as reported (default 20)
//   nulls=K         the last column of every K-th row is NULL
//   errors=A,B,...  rows read with an error status; their slots hold
//                   "unreadable"
//   attr=ID:STATE   asking column attribute ID fails with SQLSTATE STATE
//
// The word "report" alone instead answers one row and one column: how the
// connection's previous rowset fetch was asked for, as
// "rowset=<array size> bind=<bind type> status=<yes|no> fetched=<yes|no>
// rowsets=<fetches that returned rows>".
//
// Only what the driver manager and the grid's loader call is answered.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <string>

namespace {

struct Diagnostic {
    std::string state, text;  // empty state: no record
};

struct FetchRecord {
    SQLULEN arraySize = 0, bindType = 0;
    bool statuses = false, fetched = false;
    int rowsets = 0;
};

struct Connection {
    Diagnostic diag;
    FetchRecord lastFetch;
};

struct Binding {
    char* data = nullptr;
    SQLLEN length = 0;
    SQLLEN* indicator = nullptr;
};

struct Script {
    long rows = 0, cols = 2, nullEvery = 0;
    SQLLEN display = 20;
    std::set<long> errorRows;
    SQLUSMALLINT failingAttr = 0;
    std::string failingState;
    bool report = false;
};

struct Statement {
    explicit Statement(Connection* connection) : dbc(connection) {}
    Connection* dbc;
    Diagnostic diag;
    Script script;
    std::string reportText;
    bool open = false;
    long nextRow = 1, rowsetStart = 0;  // rows are numbered from 1
    SQLULEN arraySize = 1, bindType = SQL_BIND_BY_COLUMN;
    SQLUSMALLINT* statuses = nullptr;
    SQLULEN* fetched = nullptr;
    Binding bindings[64];
};

Script Parse(const char* text, SQLINTEGER length) {
    std::string words = length == SQL_NTS ? text : std::string(text, static_cast<size_t>(length));
    for (char& c : words)
        if (c == ';') c = ' ';
    Script s;
    std::istringstream in(words);
    for (std::string word; in >> word;) {
        const size_t eq = word.find('=');
        const std::string key = word.substr(0, eq), value = eq == std::string::npos ? "" : word.substr(eq + 1);
        if (key == "rows") s.rows = atol(value.c_str());
        if (key == "cols") s.cols = atol(value.c_str());
        if (key == "display") s.display = atol(value.c_str());
        if (key == "nulls") s.nullEvery = atol(value.c_str());
        if (key == "report") s.report = true;
        if (key == "errors") {
            std::istringstream list(value);
            for (std::string row; std::getline(list, row, ',');) s.errorRows.insert(atol(row.c_str()));
        }
        if (key == "attr") {
            const size_t colon = value.find(':');
            s.failingAttr = static_cast<SQLUSMALLINT>(atoi(value.c_str()));
            s.failingState = colon == std::string::npos ? "HY000" : value.substr(colon + 1);
        }
    }
    if (s.report) {
        s.rows = s.cols = 1;
        s.display = 80;
    }
    s.cols = std::clamp(s.cols, 0L, 64L);
    return s;
}

SQLRETURN Fail(Diagnostic& diag, const char* state, const std::string& text) {
    diag = {state, "[ScriptedTest] " + text};
    return SQL_ERROR;
}

Statement* Stmt(SQLHSTMT handle) {
    Statement* s = static_cast<Statement*>(handle);
    s->diag = {};
    return s;
}

std::string Value(const Statement& s, long row, long col) {
    if (s.script.report) return s.reportText;
    return "r" + std::to_string(row) + "c" + std::to_string(col);
}

bool IsNull(const Statement& s, long row, long col) {
    return !s.script.report && col == s.script.cols && s.script.nullEvery > 0 && row % s.script.nullEvery == 0;
}

// Text cut to the buffer; the indicator says the whole length, as drivers do.
void PutText(const std::string& text, char* buffer, SQLLEN capacity, SQLLEN* length) {
    if (buffer && capacity > 0) {
        const size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
        memcpy(buffer, text.data(), n);
        buffer[n] = 0;
    }
    if (length) *length = static_cast<SQLLEN>(text.size());
}

template <typename T>
T* Shifted(T* base, SQLULEN bytes) {
    return reinterpret_cast<T*>(reinterpret_cast<char*>(base) + bytes);
}

SQLRETURN FetchRowset(Statement* s) {
    if (!s->open) return Fail(s->diag, "24000", "no open cursor");
    const long available = s->script.rows - s->nextRow + 1;
    if (available <= 0) {
        if (s->fetched) *s->fetched = 0;
        return SQL_NO_DATA;
    }
    const SQLULEN n = std::min<SQLULEN>(s->arraySize, static_cast<SQLULEN>(available));
    bool rowErrors = false;
    for (SQLULEN i = 0; i < n; ++i) {
        const long row = s->nextRow + static_cast<long>(i);
        const bool bad = s->script.errorRows.count(row) > 0;
        rowErrors |= bad;
        if (s->statuses) s->statuses[i] = bad ? SQL_ROW_ERROR : SQL_ROW_SUCCESS;
        // Texts first, then indicators: an indicator slot narrower than
        // SQLLEN then spoils the next column's text, as a real driver would.
        for (int pass = 0; pass < 2; ++pass) {
            for (long col = 1; col <= s->script.cols; ++col) {
                const Binding& b = s->bindings[col - 1];
                if (!b.data && !b.indicator) continue;
                const SQLULEN dataStep = s->bindType ? s->bindType : static_cast<SQLULEN>(b.length);
                const SQLULEN indicatorStep = s->bindType ? s->bindType : sizeof(SQLLEN);
                char* data = b.data ? Shifted(b.data, i * dataStep) : nullptr;
                SQLLEN* indicator = b.indicator ? Shifted(b.indicator, i * indicatorStep) : nullptr;
                SQLLEN length = 0;
                if (bad) {
                    PutText("unreadable", pass == 0 ? data : nullptr, b.length, &length);
                } else if (IsNull(*s, row, col)) {
                    length = SQL_NULL_DATA;
                } else {
                    PutText(Value(*s, row, col), pass == 0 ? data : nullptr, b.length, &length);
                }
                if (pass == 1 && indicator) *indicator = length;
            }
        }
    }
    for (SQLULEN i = n; s->statuses && i < s->arraySize; ++i) s->statuses[i] = SQL_ROW_NOROW;
    if (s->fetched) *s->fetched = n;
    s->rowsetStart = s->nextRow;
    s->nextRow += static_cast<long>(n);
    if (!s->script.report) {
        FetchRecord& r = s->dbc->lastFetch;
        r = {s->arraySize, s->bindType, s->statuses != nullptr, s->fetched != nullptr, r.rowsets + 1};
    }
    if (!rowErrors) return SQL_SUCCESS;
    s->diag = {"01S01", "[ScriptedTest] error in row"};
    return SQL_SUCCESS_WITH_INFO;
}

SQLRETURN Execute(Statement* s) {
    s->open = true;
    s->nextRow = 1;
    s->rowsetStart = 0;
    if (s->script.report) {
        const FetchRecord& r = s->dbc->lastFetch;
        s->reportText = "rowset=" + std::to_string(r.arraySize) + " bind=" + std::to_string(r.bindType) +
                        " status=" + (r.statuses ? "yes" : "no") + " fetched=" + (r.fetched ? "yes" : "no") +
                        " rowsets=" + std::to_string(r.rowsets);
    } else {
        s->dbc->lastFetch = {};
    }
    return SQL_SUCCESS;
}

Diagnostic* DiagnosticOf(SQLSMALLINT type, SQLHANDLE handle) {
    if (type == SQL_HANDLE_DBC) return &static_cast<Connection*>(handle)->diag;
    if (type == SQL_HANDLE_STMT) return &static_cast<Statement*>(handle)->diag;
    return nullptr;
}

}  // namespace

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
    static int environment;
    if (type == SQL_HANDLE_ENV) *output = &environment;
    else if (type == SQL_HANDLE_DBC) *output = new Connection;
    else if (type == SQL_HANDLE_STMT) *output = new Statement(static_cast<Connection*>(input));
    else return SQL_ERROR;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    if (type == SQL_HANDLE_DBC) delete static_cast<Connection*>(handle);
    if (type == SQL_HANDLE_STMT) delete static_cast<Statement*>(handle);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER) { return SQL_SUCCESS; }

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC dbc, SQLHWND, SQLCHAR* in, SQLSMALLINT inLength, SQLCHAR* out,
                                   SQLSMALLINT outMax, SQLSMALLINT* outLength, SQLUSMALLINT) {
    static_cast<Connection*>(dbc)->diag = {};
    const std::string text = inLength == SQL_NTS ? reinterpret_cast<char*>(in)
                                                 : std::string(reinterpret_cast<char*>(in), static_cast<size_t>(inLength));
    SQLLEN length = 0;
    PutText(text, reinterpret_cast<char*>(out), outMax, &length);
    if (outLength) *outLength = static_cast<SQLSMALLINT>(length);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC) { return SQL_SUCCESS; }

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* text, SQLSMALLINT capacity, SQLSMALLINT* length) {
    const Diagnostic* d = DiagnosticOf(type, handle);
    if (!d || d->state.empty() || record != 1) return SQL_NO_DATA;
    if (state) memcpy(state, d->state.c_str(), 6);
    if (native) *native = 0;
    SQLLEN n = 0;
    PutText(d->text, reinterpret_cast<char*>(text), capacity, &n);
    if (length) *length = static_cast<SQLSMALLINT>(n);
    return SQL_SUCCESS;
}

// The driver manager reads the number of records here, then each record.
SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLSMALLINT field,
                                  SQLPOINTER value, SQLSMALLINT, SQLSMALLINT*) {
    const Diagnostic* d = DiagnosticOf(type, handle);
    if (record != 0 || field != SQL_DIAG_NUMBER) return SQL_ERROR;
    *static_cast<SQLINTEGER*>(value) = d && !d->state.empty() ? 1 : 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
    Statement* s = Stmt(stmt);
    s->script = Parse(reinterpret_cast<char*>(text), length);
    s->open = false;
    return SQL_SUCCESS;
}

// Within the driver, an ODBC name would reach the driver manager's entry
// point of that name, not this file's.
SQLRETURN SQL_API SQLExecDirect(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
    Statement* s = Stmt(stmt);
    s->script = Parse(reinterpret_cast<char*>(text), length);
    return Execute(s);
}

// Runs the statement SQLPrepare kept.
SQLRETURN SQL_API SQLExecute(SQLHSTMT stmt) { return Execute(Stmt(stmt)); }

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT stmt, SQLSMALLINT* count) {
    *count = static_cast<SQLSMALLINT>(Stmt(stmt)->script.cols);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT stmt, SQLUSMALLINT col, SQLCHAR* name, SQLSMALLINT capacity,
                                 SQLSMALLINT* nameLength, SQLSMALLINT* type, SQLULEN* size, SQLSMALLINT* digits,
                                 SQLSMALLINT* nullable) {
    Statement* s = Stmt(stmt);
    if (col < 1 || col > s->script.cols) return Fail(s->diag, "07009", "no column " + std::to_string(col));
    SQLLEN n = 0;
    PutText("c" + std::to_string(col), reinterpret_cast<char*>(name), capacity, &n);
    if (nameLength) *nameLength = static_cast<SQLSMALLINT>(n);
    if (type) *type = SQL_VARCHAR;
    if (size) *size = s->script.display > 0 ? static_cast<SQLULEN>(s->script.display) : 0;
    if (digits) *digits = 0;
    if (nullable) *nullable = SQL_NULLABLE;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLColAttribute(SQLHSTMT stmt, SQLUSMALLINT col, SQLUSMALLINT id, SQLPOINTER text,
                                  SQLSMALLINT capacity, SQLSMALLINT* length, SQLLEN* number) {
    Statement* s = Stmt(stmt);
    if (col < 1 || col > s->script.cols) return Fail(s->diag, "07009", "no column " + std::to_string(col));
    if (id == s->script.failingAttr)
        return Fail(s->diag, s->script.failingState.c_str(), "column attribute " + std::to_string(id) + " refused");
    SQLLEN value = 0;
    std::string words;
    bool isText = true;
    switch (id) {
        case SQL_DESC_NAME: case SQL_DESC_LABEL: case SQL_COLUMN_NAME: words = "c" + std::to_string(col); break;
        case SQL_DESC_TYPE_NAME: words = "VARCHAR"; break;
        case SQL_DESC_TABLE_NAME: case SQL_DESC_SCHEMA_NAME: case SQL_DESC_CATALOG_NAME: break;
        default: isText = false;
    }
    switch (id) {
        case SQL_DESC_TYPE: case SQL_DESC_CONCISE_TYPE: value = SQL_VARCHAR; break;
        case SQL_DESC_DISPLAY_SIZE: case SQL_DESC_LENGTH: case SQL_DESC_OCTET_LENGTH: value = s->script.display; break;
        case SQL_DESC_CASE_SENSITIVE: case SQL_DESC_SEARCHABLE: value = SQL_TRUE; break;
        case SQL_DESC_NULLABLE: value = SQL_NULLABLE; break;
        case SQL_DESC_COUNT: value = s->script.cols; break;
    }
    if (isText) {
        SQLLEN n = 0;
        PutText(words, static_cast<char*>(text), capacity, &n);
        if (length) *length = static_cast<SQLSMALLINT>(n);
    } else if (number) {
        *number = value;
    }
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT stmt, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER) {
    Statement* s = Stmt(stmt);
    const SQLULEN number = reinterpret_cast<SQLULEN>(value);
    if (attribute == SQL_ATTR_ROW_ARRAY_SIZE) s->arraySize = number ? number : 1;
    if (attribute == SQL_ATTR_ROW_BIND_TYPE) s->bindType = number;
    if (attribute == SQL_ATTR_ROW_STATUS_PTR) s->statuses = static_cast<SQLUSMALLINT*>(value);
    if (attribute == SQL_ATTR_ROWS_FETCHED_PTR) s->fetched = static_cast<SQLULEN*>(value);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLBindCol(SQLHSTMT stmt, SQLUSMALLINT col, SQLSMALLINT type, SQLPOINTER data, SQLLEN length,
                             SQLLEN* indicator) {
    Statement* s = Stmt(stmt);
    if (col < 1 || col > 64) return Fail(s->diag, "07009", "no column " + std::to_string(col));
    if (data && type != SQL_C_CHAR) return Fail(s->diag, "HYC00", "only text is bound");
    s->bindings[col - 1] = {static_cast<char*>(data), length, indicator};
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT stmt) { return FetchRowset(Stmt(stmt)); }

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT stmt, SQLSMALLINT orientation, SQLLEN) {
    Statement* s = Stmt(stmt);
    if (orientation != SQL_FETCH_NEXT) return Fail(s->diag, "HY106", "forward only");
    return FetchRowset(s);
}

// Reads from the first row of the rowset. A NULL value leaves the buffer
// as it was, as the drivers that show the host's fault do.
SQLRETURN SQL_API SQLGetData(SQLHSTMT stmt, SQLUSMALLINT col, SQLSMALLINT type, SQLPOINTER buffer, SQLLEN capacity,
                             SQLLEN* indicator) {
    Statement* s = Stmt(stmt);
    if (!s->open || s->rowsetStart == 0) return Fail(s->diag, "24000", "no current row");
    if (col < 1 || col > s->script.cols) return Fail(s->diag, "07009", "no column " + std::to_string(col));
    if (type != SQL_C_CHAR && type != SQL_C_DEFAULT) return Fail(s->diag, "HYC00", "only text is read");
    if (IsNull(*s, s->rowsetStart, col)) {
        if (indicator) *indicator = SQL_NULL_DATA;
        return SQL_SUCCESS;
    }
    const std::string value = Value(*s, s->rowsetStart, col);
    PutText(value, static_cast<char*>(buffer), capacity, indicator);
    if (static_cast<SQLLEN>(value.size()) < capacity) return SQL_SUCCESS;
    s->diag = {"01004", "[ScriptedTest] text cut"};
    return SQL_SUCCESS_WITH_INFO;
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT stmt) {
    Stmt(stmt)->open = false;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT stmt, SQLUSMALLINT option) {
    Statement* s = Stmt(stmt);
    if (option == SQL_CLOSE) s->open = false;
    if (option == SQL_UNBIND)
        for (Binding& b : s->bindings) b = {};
    if (option == SQL_DROP) delete s;
    return SQL_SUCCESS;
}

}  // extern "C"
