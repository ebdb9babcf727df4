// The long-text helpers at every alignment and around their block sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "support/text_scan.h"

using namespace tabrix;

TEST(TextScan, LengthAtEveryAlignment) {
    char buffer[96];
    for (size_t start = 0; start < 16; ++start) {
        for (size_t length = 0; length < 64; ++length) {
            memset(buffer, 'x', sizeof buffer);
            buffer[start + length] = '\0';
            ASSERT_EQ(TextLength(buffer + start), length) << "start " << start;
        }
    }
}

TEST(TextScan, CountsAcrossBlockBoundaries) {
    for (size_t length : {0u, 1u, 254u, 255u, 256u, 511u, 1000u}) {
        std::string text(length, 'a');
        for (size_t i = 0; i < length; i += 3) text[i] = '\n';
        ASSERT_EQ(CountByte(text.data(), length, '\n'), static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    }
    const std::string all(600, '\xe9');
    EXPECT_EQ(CountByte(all.data(), all.size(), '\xe9'), 600u) << "no count wraps at 256";
}

TEST(TextScan, ShortCopiesTouchExactlyTheirBytes) {
    const char source[] = "0123456789abcdefghijklmnopqrstu";
    for (size_t n = 0; n <= 30; ++n) {
        char target[40];
        memset(target, '#', sizeof target);
        CopyShort(target + 1, source, n);
        ASSERT_EQ(std::string(target + 1, n), std::string(source, n));
        ASSERT_EQ(target[0], '#');
        ASSERT_EQ(target[n + 1], '#') << n;
    }
}
