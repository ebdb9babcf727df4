// Delimited records on a store without a window.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>

#include "records/delimited.h"
#include "tests/support/record_store.h"

using namespace tabrix;

namespace {

const std::string kLongField(40000, 'X');
const std::string kLongText = kLongField + ",b\r\nc," + kLongField + "\r\ne,f";

TEST(Delimited, LoadsGiveTheRowsOfTheRules) {
    const Rows old(4, {"old", "old"});
    const struct {
        const char* name;
        const char* text;
        Rows expected;  // two data columns of 5 characters
        const char* lineEnd = "\r\n";
        const char* delimiter = ",";
        int result = 1;
    } cases[] = {
        // Every line end ends a row; missing fields stay empty, extra ones are skipped.
        {"line rules", "a,b\r\na,\r\nc\r\nd,e,x,y\r\nf,g,\r\n\r\n,h\r\n,\r\ni,j",
         {{"a", "b"}, {"a", ""}, {"c", ""}, {"d", "e"}, {"f", "g"}, {"", ""}, {"", "h"}, {"", ""}, {"i", "j"}}},
        {"one line alone", "a,b", {{"a", "b"}}}, {"line ends only", "\r\n\r\n", {{"", ""}, {"", ""}}},
        {"LF, CR, and LF CR as two", "a,b\nc,d\re,f\n\rg,h",
         {{"a", "b"}, {"c", "d"}, {"e", "f"}, {"", ""}, {"g", "h"}}},
        {"quotes dropped, not protecting", "\"a\",x\"\"y\r\n\"a,b\",c\r\n\"", {{"a", "xy"}, {"a", "b"}, {"", ""}}},
        {"cut to the declared size", "abcdefgh,\"12\"345678\r\nc,d", {{"abcde", "12345"}, {"c", "d"}}},
        {"40,000-character field", kLongText.c_str(), {{"XXXXX", "b"}, {"c", "XXXXX"}, {"e", "f"}}},
        {"tab delimiter, first character only", "a;\tb\r\nc\td", {{"a;", "b"}, {"c", "d"}}, "\r\n", "\t;"},
        {"one-character line end", "a,b\nc,d", {{"a", "b"}, {"c", "d"}}, "\n"},
        {"CR is text without it", "a,b\r\nc", {{"a", "b\r"}, {"c", ""}}, "\n"},
        {"no line end at all", "a,b\nc", {{"a", "b\nc"}}, nullptr},
        // Null and empty texts and a null delimiter are in the bad-input tests.
        {"no delimiter", "x,y", old, "\r\n", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordStore s({5, 5});
        s.Fill(old);
        const LoadOutcome outcome = LoadDelimitedRecords(&s.a, c.text, c.lineEnd, c.delimiter);
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.replaced, c.result == 1);
        EXPECT_EQ(s.DataRows(), c.expected);
    }
}

// Random texts against the load rules written out plainly: a line ends at
// CR LF, CR or LF (a last line counts when it holds anything); quotes are
// dropped, fields end at commas and are cut to their column. A failing run
// names its seed; TABRIX_SEED=<seed> repeats it.
TEST(Delimited, RandomTextsLoadAsTheRulesSay) {
    const char* fixedSeed = getenv("TABRIX_SEED");
    const unsigned seed = fixedSeed ? static_cast<unsigned>(strtoul(fixedSeed, nullptr, 10)) : std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng{seed};
    const auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const auto random = [&](const std::string& alphabet, int maxLength) {
        std::string text(uniform(0, maxLength), ' ');
        for (char& c : text) c = alphabet[uniform(0, static_cast<int>(alphabet.size()) - 1)];
        return text;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<int> sizes(uniform(1, 6));
        for (int& size : sizes) size = uniform(1, 12);
        const std::string text = random("ab\"\",,,\r\n\n xyz", 120) + random("ab,", 20);
        if (text.empty()) continue;
        SCOPED_TRACE(testing::PrintToString(text));
        Rows expected;
        for (size_t start = 0; start < text.size();) {
            const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
            std::string line = text.substr(start, end - start) + ",";
            line.erase(std::remove(line.begin(), line.end(), '"'), line.end());
            expected.emplace_back();
            for (int size : sizes) {
                const size_t comma = line.find(',');
                expected.back().push_back(line.substr(0, std::min(comma, static_cast<size_t>(size))));
                line = comma == std::string::npos ? "" : line.substr(comma + 1);
            }
            start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
        RecordStore s(sizes);
        ASSERT_EQ(LoadDelimitedRecords(&s.a, text.c_str(), "\r\n", ",").result, 1);
        ASSERT_EQ(s.DataRows(), expected);
    }
}

TEST(Delimited, PutsReplacePresentFieldsKeepAbsentOnesAndNeverWriteOutsideTheBlock) {
    const Rows old{{"aaaaa", "bbbbb", "ccccc"}, {"next", "", ""}};
    const struct {
        const char* record;
        Rows expected;  // three data columns of 5
        int row = 1, result = 1;
        const char* delimiter = ",";
        int failAfter = -1;
    } cases[] = {
        {"x,,z", {{"x", "bbbbb", "z"}, old[1]}},        {"x,y", {{"x", "y", "ccccc"}, old[1]}},
        {"x,y,", {{"x", "y", ""}, old[1]}},             {",y,\r\n", {{"aaaaa", "y", "ccccc"}, old[1]}},
        {"\"\",y", {{"", "y", "ccccc"}, old[1]}},       {"x,y,z,w", {{"x", "y", "z"}, old[1]}},
        {"x\r\ny,z", {{"x", "bbbbb", "ccccc"}, old[1]}}, {"longtext,y", {{"longt", "y", "ccccc"}, old[1]}},
        {"x,y", {old[0], old[1], {"", "", ""}, {"x", "y", ""}}, 4},  // maxRow raised
        // Null texts and delimiters are in the bad-input tests.
        {"x,y", old, -1, 0},  {"x,y", old, INT_MAX, 0}, {"x,y", old, 5000, 0, ",", 0},  {"x,y", old, 1, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.record ? c.record : "(null)") << " at " << c.row);
        RecordStore s({5, 5, 5});
        s.Fill(old);
        AllocationFailures failures(c.failAfter);
        EXPECT_EQ(PutDelimitedRecord(&s.a, c.row, c.record, "\r\n", c.delimiter), c.result);
        EXPECT_EQ(s.DataRows(), c.expected);
    }
    GridArrays noColumns{};
    EXPECT_EQ(PutDelimitedRecord(&noColumns, 1, "x,y", "\r\n", ","), 0);
    EXPECT_FALSE(LoadDelimitedRecords(&noColumns, "x,y", "\r\n", ",").replaced);
    EXPECT_EQ(noColumns.cells, nullptr);
}

TEST(Delimited, RecordsSeparateDataColumnsAndQuoteTaggedOnes) {
    RecordStore s({5, 5, 5});
    s.Fill({{"a", "", "c\"q"}, {"", "", ""}});
    s.a.colTag1[3] = 1;
    EXPECT_STREQ(DelimitedRecord(&s.a, 1, "; ", 0), "a; ; c\"q");
    EXPECT_STREQ(DelimitedRecord(&s.a, 1, "; ", 1), "a; ; \"c\"q\"") << "embedded quotes are not doubled";
    EXPECT_STREQ(DelimitedRecord(&s.a, 2, ",", 0), ",,");
    EXPECT_STREQ(DelimitedRecord(&s.a, 1, nullptr, 0), "ac\"q");
}

TEST(Delimited, GrowthFailureKeepsTheRowsLoadedSoFar) {
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
    const Rows rows = s.DataRows();
    ASSERT_EQ(static_cast<int>(rows.size()), s.a.maxRow - 1);
    for (int row = 1; row < s.a.maxRow; ++row) ASSERT_EQ(rows[row - 1][0], std::to_string(row));
}

}  // namespace
