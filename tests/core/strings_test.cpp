#include <gtest/gtest.h>

#include <string>

#include "support/string_helpers.h"
#include "support/temp_string.h"

using namespace tabrix;

TEST(TempStrings, StayValidFor2047FurtherRequests) {
    const char* kept = TempText("kept text");
    for (int i = 0; i < kTempSlots - 1; ++i) TempText("other");
    EXPECT_STREQ(kept, "kept text");
}

TEST(TempStrings, AreZeroFilledWithRoomToSpare) {
    char* text = TempString(10);
    ASSERT_NE(text, nullptr);
    for (int i = 0; i < 10 + 128; ++i) ASSERT_EQ(text[i], 0) << i;
    EXPECT_STREQ(TempText(nullptr), "");
}

TEST(StringHelpers, LeftAndRightPartsStayInsideTheText) {
    EXPECT_STREQ(LeftText("abcdef", 3), "abc");
    EXPECT_STREQ(LeftText("ab", 10), "ab");
    EXPECT_STREQ(LeftText("ab", -1), "");
    EXPECT_STREQ(RightText("abcdef", 2), "ef");
    EXPECT_STREQ(RightText("abc", 10), "abc") << "more than the length gives the whole text";
    EXPECT_STREQ(RightText("abc", 0), "");
    EXPECT_STREQ(RightText(nullptr, 3), "");
}

TEST(StringHelpers, RightTrimRemovesSpacesAndTheGivenCharacterInAnyMix) {
    EXPECT_STREQ(RightTrim("ab .. . ", '.'), "ab");
    EXPECT_STREQ(RightTrim("a.b", '.'), "a.b");
    EXPECT_STREQ(RightTrim("", '.'), "");
    EXPECT_STREQ(RightTrim("   ", 'x'), "");
}

TEST(StringHelpers, NumberTextLeavesRoomForTheSign) {
    EXPECT_STREQ(NumberText(1.5), " 1.5");
    EXPECT_STREQ(NumberText(-2), "-2");
    EXPECT_STREQ(NumberText(0.1), " 0.1");
    EXPECT_STREQ(NumberText(1e20), " 1E+20");
}

TEST(StringHelpers, SpacesAndCharacterCodes) {
    EXPECT_STREQ(Spaces(3), "   ");
    EXPECT_STREQ(Spaces(0), "");
    EXPECT_STREQ(Spaces(-5), "") << "a negative count must not write before the buffer";
    EXPECT_STREQ(CharCodes({65, 66, 67}), "ABC");
    EXPECT_STREQ(CharCodes({65, 0, 67}), "A");
    EXPECT_EQ(std::string(CharCodes({49, 50, 51, 52, 53, 54, 55, 56, 57, 48, 49, 50})), "1234567890")
        << "at most ten characters";
}

TEST(StringHelpers, ComparesBytesUnsigned) {
    EXPECT_EQ(CompareBytes("abc", "abc"), 0);
    EXPECT_EQ(CompareBytes("abd", "abc"), 1);
    EXPECT_EQ(CompareBytes("ab", "abc"), -1);
    EXPECT_EQ(CompareBytes("\x80", "a"), 1) << "bytes above 127 sort after ASCII";
    EXPECT_EQ(MaxOf(2.5, -1), 2.5);
    EXPECT_EQ(MinOf(2.5, -1), -1);
}
