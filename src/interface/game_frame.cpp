#include "interface/game_frame.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "base/user_settings.h"
#include "game/game_state.h"
#include "game/load_game.h"
#include "game/startup.h"
#include "game/turn_pipeline.h"
#include "government/achievements.h"
#include "government/manifesto.h"
#include "interface/guidance/guidance.h"
#include "interface/screens/menu_screen.h"
#include "interface/screens/processing_screen.h"
#include "interface/screens/screens.h"
#include "interface/ui_dump.h"
#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_frame_work.h"
#include "interface/widgets/gui_screen.h"
#include "interface/widgets/gui_sounds.h"
#include "interface/widgets/text_engine.h"
#include "interface/window_front_end.h"
#include "interface/windows/game_windows.h"
#include "network/neural_effect.h"
#include "platform/input_replay.h"
#include "platform/sdl_audio_device.h"
#include "platform/sdl_display.h"
#include "platform/sdl_input.h"
#include "platform/silent_audio_device.h"
#include "population/party.h"
#include "saveload/save_reader.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int kMaxGameWidth = 1024;
constexpr int kMaxGameHeight = 768;

// The one game object: which screen is showing and whether a game is being played.
struct GameObject {
    GameMode mode = GameMode::Menu;
    BaseGUIScreen* currentScreen = nullptr;
    bool inProgress = false;
    // The turn at which the game was last started, loaded or saved by the player.
    int savedTurn = 0;
    bool quitRequested = false;
    float interfaceScale = 1.0f;
};

GameObject gGame;
FrameSettings gSettings;
std::unique_ptr<SdlDisplay> gDisplay;
SdlInput gInput;
std::unique_ptr<AudioDevice> gAudio;
WindowFrontEnd gFrontEnd;
InputReplay gReplay;
bool gReplaying = false;
int gFrameNumber = 0;
// Set when an unattended run could not write what it was asked for: the run then fails.
bool gUnattendedFailed = false;
bool gReplayFailed = false;
double gLastFrameWorkMs = 0;
// Options are written back at shutdown only once they were read: a start that failed early
// must not replace the player's file with an empty table.
bool gOptionsLoaded = false;
std::vector<std::function<void()>> gQueuedActions;

bool IsGameMode(GameMode mode) {
    return mode == GameMode::Game || mode == GameMode::GameAlternate;
}

// Reads the display configuration and opens the display; false when there is no screen to show
// the game on.
bool StartDisplay(bool firstStart) {
    int colourDepth = GetDisplayConfigInt("ColorDepth", 32);
    int desktopWidth = 0, desktopHeight = 0;
    if (!SdlDisplay::DesktopSize(desktopWidth, desktopHeight)) {
        std::fprintf(stderr, "marrowgate: no display to open a window on (%s)\n", SDL_GetError());
        Log("no display available");
        return false;
    }
    const int cappedWidth = std::min(desktopWidth, kMaxGameWidth);
    const int cappedHeight = std::min(desktopHeight, kMaxGameHeight);
    // A desktop no taller than the game has no room for a window's frame, so the game starts
    // full screen there; a player who then asks for a window (Alt+Enter, the options) gets one.
    if (firstStart && cappedHeight == desktopHeight && gSettings.windowWidth == 0)
        SetDisplayConfig("IsWindowed", "0");
    gGame.interfaceScale = static_cast<float>(cappedWidth) * 0.0009765625f;
    if (desktopWidth < kMaxGameWidth || desktopHeight < kMaxGameHeight)
        Log("WARNING - > invalid desktop resoltuion");
    // The picture is the game's height at the chosen interface size; its width follows the shape
    // it will fill (the window asked for, else the desktop), so a wide screen is filled rather
    // than bordered.
    const float size = static_cast<float>(InterfacePercent()) / 100.0f;
    gGame.interfaceScale *= size;
    bool windowed = GetDisplayConfigInt("IsWindowed", 1) != 0;
    if (gSettings.forceWindowed)
        windowed = gSettings.forceWindowed == 1;
    // Full screen fills the desktop, whatever window size was asked for.
    const bool sized = windowed && gSettings.windowWidth > 0 && gSettings.windowHeight > 0;
    const int height = static_cast<int>(std::lround(kGameHeight * size));
    const int width = sized
                          ? GameWidthForShape(gSettings.windowWidth, gSettings.windowHeight, height)
                          : GameWidthForShape(desktopWidth, desktopHeight, height);
    LogF("starting display %d x %d, %d bits, %s", width, height, colourDepth,
         windowed ? "windowed" : "full screen");
    if (!gDisplay)
        gDisplay = std::make_unique<SdlDisplay>();
    gDisplay->SetMinimumWindowSize(kMinWindowWidth, kMinWindowHeight);
    if (!gDisplay->Open(Translate("APP_TITLE"), width, height, windowed,
                        sized ? gSettings.windowWidth : 0, sized ? gSettings.windowHeight : 0)) {
        std::fprintf(stderr, "marrowgate: %s\n", gDisplay->Error().c_str());
        Log(gDisplay->Error());
        return false;
    }
    SetRenderDevice(gDisplay.get());
    gDisplay->SetPictureScale(InterfacePercent());
    gInput.SetDisplay(gDisplay.get());
    return true;
}

