#include "base/random.h"
#include "base/translation.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

size_t CountOf(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Every test gets its own strings file under a scratch data root, and a table that reads it.
class Translation : public ::testing::Test {
protected:
    void SetUp() override { ResetTranslations(); }
    void TearDown() override { ResetTranslations(); }
    void WriteStrings(const std::string& text) { env.dir.Write("data/strings.ini", text); }

    LoggedTest env;
};

} // namespace

TEST_F(Translation, BucketsFollowFirstAndLastCharacterInFileOrder) {
    EXPECT_EQ(GHashTable::BucketOf("Ab"), 0 + 1);
    EXPECT_EQ(GHashTable::BucketOf("zZ"), 25 + 25);
    EXPECT_EQ(GHashTable::BucketOf("9x"), 26 + 23);
    EXPECT_EQ(GHashTable::BucketOf("\xc3\xa9"), 26 + 26); // bytes above ASCII are not letters
    EXPECT_EQ(GHashTable::BucketOf(""), 52);

    WriteStrings("[strings]\nBA=second in file\nAB=first\nAX=other\nBA=shadowed\n");
    EXPECT_EQ(TranslationCount(), 4u);
    const auto& bucket = TranslationTable().Bucket(1);
    ASSERT_EQ(bucket.size(), 3u);
    EXPECT_EQ(bucket[1].key, "AB");
    EXPECT_EQ(bucket[2].value, "shadowed");
    EXPECT_EQ(Translate("BA"), "second in file");
}

TEST_F(Translation, KeysLoseEveryBlankAndMatchExactly) {
    WriteStrings("[Strings]\n"
                 "MY KEY = padded\n"
                 "TAB\tBED\t=tabs\n"
                 "Hello=lower\n"
                 "HELLO=upper\n"
                 "//NOTE=not a comment here\n"
                 "LONELY\n"
                 "EMPTY=\n"
                 "[other]\n"
                 "ELSEWHERE=no\n");
    EXPECT_EQ(TranslationCount(), 7u);
    // Only the key is squeezed: the value keeps the blank after '='. A key without a value,
    // with an empty one or from another section translates to itself.
    std::string got;
    for (const char* key :
         {"MYKEY", "TABBED", "Hello", "HELLO", "hello", "//NOTE", "LONELY", "EMPTY", "ELSEWHERE"})
        got += Translate(key) + "|";
    EXPECT_EQ(got, " padded|tabs|lower|upper|hello|not a comment here|LONELY|EMPTY|ELSEWHERE|");
}

TEST_F(Translation, EqualsSignsQuotesAndEscapes) {
    WriteStrings("[strings]\n"
                 "TWO=a=b=c\n"
                 "LITERAL=1 \\= 1\n"
                 "QUOTED=\"Hello, world\"\n"
                 "INNER=say \\\"hi\\\" now\n"
                 "STICKY=x\\yz=w\n"
                 "QUOTES=\"\"\n");
    // Unescaped '=' and quotes are dropped; an escape holds over ordinary characters until an
    // '=' or quote uses it; a value of nothing but quotes is empty.
    std::string got;
    for (const char* key : {"TWO", "LITERAL", "QUOTED", "INNER", "STICKY", "QUOTES"})
        got += Translate(key) + "|";
    EXPECT_EQ(got, "abc|1 = 1|Hello, world|say \"hi\" now|xyz=w|QUOTES|");
}

TEST_F(Translation, LoadsOnceUntilResetAndCutsOverlongEntries) {
    EXPECT_EQ(Translate("GUI_SIMULATION_EFFECTS"), "GUI_SIMULATION_EFFECTS");
    EXPECT_EQ(TranslationCount(), 0u);

    std::string key(300, 'K');
    std::string value(3000, 'v');
    WriteStrings("[strings]\n" + key + "=" + value + "\n[grades]\n0=before\n");
    EXPECT_EQ(Translate("KEY"), "KEY");
    ResetTranslations();
    EXPECT_EQ(Translate(key.substr(0, 255)), value.substr(0, 2031));
    EXPECT_EQ(Translate(key), key);
    EXPECT_EQ(GetGradedText("grades", 0.0f), "before");

    WriteStrings("[strings]\nKEY=new\n[grades]\n0=after\n");
    EXPECT_EQ(Translate("KEY"), "KEY");
    EXPECT_EQ(GetGradedText("grades", 0.0f), "before");
    ResetTranslations();
    EXPECT_EQ(Translate("KEY"), "new");
    EXPECT_EQ(GetGradedText("grades", 0.0f), "after");
}

