// A connection opened through the driver manager as a host opens one, and a
// SQLite database file of the test run's own behind one.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "exports/tabrix32.h"

namespace testing_host {

// The driver opens native paths: the test run's directory is one.
inline std::string DatabasePath(const char* name) {
    char dir[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("TABRIX_TESTENV", dir, sizeof dir);
    return std::string(n && n < sizeof dir ? dir : "/tmp") + "/" + name;
}

struct Connection {
    explicit Connection(const std::string& text) : env(odbcAllocEnv()), dbc(odbcConnect(env, text.c_str())) {
        EXPECT_NE(dbc, -1) << odbcGetErrMsg();
    }
    ~Connection() {
        const int32_t closed = odbcDisconnect(dbc) | odbcFreeDB(dbc) | odbcFreeEnv(env);
        EXPECT_TRUE(!closes || dbc == -1 || closed == 0) << "closing the connection answered " << closed;
    }
    void Run(const std::string& sql) {
        const ODBCHANDLE stmt = odbcSQLExec(dbc, sql.c_str());
        ASSERT_NE(stmt, -1) << sql.substr(0, 200) << ": " << odbcGetErrMsg();
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
    }
    ODBCHANDLE env = -1, dbc = -1;
    bool closes = true;  // false once its server was stopped on purpose
};

inline std::string FreshSqliteFile(const char* file) {
    DeleteFileA(("Z:" + DatabasePath(file)).c_str());
    return "DRIVER=SQLite3;Database=" + DatabasePath(file);
}

struct SqliteDatabase : Connection {
    explicit SqliteDatabase(const char* file) : Connection(FreshSqliteFile(file)) {}
};

}  // namespace testing_host
