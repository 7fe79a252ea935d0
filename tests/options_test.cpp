#include "base/options.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const char kShipped[] = "[options]\n"
                        "MUSIC = 0.7\n"
                        "SFXVOLUME=0.5\n"
                        "DIFFICULTY = 0.99\n"
                        "ENABLEDILEMMAS = 1\n"
                        "AUTOSAVE =\n"
                        "CYNICISM = 0.333\n";

} // namespace

TEST(Options, ReadsValuesAndFlipsSwitches) {
    LoggedTest t;
    t.dir.Write("data/options.txt", kShipped);
    EXPECT_GT(LoadOptions(), 0);
    EXPECT_FLOAT_EQ(GetOption(kOptionMusic), 0.7f);
    EXPECT_FLOAT_EQ(GetOption(kOptionSfxVolume), 0.5f);
    EXPECT_FLOAT_EQ(GetOption(kOptionAutosave), 0.0f);
    EXPECT_FLOAT_EQ(GetOption(kOptionHoneymoon), 0.0f);
    EXPECT_TRUE(IsOptionTicked(kOptionEnableDilemmas));
    EXPECT_FALSE(IsOptionTicked(kOptionDifficulty));

    ToggleOption(kOptionHoneymoon);
    EXPECT_FALSE(GetOptionsTable().HasKey(kOptionHoneymoon));
    EXPECT_FLOAT_EQ(GetOption(kOptionHoneymoon), 0.0f);

    ToggleOption(kOptionDifficulty);
    EXPECT_EQ(GetOptionsTable().GetString(kOptionDifficulty), "1.00");
    ToggleOption(kOptionDifficulty);
    EXPECT_EQ(GetOptionsTable().GetString(kOptionDifficulty), "0.00");

    SetOption(kOptionMusic, 1.0f);
    EXPECT_TRUE(IsOptionTicked(kOptionMusic));
}

// The player's copy is what gets written; the shipped file stays as it was.
TEST(Options, SaveRewritesThePlayersCopyWholeInLoadOrder) {
    LoggedTest t;
    t.dir.Write("data/options.txt", kShipped);
    LoadOptions();
    SetOption(kOptionMusic, 1.0f);
    SetOption(kOptionHoneymoon, 1.0f);
    ASSERT_TRUE(SaveOptions());
    const std::string expected = "[options]\n"
                                 "MUSIC = 1.00\n"
                                 "SFXVOLUME = 0.50\n"
                                 "DIFFICULTY = 0.99\n"
                                 "ENABLEDILEMMAS = 1.00\n"
                                 "AUTOSAVE = 0.00\n"
                                 "CYNICISM = 0.33\n";
    EXPECT_EQ(t.dir.Read("config/options.txt"), expected);
    EXPECT_EQ(t.dir.Read("data/options.txt"), kShipped);
    // A second run reads the copy back and changes nothing: values gather no blanks.
    LoadOptions();
    EXPECT_FLOAT_EQ(GetOption(kOptionMusic), 1.0f);
    ASSERT_TRUE(SaveOptions());
    EXPECT_EQ(t.dir.Read("config/options.txt"), expected);
    EXPECT_TRUE(t.frontEnd.boxes.empty());
}

// The copy's values lie over the shipped ones: a key it lacks keeps the shipped value, a key the
// game does not ship is dropped, other sections and comments are passed over.
TEST(Options, PlayersCopyOverridesOnlyTheShippedKeys) {
    LoggedTest t;
    t.dir.Write("data/options.txt", kShipped);
    t.dir.Write("config/options.txt", "; mine\r\n[display]\r\nMUSIC = 0.9\r\n[options]\r\n"
                                      "MUSIC = 0.25\r\nCYNICISM=1\r\nRETIRED = 0.5\r\n"
                                      "[options]\r\nSFXVOLUME = 0.1\r\n");
    LoadOptions();
    EXPECT_FLOAT_EQ(GetOption(kOptionMusic), 0.25f);
    EXPECT_FLOAT_EQ(GetOption(kOptionCynicism), 1.0f);
    EXPECT_FLOAT_EQ(GetOption(kOptionSfxVolume), 0.5f);
    EXPECT_FLOAT_EQ(GetOption(kOptionDifficulty), 0.99f);
    EXPECT_FALSE(GetOptionsTable().HasKey("RETIRED"));
    EXPECT_EQ(GetOptionsTable().Count(), 6u);
    EXPECT_TRUE(t.frontEnd.boxes.empty());
    ASSERT_TRUE(SaveOptions());
    EXPECT_EQ(t.dir.Read("config/options.txt"), "[options]\n"
                                                "MUSIC = 0.25\n"
                                                "SFXVOLUME = 0.50\n"
                                                "DIFFICULTY = 0.99\n"
                                                "ENABLEDILEMMAS = 1.00\n"
                                                "AUTOSAVE = 0.00\n"
                                                "CYNICISM = 1.00\n");
}

