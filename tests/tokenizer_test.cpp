#include "base/tokenizer.h"

#include <gtest/gtest.h>

TEST(Tokenizer, QuotedCellKeepsItsSeparator) {
    CTokenizer t("#,\"a, b\",12 ,3.5");
    EXPECT_EQ(t.NextToken(), "#");
    EXPECT_EQ(t.NextToken(), "a, b");
    EXPECT_EQ(t.NextInt(), 12);
    EXPECT_FALSE(t.AtEnd());
    EXPECT_FLOAT_EQ(t.NextFloat(), 3.5f);
    EXPECT_TRUE(t.AtEnd());
    // Reading past the end is harmless.
    EXPECT_EQ(t.NextToken(), "");
    EXPECT_EQ(t.NextInt(), 0);

    t.Begin("ab\"c,d\"e,f");
    EXPECT_EQ(t.NextToken(), "abc,de");
    EXPECT_EQ(t.NextToken(), "f");
}

TEST(Tokenizer, UnterminatedQuoteRunsToTheEnd) {
    CTokenizer t("#,\"abc,def,1");
    t.NextToken();
    EXPECT_EQ(t.NextToken(), "abc,def,1");
    EXPECT_TRUE(t.AtEnd());
    EXPECT_EQ(t.NextString(), "");
}

TEST(Tokenizer, LineEndStaysInTheLastCellUntilTrimmed) {
    CTokenizer t("#,name ,,7\r\n");
    t.NextToken();
    EXPECT_EQ(t.NextString(), "name");
    EXPECT_EQ(t.NextToken(), "");
    EXPECT_EQ(t.NextToken(), "7\r\n");
    t.Begin("#,7\r\n,word\n,-2.5e1x\n");
    t.NextToken();
    EXPECT_EQ(t.NextInt(), 7);
    EXPECT_EQ(t.NextInt(), 0);
    EXPECT_FLOAT_EQ(t.NextFloat(), -25.0f);

    t.Begin("a;b,c;d", ';');
    EXPECT_EQ(t.NextToken(), "a");
    EXPECT_EQ(t.NextToken(), "b,c");
}

TEST(Tokenizer, LongAndBinaryRows) {
    std::string row = "#," + std::string(5000, 'x') + "," + std::string("\0\xff\"", 3) + ",9";
    CTokenizer t(row);
    t.NextToken();
    EXPECT_EQ(t.NextToken().size(), 5000u);
    // The stray quote swallows the rest of the row into one cell.
    EXPECT_EQ(t.NextToken(), std::string("\0\xff,9", 4));
    EXPECT_TRUE(t.AtEnd());
}
