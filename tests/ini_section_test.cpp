#include "base/ini_section.h"
#include "base/profile.h"
#include "base/setup_table.h"
#include "test_helpers.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

const char kContent[] = "[Main]\n"
                        "greeting = \"Hello, world\"\n"
                        "quoted = \\\"yes\\\"\n"
                        "a=b=c\n"
                        "//comment = 1\n"
                        "/single=2\n"
                        "spaced   = 7\n"
                        "flag\n"
                        "dup = 1\n"
                        "dup = 2\n"
                        "mixed = a\\b\"c\"d\n"
                        "Case = upper\n"
                        "=orphan\n"
                        "[Other]\n"
                        "greeting = other\n";

} // namespace

TEST(IniSection, ParsesQuotesEscapesSeparatorsAndComments) {
    LoggedTest t;
    t.dir.Write("data/a.ini", kContent);
    CIniSection s;
    EXPECT_GT(s.Load("main", "data/a.ini"), 0);
    // Keys keep their case and lose trailing blanks; values keep the blank after '='; a leading
    // '/' makes a comment; the first of two keys wins. In "mixed" the escape survives the
    // 'b' and lets the first quote through; the second is dropped.
    std::string got;
    for (const char* key :
         {"greeting", "quoted", "a", "spaced", "flag", "dup", "mixed", "case", "Case", ""})
        got += std::string(key) + "=" + s.GetString(key) + "|";
    EXPECT_EQ(got, "greeting= Hello, world|quoted= \"yes\"|a=b=c|spaced= 7|flag=|dup= 1|"
                   "mixed= ab\"cd|case=|Case= upper|=orphan|");
    EXPECT_FALSE(s.HasKey("//comment") || s.HasKey("/single"));
    EXPECT_TRUE(s.HasKey("flag"));
    EXPECT_EQ(s.Count(), 10u);
    EXPECT_EQ(s.SectionName(), "main");

    // A missing file or section leaves the section empty, without a report.
    EXPECT_EQ(s.Load("Main", "data/none.ini"), 0);
    EXPECT_EQ(s.Count(), 0u);
    EXPECT_FLOAT_EQ(s.GetFloat("greeting", 2.0f), 2.0f);
    s.Load("Main", "data/a.ini");
    EXPECT_EQ(s.Load("Nowhere", "data/a.ini"), 0);
    EXPECT_EQ(s.GetString("greeting"), "");
    EXPECT_EQ(t.LogText().find("Failed"), std::string::npos);
}

TEST(IniSection, NumberReads) {
    LoggedTest t;
    t.dir.Write("data/n.ini", "[n]\nhalf = 3.5abc\nword = abc\nempty =\nneg =   -1.25\n"
                              "big = 99999999999999\nlate = " +
                                  std::string(63, ' ') + "5\n");
    CIniSection s;
    s.Load("n", "data/n.ini");
    // The default stands only for a missing or empty value; only the first 63 characters are
    // read, and for "late" they are all blanks.
    std::string got;
    for (const char* key : {"absent", "half", "word", "empty", "neg", "late"})
        got += std::string(key) + "=" + std::to_string(s.GetFloat(key, 0.5f)) + " ";
    EXPECT_EQ(got, "absent=0.500000 half=3.500000 word=0.000000 empty=0.500000 neg=-1.250000 "
                   "late=0.000000 ");
    EXPECT_EQ(s.GetInt("half"), 3);
    EXPECT_EQ(s.GetInt("absent"), 0);
    EXPECT_EQ(s.GetInt("big"), INT_MAX);
}

TEST(IniSection, SetFloatChangesEveryMatchAndAddsNothing) {
    LoggedTest t;
    t.dir.Write("data/a.ini", kContent);
    CIniSection s;
    s.Load("Main", "data/a.ini");
    s.SetFloat("dup", 0.5f);
    s.SetFloat("missing", 1.0f);
    EXPECT_EQ(s.Entries()[5].value, "0.50");
    EXPECT_EQ(s.Entries()[6].value, "0.50");
    EXPECT_FALSE(s.HasKey("missing"));
    s.SetFloat("a", 1e30f);
    EXPECT_EQ(s.GetString("a").size(), 31u);
}

