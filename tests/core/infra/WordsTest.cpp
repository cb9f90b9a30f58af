#include "core/infra/Words.h"

#include <gtest/gtest.h>

using namespace tovel;

// Every file format is read with these two helpers: a wrong field boundary shifts every field.

TEST(CountWords, CountsRunsOfNonDelimiters) {
    EXPECT_EQ(CountWords("  a  b ", " "), 2);
    EXPECT_EQ(CountWords("", " "), 0);
    EXPECT_EQ(CountWords(";;;", ";"), 0);
    EXPECT_EQ(CountWords("abc", ";"), 1);
    EXPECT_EQ(CountWords("a;b c", "; "), 3); // several delimiters in one set
    EXPECT_EQ(CountWords(";a;;b;", ";"), 2);
}

TEST(NthWord, MergedDelimitersSkipRunsAndLeadingDelimiters) {
    EXPECT_EQ(NthWord(2, "a;;b", ";", true), "b");
    EXPECT_EQ(NthWord(1, ";;a", ";", true), "a");
    EXPECT_EQ(NthWord(5, "a b", " ", true), "");
    EXPECT_EQ(NthWord(2, "  one   two  ", " ", true), "two");
    EXPECT_EQ(NthWord(3, "  one   two  ", " ", true), "");
    EXPECT_EQ(NthWord(0, "a b", " ", true), "");
    EXPECT_EQ(NthWord(-1, "a b", " ", true), "");
}

TEST(NthWord, PositionalFieldsKeepEmptyFields) {
    EXPECT_EQ(NthWord(1, ";a", ";", false), "");
    EXPECT_EQ(NthWord(2, ";a", ";", false), "a");
    EXPECT_EQ(NthWord(1, "a;;b", ";", false), "a");
    EXPECT_EQ(NthWord(2, "a;;b", ";", false), "");
    EXPECT_EQ(NthWord(3, "a;;b", ";", false), "b");
    EXPECT_EQ(NthWord(3, ";;a", ";", false), "a");
    EXPECT_EQ(NthWord(2, ";;a", ";", false), "");
    EXPECT_EQ(NthWord(0, "a;b", ";", false), "");
}

TEST(NthWord, PositionalTrailingDelimiters) {
    // "a;" has one field; "a;;" has "a" and "".
    EXPECT_EQ(NthWord(1, "a;", ";", false), "a");
    EXPECT_EQ(NthWord(2, "a;", ";", false), "");
    EXPECT_EQ(NthWord(2, "a;;", ";", false), "");
    EXPECT_EQ(NthWord(7, "a;;", ";", false), "");
    EXPECT_EQ(NthWord(1, "", ";", false), "");
}

TEST(NthWord, DatabaseHeadLineFields) {
    const std::string_view head = "AB;Grove Tender;C;7;D+;AB+CD+;";
    EXPECT_EQ(Field(1, head), "AB");
    EXPECT_EQ(Field(2, head), "Grove Tender");
    EXPECT_EQ(Field(3, head), "C");
    EXPECT_EQ(Field(4, head), "7");
    EXPECT_EQ(Field(5, head), "D+");
    EXPECT_EQ(Field(6, head), "AB+CD+");
    EXPECT_EQ(Field(7, head), "");
    // An empty banned-formats field does not shift the printings.
    EXPECT_EQ(Field(6, "AB;Name;R;5;;AB+;"), "AB+");
    // A cost line with empty cost and power/toughness.
    EXPECT_EQ(Field(1, ";Land;;"), "");
    EXPECT_EQ(Field(2, ";Land;;"), "Land");
    EXPECT_EQ(Field(3, ";Land;;"), "");
}

TEST(NthWord, HighBytesAreOrdinaryCharacters) {
    const std::string text = "\xC6ther;\x92s";
    EXPECT_EQ(NthWord(2, text, ";", false), "\x92s");
    EXPECT_EQ(CountWords(text, ";"), 2);
}
