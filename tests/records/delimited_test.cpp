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

// Random texts against the load rules written out plainly: a line ends at
// CR LF, CR or LF (a last line counts when it holds anything); quotes are
// dropped, fields end at commas and are cut to their column, at times from
// a field of 40,000 characters. Single cases are in the reference's
// answers. A failing run names its seed; TABRIX_SEED=<seed> repeats it.
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
        const std::string text = random("ab\"\",,,\r\n\n xyz", 120) + std::string(round % 50 ? 0 : 40000, 'w') +
                                 random("ab,", 20);
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
