// The frame's screen switch: which screen each mode shows, and the music that goes with leaving
// or entering the game.

#include "test_helpers.h"

#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_sounds.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"

#include <gtest/gtest.h>

namespace {

TEST(GameFrame, ModesChooseTheirScreenAndTheMusicFollowsTheGame) {
    LoggedTest logged;
    RecordingRenderDevice device;
    SetRenderDevice(&device);
    GetInput() = InputState();
    GUI_Sounds& sounds = GetSounds();

    SetGameMode(GameMode::Menu);
    EXPECT_EQ(GetCurrentScreen(), GetScreenForMode(GameMode::Menu));
    // Numbers without a screen of their own show the menu.
    SetGameMode(GameModeFromCode(11));
    EXPECT_EQ(GameModeCode(GetGameMode()), 11);
    EXPECT_EQ(GetCurrentScreen(), GetScreenForMode(GameMode::Menu));

    // Entering the game picks the track by the polls (an even share is the middle track);
    // moving between the two game modes or to the save screen leaves it alone.
    SetGameMode(GameMode::Game);
    EXPECT_EQ(sounds.LastRequestedTrack(), 0);
    EXPECT_EQ(GetCurrentScreen(), GetScreenForMode(GameMode::GameAlternate));
    SetGameMode(GameMode::SaveGame);
    EXPECT_EQ(sounds.LastRequestedTrack(), 0);

    // Only leaving the game for the menu or the options brings the theme back.
    SetGameMode(GameMode::GameAlternate);
    SetGameMode(GameMode::Options);
    EXPECT_EQ(sounds.LastRequestedTrack(), 3);
    SetGameMode(GameMode::Game);
    SetGameMode(GameMode::LoadGame);
    EXPECT_EQ(sounds.LastRequestedTrack(), 0);
    SetGameMode(GameMode::Menu);
    EXPECT_EQ(sounds.LastRequestedTrack(), 0) << "from the load screen the music stays";

    SetRenderDevice(nullptr);
    TearDownGame();
}

} // namespace
