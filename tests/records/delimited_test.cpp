// Delimited records on a store without a window: the parser table, single
// rows written and read, and round trips through the library's own output.
#include <climits>
#include <string>

#include "records/delimited.h"
#include "tests/records/record_store.h"

using namespace tabrix;

namespace {

struct LoadCase {
    const char* name;
    std::string text;
    const char* lineEnd;
    const char* delimiter;
    Rows expected;  // two data columns of 5 characters
};

const std::string kLongField(40000, 'X');

const LoadCase kLoadCases[] = {
    {"well formed", "a,b\r\nc,d\r\n", "\r\n", ",", {{"a", "b"}, {"c", "d"}}},
    {"no final line end", "a,b\r\nc,d", "\r\n", ",", {{"a", "b"}, {"c", "d"}}},
    {"one line alone", "a,b", "\r\n", ",", {{"a", "b"}}},
    {"empty last field", "a,\r\nc,d\r\n", "\r\n", ",", {{"a", ""}, {"c", "d"}}},
    {"fewer fields", "a\r\nc,d\r\n", "\r\n", ",", {{"a", ""}, {"c", "d"}}},
    {"more fields", "a,b,x,y\r\nc,d\r\n", "\r\n", ",", {{"a", "b"}, {"c", "d"}}},
    {"trailing delimiter", "a,b,\r\nc,d,\r\n", "\r\n", ",", {{"a", "b"}, {"c", "d"}}},
    {"LF only", "a,b\nc,d\n", "\r\n", ",", {{"a", "b"}, {"c", "d"}}},
    {"CR only", "a,b\rc,d", "\r\n", ",", {{"a", "b"}, {"c", "d"}}},
    {"LF CR is two line ends", "a,b\n\rc,d", "\r\n", ",", {{"a", "b"}, {"", ""}, {"c", "d"}}},
    {"blank line", "a,b\r\n\r\nc,d\r\n", "\r\n", ",", {{"a", "b"}, {"", ""}, {"c", "d"}}},
    {"line ends only", "\r\n\r\n", "\r\n", ",", {{"", ""}, {"", ""}}},
    {"empty first field", ",b\r\n", "\r\n", ",", {{"", "b"}}},
    {"quotes dropped", "\"a\",x\"\"y\r\n", "\r\n", ",", {{"a", "xy"}}},
    {"quotes do not protect", "\"a,b\",c\r\n", "\r\n", ",", {{"a", "b"}}},
    {"quote-only last line", "a,b\r\n\"", "\r\n", ",", {{"a", "b"}, {"", ""}}},
    {"cut to the declared size", "abcdefgh,\"12\"345678\r\nc,d", "\r\n", ",", {{"abcde", "12345"}, {"c", "d"}}},
    {"40,000-character field", kLongField + ",b\r\nc," + kLongField + "\r\ne,f", "\r\n", ",",
     {{"XXXXX", "b"}, {"c", "XXXXX"}, {"e", "f"}}},
    {"tab delimiter, first character only", "a;\tb\r\nc\td", "\r\n", "\t;", {{"a;", "b"}, {"c", "d"}}},
    {"one-character line end", "a,b\nc,d", "\n", ",", {{"a", "b"}, {"c", "d"}}},
    {"CR is text without it", "a,b\r\nc", "\n", ",", {{"a", "b\r"}, {"c", ""}}},
    {"no line end at all", "a,b\nc", nullptr, ",", {{"a", "b\nc"}}},
};

class DelimitedLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(DelimitedLoad, GivesTheRowsOfTheRules) {
    const LoadCase& c = GetParam();
    RecordStore s({5, 5});
    s.Fill({{"old", "old"}, {"old", "old"}, {"old", "old"}, {"old", "old"}});
    const LoadOutcome outcome = LoadDelimitedRecords(&s.a, c.text.c_str(), c.lineEnd, c.delimiter);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(outcome.replaced);
    EXPECT_EQ(s.DataRows(), c.expected);
    EXPECT_TRUE(s.NewRecordRowEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DelimitedLoad, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<LoadCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) name += isalnum(*p) ? *p : '_';
                             return name;
                         });

struct PutCase {
    const char* record;
    Rows expected;  // row 1 of three data columns of 5, which held aaaaa, bbbbb, ccccc
};

const PutCase kPutCases[] = {
    {"x,,z", {{"x", "bbbbb", "z"}}},
    {"x,y", {{"x", "y", "ccccc"}}},
    {"x,y,", {{"x", "y", ""}}},
    {",y,\r\n", {{"aaaaa", "y", "ccccc"}}},
    {"\"\",y", {{"", "y", "ccccc"}}},
    {"x,y,z,w", {{"x", "y", "z"}}},
    {"x\r\ny,z", {{"x", "bbbbb", "ccccc"}}},
    {"longtext,y", {{"longt", "y", "ccccc"}}},
};

