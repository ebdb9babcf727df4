// The ODBC wrappers as a host calls them, against SQLite files the tests make,
// through Wine's driver manager, the system's and Debian's SQLite3 driver.
#include <gtest/gtest.h>
#include <windows.h>
#include <sqlext.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "exports/tabrix32.h"
#include "odbc/odbc_calls.h"
#include "tests/odbc/sqlite_database.h"

namespace {

SQLHANDLE H(ODBCHANDLE handle) { return reinterpret_cast<SQLHANDLE>(handle); }

class SqliteTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dbc, -1);
        db.Run("CREATE TABLE items(id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(20) NOT NULL, "
               "price NUMERIC(8,2), note TEXT)");
        db.Run("INSERT INTO items(name, price, note) VALUES ('apple', 1.25, 'red'), ('pear', 2.5, NULL), "
               "('plum', 0.75, 'blue')");
    }
    testing_host::SqliteDatabase db{"odbc_tests.db"};
    ODBCHANDLE dbc = db.dbc;
};

// The driver takes a text with or without the semicolon alike, so the text
// sent is read where it is made; the empty text reaches the driver as ";"
// (an empty one the driver manager would refuse).
TEST(StatementText, EndsInExactlyOneAddedSemicolon) {
    const struct { const char* sql; const char* sent; } cases[] = {
        {"SELECT 1", "SELECT 1;"}, {"SELECT 1;", "SELECT 1;"}, {"", ";"}, {"SELECT ';' ", "SELECT ';' ;"}};
    for (const auto& c : cases) EXPECT_EQ(tabrix::StatementText(c.sql), c.sent) << c.sql;
}

TEST_F(SqliteTest, StatementsWithoutAResultHaveNoColumnsAndCountTheirRows) {
    const struct { const char* sql; int columns; int rows; } cases[] = {
        {"", 0, -1}, {"UPDATE items SET price = price * 2", 0, 3}, {"DELETE FROM items WHERE id = 1;", 0, 1},
        {"SELECT * FROM items", 4, -1}};
    for (const auto& c : cases) {
        const ODBCHANDLE stmt = odbcSQLExec(dbc, c.sql);
        ASSERT_NE(stmt, -1) << c.sql << ": " << odbcGetErrMsg();
        EXPECT_EQ(odbcGetColCount(stmt), c.columns) << c.sql;
        if (c.rows >= 0) {  // what the driver counts for the others is its own affair
            EXPECT_EQ(odbcRowsAffected(stmt), c.rows) << c.sql;
        }
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
    }
    ODBCHANDLE stmt = 7;
    EXPECT_EQ(odbcAllocStmt(0, &stmt), SQL_INVALID_HANDLE);
    EXPECT_EQ(stmt, 7) << "a failed allocation writes no handle";
}

// A buffer's capacity is the length of its text: the driver writes one
// character less and a NUL. A NULL value comes back empty rather than
// leaving the host's earlier text in place. (The driver answers an empty
// buffer with success, not with a cut.)
TEST_F(SqliteTest, GetDataFillsTheHostsTextBuffer) {
    const struct { int row, column; size_t spaces; int rc; const char* text; } cases[] = {
        {1, 2, 15, 0, "apple"}, {1, 4, 15, 0, "red"}, {2, 4, 15, 0, ""}, {1, 2, 2, 1, "a"}, {1, 2, 0, 0, ""},
        {2, 4, 0, 0, ""}, {1, 9, 3, -1, "   "}};
    for (const auto& c : cases) {
        const ODBCHANDLE stmt = odbcSQLExec(dbc, "SELECT * FROM items ORDER BY id");
        for (int row = 0; row < c.row; ++row) ASSERT_EQ(odbcFetchRecord(stmt), 0);
        char buffer[20] = {};
        memset(buffer, ' ', c.spaces);
        buffer[c.spaces + 1] = 'z';
        EXPECT_EQ(odbcGetData(stmt, c.column, buffer), c.rc) << c.row << "/" << c.column << "/" << c.spaces;
        EXPECT_STREQ(buffer, c.text) << c.row << "/" << c.column << "/" << c.spaces;
        EXPECT_EQ(buffer[c.spaces + 1], 'z') << "written past the capacity";
        odbcFreeStmt(stmt);
    }
    EXPECT_NE(std::string(odbcGetErrMsg()).find("column"), std::string::npos) << odbcGetErrMsg();
}

// The kept failure changes only with a new failure: diagnostic records read
// by the host, successes, the end of a result and a change that touched no
// row (no diagnostic record) leave it.
TEST_F(SqliteTest, TheLatestFailureIsKeptAndDiagnosticRecordsGoToTheHostsBuffers) {
    const ODBCHANDLE stmt = odbcSQLExec(dbc, "SELECT name FROM items WHERE id = 3");
    ASSERT_EQ(odbcFetchRecord(stmt), 0);
    char value[] = "    ";
    ASSERT_EQ(odbcGetData(stmt, 9, value), -1);
    const std::string columnFailure = odbcGetErrMsg();
    EXPECT_EQ(odbcSQLExec(dbc, "SELECT * FROM missing"), -1);
    const std::string kept = odbcGetErrMsg();
    const int32_t code = odbcGetErrCode();
    EXPECT_NE(kept.find("no such table"), std::string::npos) << kept;

    int32_t native = 12345;
    std::string message(511, ' ');
    char state[6] = "?????";
    EXPECT_EQ(odbcGetDiagRec(SQL_HANDLE_STMT, stmt, &native, &message[0], state, 1), 0);
    EXPECT_STREQ(message.c_str(), columnFailure.c_str());
    EXPECT_STREQ(state, "07009");
    EXPECT_EQ(odbcGetDiagRec(SQL_HANDLE_STMT, stmt, &native, &message[0], state, 2), SQL_NO_DATA);
    char empty[4] = {0, 'z', 'z', 0};
    EXPECT_EQ(odbcGetDiagRec(SQL_HANDLE_STMT, stmt, &native, empty, state, 1), 1) << "capacity 0: cut";
    EXPECT_EQ(empty[1], 'z');

    EXPECT_EQ(odbcFetchRecord(stmt), SQL_NO_DATA);
    EXPECT_EQ(odbcFreeStmt(stmt), 0);
    EXPECT_EQ(odbcSQLExec(dbc, "UPDATE items SET price = 0 WHERE id = 99"), -1);
    EXPECT_EQ(odbcGetErrMsg(), kept);
    EXPECT_EQ(odbcGetErrCode(), code);
}

