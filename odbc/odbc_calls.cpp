#include "odbc/odbc_calls.h"

#include <sqlext.h>

#include <algorithm>
#include <cstring>

#include "odbc/last_error.h"
#include "odbc/text_mode.h"

namespace tabrix {

namespace {

// Lengths the driver manager takes as 16-bit values; a longer text is cut
// rather than wrapped to a negative length.
SQLSMALLINT ShortLength(const char* text) {
    return text ? static_cast<SQLSMALLINT>(std::min<size_t>(strlen(text), 32767)) : 0;
}

SQLCHAR* Chars(const char* text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text)); }

INT_PTR HandleValue(SQLHANDLE handle) { return reinterpret_cast<INT_PTR>(handle); }

int32_t Checked(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle) {
    if (!OdbcSucceeded(rc)) RecordDiagnostics(handleType, handle);
    return KnownCode(rc);
}

// A connection that failed to open is of no use to the host, which never
// receives it: its diagnostics are kept, then it is released.
INT_PTR OpenedConnection(SQLRETURN rc, SQLHDBC dbc) {
    if (OdbcSucceeded(rc)) return HandleValue(dbc);
    RecordDiagnostics(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    return -1;
}

}  // namespace

INT_PTR OdbcAllocEnv() {
    SQLHENV env = SQL_NULL_HENV;
    if (!OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env))) {
        RecordDiagnostics(SQL_HANDLE_ENV, env);
        return -1;
    }
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return HandleValue(env);
}

int32_t OdbcFreeEnv(SQLHENV env) { return Checked(SQLFreeHandle(SQL_HANDLE_ENV, env), SQL_HANDLE_ENV, env); }

INT_PTR OdbcConnect(SQLHENV env, const char* connectionString) {
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!OdbcSucceeded(Checked(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc), SQL_HANDLE_ENV, env))) return -1;
    static SQLCHAR completed[2048];
    static SQLWCHAR completedWide[2048];
    static SQLSMALLINT completedLength;
    if (OdbcTextsUtf8()) {
        std::basic_string<SQLWCHAR> wide = OdbcWide(connectionString);
        return OpenedConnection(SQLDriverConnectW(dbc, nullptr, &wide[0], static_cast<SQLSMALLINT>(wide.size()),
                                                  completedWide, 2048, &completedLength, SQL_DRIVER_NOPROMPT),
                                dbc);
    }
    return OpenedConnection(SQLDriverConnect(dbc, nullptr, Chars(connectionString), ShortLength(connectionString),
                                             completed, sizeof completed, &completedLength, SQL_DRIVER_NOPROMPT),
                            dbc);
}

INT_PTR OdbcConnectDsn(SQLHENV env, const char* dataSource, const char* user, const char* password) {
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!OdbcSucceeded(Checked(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc), SQL_HANDLE_ENV, env))) return -1;
    if (OdbcTextsUtf8()) {
        std::basic_string<SQLWCHAR> source = OdbcWide(dataSource), name = OdbcWide(user), key = OdbcWide(password);
        return OpenedConnection(SQLConnectW(dbc, &source[0], static_cast<SQLSMALLINT>(source.size()), &name[0],
                                            static_cast<SQLSMALLINT>(name.size()), &key[0],
                                            static_cast<SQLSMALLINT>(key.size())),
                                dbc);
    }
    return OpenedConnection(SQLConnect(dbc, Chars(dataSource), ShortLength(dataSource), Chars(user), ShortLength(user),
                                       Chars(password), ShortLength(password)),
                            dbc);
}

int32_t OdbcDisconnect(SQLHDBC dbc) { return Checked(SQLDisconnect(dbc), SQL_HANDLE_DBC, dbc); }

int32_t OdbcFreeConnection(SQLHDBC dbc) { return Checked(SQLFreeHandle(SQL_HANDLE_DBC, dbc), SQL_HANDLE_DBC, dbc); }

int32_t OdbcAllocStmt(SQLHDBC dbc, INT_PTR* stmt) {
    SQLHSTMT made = SQL_NULL_HSTMT;
    const SQLRETURN rc = Checked(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &made), SQL_HANDLE_DBC, dbc);
    if (OdbcSucceeded(rc)) *stmt = HandleValue(made);
    return rc;
}

int32_t OdbcFreeStmt(SQLHSTMT stmt) {
    SQLCloseCursor(stmt);
    return Checked(SQLFreeHandle(SQL_HANDLE_STMT, stmt), SQL_HANDLE_STMT, stmt);
}

SQLRETURN ExecuteText(SQLHSTMT stmt, const std::string& text) {
    if (OdbcTextsUtf8()) {
        std::basic_string<SQLWCHAR> wide = OdbcWide(text.c_str());
        return SQLExecDirectW(stmt, &wide[0], static_cast<SQLINTEGER>(wide.size()));
    }
    return SQLExecDirect(stmt, Chars(text.c_str()), static_cast<SQLINTEGER>(text.size()));
}

