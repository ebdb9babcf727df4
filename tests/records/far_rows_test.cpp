// Rows farRow beyond the block: growth past the largest block both builds
// allocate is refused at once, with nothing changed, never attempted.
#include <string>

#include "tests/support/grid_fixture.h"

TEST_F(GridTest, FarRowsAreRefusedWithoutTouchingMemory) {
    // Two 15,000-character columns: a 30 KB record.
    Shape(2, 15000);
    ASSERT_EQ(CreateCell(grid, 1, 1, "keep"), 1);
    const std::string record(30000, 'r');
    const int farRow = 2000000000;
    struct Case {
        const char* name;
        int answer;
    };
    const Case cases[] = {
        {"PutRecordDelimited", PutRecordDelimited(grid, farRow, "a,b", "\r\n", ",")},
        {"PutRecordRAF", PutRecordRAF(grid, farRow, record.c_str())},
        {"RedimPreserveRows", RedimPreserveRows(grid, farRow)},
        {"DimRows", DimRows(grid, farRow)},
        {"CreateCell", CreateCell(grid, farRow, 1, "x")},
        {"SetCellText", SetCellText(grid, farRow, 1, "x")},
        // 3 GB: within reach of a 64-bit heap, but past what either build allocates.
        {"PutRecordDelimited at 100,000", PutRecordDelimited(grid, 100000, "a,b", "\r\n", ",")},
    };
    for (const Case& c : cases) EXPECT_EQ(c.answer, 0) << c.name << " answers \"could not grow\"";
    EXPECT_EQ(GetRowCount(grid), 1);
    EXPECT_EQ(Cell(1, 1), "keep");
    // A reachable row still grows the block.
    EXPECT_EQ(PutRecordDelimited(grid, 1000, "a,b", "\r\n", ","), 1);
    EXPECT_EQ(Cell(1000, 2), "b");
}
