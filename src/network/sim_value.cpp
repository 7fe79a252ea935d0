#include "network/sim_value.h"

#include "base/content_numbers.h"
#include "base/debug_log.h"
#include "base/tokenizer.h"
#include "network/neural_effect.h"
#include "network/simulation.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Fields of a content row, counted from 0 at the '#' marker.
enum SimValField : size_t {
    kFieldName = 1,
    kFieldGuiName,
    kFieldDescription,
    kFieldGroup,
    kFieldDefault,
    kFieldMin,
    kFieldMax,
    kFieldInvertColour,
    kFieldInterfaceText,
    kFieldUnused,
    kFieldFirstLink,
};

// Items this short cannot name a neuron and a formula; rows use them as padding between the
// input and output columns.
constexpr size_t kShortLinkItem = 2;

std::string StripLineEnd(const std::string& line) {
    size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r'))
        --end;
    return line.substr(0, end);
}

float CellFloat(const std::string& cell) {
    const std::string trimmed = RightTrim(cell);
    return FiniteContentNumber(std::strtof(trimmed.c_str(), nullptr), 0.0f, trimmed);
}

struct LinkItem {
    std::string neuronName;
    std::string formula;
    int drag = 0;
};

LinkItem ParseLinkItem(const std::string& text) {
    CTokenizer fields(text);
    LinkItem item;
    item.neuronName = fields.NextToken();
    item.formula = fields.NextToken();
    item.drag = fields.AtEnd() ? 0 : fields.NextInt();
    return item;
}

void ReportMissingLink(const char* format, const std::string& other, const char* self) {
    char message[512];
    std::snprintf(message, sizeof message, format, other.c_str(), self);
    REPORT_ERROR(message);
}

} // namespace

SIM_SimVal::SIM_SimVal() {
    typeCode = NeuronType::SimVal;
    minValue = 0.0f;
    maxValue = 1.0f;
    CSimulation::Register(this);
}

SIM_SimVal::~SIM_SimVal() {
    CSimulation::Unregister(this);
}

void SIM_SimVal::Load(const std::string& line) {
    NoteContentOrigin(this);
    value = 0.5f;
    std::vector<std::string> cells;
    CTokenizer fields(StripLineEnd(line));
    while (!fields.AtEnd())
        cells.push_back(fields.NextToken());

    // A short row leaves the later fields at their defaults rather than reading them as zero.
    auto has = [&](size_t field) { return field < cells.size(); };
    if (has(kFieldName))
        SetName(cells[kFieldName]);
    if (has(kFieldGuiName))
        SetGuiName(cells[kFieldGuiName]);
    if (has(kFieldDescription)) {
        const std::string& text = cells[kFieldDescription];
        size_t length = std::min(text.size(), static_cast<size_t>(kSimValDescriptionSize - 1));
        std::memcpy(description, text.data(), length);
        description[length] = '\0';
    }
    if (has(kFieldGroup))
        groupName = cells[kFieldGroup];
    if (has(kFieldDefault))
        SetBaseOffset(CellFloat(cells[kFieldDefault]));
    if (has(kFieldMin))
        minValue = CellFloat(cells[kFieldMin]);
    if (has(kFieldMax))
        maxValue = CellFloat(cells[kFieldMax]);
    if (has(kFieldInvertColour))
        invertColour = std::strtol(RightTrim(cells[kFieldInvertColour]).c_str(), nullptr, 10) != 0;
    if (has(kFieldInterfaceText))
        interfaceText = cells[kFieldInterfaceText];

    // The link columns list inputs first; a cell starting with '#' begins the outputs.
    bool readingOutputs = false;
    for (size_t i = kFieldFirstLink; i < cells.size(); ++i) {
        const std::string& cell = cells[i];
        if (!cell.empty() && cell[0] == '#') {
            readingOutputs = true;
            continue;
        }
        if (cell.size() <= kShortLinkItem)
            continue;
        (readingOutputs ? outputTexts : inputTexts).push_back(cell);
    }
}

void SIM_SimVal::AttachToGroup(PolicyGroupLookup findGroup) {
    if (groupName == kHiddenGroupName)
        return;
    group = findGroup(groupName.c_str());
}

void SIM_SimVal::ResolveLinks() {
    ContentPlace place(this);
    for (const std::string& text : outputTexts) {
        LinkItem item = ParseLinkItem(text);
        Neuron* to = FindNeuron(item.neuronName.c_str());
        if (!to) {
            ReportMissingLink("Failed to find output %s for %s,", item.neuronName, name);
            continue;
        }
        NeuralEffect* effect = new NeuralEffect(this, to, item.formula.c_str(), 1.0f, 0.5f);
        if (item.drag != 0)
            effect->SetInertialDrag(item.drag);
    }
    for (const std::string& text : inputTexts) {
        LinkItem item = ParseLinkItem(text);
        Neuron* from = FindNeuron(item.neuronName.c_str());
        if (!from) {
            ReportMissingLink("Failed to find input %s for %s,", item.neuronName, name);
            continue;
        }
        NeuralEffect* effect = new NeuralEffect(from, this, item.formula.c_str(), 1.0f, 0.5f);
        if (item.drag != 0)
            effect->SetInertialDrag(item.drag);
    }
    std::vector<std::string>().swap(outputTexts);
    std::vector<std::string>().swap(inputTexts);
}

float SIM_SimVal::Process() {
    Neuron::Process();
    if (value < minValue)
        value = minValue;
    if (value > maxValue)
        value = maxValue;
    return value;
}
