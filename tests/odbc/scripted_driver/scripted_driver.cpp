// A native ODBC driver of the test run's own, loaded by unixODBC (and so by
// Wine's odbc32) for results no real driver here produces. The statement
// text names a result of two text columns, c1 and c2 (row r holds
// "r<r>c<c>"), in words (others, "SELECT" say, are ignored):
//   rows=N          N rows (default 0)
//   display=D       every column's display size, as reported (default 20)
//   errors=A,B,...  rows read with an error status
//   attr=ID:STATE   asking column attribute ID fails with SQLSTATE STATE
//   report          column 1 tells how its rowset was asked for
// It answers only what the driver manager and the grid's loader call, and
// knows no row count, so loads through it grow the store as rows arrive.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <string>

namespace {

struct Binding { char* data; SQLLEN length; SQLLEN* indicator; };

struct Statement {
    long rows = 0, display = 20, failingAttr = 0, nextRow = 1;
    std::set<long> errorRows;
    char failingState[6] = "";
    bool report = false;
    std::string state, text;  // of the diagnostic record; empty state: none
    int rowsets = 0;
    SQLULEN arraySize = 1, bindType = SQL_BIND_BY_COLUMN;
    SQLUSMALLINT* statuses = nullptr;
    SQLULEN* fetched = nullptr;
    Binding bindings[2] = {};
};

Statement* S(SQLHANDLE handle) { return static_cast<Statement*>(handle); }

std::string Value(const Statement& s, long row, int col) {
    if (s.report && col == 1)
        return "rowset=" + std::to_string(s.arraySize) + " bind=" + std::to_string(s.bindType) +
               " status=" + (s.statuses ? "yes" : "no") + " fetched=" + (s.fetched ? "yes" : "no") +
               " rowsets=" + std::to_string(s.rowsets);
    return "r" + std::to_string(row) + "c" + std::to_string(col);
}

// Text cut to the buffer; the length says the whole text, as drivers do.
SQLSMALLINT PutText(const std::string& text, void* buffer, SQLLEN capacity, SQLLEN* length = nullptr) {
    if (buffer && capacity > 0) {
        const size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
        memcpy(buffer, text.data(), n);
        static_cast<char*>(buffer)[n] = 0;
    }
    if (length) *length = static_cast<SQLLEN>(text.size());
    return static_cast<SQLSMALLINT>(text.size());
}

}  // namespace

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE, SQLHANDLE* output) {
    static int connection;
    *output = type == SQL_HANDLE_STMT ? new Statement : static_cast<SQLHANDLE>(&connection);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    if (type == SQL_HANDLE_STMT) delete S(handle);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR* out, SQLSMALLINT outMax,
                                   SQLSMALLINT* outLength, SQLUSMALLINT) {
    if (outLength) *outLength = PutText("", out, outMax);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC) { return SQL_SUCCESS; }

// Only statements keep diagnostics.
SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* text, SQLSMALLINT capacity, SQLSMALLINT* length) {
    if (type != SQL_HANDLE_STMT || record != 1 || S(handle)->state.empty()) return SQL_NO_DATA;
    if (state) memcpy(state, S(handle)->state.c_str(), 6);
    if (native) *native = 0;
    const SQLSMALLINT n = PutText(S(handle)->text, text, capacity);
    if (length) *length = n;
    return SQL_SUCCESS;
}

// The driver manager reads the number of records here, then each record.
SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT record, SQLSMALLINT field,
                                  SQLPOINTER value, SQLSMALLINT, SQLSMALLINT*) {
    if (record != 0 || field != SQL_DIAG_NUMBER) return SQL_ERROR;
    *static_cast<SQLINTEGER*>(value) = type == SQL_HANDLE_STMT && !S(handle)->state.empty();
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
    Statement* s = S(stmt);
    const char* chars = reinterpret_cast<char*>(text);
    std::string words = length == SQL_NTS ? chars : std::string(chars, static_cast<size_t>(length));
    std::replace(words.begin(), words.end(), ';', ' ');
    std::istringstream in(words);
    for (std::string word; in >> word;) {
        sscanf(word.c_str(), "rows=%ld", &s->rows);
        sscanf(word.c_str(), "display=%ld", &s->display);
        sscanf(word.c_str(), "attr=%ld:%5s", &s->failingAttr, s->failingState);
        s->report |= word == "report";
        std::istringstream list(word.rfind("errors=", 0) == 0 ? word.substr(7) : "");
        for (std::string row; std::getline(list, row, ',');) s->errorRows.insert(atol(row.c_str()));
    }
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT) { return SQL_SUCCESS; }

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT, SQLSMALLINT* count) {
    *count = 2;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT stmt, SQLUSMALLINT col, SQLCHAR* name, SQLSMALLINT capacity,
                                 SQLSMALLINT* nameLength, SQLSMALLINT* type, SQLULEN* size, SQLSMALLINT* digits,
                                 SQLSMALLINT* nullable) {
    *nameLength = PutText("c" + std::to_string(col), name, capacity);
    *type = SQL_VARCHAR;
    *size = static_cast<SQLULEN>(std::max(S(stmt)->display, 0L));
    *digits = 0;
    *nullable = SQL_NULLABLE;
    return SQL_SUCCESS;
}