TEST(TranslationReplaceAll, ReplacesEveryOccurrenceAndAlwaysFinishes) {
    // Text, placeholder, replacement, result. An empty placeholder changes nothing, and a
    // replacement that holds its own placeholder is inserted once per occurrence.
    const std::string manyA(2000, 'a'), manyB(2000, 'b');
    const std::string cases[][4] = {
        {"<NAME> met <NAME>; <NAME>!", "<NAME>", "Ada", "Ada met Ada; Ada!"},
        {"<A><A><A>", "<A>", "", ""},
        {"keep", "", "x", "keep"},
        {"<P> and <P>", "<P>", "[<P>]", "[<P>] and [<P>]"},
        {manyA + "<N>" + manyB, "<N>", "n", manyA + "n" + manyB}};
    for (const auto& c : cases) {
        std::string text = c[0];
        ReplaceAll(text, c[1], c[2]);
        EXPECT_EQ(text, c[3]) << c[1];
    }
}

TEST_F(Translation, ExpandTextFillsTokensAndLogsMissingOnes) {
    WriteStrings("[strings]\n"
                 "POLICY_CHANGE=Takes <MONTHS> months\n"
                 "DEBT_INTEREST=Interest on <DEBT>, <DEBT> again, <RATE>%\n"
                 "BOTH=<A>-<B>\n"
                 "OPEN=a <b without end\n");
    EXPECT_EQ(ExpandText("POLICY_CHANGE", "MONTHS=3,"), "Takes 3 months");
    EXPECT_EQ(ExpandText("DEBT_INTEREST", "DEBT=$5 Bn,RATE=4"),
              "Interest on $5 Bn, $5 Bn again, 4%");
    EXPECT_EQ(ExpandText("OPEN", ""), "a <b without end");
    EXPECT_EQ(ExpandText("NO_SUCH_KEY", "X=1,"), "NO_SUCH_KEY");
    EXPECT_EQ(CountOf(env.LogText(), "failed to find token"), 0u);

    EXPECT_EQ(ExpandText("POLICY_CHANGE", ""), "Takes  months");
    EXPECT_EQ(CountOf(env.LogText(), "failed to find token:MONTHS\n"), 1u);
    EXPECT_EQ(ExpandText("BOTH", "a=1,B=2,"), "-2");
    EXPECT_EQ(CountOf(env.LogText(), "failed to find token:A\n"), 1u);
}

TEST_F(Translation, GradedTextPicksByLevel) {
    WriteStrings("[report_global_economy]\n0=zero\n1=one\n2=two\n3=three\n"
                 "[empty_grades]\n"
                 "[single]\n0=only\n");
    // Four texts split 0 … 1 into quarters; anything out of range, NaN included, is held to the
    // nearest end.
    std::string got;
    for (float level : {0.0f, 0.24f, 0.25f, 0.5f, 1.0f, 1.7f, 1e30f, -5.0f, NAN})
        got += GetGradedText("report_global_economy", level) + " ";
    EXPECT_EQ(got, "zero zero one two three three three zero zero ");
    EXPECT_EQ(GetGradedText("single", 1.0f), "only");
    EXPECT_EQ(GetGradedText("empty_grades", 0.5f), "");
    EXPECT_EQ(GetGradedText("no_such_section", 0.5f), "");
}

TEST_F(Translation, RandomTextComesFromTheSectionThroughTheGameRandomSource) {
    WriteStrings("[REPORT_SUMMARY_DEFICIT]\n0=alpha\n1=beta\n2=gamma\n[empty]\n");
    SeedRandom(1234);
    int expected = RandomIndex(3);
    SeedRandom(1234);
    const char* names[] = {"alpha", "beta", "gamma"};
    EXPECT_EQ(GetRandomText("REPORT_SUMMARY_DEFICIT"), names[expected]);

    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i)
        seen.insert(GetRandomText("REPORT_SUMMARY_DEFICIT"));
    EXPECT_EQ(seen, (std::set<std::string>{"alpha", "beta", "gamma"}));

    EXPECT_EQ(GetRandomText("empty"), "");
    EXPECT_EQ(GetRandomText("missing"), "");
    EXPECT_EQ(CountOf(env.LogText(), "WARNING - No random translation keys found\n"), 2u);
}
