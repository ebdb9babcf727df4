// Fixed-width records on a store without a window.
#include <climits>
#include <cstring>
#include <string>

#include "records/fixed_width.h"
#include "tests/support/record_store.h"

using namespace tabrix;

namespace {

TEST(FixedWidth, RecordsRoundTripByteForByteAndPutsNeverWriteOutsideTheBlock) {
    const Rows old{{"abcde", "xyz", "wxyz"}};  // fields of 5, 3 and 4
    const struct {
        const char* record;
        Rows expected;
        int row = 1, result = 1;
    } cases[] = {
        // Any record into any row, and refusals changing nothing, are checked
        // byte for byte by raf_put_fuzz; rows off the edges by the bad-input matrix.
        {"ab   xyz    ", {{"ab   ", "xyz", "    "}}},  // padding is kept
        {"12345x", {{"12345", "x", "wxyz"}}},          // no "yz" tail left behind
        {"12345x", {old[0], {"", "", ""}, {"12345", "x", ""}}, 3},  // maxRow raised
        {"abcdefgh", old, INT_MAX - 1, kNotStored},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.record << " at " << c.row);
        RecordStore s({5, 3, 4});
        s.Fill(old);
        EXPECT_EQ(PutFixedWidthRecord(&s.a, c.row, c.record), c.result);
        EXPECT_EQ(s.DataRows(), c.expected);
        if (c.result == 1 && strlen(c.record) == 12) {
            EXPECT_STREQ(FixedWidthRecord(&s.a, 1), c.record) << "byte for byte";
        }
        for (int row : {-1, s.a.maxRow + 1, INT_MAX}) EXPECT_STREQ(FixedWidthRecord(&s.a, row), "INVALID_ROW_NUMBER");
    }
    RecordStore s({1, 6});
    for (int row = 1; row <= 3000; ++row) {
        ASSERT_EQ(PutFixedWidthRecord(&s.a, row, ("r" + std::to_string(row)).c_str()), 1);
    }
    ASSERT_EQ(PutFixedWidthRecord(&s.a, 100000, "xfar"), 1);
    EXPECT_EQ(s.a.maxRow, 100001) << "the row after it is the new-record row";
    for (int row = 1; row <= 3000; ++row) ASSERT_EQ(s.Text(row, 2), std::to_string(row));
    EXPECT_EQ(s.Text(100000, 2), "far");
    AllocationFailures failures(0);
    EXPECT_EQ(PutFixedWidthRecord(&s.a, 200000, "abcdefgh"), kNotStored);
    EXPECT_EQ(s.a.maxRow, 100001);
}

TEST(FixedWidth, LoadsTakeWholeRecordsAndReplaceEveryRow) {
    const Rows old(100, {""}), kept(100, {"", ""});
    const struct {
        std::vector<int> sizes;
        const char* data;
        Rows expected;
        int result = 1;
    } cases[] = {
        // Data of any length over any shape, and refused loads changing
        // nothing, are checked byte for byte by raf_load_fuzz.
        {{5, 3, 4}, "ab   xyz    12345678abcdhalf-a-rec", {{"ab   ", "xyz", "    "}, {"12345", "678", "abcd"}}},
        {{1, 6}, "abcdefghijkl0123456789AB", {{"a", "bcdefg"}, {"h", "ijkl01"}, {"2", "345678"}}},
        {{5, 3}, "abcd", kept, kShortRecord},
        {{0, 0}, "abc", kept, 0},  // columns dimensioned, no field defined
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        RecordStore s(c.sizes);
        s.Fill(old);
        const LoadOutcome outcome = LoadFixedWidthRecords(&s.a, c.data);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.replaced, c.result == 1);
        EXPECT_EQ(s.DataRows(), c.expected);
    }
    GridArrays noColumns{};
    EXPECT_EQ(PutFixedWidthRecord(&noColumns, 1, "abcdefgh"), kNotStored);
    EXPECT_EQ(LoadFixedWidthRecords(&noColumns, "abc").result, kNotStored);
    EXPECT_STREQ(FixedWidthRecord(&noColumns, 1), "INVALID_ROW_NUMBER");
}

}  // namespace
