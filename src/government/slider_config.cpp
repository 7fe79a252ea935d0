#include "government/slider_config.h"

#include "base/debug_log.h"
#include "base/row_reader.h"
#include "base/tokenizer.h"

#include <cmath>

namespace {

std::vector<std::unique_ptr<CSliderConfig>>& Configs() {
    static std::vector<std::unique_ptr<CSliderConfig>> configs;
    return configs;
}

} // namespace

CSliderConfig::CSliderConfig(const std::string& row) {
    CTokenizer tokens(row, ',');
    bool marked = tokens.NextToken() == "#";
    ASSERT(marked);
    name = tokens.NextString();
    steps = tokens.NextInt();
    while (!tokens.AtEnd()) {
        std::string label = tokens.NextToken();
        // The last cell carries the row's line end; a label never spans lines.
        size_t lineEnd = label.find_first_of("\r\n");
        if (lineEnd != std::string::npos)
            label.resize(lineEnd);
        if (!label.empty())
            labels.push_back(label);
    }
}

CSliderConfig::CSliderConfig(const std::string& name, int steps,
                             const std::vector<std::string>& labels)
    : name(name), steps(steps), labels(labels) {}

float CSliderConfig::Snap(float value) const {
    ASSERT(value >= 0.0f);
    ASSERT(value <= 1.0f);
    if (steps <= 1)
        return value;
    // A value out of range has been reported; clamping it first gives the same snapped result
    // for any finite value and keeps a NaN out of the arithmetic.
    if (!(value >= 0.0f))
        value = 0.0f;
    else if (value > 1.0f)
        value = 1.0f;
    float step = 1.0f / static_cast<float>(steps - 1);
    // Kept in float: with a huge step count the quotient would not fit an int.
    float k = std::trunc(value / step);
    if ((value - k * step) / step >= 0.5f)
        k += 1.0f;
    float result = k * step;
    if (result < 0.0f)
        result = 0.0f;
    if (result > 1.0f)
        result = 1.0f;
    return result;
}

std::string CSliderConfig::Label(float value) const {
    ASSERT(value >= 0.0f);
    ASSERT(value <= 1.0f);
    if (labels.empty())
        return "not set";
    int count = static_cast<int>(labels.size());
    // Divided by the spacing rather than multiplied by count - 1: the two differ in the last bit
    // of a float, and that bit decides which label a value on a half step gets.
    float x = 0.0f;
    if (count > 1)
        x = value / (1.0f / static_cast<float>(count - 1));
    int index;
    if (!(x > -1.0f)) {
        index = -1;
    } else if (x >= static_cast<float>(count)) {
        index = count;
    } else {
        index = static_cast<int>(x);
        if (x - static_cast<float>(index) >= 0.5f)
            ++index;
    }
    bool inside = index >= 0 && index < count;
    ASSERT(inside);
    if (index < 0)
        index = 0;
    if (index >= count)
        index = count - 1;
    return labels[static_cast<size_t>(index)];
}

void LoadSliderConfigs(const std::string& userDir) {
    ReleaseSliderConfigs();
    auto add = [](const std::string& row) {
        Configs().push_back(std::make_unique<CSliderConfig>(row));
    };
    ReadDirectRows("data/simulation/sliders.csv", add);
    // Without a user folder the pattern would point at the file system's root.
    if (!userDir.empty())
        ReadModRows(userDir + "/mods/data/sliders/*.txt", add);
}

const CSliderConfig* FindSliderConfig(const std::string& name) {
    for (const auto& config : Configs()) {
        if (config->name == name)
            return config.get();
    }
    return nullptr;
}

const std::vector<std::unique_ptr<CSliderConfig>>& SliderConfigs() {
    return Configs();
}

void ReleaseSliderConfigs() {
    Configs().clear();
}
