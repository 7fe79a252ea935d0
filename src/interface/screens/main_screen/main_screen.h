#pragma once
// GUI_MainScreen: the game screen. The country is drawn as its own network: every introduced
// policy, every simulation value and every situation under way sits as an icon in the sector of
// its policy group around the middle, the voter groups fill a block in the middle, and hovering an
// icon shows its tooltip and its links to other icons as running streaks. A click on an icon opens
// the node's window; the control panel along the bottom opens the government's windows and ends
// the turn; the top strip holds the figures a player checks every turn.

#include "interface/screens/main_screen/icon_layout.h"
#include "interface/widgets/gui_window_screen.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class GUI_ControlPanel;
class GUI_IconBase;
class GUI_PeopleStrip;
class GUI_TopStrip;
class Neuron;
struct SIM_Issue;

// The tutorial's hold on the game screen: flags that hide kinds of icons, the polls figure or the
// connectors, and the names of the icons that alone may be clicked while the list is not empty.
struct ScreenGuide {
    static constexpr int kFlagCount = 6;
    static constexpr const char* kFlagNames[kFlagCount] = {
        "HIDEPOLICYICONS", "HIDESITUATIONICONS", "HIDESIMICONS",
        "HIDEVOTERICONS",  "HIDEPOPBAR",         "DISABLEICONCONNECTORS"};
    std::array<bool, kFlagCount> flags{};
    std::vector<std::string> permittedIcons;
    // Told when a permitted icon takes a click (the tutorial moves to its next step).
    std::function<void(const std::string& nodeName)> onPermittedClick;

    // False when no flag has that name.
    bool SetFlag(const std::string& name, bool on);
    bool Flag(int index) const { return flags[static_cast<size_t>(index)]; }
    void Reset();
};
ScreenGuide& GetScreenGuide();

class GUI_MainScreen : public GUI_WindowScreen {
public:
    GUI_MainScreen();
    ~GUI_MainScreen() override;

    // Becomes the screen the game windows open over; the icons and connectors are brought up to
    // date with the game (after a turn, a load or a new game).
    void Activate() override;
    // The panels span the new width, the icons are placed afresh for it (the picture's middle
    // moved) and the open windows keep their places relative to the middle.
    void Relayout(float oldWidth) override;
    // Windows and panels first, then the icons' hover and highlight; notices policies introduced
    // or cancelled and situations started or stopped since the last frame.
    void Update() override;
    // The background, the group captions and the icons (kept as one picture between changes),
    // hover rings, the shown connectors, the panels, then the windows.
    void Draw() override;
    // Permitted icons first, then the windows and panels, then the icons.
    bool OnLeftClick(float x, float y) override;
    // Escape is held while the play guide leads.
    void OnKey(int keyCode) override;
    void Describe(JsonWriter& json) const override;
    const GUI_ButtonBase* FindButton(const std::string& identifier) const override;

    // Runs one turn of the core and tells of the end of the game when it came.
    void NextTurn();
    // Makes the icons match the game: new ones placed, gone ones removed. True when anything
    // changed.
    bool SyncIcons();
    // Every icon's connectors afresh (after a turn, a load, an action, the display option).
    void RebuildConnectors();
    // Shows every icon's connectors at once, not only the hovered icon's (for measuring).
    void ShowAllConnectors(bool on) { allConnectorsShown = on; }

    // The end-of-game words: a script's own, or the usual ones for a lost election or the last
    // term served.
    std::string GameOverText() const;

    const std::vector<std::unique_ptr<GUI_IconBase>>& Icons() const { return icons; }
    GUI_IconBase* FindIcon(const std::string& nodeName) const;
    // The play area the icons share (the screen above the control panel).
    IconArea Area() const;
    int ConnectorsDrawn() const { return connectorsDrawn; }
    GUI_ControlPanel& Panel() { return *panel; }
    GUI_TopStrip& Strip() { return *strip; }

protected:
    void OnScreenKey(int keyCode) override;

private:
    void Layout();
    // Every icon placed again, in the order a fresh screen places them; icons made for another
    // interface size are made again first.
    void PlaceAllIcons();
    // Places the icons of the groups marked, each group over the whole of it.
    void PlaceGroups(const std::array<bool, 7>& regroup);
    void ShowGameOverIfDue();
    void RemoveIcon(size_t index, bool nodeAlive);
    GUI_IconBase* MakeIcon(Neuron* node, int kind, int group);
    void PlaceVoterGroup(GUI_PeopleStrip& strip);
    void UpdateHover();
    void ApplyGuideFlags();
    void DrawStatic();
    void DrawCaptions();
    void DrawConnectors();

    GUI_ControlPanel* panel = nullptr;
    GUI_TopStrip* strip = nullptr;
    GUI_WindowBase* desk = nullptr;
    // The picture the icons were placed for: when it changes, they are placed again.
    IconArea placedFor;
    std::vector<std::unique_ptr<GUI_IconBase>> icons;
    // The icons of each policy group, in the order they joined it.
    std::array<std::vector<GUI_IconBase*>, 7> groupIcons;
    std::array<bool, kPeopleSlotCount> slotUsed{};
    bool staticDirty = true;
    bool connectorsOn = true;
    bool allConnectorsShown = false;
    int connectorsDrawn = 0;
    // How many updates the mouse has stayed where it is.
    int restCounter = 0;
    float lastMouseX = -1, lastMouseY = -1;
    int builtForTurn = -1;
    // The game-over window is opened once per game.
    bool gameOverShown = false;
};

// The end-of-game words a content script gave (text keys or plain words); the screen uses them
// in place of its own when it next tells the player the game is over.
void SetScriptedGameOver(const std::string& title, const std::string& text);
// The first dilemma on the desk, or null.
const SIM_Issue* FirstDilemmaOnDesk();
// Its window; nothing when there is none.
void OpenFirstDilemma();
// The next-turn button's action: the turn runs once the current frame has been shown.
void NextTurnFromScreen();
// Steps out of the game to the main menu, first offering to save a game that has progress to
// lose, as leaving it any other way does.
void LeaveGameForMenu();
