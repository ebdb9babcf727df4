// Loading results that no real driver here produces: the test run's own
// driver (scripted_driver/) answers the result its statement text names.
// Its values are those of GridTest::Text.
#include <cstdint>
#include <string>

#include "tests/odbc/sqlite_database.h"
#include "tests/support/grid_fixture.h"

class ScriptedLoadTest : public GridTest {
protected:
    // Shapes the columns from the result.
    ODBCHANDLE Load(const std::string& script) {
        return odbcLoadRecordsetSQL(grid, db.dbc, ("SELECT " + script).c_str(), 1);
    }
    testing_host::Connection db{"DRIVER=ScriptedTest"};
};

// Each column's slot takes its display size + 1 text bytes and an SQLLEN
// indicator; column 1 reports how its rowset was asked for.
TEST_F(ScriptedLoadTest, FetchesRowWiseBlocksAndSkipsAndCountsRowsWithAnErrorStatus) {
    EXPECT_EQ(Load("rows=2500 display=60 report errors=1,1000,1001,2500"), -1);
    EXPECT_EQ(odbcGetErrCode(), -502);
    EXPECT_STREQ(odbcGetErrMsg(), "USAGE_ERROR_ROWS_SKIPPED: 4 rows could not be read");
    EXPECT_EQ(GetRowCount(grid), 2496) << "the good rows stay";
    const struct { int row, source; } kept[] = {{1, 2}, {998, 999}, {999, 1002}, {1998, 2001}, {2496, 2499}};
    for (const auto& k : kept) {
        EXPECT_EQ(Cell(k.row, 1), "rowset=1000 bind=138 status=yes fetched=yes rowsets=" +
                                      std::to_string((k.source - 1) / 1000 + 1)) << "row " << k.row;
        EXPECT_EQ(Cell(k.row, 2), Text(k.source, 2)) << "row " << k.row;
    }
}

// Unbounded text, no total and unknown get the largest field. A refused
// column attribute (12, case sensitivity, read before the display size)
// that the driver calls unsupported is skipped; any other fails the load,
// and the reshaped columns keep none of the old rows.
TEST_F(ScriptedLoadTest, DisplaySizesAndRefusedColumnAttributes) {
    const struct { const char* script; int32_t fieldSize; } cases[] = {
        {"display=2147483647", 32000}, {"display=-4", 32000}, {"display=0", 32000}, {"display=32000", 32000},
        {"display=31999", 32000}, {"display=40 attr=12:HYC00", 41}, {"display=40 attr=12:HY091", 41},
        {"display=40 attr=12:HY000", 0}};
    for (const auto& c : cases) {
        const ODBCHANDLE stmt = Load(std::string("rows=1200 ") + c.script);
        const std::string error = stmt == -1 ? odbcGetErrMsg() : "";
        EXPECT_EQ(c.fieldSize == 0, error.find("column attribute 12 refused") != std::string::npos) << error;
        EXPECT_EQ(GetRowCount(grid), c.fieldSize ? 1200 : 0) << c.script;
        if (c.fieldSize == 0) continue;
        EXPECT_EQ(odbcFreeStmt(stmt), 0);
        EXPECT_EQ(GetFldSize(grid, 1), c.fieldSize) << c.script;
        EXPECT_EQ(Heading(1), "c1") << c.script;
        EXPECT_EQ(Cell(1, 1), "r1c1") << c.script;
        EXPECT_EQ(Cell(1200, 2), "r1200c2") << c.script;
    }
}