TEST(IniSection, IteratorsShareOneCursorAndReloadResetsIt) {
    LoggedTest t;
    t.dir.Write("data/i.ini", "[i]\nk1=v1\nk2=v2\nk3=v3\n");
    CIniSection s;
    s.Load("i", "data/i.ini");
    std::string text;
    ASSERT_TRUE(s.NextKey(text));
    EXPECT_EQ(text, "k1");
    ASSERT_TRUE(s.NextValue(text));
    EXPECT_EQ(text, "v2");
    ASSERT_TRUE(s.NextKey(text));
    EXPECT_EQ(text, "k3");
    EXPECT_FALSE(s.NextValue(text));
    s.Load("i", "data/i.ini");
    ASSERT_TRUE(s.NextKey(text));
    EXPECT_EQ(text, "k1");
}

TEST(IniSection, RawPairsSkipEscapesAndStopAtBracketOrEnd) {
    LoggedTest t;
    t.dir.Write("data/r.ini", "[r]\nname = \"Quoted\\\"\"\n=novalue\nbare\nlongkey=longvalue\n"
                              "empty=\nhas[bracket=1\nafter=1\n");
    CIniSection s;
    s.Load("r", "data/r.ini");
    std::string key, value;
    ASSERT_TRUE(s.NextRawPair(key, 64, value, 64));
    EXPECT_EQ(key, "name ");
    EXPECT_EQ(value, " \"Quoted\\\"\"");
    ASSERT_TRUE(s.NextRawPair(key, 64, value, 64));
    EXPECT_EQ(key, "");
    EXPECT_EQ(value, "novalue");
    ASSERT_TRUE(s.NextRawPair(key, 64, value, 64));
    EXPECT_EQ(key, "bare");
    EXPECT_EQ(value, "");
    ASSERT_TRUE(s.NextRawPair(key, 5, value, 5));
    EXPECT_EQ(key, "long");
    EXPECT_EQ(value, "long");
    ASSERT_TRUE(s.NextRawPair(key, 64, value, 64));
    EXPECT_EQ(key, "empty");
    EXPECT_EQ(value, "");
    EXPECT_FALSE(s.NextRawPair(key, 64, value, 64));

    CIniSection empty;
    empty.Load("none", "data/r.ini");
    EXPECT_FALSE(empty.NextRawPair(key, 64, value, 64));
}

TEST(IniSection, SaveWritesEveryEntryAndReloadsTheSameKeys) {
    LoggedTest t;
    t.dir.Write("data/s.ini", "[Save]\nalpha=1\n// note\nbeta = two words\nalpha=3\n");
    CIniSection s;
    s.Load("Save", "data/s.ini");
    EXPECT_TRUE(s.Save("data/out.ini"));
    EXPECT_EQ(t.dir.Read("data/out.ini"), "[Save]\nalpha = 1\nbeta =  two words\nalpha = 3\n");
    CIniSection back;
    back.Load("save", "data/out.ini");
    ASSERT_EQ(back.Count(), 3u);
    EXPECT_EQ(back.Entries()[0].key, "alpha");
    EXPECT_EQ(back.Entries()[0].value, " 1");
    EXPECT_EQ(back.Entries()[1].value, "  two words");

    // A folder that does not exist cannot be written; nothing is created and nothing breaks.
    EXPECT_FALSE(s.Save("data/missing/out.ini"));
    t.dir.Write("data/keep.ini", "old");
    t.dir.Write("data/keep.ini.tmp/blocker", "");
    EXPECT_FALSE(s.Save("data/keep.ini"));
    EXPECT_EQ(t.dir.Read("data/keep.ini"), "old");
}

