// Filling grids from query results on a PostgreSQL server that the test run
// starts itself (tests/postgres-env.sh), through Debian's ODBC driver.
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/odbc/column_shapes.h"
#include "grid/grid_access.h"
#include "tests/odbc/sqlite_database.h"
#include "tests/support/grid_fixture.h"

#include <sql.h>
#include <sqlext.h>

namespace {
// The fixture's files: the connection string, or why there is no server.
std::string TestEnvLine(const char* name) {
    std::ifstream file("Z:" + testing_host::DatabasePath(name));
    std::string line;
    std::getline(file, line);
    return line;
}

// 2,500 rows: three fetch blocks, NULLs in every block.
const char* kCreate =
    "DROP TABLE IF EXISTS items; "
    "CREATE TABLE items(id serial PRIMARY KEY, name varchar(20), price numeric(10,2), flag char(1), "
    "done boolean, note text, fee money); "
    "INSERT INTO items(name, price, flag, done, note, fee) SELECT 'n' || x, "
    "CASE WHEN x % 5 = 0 THEN NULL ELSE x * 1.25 END, x % 2, x % 3 = 0, "
    "CASE WHEN x % 7 = 0 THEN NULL ELSE 'note' || x END, x % 4 * 0.25 FROM generate_series(1, 2500) x";
const char* kSelect = "SELECT id, name, price, flag, done, note, fee FROM items ORDER BY id";

const char* const kFees[] = {"$0.00", "$0.25", "$0.50", "$0.75"};

std::string Price(int row) {
    if (row % 5 == 0) return "";
    const int cents = row * 125;
    const int fraction = cents % 100;
    return std::to_string(cents / 100) + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
}
}  // namespace

class PostgresTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        conn = TestEnvLine("postgres.conn");
        if (conn.empty()) {
            const std::string why = "no PostgreSQL server: " + TestEnvLine("postgres.skip");
            const char* ci = getenv("CI");
            if (ci && std::string(ci) == "true") FAIL() << why;
            GTEST_SKIP() << why;
        }
        env = odbcAllocEnv();
        dbc = odbcConnect(env, conn.c_str());
        ASSERT_NE(dbc, -1) << odbcGetErrMsg();
        const ODBCHANDLE stmt = odbcSQLExec(dbc, kCreate);
        ASSERT_NE(stmt, -1) << odbcGetErrMsg();
        odbcFreeStmt(stmt);
    }
    void TearDown() override {
        if (dbc != -1) {
            odbcDisconnect(dbc);
            odbcFreeDB(dbc);
        }
        if (env != -1) odbcFreeEnv(env);
        GridTest::TearDown();
    }
    ODBCHANDLE Load(const char* sql, int define) { return odbcLoadRecordsetSQL(grid, dbc, sql, define); }
    std::string conn;
    ODBCHANDLE env = -1, dbc = -1;
};

TEST_F(PostgresTest, LoadsEveryBlockIntoColumnsShapedFromTheResult) {
    const ODBCHANDLE stmt = Load(kSelect, 1);
    ASSERT_NE(stmt, -1) << odbcGetErrMsg();
    EXPECT_EQ(GetRowCount(grid), 2500);
    for (int row : {1, 5, 7, 999, 1000, 1001, 1400, 2000, 2001, 2499, 2500}) {
        const std::string n = std::to_string(row);
        EXPECT_EQ(Cell(row, 1) + "|" + Cell(row, 2) + "|" + Cell(row, 3) + "|" + Cell(row, 4) + "|" + Cell(row, 5) +
                      "|" + Cell(row, 6) + "|" + Cell(row, 7),
                  n + "|n" + n + "|" + Price(row) + "|" + std::to_string(row % 2) + "|" + (row % 3 ? "0" : "1") +
                      "|" + (row % 7 ? "note" + n : "") + "|" + kFees[row % 4])
            << "NULLs load empty; row " << row;
    }
    EXPECT_EQ(Cell(2501, 2), "") << "the new-record row follows";
    // What this driver reports: a serial column auto-increments (narrow,
    // right-aligned, locked); only money has a fixed precision and scale
    // (right-aligned), numeric has not; booleans are five-character text,
    // so only char(1) is a check box; text is 8,190 characters wide.
    testing_host::ExpectColumnShapes(grid, arrays(), {{1, 50, 12, 1, 1, 0}, {2, 150, 21, 0, 0, 0}, {3, 150, 13, 0, 0, 0},
                                                      {4, 150, 2, 0, 0, 1}, {5, 150, 6, 0, 0, 0}, {6, 150, 8191, 0, 0, 0},
                                                      {7, 150, 16, 1, 0, 0}});
    EXPECT_EQ(odbcFreeStmt(stmt), 0);
}

