#include <gtest/gtest.h>

#include "support/string_helpers.h"
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

TEST(StringHelpers, StayInsideTheirTexts) {
    const struct {
        const char* got;
        const char* expected;
    } cases[] = {
        {RightText("abcdef", 2), "ef"}, {RightText("abc", 10), "abc"},  // more than the length: the whole text
        {RightText("abc", 0), ""},      {RightText(nullptr, 3), ""},
        {Spaces(3), "   "},             {Spaces(-5), ""},  // a negative count must not write before the buffer
        {NumberText(1.5), " 1.5"},      {NumberText(-2), "-2"},  // room for the sign, as the row numbers show
        {NumberText(1e20), " 1E+20"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.got, c.expected);
}
