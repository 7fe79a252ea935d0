#include "interface/windows/game_window.h"

#include "interface/screens/main_screen/control_panel.h"
#include "interface/screens/main_screen/top_strip.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/windows/game_windows.h"

#include <algorithm>
#include <vector>

namespace {
GUI_WindowManager* gGameWindows = nullptr;
constexpr float kCascadeStep = 24;

// The tutorial hints each kind of window asks for when it opens (the finance window holds both
// the quarter's money and its history, and asks for both, one after the other).
struct WindowHint {
    const char* kind;
    const char* key;
};
constexpr WindowHint kWindowHints[] = {
    {WindowKind::PolicyPicker, "POLICYPICKER"},
    {WindowKind::PolicyDetails, "POLICY"},
    {WindowKind::SimValueDetails, "SIMULATION"},
    {WindowKind::SituationDetails, "SITUATION"},
    {WindowKind::VoterGroupDetails, "VOTERTYPE"},
    {WindowKind::Parties, "VOTEMEMBERS"},
    {WindowKind::Encyclopedia, "WIKI"},
    {WindowKind::ElectionResults, "POPULARITY"},
    {WindowKind::Polls, "POLLS"},
    {WindowKind::Cabinet, "CABINET"},
    {WindowKind::AppointMinister, "APPOINTMINISTER"},
    {WindowKind::Finance, "FINANCES"},
    {WindowKind::Finance, "FINANCE_HISTORY"},
    {WindowKind::Reports, "REPORT"},
    {WindowKind::Intelligence, "THREATS"},
    {WindowKind::Attack, "THREATS"},
    {WindowKind::Event, "EVENT"},
    {WindowKind::Dilemma, "DILEMMA"},
    {WindowKind::Manifesto, "MANIFESTO"},
    {WindowKind::Achievements, "ACHIEVE"},
    {WindowKind::AchievementAward, "ACHIEVE"},
};

std::vector<GUI_GameWindow*> OpenGameWindows() {
    std::vector<GUI_GameWindow*> found;
    if (!gGameWindows)
        return found;
    for (const auto* list :
         {&gGameWindows->OpenWindows(), &gGameWindows->ModalWindows(), &gGameWindows->Pages()}) {
        for (GUI_WindowBase* window : *list) {
            if (auto* game = dynamic_cast<GUI_GameWindow*>(window))
                found.push_back(game);
        }
    }
    return found;
}
} // namespace

GUI_GameWindow::GUI_GameWindow(const std::string& windowKind, const std::string& titleKey,
                               float width, float height)
    : GUI_Dialog(titleKey, true), kind(windowKind), designWidth(width), designHeight(height) {
    name = windowKind;
    draggable = true;
}

float GUI_GameWindow::S(float designPixels) {
    return ScreenLayout::S(designPixels);
}

GUI_WindowManager* GameWindowManager() {
    return gGameWindows;
}

void SetGameWindowManager(GUI_WindowManager* windows) {
    gGameWindows = windows;
}

GUI_GameWindow* FindGameWindow(const std::string& name) {
    for (GUI_GameWindow* window : OpenGameWindows()) {
        if (window->name == name)
            return window;
    }
    return nullptr;
}

GUI_GameWindow* ShowGameWindow(const std::string& name,
                               const std::function<std::unique_ptr<GUI_GameWindow>()>& make,
                               bool modal) {
    if (!gGameWindows)
        return nullptr;
    if (GUI_GameWindow* open = FindGameWindow(name)) {
        gGameWindows->BringToTop(open);
        return open;
    }
    std::unique_ptr<GUI_GameWindow> window = make ? make() : nullptr;
    if (!window)
        return nullptr;
    window->name = name;
    // Stepped from the other game windows, so that one never hides another exactly.
    const int others = static_cast<int>(OpenGameWindows().size());
    const float w = ScreenLayout::S(window->designWidth);
    const float h = ScreenLayout::S(window->designHeight);
    const float step = ScreenLayout::S(kCascadeStep) * static_cast<float>(others % 6);
    const WindowPlace place =
        PlaceGameWindow(ScreenLayout::ScreenWidth(), ScreenLayout::ScreenHeight(), w, h, step);
    window->SetRect(place.left, place.top, place.left + w, place.top + h);
    window->Build();
    GUI_GameWindow* shown = window.get();
    if (modal)
        gGameWindows->OpenModalOwned(std::move(window));
    else
        gGameWindows->OpenOwned(std::move(window));
    for (const WindowHint& hint : kWindowHints) {
        if (shown->kind == hint.kind)
            ShowScreenHint(hint.key, *gGameWindows);
    }
    return shown;
}

WindowPlace PlaceGameWindow(float screenWidth, float screenHeight, float width, float height,
                            float step) {
    const float roomTop = ScreenLayout::S(GUI_TopStrip::kHeight);
    const float roomBottom = screenHeight - ScreenLayout::S(GUI_ControlPanel::kHeight);
    WindowPlace place;
    place.left =
        std::clamp((screenWidth - width) / 2 + step, 0.0f, std::max(0.0f, screenWidth - width));
    // Centred on the screen, and moved up only as far as it takes to clear the panel.
    place.top = (screenHeight - height) / 2 + step;
    if (place.top + height > roomBottom)
        place.top = std::max(height <= roomBottom - roomTop ? roomTop : 0.0f, roomBottom - height);
    return place;
}

int CloseGameWindowsOfKind(const std::string& kind) {
    int closed = 0;
    for (GUI_GameWindow* window : OpenGameWindows()) {
        if (window->kind == kind) {
            window->Close();
            ++closed;
        }
    }
    return closed;
}

void RefreshGameWindows() {
    for (GUI_GameWindow* window : OpenGameWindows())
        window->Refresh();
}