void LoadAllTextures() {
    gDisplay->LoadTexturesFrom("data/bitmaps");
    if (!GetUserDir().empty())
        gDisplay->LoadTexturesFrom(GetUserDir() + "/mods/data/bitmaps");
}

// The sound library, or silence when this machine has no audio device.
void StartSound() {
    gAudio = std::make_unique<SdlAudioDevice>();
    GUI_Sounds::SetDevice(gAudio.get());
    if (!GetSounds().Start()) {
        std::fprintf(stderr, "marrowgate: no audio device; playing silently\n");
        Log("no audio device: playing silently");
        GetSounds().Shutdown();
        gAudio = std::make_unique<SilentAudioDevice>();
        GUI_Sounds::SetDevice(gAudio.get());
        GetSounds().Start();
    }
    GetSounds().SetMusicTrack(3);
}

// Writes the pictures asked for at this frame; one that cannot be written fails the run, since
// whoever asked for it is waiting for the file.
void SaveShots() {
    for (const FrameSettings::Shot& shot : gSettings.shots) {
        if (shot.frame != gFrameNumber || !gDisplay || !gDisplay->IsOpen())
            continue;
        if (gDisplay->SaveScreenshot(shot.file)) {
            LogF("screenshot of frame %d written to %s", gFrameNumber, shot.file.c_str());
        } else {
            std::fprintf(stderr, "marrowgate: cannot write the screenshot %s\n", shot.file.c_str());
            gUnattendedFailed = true;
        }
    }
}

// Describes the screen for the frames asked for; a file that cannot be written fails the run.
void SaveUiDumps() {
    for (const FrameSettings::Shot& dump : gSettings.uiDumps) {
        if (dump.frame != gFrameNumber)
            continue;
        std::string error;
        const std::string document = DescribeScreenJson(
            gFrameNumber, GameModeCode(gGame.mode), GameModeName(gGame.mode), gGame.currentScreen);
        if (WriteUiDump(dump.file, document, error)) {
            LogF("screen description of frame %d written to %s", gFrameNumber, dump.file.c_str());
        } else {
            std::fprintf(stderr, "marrowgate: cannot write the screen description %s: %s\n",
                         dump.file.c_str(), error.c_str());
            gUnattendedFailed = true;
        }
    }
}

void RunQueuedActions() {
    // An action may queue another (a load that ends in a new screen); those wait a frame.
    std::vector<std::function<void()>> actions;
    actions.swap(gQueuedActions);
    for (auto& action : actions) {
        if (IsGameRunning())
            action();
    }
}

// The window's close box: with progress to lose the menu asks first, as its Quit button does; a
// second close while the question is showing is taken at its word.
void CloseWindowAsked() {
    auto* menu = dynamic_cast<MenuGUIScreen*>(gGame.currentScreen);
    const bool asking = menu && menu->Windows().ModalCount() > 0;
    if (!HasUnsavedProgress() || asking) {
        Quit();
        return;
    }
    SetGameMode(GameMode::Menu);
    if ((menu = dynamic_cast<MenuGUIScreen*>(gGame.currentScreen)))
        menu->AskBeforeQuit();
}

