// Random texts and tables against the record rules written out plainly.
// A failing run names its seed; TABRIX_SEED=<seed> repeats it.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "records/delimited.h"
#include "records/fixed_width.h"
#include "tests/support/record_store.h"

using namespace tabrix;

namespace {

std::string WithoutQuotes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

// The load rules written out plainly: a line ends at CR LF, CR or LF (a
// last line counts when it holds anything); quotes are dropped, fields end
// at commas and are cut to their column.
Rows ReferenceLoad(const std::string& text, const std::vector<int>& sizes) {
    Rows rows;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        std::string line = WithoutQuotes(text.substr(start, end - start)) + ",";
        rows.emplace_back();
        for (int size : sizes) {
            const size_t comma = line.find(',');
            rows.back().push_back(line.substr(0, std::min(comma, static_cast<size_t>(size))));
            line = comma == std::string::npos ? "" : line.substr(comma + 1);
        }
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return rows;
}

class RandomRecords : public testing::Test {
protected:
    const char* fixedSeed = getenv("TABRIX_SEED");
    const unsigned seed = fixedSeed ? static_cast<unsigned>(strtoul(fixedSeed, nullptr, 10)) : std::random_device{}();
    testing::ScopedTrace trace{__FILE__, __LINE__, "seed " + std::to_string(seed)};
    std::mt19937 rng{seed};

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    std::string Text(const std::string& alphabet, int maxLength) {
        std::string text(Uniform(0, maxLength), ' ');
        for (char& c : text) c = alphabet[Uniform(0, static_cast<int>(alphabet.size()) - 1)];
        return text;
    }
    std::vector<int> Sizes() {
        std::vector<int> sizes(Uniform(1, 6));
        for (int& size : sizes) size = Uniform(1, 12);
        return sizes;
    }
};

TEST_F(RandomRecords, DelimitedTextsLoadAsTheRulesSay) {
    for (int round = 0; round < 300; ++round) {
        const std::vector<int> sizes = Sizes();
        const std::string text = Text("ab\"\",,,\r\n\n xyz", 120) + Text("ab,", 20);
        SCOPED_TRACE(testing::PrintToString(text));
        RecordStore s(sizes);
        if (text.empty()) continue;
        ASSERT_EQ(LoadDelimitedRecords(&s.a, text.c_str(), "\r\n", ",").result, 1);
        ASSERT_EQ(s.DataRows(), ReferenceLoad(text, sizes));
    }
}

TEST_F(RandomRecords, TablesRoundTripThroughTheirOwnRecords) {
    for (int round = 0; round < 100; ++round) {
        // The first table is fixed; empty last columns are the case that used to shift rows.
        const std::vector<int> sizes = round ? Sizes() : std::vector<int>{5, 5, 5};
        Rows table{{"a", "", ""}, {"", "b", ""}, {"", "", ""}, {"c", "d", "e"}, {"f", "", ""}};
        if (round) table.assign(Uniform(1, 30), {});
        for (auto& row : table) {
            for (size_t col = row.size(); col < sizes.size(); ++col) {
                row.push_back(Uniform(0, 2) ? Text("ab \"q\x01\xff.", sizes[col]) : "");
            }
        }
        RecordStore written(sizes), fromDelimited(sizes), fromFixed(sizes);
        written.Fill(table);
        std::string delimited, fixed;
        Rows quotesDropped = table, padded = table;
        for (int row = 1; row <= static_cast<int>(table.size()); ++row) {
            delimited += DelimitedRecord(&written.a, row, ",", 0) + std::string("\r\n");
            fixed += FixedWidthRecord(&written.a, row);
            for (size_t col = 0; col < sizes.size(); ++col) {
                quotesDropped[row - 1][col] = WithoutQuotes(table[row - 1][col]);
                padded[row - 1][col].resize(static_cast<size_t>(sizes[col]), ' ');
            }
        }
        ASSERT_EQ(LoadDelimitedRecords(&fromDelimited.a, delimited.c_str(), "\r\n", ",").result, 1);
        ASSERT_EQ(fromDelimited.DataRows(), quotesDropped);
        ASSERT_EQ(LoadFixedWidthRecords(&fromFixed.a, fixed.c_str()).result, 1);
        ASSERT_EQ(fromFixed.DataRows(), padded);
    }
}

}  // namespace
