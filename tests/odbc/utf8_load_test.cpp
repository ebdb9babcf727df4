// Query results into UTF-8 grids: the database's characters arrive as
// UTF-8 whatever the driver hands over, through SQLite, the PostgreSQL ANSI
// driver and the PostgreSQL Unicode driver.
#include <cstring>
#include <fstream>
#include <string>

#include "tests/odbc/sqlite_database.h"
#include "tests/support/grid_fixture.h"

namespace {

std::string PostgresConnection(bool unicode) {
    std::ifstream file("Z:" + testing_host::DatabasePath("postgres.conn"));
    std::string line;
    std::getline(file, line);
    const std::string ansi = "{PostgreSQL ANSI}";
    if (unicode && line.find(ansi) != std::string::npos) line.replace(line.find(ansi), ansi.size(), "{PostgreSQL Unicode}");
    return line;
}

// What every database holds, written in SQL of ASCII only, so no driver's
// conversion of the statement text is involved.
const std::string kCjk = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";  // three characters, nine bytes
const std::string kExpected[] = {"Z\xC3\xBCrich", kCjk + kCjk + kCjk + "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "O'Brien", ""};
const char* const kSqlite[] = {
    "CREATE TABLE t(id INTEGER, v VARCHAR(10))",
    "INSERT INTO t VALUES (1, char(90, 252, 114, 105, 99, 104)), (2, char(26085, 26412, 35486, 26085, 26412, 35486, 26085, 26412, 35486, 26085)), (3, char(128512)),"
    " (4, 'O''Brien'), (5, NULL)"};
const char* const kPostgres[] = {
    "DROP TABLE IF EXISTS t; CREATE TABLE t(id integer, v varchar(10))",
    "INSERT INTO t VALUES (1, U&'Z\\00FCrich'), (2, U&'\\65E5\\672C\\8A9E\\65E5\\672C\\8A9E\\65E5\\672C\\8A9E\\65E5'), (3, U&'\\+01F600'), (4, 'O''Brien'), (5, NULL)"};

class Utf8Load : public GridTest, public testing::WithParamInterface<int> {
protected:
    void Check(const std::string& connection, const char* const (&create)[2]) {
        if (connection.empty()) GTEST_SKIP() << "no PostgreSQL server";
        testing_host::Connection db(connection);
        for (const char* sql : create) ASSERT_NO_FATAL_FAILURE(db.Run(sql));
        ASSERT_EQ(SetGridCodePage(grid, TABRIX_UTF8), 1);
        const ODBCHANDLE stmt = odbcLoadRecordsetSQL(grid, db.dbc, "SELECT v, id FROM t ORDER BY id", 1);
        ASSERT_NE(stmt, -1) << odbcGetErrMsg();
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
        for (int row = 1; row <= 5; ++row) EXPECT_EQ(Cell(row, 1), kExpected[row - 1]) << "block fetch, row " << row;
        EXPECT_GE(GetFldSize(grid, 1), 40) << "four bytes for each of the 10 characters";
        // The editor takes the database's 10 characters, not the field's bytes.
        ASSERT_EQ(GotoCell(grid, 1, 1), 1);
        SendMessageA(grid, WM_KEYUP, VK_F2, 0);
        HWND editor = FindWindowExA(grid, nullptr, "Edit", nullptr);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(SendMessageA(editor, EM_GETLIMITTEXT, 0, 0), 10);
        SendMessageA(editor, WM_CHAR, VK_ESCAPE, 0);
        // The older row-by-row fetch into the columns as they are.
        ODBCHANDLE rows = odbcSQLExec(db.dbc, "SELECT v, id FROM t ORDER BY id");
        ASSERT_NE(rows, -1) << odbcGetErrMsg();
        EXPECT_EQ(FetchRecords(grid, 0, rows, 2), 0);
        EXPECT_EQ(odbcFreeStmt(rows), 0);
        for (int row = 1; row <= 5; ++row) EXPECT_EQ(Cell(row, 1), kExpected[row - 1]) << "row by row, row " << row;
        // The flat wrappers in UTF-8: a value read and an error's text.
        ASSERT_EQ(odbcSetCodePage(TABRIX_UTF8), 1);
        const ODBCHANDLE one = odbcSQLExec(db.dbc, "SELECT v FROM t WHERE id = 2");
        ASSERT_NE(one, -1) << odbcGetErrMsg();
        char value[64];
        memset(value, ' ', sizeof value - 1);
        value[sizeof value - 1] = '\0';
        EXPECT_EQ(odbcFetchRecord(one), 0);
        EXPECT_EQ(odbcGetData(one, 1, value), 0);
        EXPECT_EQ(std::string(value), kExpected[1]) << "odbcGetData";
        EXPECT_EQ(odbcFreeStmt(one), 0);
        EXPECT_EQ(odbcSQLExec(db.dbc, "SELECT * FROM t\xC3\xA2" "ble\xE6\x97\xA5"), -1);
        EXPECT_NE(std::string(odbcGetErrMsg()).find("t\xC3\xA2" "ble\xE6\x97\xA5"), std::string::npos) << odbcGetErrMsg();
        EXPECT_EQ(odbcSetCodePage(0), 1);
    }
};

TEST_F(Utf8Load, Sqlite) { Check(testing_host::FreshSqliteFile("utf8.db"), kSqlite); }
TEST_F(Utf8Load, PostgresAnsiDriver) { Check(PostgresConnection(false), kPostgres); }
TEST_F(Utf8Load, PostgresUnicodeDriver) { Check(PostgresConnection(true), kPostgres); }

}  // namespace
