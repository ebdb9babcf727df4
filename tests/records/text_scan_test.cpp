// The long-text helpers at every alignment and around their block sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/text_scan.h"

using namespace tabrix;

TEST(TextScan, LengthsCountsAndShortCopiesAtEveryAlignmentAndBlockBoundary) {
    char buffer[96], target[40];
    const std::string source = "0123456789abcdefghijklmnopqrstu";
    for (size_t start = 0; start < 16; ++start) {
        for (size_t length = 0; length < 64; ++length) {
            memset(buffer, 'x', sizeof buffer);
            buffer[start + length] = '\0';
            ASSERT_EQ(TextLength(buffer + start), length) << "start " << start;
            if (length > 30) continue;
            memset(target, '#', sizeof target);
            CopyShort(target + 1 + start % 8, source.data(), length);
            ASSERT_EQ(std::string(target + 1 + start % 8, length), source.substr(0, length));
            ASSERT_EQ(target[start % 8], '#');
            ASSERT_EQ(target[length + 1 + start % 8], '#') << length;
        }
    }
    for (size_t length : {0u, 1u, 254u, 255u, 256u, 511u, 1000u}) {
        std::string text(length, 'a');
        for (size_t i = 0; i < length; i += 3) text[i] = '\n';
        ASSERT_EQ(CountByte(text.data(), length, '\n'), (length + 2) / 3) << length;
    }
    const std::string all(600, '\xe9');
    EXPECT_EQ(CountByte(all.data(), all.size(), '\xe9'), 600u) << "no count wraps at 256";
}
