// Loading results that no real driver here produces: the test run's own
// driver (scripted_driver/) answers the result its statement text names.
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/support/grid_fixture.h"

namespace {
// The driver's value of a column in a row.
std::string Value(int row, int col) { return "r" + std::to_string(row) + "c" + std::to_string(col); }
}  // namespace

class ScriptedLoadTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        env = odbcAllocEnv();
        dbc = odbcConnect(env, "DRIVER=ScriptedTest");
        ASSERT_NE(dbc, -1) << odbcGetErrMsg();
    }
    void TearDown() override {
        EXPECT_EQ(odbcDisconnect(dbc), 0);
        EXPECT_EQ(odbcFreeDB(dbc), 0);
        EXPECT_EQ(odbcFreeEnv(env), 0);
        GridTest::TearDown();
    }
    // Shapes the columns from the result.
    ODBCHANDLE Load(const std::string& script) {
        return odbcLoadRecordsetSQL(grid, dbc, ("SELECT " + script).c_str(), 1);
    }
    // How the connection's last load asked for its rows, as the driver saw it.
    std::string FetchReport() {
        const ODBCHANDLE stmt = odbcSQLExec(dbc, "report");
        char text[101];
        memset(text, ' ', 100);
        text[100] = 0;
        EXPECT_EQ(odbcFetchRecord(stmt), 0);
        EXPECT_EQ(odbcGetData(stmt, 1, text), 0);
        odbcFreeStmt(stmt);
        return text;
    }
    ODBCHANDLE env = -1, dbc = -1;
};

TEST_F(ScriptedLoadTest, FetchesRowWiseBlocksOfAThousandRows) {
    const ODBCHANDLE stmt = Load("rows=2500 cols=3 nulls=7");
    ASSERT_NE(stmt, -1) << odbcGetErrMsg();
    EXPECT_EQ(odbcFreeStmt(stmt), 0);
    EXPECT_EQ(GetRowCount(grid), 2500);
    for (int row : {1, 7, 999, 1000, 1001, 2002, 2500}) {
        for (int col = 1; col <= 3; ++col)
            EXPECT_EQ(Cell(row, col), col == 3 && row % 7 == 0 ? "" : Value(row, col)) << row << "," << col;
    }
    // The driver writes every row's texts before its indicators: a slot
    // narrower than SQLLEN would have spoilt the next column's text above.
    // Each column takes its display size (20) + 1 text bytes and 8 more.
    EXPECT_EQ(FetchReport(), "rowset=1000 bind=87 status=yes fetched=yes rowsets=3");
}

TEST_F(ScriptedLoadTest, RowsWithAnErrorStatusAreSkippedAndCounted) {
    EXPECT_EQ(Load("rows=2500 errors=1,1000,1001,2500"), -1);
    EXPECT_EQ(odbcGetErrCode(), -502);
    EXPECT_STREQ(odbcGetErrMsg(), "USAGE_ERROR_ROWS_SKIPPED: 4 rows could not be read");
    EXPECT_EQ(GetRowCount(grid), 2496) << "the good rows stay";
    const struct { int row, source; } kept[] = {{1, 2}, {998, 999}, {999, 1002}, {2496, 2499}};
    for (const auto& k : kept) EXPECT_EQ(Cell(k.row, 2), Value(k.source, 2)) << k.row;
    EXPECT_EQ(Cell(2497, 1), "") << "the new-record row follows";
}

TEST_F(ScriptedLoadTest, DisplaySizesOutsideTheFieldRange) {
    // Unbounded text, no total and unknown get the largest field.
    const struct { int32_t display, fieldSize; } sizes[] = {
        {INT32_MAX, 32000}, {-4, 32000}, {0, 32000}, {32000, 32000}, {31999, 32000}, {40, 41}};
    for (const auto& c : sizes) {
        const std::string script = "rows=1200 display=" + std::to_string(c.display);
        const ODBCHANDLE stmt = Load(script);
        ASSERT_NE(stmt, -1) << script << ": " << odbcGetErrMsg();
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
        EXPECT_EQ(GetFldSize(grid, 1), c.fieldSize) << script;
        EXPECT_EQ(GetRowCount(grid), 1200) << script;
        EXPECT_EQ(Cell(1, 1) + Cell(1200, 2), Value(1, 1) + Value(1200, 2)) << script;
    }
}

TEST_F(ScriptedLoadTest, AnAttributeTheDriverDoesNotSupportLeavesItsFieldZero) {
    // 12: case sensitivity, read before the display size.
    const struct { const char* state; bool goesOn; } cases[] = {{"HYC00", true}, {"HY091", true}, {"HY000", false}};
    for (const auto& c : cases) {
        const std::string script = std::string("rows=3 display=40 attr=12:") + c.state;
        ColDesc desc;
        memset(&desc, 0x55, sizeof desc);
        desc.label[sizeof desc.label - 1] = 0;
        ODBCHANDLE stmt = odbcSQLExec(dbc, ("SELECT " + script).c_str());
        ASSERT_NE(stmt, -1) << odbcGetErrMsg();
        const int32_t described = odbcGetColDesc(stmt, 1, &desc);
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
        stmt = Load(script);
        if (c.goesOn) {
            EXPECT_GE(described, 0) << c.state << ": " << odbcGetErrMsg();
            EXPECT_EQ(desc.caseSensitive, 0) << c.state;
            EXPECT_EQ(desc.displaySize, 40) << c.state;
            EXPECT_STREQ(desc.label, "c1") << c.state;
            ASSERT_NE(stmt, -1) << c.state << ": " << odbcGetErrMsg();
            EXPECT_EQ(odbcFreeStmt(stmt), 0);
            EXPECT_EQ(GetFldSize(grid, 1), 41) << c.state << ": shaped from the display size";
            EXPECT_EQ(Cell(3, 2), Value(3, 2)) << c.state;
        } else {
            EXPECT_EQ(described, -1) << c.state;
            EXPECT_EQ(stmt, -1) << c.state;
            EXPECT_NE(strstr(odbcGetErrMsg(), "column attribute 12 refused"), nullptr) << odbcGetErrMsg();
            EXPECT_EQ(GetRowCount(grid), 0) << "the columns were reshaped: the old rows do not fit them";
        }
    }
}

TEST_F(ScriptedLoadTest, GetDataOnNullWritesEmptyText) {
    // Row 2's last column is NULL; the host reuses its buffer, as hosts that
    // size it once do.
    const ODBCHANDLE stmt = odbcSQLExec(dbc, "SELECT rows=2 nulls=2");
    ASSERT_NE(stmt, -1) << odbcGetErrMsg();
    char buffer[21] = "                    ";
    ASSERT_EQ(odbcFetchRecord(stmt), 0);
    EXPECT_EQ(odbcGetData(stmt, 2, buffer), 0);
    EXPECT_STREQ(buffer, "r1c2");
    ASSERT_EQ(odbcFetchRecord(stmt), 0);
    EXPECT_EQ(odbcGetData(stmt, 2, buffer), 0);
    EXPECT_STREQ(buffer, "") << "not the previous row's text";
    EXPECT_EQ(odbcFreeStmt(stmt), 0);
}
