// Random texts and tables against the record rules written out plainly.
// A failing run names its seed; TABRIX_SEED=<seed> repeats it.
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

#include "records/delimited.h"
#include "records/fixed_width.h"
#include "tests/records/record_store.h"

using namespace tabrix;

namespace {

unsigned Seed() {
    const char* fixed = getenv("TABRIX_SEED");
    return fixed ? static_cast<unsigned>(strtoul(fixed, nullptr, 10)) : std::random_device{}();
}

class RandomRecords : public testing::Test {
protected:
    const unsigned seed = Seed();
    testing::ScopedTrace trace{__FILE__, __LINE__, "seed " + std::to_string(seed)};
    std::mt19937 rng{seed};
};

std::string RandomText(std::mt19937& rng, const std::string& alphabet, int maxLength) {
    std::string text(std::uniform_int_distribution<int>(0, maxLength)(rng), ' ');
    for (char& c : text) c = alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
    return text;
}

std::vector<int> RandomSizes(std::mt19937& rng) {
    std::vector<int> sizes(std::uniform_int_distribution<int>(1, 6)(rng));
    for (int& size : sizes) size = std::uniform_int_distribution<int>(1, 12)(rng);
    return sizes;
}

std::string WithoutQuotes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

// The load rules in two plain steps: lines at CR LF, CR or LF (a last line
// counts when it holds anything), then fields at commas, quotes dropped,
// texts cut to their column.
Rows ReferenceLoad(const std::string& text, const std::vector<int>& sizes) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            lines.back() += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.emplace_back();
    }
    if (lines.back().empty()) lines.pop_back();
    Rows rows;
    for (const std::string& line : lines) {
        rows.emplace_back(sizes.size());
        size_t start = 0;
        for (size_t col = 0; col < sizes.size() && start != std::string::npos; ++col) {
            const size_t end = line.find(',', start);
            const std::string field = WithoutQuotes(line.substr(start, end == std::string::npos ? end : end - start));
            rows.back()[col] = field.substr(0, static_cast<size_t>(sizes[col]));
            start = end == std::string::npos ? end : end + 1;
        }
    }
    return rows;
}

Rows RandomTable(std::mt19937& rng, const std::vector<int>& sizes, const std::string& alphabet) {
    Rows table(std::uniform_int_distribution<int>(1, 30)(rng));
    for (auto& row : table) {
        for (int size : sizes) {
            std::string text = RandomText(rng, alphabet, size);
            // Empty last columns are the case that used to shift rows.
            row.push_back(std::bernoulli_distribution(0.3)(rng) ? "" : text);
        }
    }
    return table;
}

TEST_F(RandomRecords, DelimitedTextsLoadAsTheRulesSay) {
    for (int round = 0; round < 300; ++round) {
        const std::vector<int> sizes = RandomSizes(rng);
        const std::string text = RandomText(rng, "ab\"\",,,\r\n\n xyz", 120) + RandomText(rng, "ab,", 20);
        SCOPED_TRACE(testing::PrintToString(text));
        RecordStore s(sizes);
        if (text.empty()) continue;
        ASSERT_EQ(LoadDelimitedRecords(&s.a, text.c_str(), "\r\n", ",").result, 1);
        ASSERT_EQ(s.DataRows(), ReferenceLoad(text, sizes));
    }
}

TEST_F(RandomRecords, TablesRoundTripThroughTheirOwnRecords) {
    for (int round = 0; round < 100; ++round) {
        // The first table is fixed: empty last columns used to shift rows.
        const std::vector<int> sizes = round ? RandomSizes(rng) : std::vector<int>{5, 5, 5};
        const Rows table = round ? RandomTable(rng, sizes, "ab \"q\x01\xff.")
                                 : Rows{{"a", "", ""}, {"", "b", ""}, {"", "", ""}, {"c", "d", "e"}, {"f", "", ""}};
        RecordStore written(sizes);
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
        RecordStore fromDelimited(sizes), fromFixed(sizes);
        ASSERT_EQ(LoadDelimitedRecords(&fromDelimited.a, delimited.c_str(), "\r\n", ",").result, 1);
        ASSERT_EQ(fromDelimited.DataRows(), quotesDropped);
        ASSERT_EQ(LoadFixedWidthRecords(&fromFixed.a, fixed.c_str()).result, 1);
        ASSERT_EQ(fromFixed.DataRows(), padded);
    }
}

}  // namespace