// The picture follows the window's shape: once the window is resized, the picture takes the
// width its new shape gives and every screen is laid out again for it.
void FollowWindowShape() {
    if (!gDisplay || !gDisplay->IsOpen())
        return;
    int windowWidth = 0, windowHeight = 0;
    gDisplay->WindowSize(windowWidth, windowHeight);
    if (windowWidth <= 0 || windowHeight <= 0)
        return;
    const int oldWidth = gDisplay->GameWidth();
    const int width = GameWidthForShape(windowWidth, windowHeight, gDisplay->GameHeight());
    if (width == oldWidth || !gDisplay->SetGameSize(width, gDisplay->GameHeight()))
        return;
    // A window opened at this size later (back from full screen) keeps it.
    if (gDisplay->IsWindowed()) {
        gSettings.windowWidth = windowWidth;
        gSettings.windowHeight = windowHeight;
    }
    RelayoutScreens(gGame.currentScreen, static_cast<float>(oldWidth));
}

// The game screen comes back once the player has read the processing screen.
void ContinueToGame() {
    SetGameMode(GameMode::Game);
}

} // namespace

bool Init(const FrameSettings& settings) {
    gSettings = settings;
    OpenLog();
    if (!CreateUserFolders(settings.userDirOverride)) {
        std::fprintf(stderr,
                     "marrowgate: cannot work out the user folder: set HOME, or pass --user-dir\n");
        return false;
    }
    SetGameRunning(true);
    StartEmptyGame();
    LoadSetupTable();
    if (!StartDisplay(true))
        return false;
    gDisplay->BeginFrame();
    gDisplay->EndFrame();
    gDisplay->Present();
    Log("input created");
    LoadOptions();
    gOptionsLoaded = true;
    // Told now, over the window, rather than when the player's changes are lost at the end.
    PrepareConfigDir();
    LoadAllTextures();
    GetTextEngine().LoadGameFonts(static_cast<float>(InterfacePercent()) / 100.0f);
    GetManifesto().LoadOptions();
    GetProcessingScreen().SetFrameCallback(DrawFrameNow);
    GetProcessingScreen().SetContinueCallback(ContinueToGame);
    SetGameMode(GameMode::Menu);
    StartSound();
    LoadAchievements();
    LoadPartyNames();
    StartGuidance();
    return true;
}

void DrawFrameNow() {
    if (!IsGameRunning() || !gDisplay || !gDisplay->IsOpen() || !gGame.currentScreen)
        return;
    // Input waits for the next real frame, but the window must keep answering the desktop while
    // a long piece of work runs, or it is taken for hung.
    SDL_PumpEvents();
    gDisplay->BeginFrame();
    gGame.currentScreen->Draw();
    GetTextEngine().Flush();
    gDisplay->EndFrame();
    gDisplay->Present();
}

void Frame() {
    auto start = std::chrono::steady_clock::now();
    if (IsGameRunning()) {
        InputState& input = GetInput();
        bool open = gInput.Poll(input);
        if (gReplaying) {
            gReplay.Apply(gFrameNumber, input, [](const std::string& id, float& x, float& y) {
                const GUI_ButtonBase* button =
                    gGame.currentScreen ? gGame.currentScreen->FindButton(id) : nullptr;
                if (!button)
                    return false;
                x = (button->left + button->right) / 2.0f;
                y = (button->top + button->bottom) / 2.0f;
                return true;
            });
            if (!gReplay.Error().empty() && !gReplayFailed) {
                // A replay that cannot do what it says has lost its place: the run fails.
                std::fprintf(stderr, "marrowgate: replay: %s\n", gReplay.Error().c_str());
                gReplayFailed = gUnattendedFailed = true;
            }
            // A replay runs on its own clock of sixty frames a second, so that fades and
            // blinking carets reach the same point at the same frame on any machine.
            input.frameSeconds = 1.0f / 60.0f;
            input.timeMs = static_cast<uint32_t>(gFrameNumber * 1000 / 60);
        }
        if (!open)
            CloseWindowAsked();
        if (IsGameRunning()) {
            if (input.resizeWidth > 0 && input.resizeHeight > 0)
                gDisplay->ResizeWindow(input.resizeWidth, input.resizeHeight);
            FollowWindowShape();
            gDisplay->BeginFrame();
            for (int key : input.keysPressed)
                OnKeyPressed(key);
            if (!input.typedText.empty() && gGame.currentScreen)
                gGame.currentScreen->OnText(input.typedText);
            // A key may have switched screens; the frame goes on with the new one.
            BaseGUIScreen* screen = gGame.currentScreen;
            if (screen && IsGameRunning()) {
                screen->Update();
                if (input.leftPressed)
                    screen->OnLeftClick(input.mouseX, input.mouseY);
                if (input.rightPressed && gGame.currentScreen == screen)
                    screen->OnRightClick(input.mouseX, input.mouseY);
                gGame.currentScreen->Draw();
            }
            // Before the frame's end, which draws and forgets the tooltips the description lists.
            if (IsGameRunning())
                SaveUiDumps();
            if (IsGameRunning())
                FinishInterfaceFrame();
            if (IsGameRunning()) {
                gDisplay->EndFrame();
                SaveShots();
                gDisplay->Present();
            }
        }
    }
    gLastFrameWorkMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    SDL_Delay(1);
    GetSounds().Update();
    RunQueuedActions();
    ++gFrameNumber;
}