// Every field of a description, in record order, as one line to compare.
std::string Described(const ColDesc& d) {
    char line[2048];
    snprintf(line, sizeof line,
             "%s type %d size %u digits %d nullable %d auto %d case %d display %d label %s length %d fixed %d "
             "schema '%s' catalog %s table %s %s unsigned %d updatable %d",
             d.name, d.dataType, d.columnSize, d.decimalDigits, d.nullable, d.autoIncrement, d.caseSensitive,
             d.displaySize, d.label, d.length, d.fixedPrecScale, d.schemaName, d.catalogName, d.tableName, d.typeName,
             d.isUnsigned, d.updatable);
    return line;
}

// Debian's SQLite3 driver does not know the case-sensitivity attribute: its
// field is 0 (over the 0x5a filling) and the fields after it are still read.
TEST_F(SqliteTest, ColumnDescriptionsOfRealColumns) {
    const char* expected[] = {
        "id type 4 size 10 digits 0 nullable 1 auto 1 case 0 display 10 label id length 10 fixed 0 "
        "schema '' catalog main table items INTEGER unsigned 0 updatable 1",
        "name type 12 size 20 digits 0 nullable 1 auto 0 case 0 display 20 label name length 20 fixed 0 "
        "schema '' catalog main table items VARCHAR unsigned 1 updatable 1",
        "price type 8 size 8 digits 0 nullable 1 auto 0 case 0 display 8 label price length 8 fixed 0 "
        "schema '' catalog main table items NUMERIC unsigned 1 updatable 1"};
    const ODBCHANDLE stmt = odbcSQLExec(dbc, "SELECT id, name, price FROM items");
    for (int column = 1; column <= 3; ++column) {
        ColDesc desc;
        memset(&desc, 0x5a, sizeof desc);
        ASSERT_GE(odbcGetColDesc(stmt, column, &desc), 0) << column << ": " << odbcGetErrMsg();
        EXPECT_EQ(Described(desc), expected[column - 1]);
    }
    ColDesc desc{};
    EXPECT_EQ(odbcGetColDesc(stmt, 9, &desc), -1);
    odbcFreeStmt(stmt);
}

TEST_F(SqliteTest, TransactionsCommitOrRollBackAndRestoreAutoCommit) {
    const struct { int completion; const char* rows; } cases[] = {{SQL_ROLLBACK, "3"}, {SQL_COMMIT, "4"}};
    for (const auto& c : cases) {
        SQLULEN autoCommit = 99;
        ASSERT_EQ(odbcBeginTrans(dbc), 0);
        SQLGetConnectAttr(H(dbc), SQL_ATTR_AUTOCOMMIT, &autoCommit, 0, nullptr);
        EXPECT_EQ(autoCommit, SQL_AUTOCOMMIT_OFF);
        db.Run("INSERT INTO items(name) VALUES ('fig')");
        EXPECT_EQ(odbcEndTrans(dbc, c.completion), 0);
        SQLGetConnectAttr(H(dbc), SQL_ATTR_AUTOCOMMIT, &autoCommit, 0, nullptr);
        EXPECT_EQ(autoCommit, SQL_AUTOCOMMIT_ON) << c.completion;
        const ODBCHANDLE stmt = odbcSQLExec(dbc, "SELECT COUNT(*) FROM items");
        char count[] = "   ";
        EXPECT_EQ(odbcFetchRecord(stmt) | odbcGetData(stmt, 1, count) | odbcFreeStmt(stmt), 0);
        EXPECT_STREQ(count, c.rows) << c.completion;
    }
}

// A connection that fails to open is released after its diagnostics are
// kept: the environment, which refuses to go while a connection is
// allocated on it, can then be freed.
TEST(OdbcConnect, FailedConnectionsKeepTheirDiagnosticsAndAreReleased) {
    const std::string noDir = "DRIVER=SQLite3;Database=" + testing_host::DatabasePath("missing/dir/x.db");
    const struct { const char* connection; const char* dsn; const char* text; } cases[] = {
        {"DRIVER=NoSuchDriver", nullptr, "NoSuchDriver"}, {nullptr, "NoSuchSource", "Data source name not found"},
        {noDir.c_str(), nullptr, "connect failed"}};
    for (const auto& c : cases) {
        const ODBCHANDLE env = odbcAllocEnv();
        const ODBCHANDLE dbc = c.dsn ? odbcConnectDSN(env, c.dsn, "", "") : odbcConnect(env, c.connection);
        EXPECT_EQ(dbc, -1);
        EXPECT_NE(std::string(odbcGetErrMsg()).find(c.text), std::string::npos) << odbcGetErrMsg();
        EXPECT_EQ(odbcFreeEnv(env), 0) << (c.dsn ? c.dsn : c.connection);
    }
}

}  // namespace