std::string StatementText(const char* sql) {
    std::string text = sql ? sql : "";
    if (text.empty() || text.back() != ';') text += ';';
    return text;
}

INT_PTR OdbcExec(SQLHDBC dbc, const char* sql) {
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcSucceeded(Checked(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt), SQL_HANDLE_DBC, dbc))) return -1;
    std::string text = StatementText(sql);
    if (OdbcSucceeded(ExecuteText(stmt, text))) return HandleValue(stmt);
    // No data (a searched change that touched no row) fails too: the host
    // gets no statement, so none may be left open.
    RecordDiagnostics(SQL_HANDLE_STMT, stmt);
    OdbcFreeStmt(stmt);
    return -1;
}

int32_t OdbcColumnCount(SQLHSTMT stmt) {
    SQLSMALLINT count = 0;
    if (OdbcSucceeded(SQLNumResultCols(stmt, &count))) return count;
    RecordDiagnostics(SQL_HANDLE_STMT, stmt);
    return -1;
}

int32_t OdbcRowsAffected(SQLHSTMT stmt) {
    SQLLEN count = 0;
    if (OdbcSucceeded(SQLRowCount(stmt, &count))) return static_cast<int32_t>(count);
    RecordDiagnostics(SQL_HANDLE_STMT, stmt);
    return -1;
}

int32_t OdbcBeginTransaction(SQLHDBC dbc) {
    return Checked(SQLSetConnectOption(dbc, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF), SQL_HANDLE_DBC, dbc);
}

// A failed end leaves auto-commit off: the transaction is still open.
int32_t OdbcEndTransaction(SQLHDBC dbc, SQLSMALLINT completion) {
    SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc, completion);
    if (OdbcSucceeded(rc)) rc = SQLSetConnectOption(dbc, SQL_AUTOCOMMIT, SQL_AUTOCOMMIT_ON);
    return Checked(rc, SQL_HANDLE_DBC, dbc);
}

// The end of the result (100) leaves no diagnostic record, so the kept
// failure stays.
int32_t OdbcFetch(SQLHSTMT stmt) { return Checked(SQLFetch(stmt), SQL_HANDLE_STMT, stmt); }

int32_t OdbcGetData(SQLHSTMT stmt, SQLUSMALLINT column, char* buffer) {
    static SQLLEN indicator;
    const SQLLEN capacity = buffer ? static_cast<SQLLEN>(strlen(buffer)) : 0;
    if (OdbcTextsUtf8() && capacity > 0) {
        // Wide characters where the driver gives them, its own bytes where not.
        std::basic_string<SQLWCHAR> wide(static_cast<size_t>(capacity), 0);
        const SQLRETURN rc = SQLGetData(stmt, column, SQL_C_WCHAR, &wide[0], capacity * 2, &indicator);
        if (rc != SQL_ERROR) {
            if (OdbcSucceeded(rc)) OdbcNarrow(wide.data(), wide.size(), buffer, static_cast<size_t>(capacity));
            if (OdbcSucceeded(rc) && indicator == SQL_NULL_DATA) buffer[0] = 0;
            return Checked(rc, SQL_HANDLE_STMT, stmt);
        }
    }
    const SQLRETURN rc = SQLGetData(stmt, column, SQL_C_CHAR, buffer, capacity, &indicator);
    // The driver writes nothing for a NULL value; the host would read the
    // previous row's text as this row's.
    if (OdbcSucceeded(rc) && indicator == SQL_NULL_DATA && capacity > 0) buffer[0] = 0;
    return Checked(rc, SQL_HANDLE_STMT, stmt);
}

int32_t OdbcGetDiagRec(SQLSMALLINT handleType, SQLHANDLE handle, int32_t* nativeError, char* message, char* sqlState,
                       SQLSMALLINT record) {
    static SQLSMALLINT textLength;
    if (OdbcTextsUtf8() && message && sqlState) {
        const SQLSMALLINT capacity = ShortLength(message);
        std::basic_string<SQLWCHAR> text(static_cast<size_t>(capacity) + 1, 0), state(6, 0);
        const SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, &state[0], reinterpret_cast<SQLINTEGER*>(nativeError),
                                            &text[0], static_cast<SQLSMALLINT>(text.size()), &textLength);
        if (OdbcSucceeded(rc)) {
            OdbcNarrow(state.data(), state.size(), sqlState, 6);
            if (capacity > 0) OdbcNarrow(text.data(), text.size(), message, static_cast<size_t>(capacity));
        }
        return KnownCode(rc);
    }
    return KnownCode(SQLGetDiagRec(handleType, handle, record, reinterpret_cast<SQLCHAR*>(sqlState),
                         reinterpret_cast<SQLINTEGER*>(nativeError), reinterpret_cast<SQLCHAR*>(message),
                         ShortLength(message), &textLength));
}

}  // namespace tabrix