// A damaged copy is moved aside untouched and the player told which line is wrong; the shipped
// values stand, the next start finds no copy and says nothing, and the next save writes a good one.
TEST(Options, DamagedCopyIsKeptAsideAndTheShippedValuesStand) {
    const struct {
        std::string text;
        const char* fault;
    } cases[] = {
        {"", "the file is empty"},
        {"MUSIC = 0.25\n", "no [options] section"},
        {"[options]\nMUSIC = 0.25\nthis is not an option\n", "line 3: \"this is not an option\""},
        {"[options]\nMUSIC = loud\n", "line 2: \"MUSIC = loud\""},
        {"[options]\nMUSIC = 0.25x\n", "line 2:"},
        {"[options]\nMUSIC =\n", "line 2:"},
        {"[options]\n= 0.5\n", "line 2:"},
        {"[options]\nMUSIC = nan\n", "line 2:"},
        {"[options]\n\nDIFFICULTY = 7\n", "line 3: \"DIFFICULTY = 7\" is outside 0 to 1"},
        {"[options]\nCYNICISM = -0.5\n", "outside 0 to 1"},
        {std::string("[options]\nMUSIC = 0.2\x01\x7f") + '\0' + "\n",
         "line 2: \"MUSIC = 0.2\\x01\\x7F\\x00\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        LoggedTest t;
        t.dir.Write("data/options.txt", kShipped);
        const std::string copy = t.dir.Write("config/options.txt", c.text);
        LoadOptions();
        EXPECT_FLOAT_EQ(GetOption(kOptionMusic), 0.7f);
        EXPECT_FLOAT_EQ(GetOption(kOptionDifficulty), 0.99f);
        EXPECT_EQ(t.dir.Read("config/options.txt.damaged"), c.text);
        ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
        const std::string& told = t.frontEnd.boxes[0].text;
        EXPECT_EQ(told.find(copy + " "), 0u) << told;
        EXPECT_NE(told.find(c.fault), std::string::npos) << told;
        EXPECT_NE(told.find("kept as " + copy + ".damaged"), std::string::npos) << told;

        LoadOptions();
        EXPECT_EQ(t.frontEnd.boxes.size(), 1u);
        ASSERT_TRUE(SaveOptions());
        EXPECT_EQ(t.dir.Read("config/options.txt").rfind("[options]\nMUSIC = 0.70\n", 0), 0u);
        EXPECT_EQ(t.dir.Read("config/options.txt.damaged"), c.text);
        GetOptionsTable().Clear();
    }
}

// A copy that cannot be written leaves the old one whole, and the player hears of it once.
TEST(Options, FailedSaveKeepsTheOldCopyAndTellsThePlayerOnce) {
    LoggedTest t;
    t.dir.Write("data/options.txt", kShipped);
    LoadOptions();
    ASSERT_TRUE(SaveOptions());
    const std::string saved = t.dir.Read("config/options.txt");
    SetOption(kOptionMusic, 0.1f);
    t.dir.Write("config/options.txt.tmp/blocker", "");
    EXPECT_FALSE(SaveOptions());
    EXPECT_FALSE(SaveOptions());
    EXPECT_EQ(t.dir.Read("config/options.txt"), saved);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(t.frontEnd.boxes[0].title, "Settings not kept");
    EXPECT_NE(t.frontEnd.boxes[0].text.find("cannot write " + t.dir.Path() + "/config/options.txt"),
              std::string::npos)
        << t.frontEnd.boxes[0].text;

    // A shipped file without the section is as good as none: the game starts from the built-in
    // options rather than a table in which nothing can be set.
    t.dir.Write("data/options.txt", "[misc]\nMUSIC=1\n");
    std::remove((t.dir.Path() + "/config/options.txt").c_str());
    EXPECT_EQ(LoadOptions(), 0);
    EXPECT_FLOAT_EQ(GetOption(kOptionMusic), 0.6f);
    SetOption(kOptionHoneymoon, 0.0f);
    EXPECT_FALSE(IsOptionTicked(kOptionHoneymoon));
}
