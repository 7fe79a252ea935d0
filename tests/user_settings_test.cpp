#include "base/game_paths.h"
#include "base/options.h"
#include "base/user_settings.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Sets or clears environment variables for one test and puts them back afterwards.
class EnvironmentScope {
public:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved.push_back({name, old ? old : "", old != nullptr});
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentScope() {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
            if (it->present)
                setenv(it->name.c_str(), it->value.c_str(), 1);
            else
                unsetenv(it->name.c_str());
        }
    }

private:
    struct Saved {
        std::string name, value;
        bool present;
    };
    std::vector<Saved> saved;
};

} // namespace

TEST(UserSettings, FoldersFollowXdgThenHome) {
    EnvironmentScope env;
    env.Set("HOME", "/home/ada");
    env.Set("XDG_CONFIG_HOME", "/srv/cfg");
    env.Set("XDG_STATE_HOME", nullptr);
    EXPECT_EQ(FindConfigFolder(), "/srv/cfg/marrowgate");
    EXPECT_EQ(FindStateFolder(), "/home/ada/.local/state/marrowgate");
    // A relative XDG folder is not to be trusted: the home's own folder is used instead.
    env.Set("XDG_CONFIG_HOME", "cfg");
    env.Set("XDG_STATE_HOME", "");
    EXPECT_EQ(FindConfigFolder(), "/home/ada/.config/marrowgate");
    EXPECT_EQ(FindStateFolder(), "/home/ada/.local/state/marrowgate");
    env.Set("HOME", nullptr);
    EXPECT_EQ(FindConfigFolder(), "");
    EXPECT_EQ(FindStateFolder(), "");
}

// The display settings read the player's copy, then the shipped file, then the caller's default;
// a change goes into the copy alone.
TEST(UserSettings, DisplayConfigReadsCopyThenShippedAndWritesOnlyTheCopy) {
    LoggedTest t;
    const std::string shipped = "[config]\nIsWindowed=1\nColorDepth=16\n";
    t.dir.Write("data/config.muf", shipped);
    EXPECT_EQ(GetDisplayConfigInt("IsWindowed", 7), 1);
    EXPECT_EQ(GetDisplayConfigInt("Gamma", 7), 7);

    ASSERT_TRUE(SetDisplayConfig("IsWindowed", "0"));
    EXPECT_EQ(GetDisplayConfigInt("IsWindowed", 7), 0);
    EXPECT_EQ(GetDisplayConfigInt("ColorDepth", 32), 16);
    EXPECT_EQ(t.dir.Read("config/config.muf"), "[config]\nIsWindowed=0\n");
    EXPECT_EQ(t.dir.Read("data/config.muf"), shipped);
    EXPECT_TRUE(t.frontEnd.boxes.empty());
}

// A config folder that cannot be made: the player is told once, nothing is written anywhere, and
// the game goes on with the shipped settings.
TEST(UserSettings, UnusableConfigFolderIsReportedOnceAndNothingIsKept) {
    LoggedTest t;
    t.dir.Write("data/options.txt", "[options]\nMUSIC = 0.40\n");
    t.dir.Write("data/config.muf", "[config]\nIsWindowed=1\n");
    t.dir.Write("home/.config", "a file where the folder should be");
    const std::string folder = t.dir.Path() + "/home/.config/marrowgate";
    SetConfigDir(folder);

    LoadOptions();
    EXPECT_FLOAT_EQ(GetOption(kOptionMusic), 0.4f);
    EXPECT_FALSE(PrepareConfigDir());
    SetOption(kOptionMusic, 0.9f);
    EXPECT_FALSE(SetDisplayConfig("IsWindowed", "0"));
    EXPECT_FALSE(SaveOptions());
    EXPECT_EQ(GetDisplayConfigInt("IsWindowed", 7), 1);

    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(t.frontEnd.boxes[0].title, "Settings not kept");
    EXPECT_NE(t.frontEnd.boxes[0].text.find("cannot create the folder " + folder),
              std::string::npos)
        << t.frontEnd.boxes[0].text;
    EXPECT_NE(t.LogText().find("settings not kept"), std::string::npos);
    EXPECT_EQ(t.dir.Read("data/options.txt"), "[options]\nMUSIC = 0.40\n");
    GetOptionsTable().Clear();
}

// Searching for the data: the working folder, the program's folder, the installed data beside it,
// then the program folder's parents; only a folder holding the setup table counts.
TEST(DataRoot, SearchPrefersTheInstalledDataToATreeAboveIt) {
    ScratchDir dir;
    const std::string tree = dir.Path() + "/tree";
    const std::string prefix = tree + "/build/stage/usr";
    dir.Write("tree/data/data.ini", "[setup]\n");
    dir.Write("tree/build/stage/usr/bin/marrowgate", "");
    dir.Write("home/data/notes.txt", "a player's own data folder\n");
    const std::string home = dir.Path() + "/home";

    EXPECT_EQ(SearchDataRoot(home, prefix + "/bin"), tree);
    dir.Write("tree/build/stage/usr/share/marrowgate/data/data.ini", "[setup]\n");
    EXPECT_EQ(SearchDataRoot(home, prefix + "/bin"), prefix + "/share/marrowgate");
    dir.Write("tree/build/stage/usr/bin/data/data.ini", "[setup]\n");
    EXPECT_EQ(SearchDataRoot(home, prefix + "/bin"), prefix + "/bin");
    dir.Write("home/data/data.ini", "[setup]\n");
    EXPECT_EQ(SearchDataRoot(home, prefix + "/bin"), home);
    EXPECT_EQ(SearchDataRoot(dir.Path() + "/nowhere", dir.Path() + "/nowhere/bin"), "");
}