TEST(DelimitedPut, ReplacesPresentFieldsAndKeepsAbsentOnes) {
    for (const PutCase& c : kPutCases) {
        SCOPED_TRACE(c.record);
        RecordStore s({5, 5, 5});
        s.Fill({{"aaaaa", "bbbbb", "ccccc"}, {"next", "", ""}});
        EXPECT_EQ(PutDelimitedRecord(&s.a, 1, c.record, "\r\n", ","), 1);
        EXPECT_EQ(Rows{s.DataRows()[0]}, c.expected);
        EXPECT_EQ(s.Text(2, 1), "next");
    }
}

TEST(Delimited, BadInputChangesNothing) {
    RecordStore s({5, 5});
    s.Fill({{"a", "b"}});
    for (const char* empty : {"", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(PutDelimitedRecord(&s.a, 1, empty, "\r\n", ","), 0);
        EXPECT_EQ(PutDelimitedRecord(&s.a, 1, "x,y", "\r\n", empty), 0);
        EXPECT_EQ(LoadDelimitedRecords(&s.a, empty, "\r\n", ",").result, 0);
        EXPECT_EQ(LoadDelimitedRecords(&s.a, "x,y", "\r\n", empty).result, 0);
    }
    EXPECT_EQ(PutDelimitedRecord(&s.a, -1, "x,y", "\r\n", ","), 0);
    EXPECT_EQ(PutDelimitedRecord(&s.a, INT_MAX, "x,y", "\r\n", ","), 0);
    {
        AllocationFailures failures(0);
        EXPECT_EQ(PutDelimitedRecord(&s.a, 5000, "x,y", "\r\n", ","), 0);
    }
    EXPECT_EQ(s.DataRows(), (Rows{{"a", "b"}}));
    EXPECT_EQ(s.a.maxRow, 2);

    GridArrays noColumns{};
    EXPECT_EQ(PutDelimitedRecord(&noColumns, 1, "x,y", "\r\n", ","), 0);
    EXPECT_FALSE(LoadDelimitedRecords(&noColumns, "x,y", "\r\n", ",").replaced);
    EXPECT_EQ(noColumns.cells, nullptr);
}

TEST(DelimitedGet, WritesTheDelimiterBetweenDataColumnsAndQuotesTaggedOnes) {
    RecordStore s({5, 5, 5});
    s.Fill({{"a", "", "c\"q"}, {"", "", ""}});
    s.a.colTag1[3] = 1;
    EXPECT_STREQ(DelimitedRecord(&s.a, 1, "; ", 0), "a; ; c\"q");
    EXPECT_STREQ(DelimitedRecord(&s.a, 1, "; ", 1), "a; ; \"c\"q\"") << "embedded quotes are not doubled";
    EXPECT_STREQ(DelimitedRecord(&s.a, 2, ",", 0), ",,");
    EXPECT_STREQ(DelimitedRecord(&s.a, 1, nullptr, 0), "ac\"q");
    for (int row : {-1, 0, 3, 4, INT_MAX}) EXPECT_STREQ(DelimitedRecord(&s.a, row, ",", 0), "INVALID_ROW_NUMBER");
}

TEST(DelimitedRoundTrip, OwnOutputWithEmptyLastColumnsReloadsUnshifted) {
    const Rows table{{"a", "", ""}, {"", "b", ""}, {"", "", ""}, {"c", "d", "e"}, {"f", "", ""}};
    RecordStore written({5, 5, 5});
    written.Fill(table);
    std::string text;
    for (int row = 1; row <= static_cast<int>(table.size()); ++row) {
        text += DelimitedRecord(&written.a, row, ",", 0);
        text += "\r\n";
    }
    RecordStore loaded({5, 5, 5});
    EXPECT_EQ(LoadDelimitedRecords(&loaded.a, text.c_str(), "\r\n", ",").result, 1);
    EXPECT_EQ(loaded.DataRows(), table);
}

TEST(DelimitedLoadInput, GrowthFailureKeepsTheRowsLoadedSoFar) {
    RecordStore s({5});
    std::string text;
    // CR-only lines: the block is sized by the line feeds and must grow.
    for (int row = 1; row <= 2000; ++row) text += std::to_string(row) + "\r";
    // The fresh block takes two allocations; every growth after it fails.
    AllocationFailures failures(2);
    const LoadOutcome outcome = LoadDelimitedRecords(&s.a, text.c_str(), "\r\n", ",");
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.replaced);
    ASSERT_GT(s.a.maxRow, 400);
    ASSERT_LT(s.a.maxRow, s.a.rowCapacity);
    for (int row = 1; row < s.a.maxRow; ++row) ASSERT_EQ(s.Text(row, 1), std::to_string(row));
    EXPECT_TRUE(s.NewRecordRowEmpty());
}

}  // namespace
