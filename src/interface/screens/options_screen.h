#pragma once
// OptionsGUIScreen: the player's options as sliders (volumes, difficulty and the tuning of the
// simulation) and check boxes (feature switches and full screen). Every change goes straight into
// the options table, which is written back at shutdown.

#include "interface/widgets/gui_window_screen.h"

#include <string>
#include <vector>

class GUI_ButtonText;
class GUI_CheckButton;
class GUI_SliderControl;

class OptionsGUIScreen : public GUI_WindowScreen {
public:
    OptionsGUIScreen();

    // Sliders and boxes are set afresh from the options table and the display configuration.
    void Activate() override;
    void Update() override;

    // The box of a switch: its option key, or empty for the full-screen box.
    struct SwitchBox {
        GUI_CheckButton* box;
        std::string key;
    };
    const std::vector<GUI_SliderControl*>& Sliders() const { return sliders; }
    const std::vector<SwitchBox>& Switches() const { return switches; }

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    void Layout();
    void RefreshSwitches();

    std::vector<GUI_SliderControl*> sliders;
    std::vector<SwitchBox> switches;
    GUI_ButtonText* sizeButton = nullptr;
};

// The interface sizes in turn: 100, 150, 200 and round again.
int NextInterfacePercent(int percent);
// "1x", "1.5x", "2x".
std::string InterfaceSizeWords(int percent);

// Full screen is ticked when the display configuration says the game is not windowed.
bool IsFullScreenConfigured();
// Whether the game is full screen now: the open display's own state, or the configuration
// while no display is open.
bool IsFullScreenNow();
