#include "core/infra/Text.h"

#include <gtest/gtest.h>

using namespace tovel;
using namespace std::string_view_literals;

TEST(Text, TrimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim(" \t\r\nabc \x01"), "abc");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("a b"), "a b");
    // 0xA0 (no-break space) is above 32 and stays.
    EXPECT_EQ(Trim("\xA0x"), "\xA0x");
}

TEST(Text, AsciiFoldingLeavesAccentedLettersAlone) {
    EXPECT_TRUE(EqualsIgnoreAsciiCase("Forest", "FOREST"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC9lan", "\xE9lan")); // É vs é
    EXPECT_FALSE(EqualsIgnoreAsciiCase("abc", "abcd"));
}

TEST(Text, AnsiFoldingCoversWindows1252Letters) {
    EXPECT_TRUE(EqualsIgnoreAnsiCase("\xC9lan", "\xE9lan"));
    EXPECT_TRUE(EqualsIgnoreAnsiCase("\x8A", "\x9A"));  // Š š
    EXPECT_TRUE(EqualsIgnoreAnsiCase("\x9F", "\xFF"));  // Ÿ ÿ
    EXPECT_FALSE(EqualsIgnoreAnsiCase("\xD7", "\xF7")); // × and ÷ are not a letter pair
    EXPECT_TRUE(StartsWithIgnoreAnsiCase("Grove Tender", "grOVE"));
    EXPECT_FALSE(StartsWithIgnoreAnsiCase("Gr", "Grove"));
}

TEST(Text, OrdinalComparisonIsByteOrder) {
    EXPECT_EQ(CompareOrdinal("B", "a"), -1); // capitals before small letters
    EXPECT_EQ(CompareOrdinal("abc", "abc"), 0);
    EXPECT_EQ(CompareOrdinal("abc", "ab"), 1);
    EXPECT_EQ(CompareOrdinal("\xE9", "z"), 1); // high bytes sort after ASCII
}

TEST(Text, Windows1252RoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign, not a C1 control
    EXPECT_EQ(Cp1252ToUtf8("\x92"), "\xE2\x80\x99");  // right single quotation mark
    EXPECT_EQ(Cp1252ToUtf8("\xC6"), "\xC3\x86");      // Æ
    EXPECT_EQ(Utf8ToCp1252("\xD0\x96"), "?");         // Cyrillic has no place in 1252
    EXPECT_EQ(Utf8ToCp1252("a\xFF\xE2\x82"), "a???"); // each malformed byte becomes one "?"
}

TEST(Text, ParseIntAcceptsOnlyWholeIntegers) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt("-7"), -7);
    EXPECT_EQ(ParseInt("+3"), 3);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), INT32_MIN);
    EXPECT_FALSE(ParseInt("2147483648"));
    EXPECT_FALSE(ParseInt("99999999999999999999"));
    EXPECT_FALSE(ParseInt(""));
    EXPECT_FALSE(ParseInt("-"));
    EXPECT_FALSE(ParseInt(" 5"));
    EXPECT_FALSE(ParseInt("5x"));
}

TEST(Text, QuotedLineShowsControlBytesAndCutsLongLines) {
    EXPECT_EQ(QuoteLine("VR;X;\0;5"sv), "VR;X;\\0;5");
    EXPECT_EQ(QuoteLine("a\tb\r\x01\x7F\x81"), "a\\tb\\r\\x01\\x7F\\x81");
    EXPECT_EQ(QuoteLine("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC"); // é € as UTF-8
    const std::string longLine(1'000'000, 'x');
    EXPECT_EQ(QuoteLine(longLine), std::string(kQuotedLineBytes, 'x') + "\xE2\x80\xA6");
    EXPECT_EQ(QuoteLine(longLine.substr(0, kQuotedLineBytes)), longLine.substr(0, kQuotedLineBytes));
}
