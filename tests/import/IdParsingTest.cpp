#include "import/IdParsing.h"

#include <gtest/gtest.h>

TEST(IdParsing, IdNumbersOfElementsAndQualifiedTypes) {
    EXPECT_EQ(123, ParseId("_123"));
    EXPECT_EQ(123, ParseId("_123c")); // a cv-qualified type shares its type's number
    EXPECT_EQ(12, ParseId("_12cv"));
    EXPECT_EQ(0, ParseId("f3")); // file ids carry no number this way
    EXPECT_EQ(0, ParseId(""));
    EXPECT_EQ(0, ParseId("x"));
    EXPECT_EQ(0, ParseId("_"));
    EXPECT_EQ(7, ParseId("7"));    // no "_": the digits at the start
    EXPECT_EQ(9, ParseId("ab_9")); // characters before the "_" are skipped
    EXPECT_EQ(2147483647, ParseId("_2147483647"));
    EXPECT_EQ(0, ParseId("_2147483648")); // past the range of int: no number
    EXPECT_EQ(0, ParseId("_99999999999999999999999"));
}

TEST(IdParsing, TokensMoveTheCursorFromUnderscoreToUnderscore) {
    std::string text = "_12 _13c _x";
    std::string::size_type cursor = 0;
    EXPECT_EQ("12", NextIdToken(text, cursor));
    EXPECT_EQ(4u, cursor);
    EXPECT_EQ("13", NextIdToken(text, cursor));
    EXPECT_EQ(9u, cursor);
    EXPECT_EQ("", NextIdToken(text, cursor));
    EXPECT_EQ(std::string::npos, cursor);
    EXPECT_EQ("", NextIdToken(text, cursor)); // stays at npos
    EXPECT_EQ(std::string::npos, cursor);

    std::string noUnderscore = "42abc";
    cursor = 0;
    EXPECT_EQ("42", NextIdToken(noUnderscore, cursor));
    EXPECT_EQ(std::string::npos, cursor);
}

TEST(IdParsing, ListsSkipSeparatorsAndAccessPrefixes) {
    std::vector<int> list;
    ParseIdList("", list);
    EXPECT_TRUE(list.empty());
    ParseIdList("_12 _13 ", list);
    EXPECT_EQ((std::vector<int>{12, 13}), list);
    list.clear();
    ParseIdList("protected:_125 private:_7c", list);
    EXPECT_EQ((std::vector<int>{125, 7}), list);
    list.clear();
    ParseIdList("junk", list); // one token without a number
    EXPECT_EQ((std::vector<int>{0}), list);
}

TEST(IdParsing, NumbersReadLikeAtoiButDefinedPastTheRangeOfInt) {
    EXPECT_EQ(0, ParseNumber(""));
    EXPECT_EQ(12, ParseNumber("12abc"));
    EXPECT_EQ(-3, ParseNumber("-3"));
    EXPECT_EQ(5, ParseNumber(" 5"));
    EXPECT_EQ(0, ParseNumber("x5"));
    EXPECT_EQ(-1, ParseNumber("99999999999"));
    EXPECT_EQ(-1, ParseNumber("-99999999999"));
}