TEST(IniSection, OverlongKeysValuesAndSectionsAreCut) {
    LoggedTest t;
    std::string longKey(300, 'k');
    std::string longValue(3000, 'v');
    std::string text = "[big]\n" + longKey + "=1\nvalue=" + longValue + "\nunterminated = \"abc";
    t.dir.Write("data/long.ini", text);
    CIniSection s;
    s.Load("big", "data/long.ini");
    ASSERT_EQ(s.Count(), 3u);
    EXPECT_EQ(s.Entries()[0].key, std::string(255, 'k'));
    EXPECT_EQ(s.Entries()[0].value, "1");
    EXPECT_EQ(s.GetString("value"), std::string(2031, 'v'));
    EXPECT_EQ(s.GetString("unterminated"), " abc");

    std::string huge = "[huge]\n";
    for (int i = 0; i < 3000; ++i)
        huge += "key" + std::to_string(i) + " = " + std::string(60, 'x') + "\n";
    t.dir.Write("data/huge.ini", huge);
    int got = s.Load("huge", "data/huge.ini");
    EXPECT_GT(got, 127000);
    EXPECT_LT(got, 128000);
    EXPECT_GT(s.Count(), 1500u);
    EXPECT_LT(s.Count(), 3000u);
    EXPECT_EQ(s.Entries()[0].key, "key0");
}

TEST(IniSection, BinaryJunkLoadsWithoutHarm) {
    LoggedTest t;
    std::string junk = "[bin]\n";
    unsigned seed = 7;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk += static_cast<char>((seed >> 16) & 0xff);
    }
    t.dir.Write("data/bin.ini", junk);
    CIniSection s;
    s.Load("bin", "data/bin.ini");
    for (const CIniSection::Entry& e : s.Entries()) {
        EXPECT_LE(e.key.size(), CIniSection::kMaxKey);
        EXPECT_LE(e.value.size(), CIniSection::kMaxValue);
    }
    std::string key, value;
    s.Load("bin", "data/bin.ini");
    while (s.NextRawPair(key, 16, value, 16))
        EXPECT_LE(key.size(), 15u);
}

TEST(IniSection, SingleValueReadsAndWrites) {
    LoggedTest t;
    t.dir.Write("data/cfg.muf", "[config]\nempty=\nrate = 2.5\n");
    EXPECT_FLOAT_EQ(ReadIniFloat("config", "absent", 5.0f, "data/cfg.muf"), 0.0f);
    EXPECT_FLOAT_EQ(ReadIniFloat("config", "empty", 5.0f, "data/cfg.muf"), 5.0f);
    EXPECT_FLOAT_EQ(ReadIniFloat("config", "rate", 5.0f, "data/cfg.muf"), 2.5f);
    EXPECT_TRUE(WriteIniFloat("config", "rate", 0.25f, "data/cfg.muf"));
    EXPECT_TRUE(WriteIniInt("config", "IsWindowed", 1, "data/cfg.muf"));
    EXPECT_EQ(GetProfileString("config", "rate", "", "data/cfg.muf"), "0.250000");
    EXPECT_EQ(GetProfileInt("config", "IsWindowed", 0, "data/cfg.muf"), 1);
}

TEST(IniSection, SetupTableReportsMissingTuningKeys) {
    LoggedTest t;
    std::string text = "[SETUP]\npolicies = data/simulation/policies.csv\n";
    for (const char* key : kSetupTuningKeys)
        if (std::string(key) != "EVENTS_DISABLE")
            text += std::string(key) + " = 0.25\n";
    t.dir.Write("data/data.ini", text);
    EXPECT_GT(LoadSetupTable(), 0);
    EXPECT_FLOAT_EQ(SetupFloat("MINISTER_RESIGN_CHANCE"), 0.25f);
    EXPECT_FLOAT_EQ(SetupFloat("EVENTS_DISABLE"), 0.0f);
    EXPECT_EQ(SetupString(kSetupPolicies), "data/simulation/policies.csv");
    EXPECT_EQ(MissingSetupTuningKeys(), std::vector<std::string>{"EVENTS_DISABLE"});
}
