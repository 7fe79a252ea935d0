#pragma once
// The policy details window: what a policy is, where its slider stands and what each named step
// means, what it costs and earns at the chosen level, what it does to the country and to whom,
// and the buttons that introduce, change or cancel it. Every change goes through the player's
// policy actions, which check the political capital; the cost of a change is on screen before
// the player confirms it, and a change the capital cannot pay for opens the shortfall window
// instead (by the button, by Enter, however often it is pressed).

#include "government/slider_config.h"
#include "interface/widgets/gui_slider_control.h"
#include "interface/windows/node_window.h"

#include <string>
#include <vector>

class GUI_ButtonText;
class GUI_Table;
class SIM_Policy;

// A policy's slider: a knob over the track, a tick at each named step, the lowest and highest
// steps' names under its ends. A drag ends on the nearest step.
class GUI_PolicySlider : public GUI_SliderControl {
public:
    GUI_PolicySlider(const std::string& label, const CSliderConfig& config);
    void Update() override;
    void Draw() override;
    void DescribeMore(JsonWriter& json) const override;

    // One named step up (+1) or down (-1), held within the track.
    void Step(int direction);
    // The position of the nearest step.
    float Snapped(float value) const;
    // The name of the step a position stands for.
    std::string StepName(float value) const;
    // Evenly spaced positions of the named steps (none for a slider without steps).
    int StepCount() const;

    CSliderConfig config;
};

class GUI_PolicyDetailsWindow : public GUI_NodeWindow {
public:
    // fromPicker: the policy is offered for introduction, and its slider starts at its default.
    GUI_PolicyDetailsWindow(const std::string& policyName, bool fromPicker);

    // Enter confirms when this is the topmost window; pressing the slider's knob moves the knob,
    // not the window.
    void Update() override;
    // The mode, the slider, the costs and whether the capital covers them, the buttons' states.
    void DescribeMore(JsonWriter& json) const override;

    // The player's confirmation: introduces, or applies the chosen level or the cancellation.
    // A change the capital cannot pay for is refused: the slider returns to where it stood and
    // the shortfall window opens.
    void Confirm();
    // Chooses cancellation, or takes the choice back.
    void ToggleCancel();
    void StepSlider(int direction);

    // What confirming now would cost, and whether the capital covers it.
    int PendingCost() const { return pendingCost; }
    bool Affordable() const { return affordable; }
    float ChosenLevel() const;

protected:
    void Layout(Neuron& node) override;

private:
    // The figures that follow the slider: money, pending cost, effects, who likes it.
    void UpdatePreview();
    void LayoutHeader(SIM_Policy& policy);
    void LayoutCapital(SIM_Policy& policy);
    void LayoutButtons(SIM_Policy& policy);

    const bool fromPicker;
    bool introduceMode = true;
    bool cancellable = true;
    // The level chosen on the slider, kept while the window is rebuilt; negative until the
    // player touches it, when the policy's own level is shown.
    float chosen = -1.0f;
    bool cancelChosen = false;
    std::string status;

    int pendingCost = 0;
    bool affordable = true;
    bool changeChosen = false;
    std::vector<std::string> likes, dislikes, grudges;

    GUI_PolicySlider* slider = nullptr;
    GUI_Label* levelLabel = nullptr;
    GUI_Label* costLabel = nullptr;
    GUI_Label* incomeLabel = nullptr;
    GUI_Label* pendingLabel = nullptr;
    GUI_Label* likesLabel = nullptr;
    GUI_Label* dislikesLabel = nullptr;
    GUI_ButtonText* confirmButton = nullptr;
    GUI_ButtonText* cancelButton = nullptr;
    GUI_Table* effectsTable = nullptr;
};

inline constexpr float kPolicyWindowWidth = 720;
inline constexpr float kPolicyWindowHeight = 660;
