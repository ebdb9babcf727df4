// Fixed-width records on a store without a window.
#include <climits>
#include <string>

#include "records/fixed_width.h"
#include "tests/records/record_store.h"

using namespace tabrix;

namespace {

const char kRecord[] = "ab   xyz    ";  // fields of 5, 3 and 4

TEST(FixedWidth, RecordsRoundTripByteForByte) {
    RecordStore s({5, 3, 4});
    s.Fill({{"ab", "xyz", ""}, {"", "", ""}});
    EXPECT_STREQ(FixedWidthRecord(&s.a, 1), kRecord);
    EXPECT_STREQ(FixedWidthRecord(&s.a, 2), "            ");

    ASSERT_EQ(PutFixedWidthRecord(&s.a, 2, kRecord), 1);
    EXPECT_EQ(s.Text(2, 1), "ab   ") << "padding is kept";
    EXPECT_EQ(s.Text(2, 3), "    ");
    EXPECT_STREQ(FixedWidthRecord(&s.a, 2), kRecord);

    const char bytes[] = "\x01\xe9\"\t,\r\n 1234";
    ASSERT_EQ(PutFixedWidthRecord(&s.a, 1, bytes), 1);
    EXPECT_STREQ(FixedWidthRecord(&s.a, 1), bytes) << "no byte is converted or trimmed";
}

TEST(FixedWidth, ShortRecordsFillTheColumnsTheyReach) {
    RecordStore s({5, 3, 4});
    const struct {
        const char* record;
        Rows expected;
    } cases[] = {
        {"12345x", {{"12345", "x", "wxyz"}}},  // no "xyz" tail left behind
        {"12345", {{"12345", "", "wxyz"}}},    // the field starting at the end is emptied
        {"12345678ab", {{"12345", "678", "ab"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        s.Fill({{"abcde", "xyz", "wxyz"}});
        ASSERT_EQ(PutFixedWidthRecord(&s.a, 1, c.record), 1);
        EXPECT_EQ(s.DataRows(), c.expected);
    }
}

TEST(FixedWidth, PutGrowsBeyondTheCapacityKeepingEveryRow) {
    RecordStore s({1, 6});
    for (int row = 1; row <= 3000; ++row) {
        ASSERT_EQ(PutFixedWidthRecord(&s.a, row, ("r" + std::to_string(row)).c_str()), 1);
    }
    ASSERT_EQ(PutFixedWidthRecord(&s.a, 100000, "xfar"), 1);
    EXPECT_EQ(s.a.maxRow, 100001) << "the row after it is the new-record row";
    for (int row = 1; row <= 3000; ++row) ASSERT_EQ(s.Text(row, 2), std::to_string(row));
    EXPECT_EQ(s.Text(100000, 2), "far");
}

TEST(FixedWidth, LoadTakesWholeRecordsAndReplacesEveryRow) {
    RecordStore s({5, 3, 4});
    s.Fill(Rows(100, std::vector<std::string>{"old", "old", "old"}));
    const std::string data = std::string(kRecord) + "12345678abcd" + "half-a-rec";
    const LoadOutcome outcome = LoadFixedWidthRecords(&s.a, data.c_str());
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(s.DataRows(), (Rows{{"ab   ", "xyz", "    "}, {"12345", "678", "abcd"}}));
    EXPECT_EQ(s.a.maxRow, 3) << "rows beyond the loaded ones are gone";
    EXPECT_TRUE(s.NewRecordRowEmpty());

    ASSERT_EQ(LoadFixedWidthRecords(&s.a, "abcdefg").result, 1) << "less than one record loads none";
    EXPECT_EQ(s.a.maxRow, 1);
}

TEST(FixedWidth, RecordsReloadIntoGridsOfOtherShapes) {
    const std::string data = "abcdefghijkl0123456789AB";
    const struct {
        std::vector<int> sizes;
        Rows expected;
    } shapes[] = {
        {{12}, {{"abcdefghijkl"}, {"0123456789AB"}}},
        {{4, 4, 4}, {{"abcd", "efgh", "ijkl"}, {"0123", "4567", "89AB"}}},
        {{1, 6}, {{"a", "bcdefg"}, {"h", "ijkl01"}, {"2", "345678"}}},
        {{10, 10}, {{"abcdefghij", "kl01234567"}}},
    };
    for (const auto& shape : shapes) {
        RecordStore s(shape.sizes);
        ASSERT_EQ(LoadFixedWidthRecords(&s.a, data.c_str()).result, 1);
        EXPECT_EQ(s.DataRows(), shape.expected);
    }
}

TEST(FixedWidth, BadInputChangesNothing) {
    RecordStore s({5, 3});
    s.Fill({{"a", "b"}});
    for (const char* shortText : {"abcd", "", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(PutFixedWidthRecord(&s.a, 1, shortText), kShortRecord);
        EXPECT_EQ(LoadFixedWidthRecords(&s.a, shortText).result, kShortRecord);
    }
    EXPECT_EQ(PutFixedWidthRecord(&s.a, -1, "abcdefgh"), kBadRow);
    EXPECT_EQ(PutFixedWidthRecord(&s.a, INT_MIN, "abcdefgh"), kBadRow);
    EXPECT_EQ(PutFixedWidthRecord(&s.a, INT_MAX, "abcdefgh"), kNotStored);
    EXPECT_EQ(PutFixedWidthRecord(&s.a, INT_MAX - 1, "abcdefgh"), kNotStored);
    {
        AllocationFailures failures(0);
        EXPECT_EQ(PutFixedWidthRecord(&s.a, 900, "abcdefgh"), kNotStored);
        EXPECT_EQ(LoadFixedWidthRecords(&s.a, "abcdefgh").result, kNotStored);
    }
    EXPECT_EQ(s.DataRows(), (Rows{{"a", "b"}}));
    EXPECT_EQ(s.a.maxRow, 2);
    for (int row : {-1, 3, INT_MAX}) EXPECT_STREQ(FixedWidthRecord(&s.a, row), "INVALID_ROW_NUMBER");

    GridArrays noColumns{};
    EXPECT_EQ(PutFixedWidthRecord(&noColumns, 1, "abcdefgh"), kNotStored);
    EXPECT_EQ(LoadFixedWidthRecords(&noColumns, "abc").result, kNotStored);
    EXPECT_STREQ(FixedWidthRecord(&noColumns, 1), "INVALID_ROW_NUMBER");
}

TEST(FixedWidth, LoadWithoutDefinedFieldsAnswersZero) {
    RecordStore undefined({0, 0});  // columns dimensioned, no field defined
    undefined.Fill({{"", ""}, {"", ""}});
    const LoadOutcome outcome = LoadFixedWidthRecords(&undefined.a, "abc");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_FALSE(outcome.replaced);
    EXPECT_EQ(undefined.a.maxRow, 3);
}

}  // namespace
