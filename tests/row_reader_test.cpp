#include "base/row_reader.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

Rows DirectRows(const std::string& file, DirectRowOptions options = {}) {
    Rows rows;
    ReadDirectRows(
        file, [&](const std::string& row) { rows.push_back(row); }, options);
    return rows;
}

std::string Junk(size_t n) {
    std::string junk;
    unsigned seed = 11;
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk += static_cast<char>((seed >> 16) & 0xff);
    }
    return junk;
}

} // namespace

TEST(Spreadsheet, KeepsHashRowsWithTheirLineEnds) {
    LoggedTest t;
    t.dir.Write("data/t.csv", "Name,Value\n\n #indented,1\n#one,1\r\n#two,2\nnote\n#last,3");
    CSpreadsheet sheet("data/t.csv");
    EXPECT_EQ(sheet.Rows(), (Rows{"#one,1\n", "#two,2\n", "#last,3"}));

    t.dir.Write("data/header.csv", "Name,Value\n\n   \n");
    EXPECT_TRUE(CSpreadsheet("data/header.csv").Rows().empty());
}

TEST(Spreadsheet, MissingFileIsLoggedButShortNameIsNot) {
    LoggedTest t;
    EXPECT_TRUE(CSpreadsheet("data/none.csv").Rows().empty());
    EXPECT_TRUE(CSpreadsheet("x").Rows().empty());
    t.dir.Write("data/folder.csv/inside", "");
    EXPECT_TRUE(CSpreadsheet("data/folder.csv").Rows().empty());
    std::string log = t.LogText();
    EXPECT_NE(log.find("Failed to find spreadsheet: data/none.csv\n"), std::string::npos);
    EXPECT_NE(log.find("Failed to find spreadsheet: data/folder.csv\n"), std::string::npos);
    EXPECT_EQ(log.find("spreadsheet: x\n"), std::string::npos);
}

TEST(Spreadsheet, LongLinesContinueAndNulBytesEndTheRow) {
    LoggedTest t;
    std::string first = "#" + std::string(2045, 'a');
    t.dir.Write("data/long.csv", first + "#tail\n#" + std::string(3000, 'b') + "\n");
    CSpreadsheet sheet("data/long.csv");
    ASSERT_EQ(sheet.Rows().size(), 3u);
    EXPECT_EQ(sheet.Rows()[0], first);
    EXPECT_EQ(sheet.Rows()[1], "#tail\n");
    EXPECT_EQ(sheet.Rows()[2].size(), 2046u);

    t.dir.Write("data/nul.csv", std::string("#ab\0cd,1\n#next\n", 15));
    EXPECT_EQ(CSpreadsheet("data/nul.csv").Rows(), (Rows{"#ab", "#next\n"}));

    t.dir.Write("data/bin.csv", Junk(50000));
    CSpreadsheet junk("data/bin.csv");
    for (const std::string& row : junk.Rows()) {
        EXPECT_EQ(row[0], '#');
        EXPECT_LE(row.size(), 2046u);
    }
}

TEST(DirectRows, ShortRowsAndBufferSize) {
    LoggedTest t;
    t.dir.Write("data/d.csv", "header\n#abcdef\n#abcdefg\n #abcdefgh\n#1234567890\r\n");
    EXPECT_EQ(DirectRows("data/d.csv"), (Rows{"#abcdefg\n", "#1234567890\n"}));
    DirectRowOptions any;
    any.requireLongRows = false;
    EXPECT_EQ(DirectRows("data/d.csv", any), (Rows{"#abcdef\n", "#abcdefg\n", "#1234567890\n"}));

    t.dir.Write("data/manifesto.csv", "#" + std::string(1100, 'm') + "\n");
    DirectRowOptions manifesto;
    manifesto.lineCapacity = 1023;
    Rows rows = DirectRows("data/manifesto.csv", manifesto);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].size(), 1022u);

    bool called = false;
    EXPECT_FALSE(ReadDirectRows("data/none.csv", [&](const std::string&) { called = true; }));
    EXPECT_FALSE(called);
}

TEST(ModRows, FirstLineOfEachFileInNameOrder) {
    LoggedTest t;
    t.dir.Write("mods/b.txt", "#second,mod,row\n#ignored,second,line\n");
    t.dir.Write("mods/a.txt", "#first,mod,row");
    t.dir.Write("mods/c.txt", "#abcd\n");
    t.dir.Write("mods/d.txt", "header line\n#row,on,line,two\n");
    t.dir.Write("mods/e.csv", "#not,matching,pattern\n");
    t.dir.Write("mods/f.txt/inside", "");
    t.dir.Write("mods/g.txt", "#" + std::string(1500, 'g') + "\n");
    t.dir.Write("mods/h.txt", "");
    Rows rows;
    std::vector<std::string> failures;
    ReadModRows(
        "mods/*.txt", [&](const std::string& row) { rows.push_back(row); },
        [&](const std::string& path) { failures.push_back(path); });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "#first,mod,row");
    EXPECT_EQ(rows[1], "#second,mod,row\n");
    EXPECT_EQ(rows[2], "#" + std::string(1022, 'g'));
    EXPECT_EQ(failures, (Rows{"mods/f.txt"}));

    rows.clear();
    ReadModRows("nowhere/*.txt", [&](const std::string& row) { rows.push_back(row); });
    EXPECT_TRUE(rows.empty());
}
