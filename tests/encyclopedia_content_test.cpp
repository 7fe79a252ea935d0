// The encyclopedia pages we ship: one for every policy, simulation value, situation and voter
// group, each of a readable length, written in the markup the details windows lay out, and titled
// and cross-referenced by the names the player sees. A renamed node, a page saved with the wrong
// name, a stray character the fonts cannot draw or a misspelt tag all show up here rather than
// as a blank or garbled window.

#include "base/file_system.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "base/tokenizer.h"
#include "base/translation.h"
#include "test_helpers.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kPageFolder = "data/simulation/encyclopedia/";

// The fonts the game registers at start-up; the front end's layout test checks the pages against
// the text engine itself.
const std::set<std::string> kGameFonts = {
    "tahoma12.dds",    "verdana12.dds",   "verdanabold16.dds", "arial16.dds",
    "arialbold16.dds", "arialbold20.dds", "tahoma30.dds",
};

struct Node {
    std::string name;
    std::string shownName;
};

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

bool IsWholeNumber(const std::string& text, long low, long high) {
    if (text.empty())
        return false;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

// What is wrong with one tag's text (without its angle brackets), or empty when the layout
// understands it: tag names are read in any case, blanks around "=" do not matter, and font
// names are matched in lower case.
std::string TagProblem(const std::string& tag) {
    std::string upper = tag;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    size_t equals = upper.find('=');
    std::string name = Trim(upper.substr(0, equals));
    std::string value =
        equals == std::string::npos ? std::string() : Trim(upper.substr(equals + 1));
    bool hasValue = equals != std::string::npos;

    if (name == "BR" || name == "HR")
        return hasValue ? name + " takes no value" : std::string();
    if (name == "SIZE" || name == "WRAP" || name == "CENTER")
        return IsWholeNumber(value, 1, 4096) ? std::string() : name + " needs a positive number";
    if (name == "FONTNAME") {
        std::string font = value;
        for (char& c : font)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return kGameFonts.count(font) ? std::string() : "no font named " + font;
    }
    if (name == "COLOR") {
        std::stringstream parts(value);
        std::string part;
        int count = 0;
        while (std::getline(parts, part, ',')) {
            if (!IsWholeNumber(Trim(part), 0, 255))
                return "COLOR parts run from 0 to 255";
            ++count;
        }
        return count == 4 ? std::string() : "COLOR needs r,g,b,a";
    }
    return "unknown tag " + name;
}

// The page's text with every tag replaced by a blank; problems with the markup are appended.
std::string StripTags(const std::string& page, std::vector<std::string>& problems) {
    std::string text;
    size_t pos = 0;
    while (pos < page.size()) {
        size_t open = page.find('<', pos);
        size_t stray = page.find('>', pos);
        if (stray < open) {
            problems.push_back("'>' outside a tag");
            text += page.substr(pos, stray - pos) + " ";
            pos = stray + 1;
            continue;
        }
        if (open == std::string::npos) {
            text += page.substr(pos);
            break;
        }
        text += page.substr(pos, open - pos) + " ";
        size_t close = page.find('>', open);
        size_t nextOpen = page.find('<', open + 1);
        if (close == std::string::npos || nextOpen < close) {
            problems.push_back("unclosed tag");
            pos = open + 1;
            continue;
        }
        std::string problem = TagProblem(page.substr(open + 1, close - open - 1));
        if (!problem.empty())
            problems.push_back(problem);
        pos = close + 1;
    }
    return text;
}

size_t WordCount(const std::string& text) {
    std::istringstream words(text);
    std::string word;
    size_t count = 0;
    while (words >> word)
        ++count;
    return count;
}

class EncyclopediaContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(std::string(MARROWGATE_SOURCE_DIR) + "/data",
                                                  t.dir.Path() + "/data");
        LoadSetupTable();
        strings.Load("strings", "data/strings.ini");
        for (const char* table : {kSetupPolicies, kSetupSimulation, kSetupSituations, kSetupVoters})
            ReadTable(table);
    }
    void TearDown() override { GetSetupTable().Clear(); }

    // Reads one content table the way the loaders do; every node's name is its second cell and
    // its shown name the translation of its third.
    void ReadTable(const char* setupKey) {
        std::string file = SetupString(setupKey);
        size_t before = nodes.size();
        bool opened = ReadDirectRows(file, [&](const std::string& row) {
            CTokenizer cells(row);
            cells.NextToken();
            Node node;
            node.name = cells.NextString();
            std::string key = cells.NextString();
            const std::string* shown = strings.Find(key);
            node.shownName = shown ? *shown : key;
            nodes.push_back(node);
        });
        EXPECT_TRUE(opened) << setupKey << ": " << file;
        EXPECT_GT(nodes.size(), before) << "no rows in " << file;
    }

    // Every shipped page, by node; a node without a page is reported by the coverage test.
    std::vector<std::pair<const Node*, std::string>> Pages() const {
        std::vector<std::pair<const Node*, std::string>> pages;
        for (const Node& node : nodes) {
            std::string text;
            if (ReadWholeFile(kPageFolder + node.name + ".txt", text))
                pages.emplace_back(&node, text);
        }
        return pages;
    }

    LoggedTest t;
    GHashTable strings;
    std::vector<Node> nodes;
};

