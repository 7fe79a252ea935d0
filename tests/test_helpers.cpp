#include "test_helpers.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "base/user_settings.h"
#include "game/game_state.h"
#include "game/turn_pipeline.h"
#include "government/achievements.h"
#include "government/slider_config.h"
#include "network/neuron.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "marrowgate-test-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    path = made ? made : tmpl;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
}

std::string ScratchDir::Write(const std::string& relative, const std::string& text) const {
    fs::path full = fs::path(path) / relative;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << text;
    return full.string();
}

std::string ScratchDir::Read(const std::string& relative) const {
    std::ifstream in(fs::path(path) / relative, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

LoggedTest::LoggedTest() {
    fs::create_directories(fs::path(dir.Path()) / "debugdata");
    SetDataRoot(dir.Path());
    SetConfigDir(dir.Path() + "/config");
    SetStateDir(dir.Path() + "/state");
    SetFrontEnd(&frontEnd);
    OpenLog();
}

LoggedTest::~LoggedTest() {
    ForgetTables();
    CloseLog();
    SetFrontEnd(nullptr);
    SetDataRoot(".");
    SetConfigDir("");
    SetStateDir("");
}

void LoggedTest::ForgetTables() {
    ReleaseSliderConfigs();
    GetSetupTable().Clear();
    GetOptionsTable().Clear();
    GetMission().Reset();
    GetNameLists() = NameLists();
    GetCalendar() = Calendar();
    SetConsecutiveRuns(0, 0);
    ClearAchievements();
    SetLogMissionFlag("");
    SetUserDir("");
}

std::string LoggedTest::LogText() const {
    return dir.Read("debugdata/debug.txt");
}

void UseShippedContent(LoggedTest& test) {
    std::filesystem::create_directory_symlink(std::string(MARROWGATE_SOURCE_DIR) + "/data",
                                              test.dir.Path() + "/data");
    CloseLog();
    OpenLog();
    SetUserDir(test.dir.Path() + "/user");
    LoadSetupTable();
    LoadOptions();
    GetMission().SetMissionFile(MissionFile(kDefaultMission));
    GetMission().Load();
}

void StartShippedGame(LoggedTest& test, uint32_t seed) {
    UseShippedContent(test);
    SeedRandom(seed);
    NewGameSetup(kDefaultMission);
}

bool SituationOn(const char* name) {
    Neuron* n = FindNeuron(name);
    EXPECT_NE(n, nullptr) << name;
    return n && n->active;
}

bool PlayWatching(const char* situation, int turns) {
    bool seen = false;
    for (int turn = 0; turn < turns && !IsGameOver(); ++turn) {
        ProcessNewTurn();
        seen = seen || SituationOn(situation);
    }
    return seen;
}

void TearDownGame() {
    StartEmptyGame();
}

namespace {

// Every test starts with an empty game in play, as a started core would have, and the last one
// ends it so that nothing of a game is left at exit.
class GameEnvironment : public ::testing::Environment {
public:
    void SetUp() override { StartEmptyGame(); }
    void TearDown() override { EndGame(); }
};

const ::testing::Environment* const g_gameEnvironment =
    ::testing::AddGlobalTestEnvironment(new GameEnvironment());

} // namespace
