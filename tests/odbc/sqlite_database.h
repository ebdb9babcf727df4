// A SQLite database file of the test run's own, opened through the driver
// manager as a host opens one.
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

struct SqliteDatabase {
    explicit SqliteDatabase(const char* file) {
        const std::string path = DatabasePath(file);
        DeleteFileA(("Z:" + path).c_str());
        env = odbcAllocEnv();
        dbc = odbcConnect(env, ("DRIVER=SQLite3;Database=" + path).c_str());
        EXPECT_NE(dbc, -1) << odbcGetErrMsg();
    }
    ~SqliteDatabase() {
        EXPECT_EQ(odbcDisconnect(dbc), 0);
        EXPECT_EQ(odbcFreeDB(dbc), 0);
        EXPECT_EQ(odbcFreeEnv(env), 0);
    }
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    void Run(const std::string& sql) {
        const ODBCHANDLE stmt = odbcSQLExec(dbc, sql.c_str());
        ASSERT_NE(stmt, -1) << sql.substr(0, 200) << ": " << odbcGetErrMsg();
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
    }

    ODBCHANDLE env = -1, dbc = -1;
};

}  // namespace testing_host
