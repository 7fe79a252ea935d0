#pragma once
// Slider configurations: the named step layouts of policy sliders. Each maps a slider position
// 0..1 to one of its step labels and snaps a position to its evenly spaced steps. Policies keep a
// pointer to the configuration their data row names.

#include <memory>
#include <string>
#include <vector>

class CSliderConfig {
public:
    // Parses one content row: "#", name, steps, then one label per cell.
    explicit CSliderConfig(const std::string& row);
    CSliderConfig(const std::string& name, int steps, const std::vector<std::string>& labels);

    // The value moved to the nearest step (ties go up), kept within 0..1. Unchanged when the
    // slider has fewer than two steps.
    float Snap(float value) const;
    // The label nearest to the value's position among the labels; "not set" without labels.
    std::string Label(float value) const;

    std::string name;
    int steps = 0;
    std::vector<std::string> labels;
};

// Reads "data/simulation/sliders.csv" and then the one-row files
// "<userDir>/mods/data/sliders/*.txt" into the global list, replacing what an earlier load
// left there (pointers from that load are no longer valid).
void LoadSliderConfigs(const std::string& userDir);

// The first configuration with exactly this name; null when there is none.
const CSliderConfig* FindSliderConfig(const std::string& name);

// Every configuration in load order: the standard table first, then the mods.
const std::vector<std::unique_ptr<CSliderConfig>>& SliderConfigs();

// Frees every configuration.
void ReleaseSliderConfigs();
