#include "base/profile.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

namespace {

const char kFile[] = "[Other]\n"
                     "x=1\n"
                     "[MAIN]\n"
                     "  a = 1\n"
                     "; a = comment\n"
                     "\n"
                     "b=\"two words\"\n"
                     "[main]\n"
                     "c=3\n";

std::string Section(const std::string& file, const std::string& name, size_t capacity,
                    size_t& used) {
    std::vector<char> buffer(capacity, 'z');
    used = ReadProfileSection(file, name, buffer.data(), buffer.size());
    EXPECT_LT(used, capacity);
    EXPECT_EQ(buffer[used], '\0');
    return std::string(buffer.data(), used);
}

} // namespace

TEST(Profile, SectionIsFoundWithoutCaseAndSkipsComments) {
    LoggedTest t;
    t.dir.Write("data/p.ini", kFile);
    size_t used;
    EXPECT_EQ(Section("data/p.ini", "main", 256, used),
              std::string("a = 1\0b=\"two words\"\0", 20));
    EXPECT_EQ(used, 20u);
    EXPECT_EQ(Section("data/p.ini", "absent", 256, used), "");
    EXPECT_EQ(Section("data/none.ini", "main", 256, used), "");
}

TEST(Profile, SectionIsCutAtCapacity) {
    LoggedTest t;
    t.dir.Write("data/p.ini", "[s]\nabcdefghij\nklm\n");
    size_t used;
    std::string got = Section("data/p.ini", "s", 8, used);
    EXPECT_EQ(got, std::string("abcdef\0", 7));
}

TEST(Profile, SingleValues) {
    LoggedTest t;
    t.dir.Write("data/p.ini", kFile);
    EXPECT_EQ(GetProfileString("Main", "A", "none", "data/p.ini"), "1");
    EXPECT_EQ(GetProfileString("main", "b", "none", "data/p.ini"), "two words");
    EXPECT_EQ(GetProfileString("main", "b", "none", "data/p.ini", 3), "two");
    // Only the first [main] counts.
    EXPECT_EQ(GetProfileString("main", "c", "none", "data/p.ini"), "none");
    EXPECT_EQ(GetProfileString("main", "x", "none", "data/none.ini"), "none");
    EXPECT_EQ(GetProfileInt("other", "x", 5, "data/p.ini"), 1);
    EXPECT_EQ(GetProfileInt("other", "y", 5, "data/p.ini"), 5);
}

TEST(Profile, WriteReplacesAddsAndCreates) {
    LoggedTest t;
    t.dir.Write("data/w.ini", "[config]\n; keep me\nIsWindowed=1\n\n[other]\nz=9\n");
    EXPECT_TRUE(WriteProfileString("CONFIG", "IsWindowed", "0", "data/w.ini"));
    EXPECT_TRUE(WriteProfileString("config", "UseRGB", "1", "data/w.ini"));
    EXPECT_TRUE(WriteProfileString("new", "k", "v", "data/w.ini"));
    EXPECT_EQ(t.dir.Read("data/w.ini"), "[config]\n; keep me\nIsWindowed=0\nUseRGB=1\n\n"
                                        "[other]\nz=9\n\n[new]\nk=v\n");
    EXPECT_TRUE(WriteProfileString("s", "k", "v", "data/fresh.ini"));
    EXPECT_EQ(t.dir.Read("data/fresh.ini"), "[s]\nk=v\n");
    EXPECT_FALSE(WriteProfileString("s", "k", "v", "data/missing/x.ini"));
}
