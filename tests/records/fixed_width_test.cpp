// Fixed-width and delimited records on a store without a window, where the
// store has no room or no fields. What each record does to the rows is in
// the reference's answers; any record into any shape, and refusals changing
// nothing, are checked byte for byte by the fuzz targets.
#include <string>

#include "records/delimited.h"
#include "records/fixed_width.h"
#include "tests/support/record_store.h"

using namespace tabrix;

TEST(Records, NoRoomOrNoFieldsStoresNothing) {
    RecordStore s({1, 6});
    ASSERT_EQ(PutFixedWidthRecord(&s.a, 100000, "xfar"), 1);
    AllocationFailures failures(0);
    EXPECT_EQ(PutFixedWidthRecord(&s.a, 200000, "abcdefgh"), kNotStored);
    EXPECT_EQ(s.a.maxRow, 100001) << "a put that found no room";
    GridArrays noColumns{};
    EXPECT_EQ(PutFixedWidthRecord(&noColumns, 1, "abcdefgh"), kNotStored);
    EXPECT_EQ(LoadFixedWidthRecords(&noColumns, "abc").result, kNotStored);
    EXPECT_STREQ(FixedWidthRecord(&noColumns, 1), "INVALID_ROW_NUMBER");
    EXPECT_EQ(PutDelimitedRecord(&noColumns, 1, "x,y", "\r\n", ","), 0);
    EXPECT_FALSE(LoadDelimitedRecords(&noColumns, "x,y", "\r\n", ",").replaced);
    EXPECT_EQ(noColumns.cells, nullptr);
}
