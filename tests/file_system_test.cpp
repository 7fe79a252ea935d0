#include "base/file_system.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

TEST(FileSystem, ResolvesAgainstTheDataRoot) {
    SetDataRoot("/root/game");
    EXPECT_EQ(ResolveDataPath("data/data.ini"), "/root/game/data/data.ini");
    EXPECT_EQ(ResolveDataPath("./data/x.txt"), "/root/game/data/x.txt");
    EXPECT_EQ(ResolveDataPath("data\\options.txt"), "/root/game/data/options.txt");
    EXPECT_EQ(ResolveDataPath("/abs/file"), "/abs/file");
    SetDataRoot("");
    EXPECT_EQ(GetDataRoot(), ".");
    EXPECT_EQ(ResolveDataPath(".\\data\\x.txt"), "data/x.txt");
}

TEST(FileSystem, ScanListsMatchesSortedAndAppends) {
    LoggedTest t;
    t.dir.Write("data/m/c.txt", "");
    t.dir.Write("data/m/a.txt", "");
    t.dir.Write("data/m/B.txt", "");
    t.dir.Write("data/m/notes.csv", "");
    t.dir.Write("data/m/a.txt.bak", "");
    t.dir.Write("data/other/z1.txt", "");
    CFileList list;
    list.Scan("data/m/*.txt");
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"B.txt", "a.txt", "c.txt"}));
    EXPECT_EQ(list.Directory(), "data/m");
    list.Scan("data/other/z?.txt");
    EXPECT_EQ(list.Names().size(), 4u);
    EXPECT_EQ(list.Directory(), "data/other");
    list.Scan("data/nowhere/*.txt");
    EXPECT_EQ(list.Names().size(), 4u);

    std::vector<std::string> paths;
    ForEachFile(".\\data\\m\\*.csv", [&](const std::string& p) { paths.push_back(p); });
    EXPECT_EQ(paths, (std::vector<std::string>{"./data/m/notes.csv"}));
    EXPECT_TRUE(WildcardMatch("*a*b?", "xxaxxbc"));
    EXPECT_FALSE(WildcardMatch("*.txt", "a.txt.bak"));
}

TEST(FileSystem, FoldersAreNotFiles) {
    LoggedTest t;
    t.dir.Write("data/folder/inside.txt", "x");
    EXPECT_TRUE(FileExists("data/folder/inside.txt"));
    EXPECT_FALSE(FileExists("data/folder"));
    EXPECT_FALSE(FileExists("data/none.txt"));
    EXPECT_TRUE(DirectoryExists("data/folder"));
    EXPECT_EQ(OpenDataFile("data/folder", "rb"), nullptr);
    EnsureDirectoryExists("data/made");
    EXPECT_TRUE(DirectoryExists("data/made"));
}

TEST(FileSystem, WholeFileReadsAndFailures) {
    LoggedTest t;
    t.dir.Write("data/page.txt", std::string("one\r\ntwo\0three\n", 15));
    std::string text;
    EXPECT_TRUE(ReadWholeFile("data/page.txt", text));
    EXPECT_EQ(text, std::string("one\ntwo\0three\n", 14));
    text = "stale";
    EXPECT_FALSE(ReadWholeFile("data/none.txt", text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(ReadWholeFile("data", text));
    std::string log = t.LogText();
    EXPECT_NE(log.find("Failed to open: data/none.txt\n"), std::string::npos);
    EXPECT_NE(log.find("Failed to open: data\n"), std::string::npos);
}
