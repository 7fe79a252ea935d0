#pragma once
// GUI_SliderControl: a value 0..1 chosen by dragging a knob along a track, with a label. With an
// option key, dragging stores the value in the options table as it moves.

#include "interface/widgets/gui_base_element.h"

#include <functional>
#include <string>

class GUI_SliderControl : public GUI_ButtonBase {
public:
    using ChangeAction = std::function<void(GUI_SliderControl&)>;

    // The label is shown as given (at most 31 characters); optionKey may be empty. A slider with a
    // key starts at the option's current value.
    explicit GUI_SliderControl(const std::string& label, const std::string& optionKey = "");

    void Draw() override;
    // Starts, follows and ends the drag.
    void Update() override;
    // Takes a press on the knob so that nothing below reacts to it.
    bool OnClick(float x, float y) override;

    float Value() const { return value; }
    std::string DumpKind() const override { return "slider"; }
    std::string DumpText() const override { return label; }
    void DescribeMore(JsonWriter& json) const override;
    // Clamped to 0..1; does not touch the option nor run the change action.
    void SetValue(float newValue);
    bool IsDragging() const { return dragging; }
    // The knob's centre for the current value.
    float KnobX() const;
    bool OnKnob(float x, float y) const;

    std::string label;
    std::string optionKey;
    // Runs after every update of a drag.
    ChangeAction onChange;
    // The value in words or figures, shown at the right end of the label line; none when unset.
    std::function<std::string(float)> valueText;
    std::string ValueText() const { return valueText ? valueText(value) : std::string(); }
    float value = 0;
    bool dragging = false;
    static constexpr int kKnobWidth = 16;
    static constexpr int kMaxLabel = 31;
};
