// The flat ODBC wrappers behind the exports: handles in and out as the
// driver manager's values, results as hosts receive them (a new handle or
// -1, a count or -1, or the driver manager's code widened to 32 bits).
// Every failure but an allocation's is kept in the last-error state.
#pragma once

#include <windows.h>
#include <sql.h>

#include <cstdint>
#include <string>

namespace tabrix {

INT_PTR OdbcAllocEnv();
int32_t OdbcFreeEnv(SQLHENV env);
INT_PTR OdbcConnect(SQLHENV env, const char* connectionString);
INT_PTR OdbcConnectDsn(SQLHENV env, const char* dataSource, const char* user, const char* password);
int32_t OdbcDisconnect(SQLHDBC dbc);
int32_t OdbcFreeConnection(SQLHDBC dbc);
int32_t OdbcAllocStmt(SQLHDBC dbc, INT_PTR* stmt);
int32_t OdbcFreeStmt(SQLHSTMT stmt);

// The text a statement executes: the host's, ending in ";".
std::string StatementText(const char* sql);
// Runs `text` through the entry point of the wrappers' code page.
SQLRETURN ExecuteText(SQLHSTMT stmt, const std::string& text);
INT_PTR OdbcExec(SQLHDBC dbc, const char* sql);

int32_t OdbcColumnCount(SQLHSTMT stmt);
int32_t OdbcRowsAffected(SQLHSTMT stmt);
int32_t OdbcBeginTransaction(SQLHDBC dbc);
int32_t OdbcEndTransaction(SQLHDBC dbc, SQLSMALLINT completion);
int32_t OdbcFetch(SQLHSTMT stmt);
int32_t OdbcGetData(SQLHSTMT stmt, SQLUSMALLINT column, char* buffer);
int32_t OdbcGetDiagRec(SQLSMALLINT handleType, SQLHANDLE handle, int32_t* nativeError, char* message, char* sqlState,
                       SQLSMALLINT record);

}  // namespace tabrix