TEST_F(PostgresTest, RefreshingPredefinedColumnsKeepsTheirRecordAndHeader) {
    Shape(7, 30, 77);
    ASSERT_EQ(odbcFreeStmt(Load(kSelect, 0)), 0) << odbcGetErrMsg();
    HWND header = GetWindow(grid, GW_CHILD);
    const int items = Header_GetItemCount(header);
    ASSERT_EQ(odbcFreeStmt(odbcSQLExec(dbc, "UPDATE items SET name = 'renamed' WHERE id = 1500")), 0);
    for (int reload = 0; reload < 2; ++reload) ASSERT_EQ(odbcFreeStmt(Load(kSelect, 0)), 0) << odbcGetErrMsg();
    EXPECT_EQ(Header_GetItemCount(header), items);
    EXPECT_EQ(GetColCount(grid), 7);
    EXPECT_EQ(GetRowCount(grid), 2500);
    EXPECT_EQ(Cell(1500, 2), "renamed");
    EXPECT_EQ(Cell(2498, 6), "note2498");
    EXPECT_EQ(GetColWidth(grid, 1), 77) << "the host's width stays";
    EXPECT_EQ(GetFldSize(grid, 2), 21) << "the query sizes the field";
    EXPECT_EQ(Heading(3), "price") << "the query names the column";
}

namespace {
// The helper's own connection goes straight to the driver manager, so that
// nothing it does touches the last error the load leaves.
struct ServerStopper {
    std::string conn;
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    bool stopped = false;

    bool Run(const char* sql, long* value = nullptr) {
        SQLHSTMT stmt = SQL_NULL_HSTMT;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
        bool ok = SQL_SUCCEEDED(SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS));
        if (ok && value) ok = SQL_SUCCEEDED(SQLFetch(stmt)) &&
                              SQL_SUCCEEDED(SQLGetData(stmt, 1, SQL_C_SLONG, value, 0, nullptr));
        SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        return ok;
    }
    bool Connect() {
        SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
        SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
        return SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(conn.c_str())),
                                              SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
    }
    // Waits until the loading connection's server process sleeps at row
    // 2,001, then has the server stop itself: a fast shutdown of the
    // postmaster, whose process id the data directory (the server's working
    // directory) keeps. Only the shutdown ends the sleep, in whatever order
    // the server ends its connections.
    static DWORD WINAPI Watch(void* self) {
        ServerStopper& s = *static_cast<ServerStopper*>(self);
        for (int tries = 0; tries < 2000; ++tries) {
            long waiting = 0;
            if (!s.Run("SELECT count(*) FROM pg_stat_activity WHERE wait_event = 'PgSleep'", &waiting)) return 1;
            if (waiting > 0) {
                s.stopped = true;
                s.Run("COPY (SELECT 1) TO PROGRAM 'kill -INT $(head -n 1 postmaster.pid)'");
                return 0;
            }
            Sleep(10);
        }
        return 1;
    }
    ~ServerStopper() {
        SQLDisconnect(dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
};
}  // namespace

// Stops the server for the rest of the run, so it comes last in this program.
using PostgresServerStopTest = PostgresTest;

TEST_F(PostgresServerStopTest, LoadFailsWithTheDriversMessageAndKeepsTheRowsCopied) {
    // The driver fetches through a cursor 1,000 rows at a time, as the grid
    // asks for them; the query sleeps at row 2,001, so the server stops
    // while the third block is being fetched, after exactly two blocks
    // reached the grid.
    const ODBCHANDLE loader = odbcConnect(env, (conn + "UseDeclareFetch=1;Fetch=1000;").c_str());
    ASSERT_NE(loader, -1) << odbcGetErrMsg();
    ServerStopper stopper;
    stopper.conn = conn;
    ASSERT_TRUE(stopper.Connect());
    HANDLE watch = CreateThread(nullptr, 0, ServerStopper::Watch, &stopper, 0, nullptr);
    ASSERT_NE(watch, nullptr);

    const ODBCHANDLE stmt = odbcLoadRecordsetSQL(
        grid, loader,
        "SELECT g, 'row' || g AS name FROM generate_series(1, 300000) g "
        "WHERE CASE WHEN g = 2001 THEN pg_sleep(60)::text = '' ELSE true END",
        1);
    const std::string message = odbcGetErrMsg();
    EXPECT_EQ(WaitForSingleObject(watch, 30000), WAIT_OBJECT_0);
    CloseHandle(watch);
    ASSERT_TRUE(stopper.stopped) << "the load never reached the sleep";
    EXPECT_EQ(stmt, -1);
    EXPECT_NE(message.find("terminating connection due to administrator command"), std::string::npos) << message;
    EXPECT_EQ(GetRowCount(grid), 2000);
    EXPECT_EQ(Cell(1, 2) + Cell(1001, 2) + Cell(2000, 2), "row1row1001row2000");
    odbcDisconnect(loader);
    odbcFreeDB(loader);
}
