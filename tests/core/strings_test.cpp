#include <gtest/gtest.h>

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
