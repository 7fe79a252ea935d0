#include "interface/screens/options_screen.h"

#include "base/options.h"
#include "base/translation.h"
#include "base/user_settings.h"
#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_check_button.h"
#include "interface/widgets/gui_slider_control.h"
#include "interface/widgets/gui_sounds.h"
#include "platform/input_state.h"

#include <cstdio>

namespace {

// How a slider's value reads to the player.
enum class ValueShown { Volume, Level, InterestRate };

struct SliderEntry {
    const char* key;
    const char* label;
    const char* tooltip;
    ValueShown shown;
};

constexpr SliderEntry kSliderEntries[] = {
    {kOptionMusic, "Music Volume", "TOOLTIP_OPTION_MUSIC", ValueShown::Volume},
    {kOptionSfxVolume, "Effects Volume", "TOOLTIP_OPTION_SFXVOLUME", ValueShown::Volume},
    {kOptionGlobalEconomy, "Global Economic Volatility", "TOOLTIP_OPTION_GLOBALECONOMY",
     ValueShown::Level},
    {kOptionInterestRate, "Interest Rate", "TOOLTIP_OPTION_INTERESTRATE", ValueShown::InterestRate},
    {kOptionDifficulty, "Difficulty", "TOOLTIP_OPTION_DIFFICULTY", ValueShown::Level},
    {kOptionCynicism, "Cynicism", "TOOLTIP_OPTION_CYNICISM", ValueShown::Level},
};

// The finances charge the option times this much interest a year on the debt.
constexpr float kTopInterestRate = 0.2f;

std::string ShownValue(ValueShown shown, float value) {
    switch (shown) {
    case ValueShown::Volume:
        return value <= 0.005f ? Translate("OPTION_VALUE_OFF") : PercentWords(value);
    case ValueShown::InterestRate: {
        char text[64];
        std::snprintf(text, sizeof text, "%.1f%%", value * kTopInterestRate * 100);
        std::string words = Translate("OPTION_VALUE_INTEREST");
        ReplaceAll(words, "<RATE>", text);
        return words;
    }
    case ValueShown::Level:
        break;
    }
    return LevelWords(value);
}

struct SwitchEntry {
    const char* key; // empty: the full-screen box
    const char* text;
    const char* tooltip;
};

constexpr SwitchEntry kSwitchEntries[] = {
    {"", "OPTION_FULLSCREEN", "TOOLTIP_OPTION_FULLSCREEN"},
    {kOptionEnableDilemmas, "OPTION_ENABLEDILEMMAS", "TOOLTIP_ENABLEDILEMMAS"},
    {kOptionEnableRestrictPower, "OPTION_ENABLERESTRICTPOWERS", "TOOLTIP_RESTRICTPOWERS"},
    {kOptionEnableManifesto, "OPTION_ENABLEMANIFESTO", "TOOLTIP_ENABLEMANIFESTO"},
    {kOptionAutosave, "OPTION_ENABLEAUTOSAVE", "TOOLTIP_ENABLEAUTOSAVE"},
    {kOptionHoneymoon, "OPTION_HONEYMOON", "TOOLTIP_HONEYMOON"},
    {kOptionShowConnectors, "OPTION_SHOWCONNECTORS", "TOOLTIP_SHOWCONNECTORS"},
};

// Design layout: one centred panel, sliders in a column, the boxes in two columns below them.
constexpr float kPanelLeft = 212, kPanelRight = 812;
constexpr float kSliderLeft = 262, kSliderRight = 762;
constexpr float kSliderTop = 120, kSliderHeight = 40, kSliderPitch = 50;
constexpr float kBoxTop = 430, kBoxHeight = 26, kBoxPitch = 40;
constexpr float kBoxColumnWidth = 250;

} // namespace

bool IsFullScreenConfigured() {
    return GetDisplayConfigInt("IsWindowed", 1) == 0;
}

int NextInterfacePercent(int percent) {
    return percent >= 200 ? 100 : percent >= 150 ? 200 : 150;
}

std::string InterfaceSizeWords(int percent) {
    return percent == 200 ? "2x" : percent == 150 ? "1.5x" : "1x";
}

bool IsFullScreenNow() {
    // Alt+Enter and the command line change the display behind this screen's back; the display
    // itself is the one witness that cannot be out of date.
    if (IsDisplayOpen())
        return IsFullScreenShown();
    return IsFullScreenConfigured();
}