void SetGameMode(GameMode mode) {
    GameMode old = gGame.mode;
    gGame.mode = mode;
    if (IsGameMode(old) && (mode == GameMode::Menu || mode == GameMode::Options))
        GetSounds().SetMusicTrack(3);
    if (!IsGameMode(old) && IsGameMode(mode))
        GetSounds().SetMusicByMood();
    gGame.currentScreen = GetScreenForMode(mode);
    if (gGame.currentScreen)
        gGame.currentScreen->Activate();
}

GameMode GetGameMode() {
    return gGame.mode;
}

const char* GameModeName(GameMode mode) {
    switch (mode) {
    case GameMode::Menu:
        return "Menu";
    case GameMode::Options:
        return "Options";
    case GameMode::LoadGame:
        return "LoadGame";
    case GameMode::SaveGame:
        return "SaveGame";
    case GameMode::NewGame:
        return "NewGame";
    case GameMode::Game:
    case GameMode::GameAlternate:
        return "Game";
    case GameMode::Processing:
        return "Processing";
    case GameMode::Internet:
        return "Internet";
    default:
        return "Menu";
    }
}

BaseGUIScreen* GetCurrentScreen() {
    return gGame.currentScreen;
}

void ShowProcessingScreen() {
    SetGameMode(GameMode::Processing);
    GetProcessingScreen().Begin();
    DrawFrameNow();
}

void QueueGameAction(std::function<void()> action) {
    gQueuedActions.push_back(std::move(action));
}

void StartNewGame() {
    std::string file = GetMission().missionFile;
    // The set-up wants the name the mission file was made from (MissionFile), not the path.
    std::string name = file;
    size_t slash = name.find_last_of('/');
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0)
        name.resize(name.size() - 4);
    ForgetAchievementsThisGame();
    NewGameSetup(name);
    gGame.inProgress = true;
    MarkGameSaved();
}

bool StartLoadGame(const std::string& name) {
    // A save that cannot be opened or is damaged is refused before anything is touched, with
    // one box; whatever was in progress goes on.
    if (LoadGame(name) != LoadResult::Loaded)
        return false;
    ForgetAchievementsThisGame();
    gGame.inProgress = true;
    MarkGameSaved();
    return true;
}

void PlayNextTurn() {
    if (IsGameOver())
        return;
    ProcessNewTurn();
}

void Quit() {
    gGame.quitRequested = true;
    if (IsGameRunning()) {
        SetGameRunning(false);
        Shutdown();
    }
}

void Shutdown() {
    StopGuidance();
    ReleaseCore(
        true, [] { ResetGameWindows(); }, nullptr);
    Log("releasing d3d");
    GetSounds().Shutdown();
    if (gDisplay) {
        gDisplay->ReleaseTextures();
        gDisplay->Close();
    }
    SetRenderDevice(nullptr);
    CloseLog();
}

int GameWidthForShape(int width, int height, int gameHeight) {
    const long narrowest =
        std::lround(static_cast<double>(kMinGameWidth) * gameHeight / kGameHeight);
    if (width <= 0 || height <= 0)
        return static_cast<int>(narrowest);
    const long wide = std::lround(static_cast<double>(gameHeight) * width / height);
    return static_cast<int>(std::clamp(wide, narrowest, 4L * gameHeight));
}

int InterfacePercent() {
    const int percent = GetDisplayConfigInt("InterfacePercent", 100);
    return percent == 150 || percent == 200 ? percent : 100;
}

