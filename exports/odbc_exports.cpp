// Exports of the ODBC wrappers and the Access database files: the hosts'
// integer handles become the driver manager's handles and back.
#include "include/tabrix32.h"
#include "odbc/access_files.h"
#include "odbc/column_description.h"
#include "odbc/last_error.h"
#include "odbc/odbc_calls.h"
#include "odbc/text_mode.h"

namespace {
SQLHANDLE H(ODBCHANDLE handle) { return reinterpret_cast<SQLHANDLE>(handle); }
}  // namespace

extern "C" {

ODBCHANDLE WINAPI odbcAllocEnv(void) { return tabrix::OdbcAllocEnv(); }
int32_t WINAPI odbcFreeEnv(ODBCHANDLE env) { return tabrix::OdbcFreeEnv(H(env)); }

ODBCHANDLE WINAPI odbcConnect(ODBCHANDLE env, const char* connectionString) {
    return tabrix::OdbcConnect(H(env), connectionString);
}

ODBCHANDLE WINAPI odbcConnectDSN(ODBCHANDLE env, const char* dataSource, const char* user, const char* password) {
    return tabrix::OdbcConnectDsn(H(env), dataSource, user, password);
}

int32_t WINAPI odbcDisconnect(ODBCHANDLE dbc) { return tabrix::OdbcDisconnect(H(dbc)); }
int32_t WINAPI odbcFreeDB(ODBCHANDLE dbc) { return tabrix::OdbcFreeConnection(H(dbc)); }
int32_t WINAPI odbcAllocStmt(ODBCHANDLE dbc, ODBCHANDLE* stmt) { return tabrix::OdbcAllocStmt(H(dbc), stmt); }
int32_t WINAPI odbcFreeStmt(ODBCHANDLE stmt) { return tabrix::OdbcFreeStmt(H(stmt)); }
ODBCHANDLE WINAPI odbcSQLExec(ODBCHANDLE dbc, const char* sql) { return tabrix::OdbcExec(H(dbc), sql); }
int32_t WINAPI odbcGetColCount(ODBCHANDLE stmt) { return tabrix::OdbcColumnCount(H(stmt)); }

int32_t WINAPI odbcGetColDesc(ODBCHANDLE stmt, int32_t column, ColDesc* desc) {
    return tabrix::DescribeColumn(H(stmt), static_cast<SQLUSMALLINT>(column), desc);
}

int32_t WINAPI odbcRowsAffected(ODBCHANDLE stmt) { return tabrix::OdbcRowsAffected(H(stmt)); }
int32_t WINAPI odbcBeginTrans(ODBCHANDLE dbc) { return tabrix::OdbcBeginTransaction(H(dbc)); }

int32_t WINAPI odbcEndTrans(ODBCHANDLE dbc, int32_t completion) {
    return tabrix::OdbcEndTransaction(H(dbc), static_cast<SQLSMALLINT>(completion));
}

int32_t WINAPI odbcFetchRecord(ODBCHANDLE stmt) { return tabrix::OdbcFetch(H(stmt)); }

int32_t WINAPI odbcGetData(ODBCHANDLE stmt, int32_t column, char* buffer) {
    return tabrix::OdbcGetData(H(stmt), static_cast<SQLUSMALLINT>(column), buffer);
}

int32_t WINAPI odbcGetDiagRec(int32_t handleType, ODBCHANDLE handle, int32_t* nativeError, char* message,
                              char* sqlState, int32_t record) {
    return tabrix::OdbcGetDiagRec(static_cast<SQLSMALLINT>(handleType), H(handle), nativeError, message, sqlState,
                                  static_cast<SQLSMALLINT>(record));
}

int32_t WINAPI odbcSetCodePage(int32_t codePage) { return tabrix::SetOdbcCodePage(codePage); }

int32_t WINAPI odbcGetErrCode(void) { return tabrix::LastOdbcError().nativeError; }

const char* WINAPI odbcGetErrMsg(void) { return reinterpret_cast<const char*>(tabrix::LastOdbcError().text); }

int32_t WINAPI odbcCreateMDB(const char* keyword, const char* path) { return tabrix::CreateAccessFile(keyword, path); }

int32_t WINAPI odbcCompactMDB(const char* source, const char* target) {
    return tabrix::CompactAccessFile(source, target);
}

int32_t WINAPI odbcRepairMDB(const char* source, const char* target) {
    return tabrix::RepairAccessFile(source, target);
}

}  // extern "C"
