#include "base/options.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

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

TEST(Options, SaveRewritesWholeFileInLoadOrder) {
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
    EXPECT_EQ(t.dir.Read("data/options.txt"), expected);
    // A second run changes nothing: values do not gather blanks from run to run.
    LoadOptions();
    ASSERT_TRUE(SaveOptions());
    EXPECT_EQ(t.dir.Read("data/options.txt"), expected);
}

TEST(Options, FailedSaveKeepsTheOldFile) {
    LoggedTest t;
    t.dir.Write("data/options.txt", kShipped);
    LoadOptions();
    t.dir.Write("data/options.txt.tmp/blocker", "");
    EXPECT_FALSE(SaveOptions());
    EXPECT_EQ(t.dir.Read("data/options.txt"), kShipped);

    // A file without the section is as good as none: the game starts from the shipped options
    // rather than a table in which nothing can be set.
    t.dir.Write("data/options.txt", "[misc]\nMUSIC=1\n");
    EXPECT_EQ(LoadOptions(), 0);
    EXPECT_FLOAT_EQ(GetOption(kOptionMusic), 0.6f);
    SetOption(kOptionHoneymoon, 0.0f);
    EXPECT_FALSE(IsOptionTicked(kOptionHoneymoon));
}