TEST_F(EncyclopediaContentTest, EveryNodeHasItsOwnPageAndEveryPageANode) {
    std::set<std::string> names;
    for (const Node& node : nodes) {
        EXPECT_TRUE(names.insert(node.name).second) << "two nodes named " << node.name;
        EXPECT_TRUE(FileExists(kPageFolder + node.name + ".txt")) << "no page for " << node.name;
    }

    // A page named for no node (a typing slip, or a node renamed since) is never opened.
    CFileList pages;
    pages.Scan(kPageFolder + "*.txt");
    for (const std::string& file : pages.Names()) {
        std::string name = file.substr(0, file.size() - 4);
        EXPECT_TRUE(names.count(name))
            << file << " belongs to no policy, value, situation or group";
    }
}

TEST_F(EncyclopediaContentTest, PagesUseOnlyMarkupAndCharactersTheWindowCanDraw) {
    for (const auto& [node, page] : Pages()) {
        std::vector<std::string> problems;
        StripTags(page, problems);
        for (size_t i = 0; i < page.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(page[i]);
            // The fonts hold printable ASCII plus the pound and euro signs.
            if (c != '\n' && (c < 0x20 || c > 0x7E) && c != 0xA3 && c != 0x80)
                problems.push_back("byte " + std::to_string(c) + " at " + std::to_string(i));
            // A line end is drawn as a blank: one that starts a text run indents its line.
            if (c == '\n' && i + 1 < page.size() && page[i + 1] != '<')
                problems.push_back("line end before text at " + std::to_string(i));
        }
        for (const std::string& problem : problems)
            ADD_FAILURE() << node->name << ".txt: " << problem;
    }
}

TEST_F(EncyclopediaContentTest, PagesHoldBetweenEightyAndTwoHundredFiftyWords) {
    size_t checked = 0;
    for (const auto& [node, page] : Pages()) {
        std::vector<std::string> ignored;
        size_t words = WordCount(StripTags(page, ignored));
        EXPECT_GE(words, 80u) << node->name;
        EXPECT_LE(words, 250u) << node->name;
        ++checked;
    }
    EXPECT_EQ(checked, nodes.size());
}

TEST_F(EncyclopediaContentTest, TitlesAndCrossReferencesUseTheNamesThePlayerSees) {
    std::set<std::string> shownNames;
    for (const Node& node : nodes)
        shownNames.insert(node.shownName);

    for (const auto& [node, page] : Pages()) {
        std::vector<std::string> ignored;
        // The title is everything before the rule under it.
        size_t rule = page.find("<HR>");
        ASSERT_NE(rule, std::string::npos) << node->name << " has no rule under its title";
        EXPECT_EQ(Trim(StripTags(page.substr(0, rule), ignored)), node->shownName) << node->name;

        std::string text = StripTags(page, ignored);
        size_t seeAlso = text.find("See also:");
        if (seeAlso == std::string::npos)
            continue;
        std::string list = Trim(text.substr(seeAlso + 9));
        if (!list.empty() && list.back() == '.')
            list.pop_back();
        std::stringstream entries(list);
        std::string entry;
        while (std::getline(entries, entry, ','))
            EXPECT_TRUE(shownNames.count(Trim(entry)))
                << node->name << " refers to \"" << Trim(entry) << "\", which no node is called";
    }
}

} // namespace