// Names and labels are the column's name, other texts empty; lengths are
// the display size, every other number 0 but the type.
SQLRETURN SQL_API SQLColAttribute(SQLHSTMT stmt, SQLUSMALLINT col, SQLUSMALLINT id, SQLPOINTER text,
                                  SQLSMALLINT capacity, SQLSMALLINT* length, SQLLEN* number) {
    Statement* s = S(stmt);
    if (id == s->failingAttr) {
        s->state = s->failingState;
        s->text = "[ScriptedTest] column attribute " + std::to_string(id) + " refused";
        return SQL_ERROR;
    }
    const SQLSMALLINT n = PutText(id == SQL_DESC_NAME || id == SQL_DESC_LABEL ? "c" + std::to_string(col) : "",
                                  text, capacity);
    if (length) *length = n;
    const bool sized = id == SQL_DESC_DISPLAY_SIZE || id == SQL_DESC_LENGTH || id == SQL_DESC_OCTET_LENGTH;
    const bool typed = id == SQL_DESC_TYPE || id == SQL_DESC_CONCISE_TYPE;
    if (number) *number = sized ? s->display : typed ? SQL_VARCHAR : 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT stmt, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER) {
    Statement* s = S(stmt);
    const SQLULEN number = reinterpret_cast<SQLULEN>(value);
    if (attribute == SQL_ATTR_ROW_ARRAY_SIZE) s->arraySize = number ? number : 1;
    if (attribute == SQL_ATTR_ROW_BIND_TYPE) s->bindType = number;
    if (attribute == SQL_ATTR_ROW_STATUS_PTR) s->statuses = static_cast<SQLUSMALLINT*>(value);
    if (attribute == SQL_ATTR_ROWS_FETCHED_PTR) s->fetched = static_cast<SQLULEN*>(value);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLBindCol(SQLHSTMT stmt, SQLUSMALLINT col, SQLSMALLINT, SQLPOINTER data, SQLLEN length,
                             SQLLEN* indicator) {
    if (col < 1 || col > 2) return SQL_ERROR;
    S(stmt)->bindings[col - 1] = {static_cast<char*>(data), length, indicator};
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT stmt, SQLSMALLINT, SQLLEN) {
    Statement* s = S(stmt);
    s->state.clear();
    const long available = s->rows - s->nextRow + 1;
    if (available <= 0) return SQL_NO_DATA;
    const SQLULEN n = std::min<SQLULEN>(s->arraySize, static_cast<SQLULEN>(available));
    ++s->rowsets;
    bool rowErrors = false;
    for (SQLULEN i = 0; i < n; ++i) {
        const long row = s->nextRow + static_cast<long>(i);
        const bool bad = s->errorRows.count(row) > 0;
        rowErrors |= bad;
        if (s->statuses) s->statuses[i] = bad ? SQL_ROW_ERROR : SQL_ROW_SUCCESS;
        // Row-wise only: the loader binds no other way.
        for (int col = 1; col <= 2 && !bad; ++col) {
            const Binding& b = s->bindings[col - 1];
            PutText(Value(*s, row, col), b.data ? b.data + i * s->bindType : nullptr, b.length,
                    reinterpret_cast<SQLLEN*>(reinterpret_cast<char*>(b.indicator) + i * s->bindType));
        }
    }
    if (s->fetched) *s->fetched = n;
    s->nextRow += static_cast<long>(n);
    if (!rowErrors) return SQL_SUCCESS;
    s->state = "01S01";
    s->text = "[ScriptedTest] error in row";
    return SQL_SUCCESS_WITH_INFO;
}

}  // extern "C"