bool IsDisplayOpen() {
    return gDisplay && gDisplay->IsOpen();
}

bool IsFullScreenShown() {
    return IsDisplayOpen() && !gDisplay->IsWindowed();
}

// Closes the display and opens it again from the settings, with the textures and fonts it needs.
static void RestartDisplay() {
    if (!gDisplay)
        return;
    const int oldWidth = gDisplay->GameWidth();
    gDisplay->Close();
    if (!StartDisplay(false)) {
        Quit();
        return;
    }
    gDisplay->RestoreTextures();
    GetTextEngine().Release();
    GetTextEngine().LoadGameFonts(static_cast<float>(InterfacePercent()) / 100.0f);
    // Full screen and a window rarely share a shape: the screens follow the new width.
    if (gDisplay->GameWidth() != oldWidth)
        RelayoutScreens(gGame.currentScreen, static_cast<float>(oldWidth));
}

void ToggleWindowed() {
    // The setting may disagree with the screen (a mode forced on the command line, a small
    // desktop started full screen); the player asks for the other of what they see.
    bool windowedNow = GetDisplayConfigInt("IsWindowed", 1) == 1;
    if (IsDisplayOpen())
        windowedNow = gDisplay->IsWindowed();
    SetDisplayConfig("IsWindowed", windowedNow ? "0" : "1");
    if (!gDisplay)
        return;
    // A forced mode on the command line lasts only until the player chooses.
    gSettings.forceWindowed = 0;
    RestartDisplay();
}

void SetInterfacePercent(int percent) {
    SetDisplayConfig("InterfacePercent", std::to_string(percent));
    if (!IsDisplayOpen())
        return;
    RestartDisplay();
    if (!IsGameRunning())
        return;
    // Everything was placed for the old size: the game's windows close, and the screen on show
    // is laid out again.
    ResetGameWindows();
    SetGameMode(gGame.mode);
}

void OnKeyPressed(int keyCode) {
    if (keyCode == KeyCode::Enter && GetInput().IsKeyDown(KeyCode::LeftAlt))
        ToggleWindowed();
    if (gGame.currentScreen)
        gGame.currentScreen->OnKey(keyCode);
}

bool IsGameInProgress() {
    return gGame.inProgress;
}

void SetGameInProgress(bool inProgress) {
    gGame.inProgress = inProgress;
}

bool HasUnsavedProgress() {
    return gGame.inProgress && !IsGameOver() && GetTurnNumber() != gGame.savedTurn;
}

void MarkGameSaved() {
    gGame.savedTurn = GetTurnNumber();
}

bool IsQuitRequested() {
    return gGame.quitRequested;
}

float GetInterfaceScale() {
    return gGame.interfaceScale;
}

double LastFrameWorkMs() {
    return gLastFrameWorkMs;
}

int RunGame(const FrameSettings& settings) {
    if (settings.seedGiven)
        SeedRandom(settings.seed);
    gFrontEnd.verbose = settings.verbose;
    SetFrontEnd(&gFrontEnd);
    if (!settings.inputFile.empty()) {
        if (!gReplay.Load(settings.inputFile)) {
            std::fprintf(stderr, "marrowgate: %s\n", gReplay.Error().c_str());
            SetFrontEnd(nullptr);
            return 2;
        }
        gReplaying = true;
    }
    // Unattended runs end on their own after the last picture (or the last replayed input).
    int lastFrame = 0;
    for (const FrameSettings::Shot& shot : settings.shots)
        lastFrame = std::max(lastFrame, shot.frame);
    for (const FrameSettings::Shot& dump : settings.uiDumps)
        lastFrame = std::max(lastFrame, dump.frame);
    if (gReplaying)
        lastFrame = std::max(lastFrame, gReplay.LastFrame() + 30);
    if (!Init(settings)) {
        if (IsLogOpen()) {
            SetGameRunning(false);
            Shutdown();
        }
        SetFrontEnd(nullptr);
        return 1;
    }
    while (!gGame.quitRequested) {
        Frame();
        if (lastFrame > 0 && gFrameNumber > lastFrame && !gGame.quitRequested)
            Quit();
    }
    SetFrontEnd(nullptr);
    return gUnattendedFailed ? 1 : 0;
}