OptionsGUIScreen::OptionsGUIScreen() {
    for (const SliderEntry& entry : kSliderEntries) {
        auto* slider = new GUI_SliderControl(entry.label, entry.key);
        slider->SetTooltip(entry.tooltip);
        const ValueShown shown = entry.shown;
        slider->valueText = [shown](float value) { return ShownValue(shown, value); };
        if (std::string(entry.key) == kOptionMusic) {
            slider->onChange = [](GUI_SliderControl&) { GetSounds().ApplyMusicVolume(); };
        } else if (std::string(entry.key) == kOptionSfxVolume) {
            // The effects read their volume as they start; storing it again keeps the table in
            // step even when the drag ended between two updates.
            slider->onChange = [](GUI_SliderControl& s) { SetOption(kOptionSfxVolume, s.Value()); };
        }
        root.AddChild(slider);
        sliders.push_back(slider);
    }

    for (const SwitchEntry& entry : kSwitchEntries) {
        auto* box = new GUI_CheckButton(entry.text);
        box->SetTooltip(entry.tooltip);
        const std::string key = entry.key;
        if (key.empty()) {
            // Restarting the display inside a click would pull the frame out from under itself.
            box->deferred = true;
            box->SetCallback([box](void*) {
                ToggleWindowed();
                box->SetTicked(IsFullScreenNow());
            });
        } else {
            box->SetCallback([box, key](void*) {
                ToggleOption(key);
                box->SetTicked(IsOptionTicked(key));
            });
        }
        root.AddChild(box);
        switches.push_back({box, key});
    }

    sizeButton = new GUI_ButtonText("OPTION_INTERFACESIZE");
    sizeButton->identifier = "OPTION_INTERFACESIZE";
    sizeButton->SetTooltip("TOOLTIP_OPTION_INTERFACESIZE");
    sizeButton->font = ScreenLayout::kLabelFont;
    // Restarting the display inside a click would pull the frame out from under itself.
    sizeButton->deferred = true;
    sizeButton->SetCallback(
        [](void*) { SetInterfacePercent(NextInterfacePercent(InterfacePercent())); });
    root.AddChild(sizeButton);

    auto* back = new GUI_ButtonText("MAIN_MENU");
    back->SetTooltip("TOOLTIP_MAINMENU");
    back->deferred = true;
    back->SetCallback([](void*) { SetGameMode(GameMode::Menu); });
    root.AddChild(back);
}

void OptionsGUIScreen::Layout() {
    using ScreenLayout::S;
    using ScreenLayout::X;
    float y = kSliderTop;
    for (GUI_SliderControl* slider : sliders) {
        slider->SetRect(X(kSliderLeft), S(y), X(kSliderRight), S(y + kSliderHeight));
        y += kSliderPitch;
    }
    for (size_t i = 0; i < switches.size(); ++i) {
        const float x = kSliderLeft + (i % 2) * kBoxColumnWidth;
        const float top = kBoxTop + (i / 2) * kBoxPitch;
        switches[i].box->SetRect(X(x), S(top), X(x + kBoxColumnWidth - 10), S(top + kBoxHeight));
    }
    // The interface size sits beside the last box, where a switch would go.
    const float sizeLeft = kSliderLeft + kBoxColumnWidth;
    const float sizeTop = kBoxTop + 3 * kBoxPitch - 4;
    sizeButton->SetRect(X(sizeLeft), S(sizeTop), X(sizeLeft + kBoxColumnWidth - 10),
                        S(sizeTop + kBoxHeight + 8));
    const float centre = ScreenLayout::ScreenWidth() / 2;
    root.buttons.back()->SetRect(centre - S(120), S(640), centre + S(120), S(688));
}

void OptionsGUIScreen::RefreshSwitches() {
    for (SwitchBox& entry : switches)
        entry.box->SetTicked(entry.key.empty() ? IsFullScreenNow() : IsOptionTicked(entry.key));
}

void OptionsGUIScreen::Activate() {
    windowManager.CloseAll();
    // The display may have changed size since the screen was last shown.
    root.SetRect(0, 0, ScreenLayout::ScreenWidth(), ScreenLayout::ScreenHeight());
    Layout();
    sizeButton->SetLabel(Translate("OPTION_INTERFACESIZE") + " " +
                         InterfaceSizeWords(InterfacePercent()));
    for (GUI_SliderControl* slider : sliders) {
        slider->dragging = false;
        slider->SetValue(GetOption(slider->optionKey));
    }
    RefreshSwitches();
}

void OptionsGUIScreen::Update() {
    GUI_WindowScreen::Update();
    // The box follows the display, whichever way it was switched.
    for (SwitchBox& entry : switches)
        if (entry.key.empty())
            entry.box->SetTicked(IsFullScreenNow());
}

void OptionsGUIScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape)
        SetGameMode(GameMode::Menu);
}

void OptionsGUIScreen::DrawBackground() {
    ScreenLayout::DrawBackdrop("title.bmp", 0xC8000000);
    ScreenLayout::DrawPanel(kPanelLeft, 30, kPanelRight, 600);
}

void OptionsGUIScreen::DrawContent() {
    ScreenLayout::DrawTitle(Translate("OPTIONS_TITLE"), 55);
}
