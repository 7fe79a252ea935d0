#include "government/situation.h"

#include "base/debug_log.h"
#include "base/tokenizer.h"
#include "government/government_state.h"
#include "government/issues_manager.h"
#include "government/policy_manager.h"
#include "government/situation_manager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Columns of a situation row, counted from 1 at the '#' marker.
enum SituationField : size_t {
    kFieldName = 2,
    kFieldGuiName,
    kFieldDescription,
    kFieldGroup,
    kFieldFirstText,
    kFieldIsGood = kFieldFirstText + kSituationTextCount,
    kFieldCost,
    kFieldIncome,
    kFieldFirstLink,
};

std::vector<SIM_Situation*>& ClassList() {
    return Government().situations;
}

std::string StripLineEnd(const char* line) {
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

void CopyText(char (&field)[kSituationTextSize], const std::string& text) {
    size_t length = std::min(text.size(), static_cast<size_t>(kSituationTextSize - 1));
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

int WholeNumber(const std::string& cell) {
    return static_cast<int>(std::strtol(RightTrim(cell).c_str(), nullptr, 10));
}

} // namespace

SIM_Situation::SIM_Situation(const std::string& line) {
    NoteContentOrigin(this);
    active = false;
    typeCode = NeuronType::Situation;
    // Held to 0 … 1 before the push, so the links carry the value the situation reports.
    minValue = 0.0f;
    maxValue = 1.0f;
    CopyText(sourceLine, line);
    ClassList().push_back(this);
    CTokenizer cells(StripLineEnd(sourceLine));
    cells.NextToken();
    SetName(cells.NextToken());
}

SIM_Situation::~SIM_Situation() {
    std::vector<SIM_Situation*>& list = ClassList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    SIM_SituationManager::Forget(this);
}

const std::vector<SIM_Situation*>& SIM_Situation::All() {
    return ClassList();
}

void SIM_Situation::Load() {
    ContentPlace place(this);
    std::vector<std::string> cells;
    CTokenizer fields(StripLineEnd(sourceLine));
    while (!fields.AtEnd())
        cells.push_back(fields.NextToken());
    static const std::string kNone;
    auto cell = [&](size_t field) -> const std::string& {
        return field - 1 < cells.size() ? cells[field - 1] : kNone;
    };

    SetName(cell(kFieldName));
    SetGuiName(cell(kFieldGuiName));
    CopyText(description, cell(kFieldDescription));

    policyGroup = nullptr;
    const std::string& groupName = cell(kFieldGroup);
    SIM_PolicyManager& policies = GetPolicyManager();
    for (int i = 0; i < kPolicyGroupCount; ++i)
        if (policies.Group(i).name == groupName)
            policyGroup = &policies.Group(i);
    ASSERT(policyGroup != nullptr);

    for (int i = 0; i < kSituationTextCount; ++i)
        texts[i] = cell(kFieldFirstText + i);
    isGood = WholeNumber(cell(kFieldIsGood)) != 0;
    // A situation costs and earns the same whatever its level, so both ends of each curve meet.
    CostAtMin = CostAtMax = static_cast<float>(WholeNumber(cell(kFieldCost)));
    IncomeAtMin = IncomeAtMax = static_cast<float>(WholeNumber(cell(kFieldIncome)));

    // Influences first; a cell starting with '#' turns the rest into this situation's effects.
    bool readingEffects = false;
    for (size_t i = kFieldFirstLink - 1; i < cells.size(); ++i) {
        const std::string& item = cells[i];
        if (!item.empty() && item[0] == '#')
            readingEffects = true;
        else if (readingEffects)
            AddEffect(item);
        else
            AddInfluence(item);
    }

    Stop();
}

float SIM_Situation::Process() {
    Neuron::Process();
    if (value < 0.0f)
        value = 0.0f;
    if (value > 1.0f)
        value = 1.0f;
    CheckTrigger();
    return value;
}

void SIM_Situation::CheckTrigger() {
    if (!active && value >= kSituationStartThreshold)
        Start();
    else if (active && value < kSituationStopThreshold)
        Stop();
}

namespace {

void RaiseSituationIssue(SIM_Situation* situation, int kind) {
    SIM_Issue* issue = GetIssuesManager().AddIssue(situation, kind, situation->IconPicture());
    if (!issue)
        return;
    issue->title = situation->guiName;
    issue->text = situation->description;
}

} // namespace

void SIM_Situation::Start() {
    ASSERT(!active);
    active = true;
    RaiseSituationIssue(this, kIssueKindSituationBegins);
}

void SIM_Situation::Stop() {
    if (active)
        RaiseSituationIssue(this, kIssueKindSituationEnds);
    active = false;
}
