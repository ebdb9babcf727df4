#include <gtest/gtest.h>

#include "support/memory.h"
#include "support/temp_string.h"

using namespace tabrix;

TEST(TempStrings, StayValidFor2047FurtherRequestsAndAreZeroFilledWithRoomToSpare) {
    const char* kept = TempText("kept text");
    for (int i = 0; i < kTempSlots - 1; ++i) TempText("other");
    EXPECT_STREQ(kept, "kept text");
    char* text = TempString(10);
    ASSERT_NE(text, nullptr);
    for (int i = 0; i < 10 + 128; ++i) ASSERT_EQ(text[i], 0) << i;
    EXPECT_STREQ(TempText(nullptr), "");
}

// Only a 32-bit build could wrap a block's size, and no test runs one.
TEST(BlockSizes, AreRefusedPastTheLargestBlockEitherBuildAllocates) {
    size_t bytes = 0;
    EXPECT_FALSE(BlockBytes(int64_t{1} << 32, int64_t{1} << 32, &bytes)) << "2^64 bytes wraps to 0";
    EXPECT_FALSE(BlockBytes(-1, 8, &bytes));
    EXPECT_FALSE(BlockBytes(65536, 32768, &bytes)) << "2 GB";
    EXPECT_TRUE(BlockBytes(65536, 32767, &bytes) && bytes == size_t{65536} * 32767);
}
