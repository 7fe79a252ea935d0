#include "interface/windows/policy_window.h"

#include "base/debug_log.h"
#include "base/json_writer.h"
#include "base/mission.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/policy_preview.h"
#include "government/political_capital.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_table.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/windows/game_windows.h"
#include "network/neural_effect.h"
#include "platform/input_state.h"

#include <algorithm>
#include <cmath>

using NodeText::DisplayName;
using NodeText::Fill;
using NodeText::Fixed;
using NodeText::Points;
using NodeText::SignedPoints;

namespace {

constexpr float kWide = 680;
constexpr int kShownGroups = 4;

float Clamp01(float v) {
    return std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 1.0f);
}

SIM_Policy* FindPolicy(const std::string& name) {
    return GetPolicyManager().FindPolicy(name);
}

// "Wealthy +6, Capitalists +4 and 2 more".
std::string GroupList(const std::vector<std::pair<std::string, float>>& groups) {
    std::string text;
    const size_t shown = std::min<size_t>(groups.size(), kShownGroups);
    for (size_t i = 0; i < shown; ++i)
        text += (i ? ", " : "") + groups[i].first + " " + SignedPoints(groups[i].second);
    if (groups.size() > shown)
        text += " " + Fill("NODEWIN_AND_MORE", {{"COUNT", std::to_string(groups.size() - shown)}});
    return text;
}

// The inputs of a money figure, for its tooltip.
std::string MoneyInputs(const char* key, float atMin, float atMax, float level, float minister,
                        float multiplier) {
    return Fill(key, {{"MIN", FormatMoney(atMin)},
                      {"MAX", FormatMoney(atMax)},
                      {"LEVEL", Points(level)},
                      {"DIFFICULTY", Fixed(GetDifficulty(), 2)},
                      {"MINISTER", Fixed(minister, 2)},
                      {"WEALTH", Fixed(GetMission().wealth, 2)},
                      {"MULTIPLIER", Fixed(multiplier, 2)}});
}

} // namespace

GUI_PolicySlider::GUI_PolicySlider(const std::string& text, const CSliderConfig& sliderConfig)
    : GUI_SliderControl(text), config(sliderConfig) {
    identifier = "PolicySlider";
}

int GUI_PolicySlider::StepCount() const {
    if (config.steps > 1)
        return config.steps;
    return static_cast<int>(config.labels.size());
}

float GUI_PolicySlider::Snapped(float v) const {
    v = Clamp01(v);
    if (config.steps > 1)
        return config.Snap(v);
    const int n = StepCount();
    if (n < 2)
        return v;
    return std::round(v * static_cast<float>(n - 1)) / static_cast<float>(n - 1);
}

std::string GUI_PolicySlider::StepName(float v) const {
    return config.Label(Clamp01(v));
}

void GUI_PolicySlider::Step(int direction) {
    const int n = StepCount();
    const float step = n > 1 ? 1.0f / static_cast<float>(n - 1) : 0.1f;
    SetValue(Snapped(Snapped(value) + step * static_cast<float>(direction)));
    if (onChange)
        onChange(*this);
}

void GUI_PolicySlider::Update() {
    const bool wasDragging = dragging;
    GUI_SliderControl::Update();
    if (wasDragging && !dragging) {
        SetValue(Snapped(value));
        if (onChange)
            onChange(*this);
    }
}

void GUI_PolicySlider::Draw() {
    GUI_SliderControl::Draw();
    RenderDevice& device = GetRenderDevice();
    const int n = StepCount();
    const float below = static_cast<float>(bottom);
    for (int i = 0; n > 1 && i < n; ++i) {
        const float x = left + width * static_cast<float>(i) / static_cast<float>(n - 1);
        device.DrawLine(x, below + 1, x, below + 6, 0xFFA8B4C0);
    }
    if (!config.labels.empty()) {
        GuiDraw::Text("verdana12.dds", 12, config.labels.front(), static_cast<float>(left),
                      below + 7, 0xFFA8B4C0);
        const std::string& last = config.labels.back();
        GuiDraw::Text("verdana12.dds", 12, last,
                      right - static_cast<float>(GuiDraw::TextWidth("verdana12.dds", 12, last)),
                      below + 7, 0xFFA8B4C0);
    }
}

void GUI_PolicySlider::DescribeMore(JsonWriter& json) const {
    GUI_SliderControl::DescribeMore(json);
    json.Field("step", StepName(value));
    json.Field("steps", StepCount());
}

GUI_PolicyDetailsWindow::GUI_PolicyDetailsWindow(const std::string& policyName, bool picked)
    : GUI_NodeWindow(WindowKind::PolicyDetails, policyName, kPolicyWindowWidth,
                     kPolicyWindowHeight),
      fromPicker(picked) {}

float GUI_PolicyDetailsWindow::ChosenLevel() const {
    return slider ? slider->Value() : Clamp01(chosen);
}

void GUI_PolicyDetailsWindow::Layout(Neuron& node) {
    auto& policy = static_cast<SIM_Policy&>(node);
    introduceMode = !policy.active;
    cancellable = policy.cancellable;
    if (!introduceMode)
        cancelChosen = cancelChosen && cancellable;
    else
        cancelChosen = false;
    LayoutHeader(policy);

    // The slider and what its position means.
    const CSliderConfig config =
        policy.sliderConfig ? *policy.sliderConfig : CSliderConfig("", 0, {});
    slider = new GUI_PolicySlider(Translate("NODEWIN_LEVEL"), config);
    slider->SetRect(X(0), Y(126), X(420), Y(166));
    if (chosen < 0.0f) {
        // Offered for introduction, the slider starts on the step nearest the policy's default.
        const float start = policy.GetTarget();
        chosen = introduceMode ? slider->Snapped(start) : Clamp01(start);
    }
    slider->SetValue(chosen);
    slider->SetTooltipText(Translate("NODEWIN_SLIDER_TIP"));
    slider->onChange = [this](GUI_SliderControl& moved) {
        chosen = moved.Value();
        UpdatePreview();
    };
    AddChild(slider);
    AddButton("NODEWIN_STEP_DOWN", "SliderDownButton", 432, 138, 30, 26, [name = nodeName] {
        if (auto* w = dynamic_cast<GUI_PolicyDetailsWindow*>(
                FindGameWindow(std::string(WindowKind::PolicyDetails) + ":" + name)))
            w->StepSlider(-1);
    });
    AddButton("NODEWIN_STEP_UP", "SliderUpButton", 466, 138, 30, 26, [name = nodeName] {
        if (auto* w = dynamic_cast<GUI_PolicyDetailsWindow*>(
                FindGameWindow(std::string(WindowKind::PolicyDetails) + ":" + name)))
            w->StepSlider(1);
    });
    levelLabel = AddLabel("", 510, 128, "", "arialbold20.dds", 20);
    levelLabel->colour = NodeColours::kHeading;

    costLabel = AddLabel("", 0, 198, "", "arial16.dds", 14);
    incomeLabel = AddLabel("", 350, 198, "", "arial16.dds", 14);
    LayoutCapital(policy);

    AddLabel(Translate("NODEWIN_EFFECTS_HEADING"), 0, 290, Translate("NODEWIN_EFFECTS_TIP"),
             "arialbold16.dds", 16)
        ->colour = NodeColours::kHeading;
    effectsTable = new GUI_Table();
    effectsTable->identifier = "EffectsTable";
    effectsTable->SetRect(X(0), Y(312), X(kWide), Y(312 + 156));
    effectsTable->SetColumns(
        {{Translate("NODEWIN_COLUMN_AFFECTS"), S(330), false, ""},
         {Translate("NODEWIN_COLUMN_NOW"), S(150), true, Translate("NODEWIN_COLUMN_NOW_TIP")},
         {Translate("NODEWIN_COLUMN_AT_LEVEL"), 0, true,
          Translate("NODEWIN_COLUMN_AT_LEVEL_TIP")}});
    AddChild(effectsTable);
    likesLabel = AddLabel("", 0, 474, Translate("NODEWIN_LIKES_TIP"), "arial16.dds", 14);
    likesLabel->colour = NodeColours::kGood;
    dislikesLabel = AddLabel("", 0, 494, Translate("NODEWIN_LIKES_TIP"), "arial16.dds", 14);
    dislikesLabel->colour = NodeColours::kBad;

    // Grudges do not move with the slider: they are held against the policy itself.
    grudges.clear();
    for (Neuron* other : AllNeurons()) {
        if (other->typeCode != NeuronType::Grudge || nodeName != other->name)
            continue;
        for (NeuralEffect* link : other->outputs) {
            const std::string holder = DisplayName(*link->target);
            if (std::find(grudges.begin(), grudges.end(), holder) == grudges.end())
                grudges.push_back(holder);
        }
    }
    if (!grudges.empty()) {
        std::string names;
        for (const std::string& holder : grudges)
            names += (names.empty() ? "" : ", ") + holder;
        AddLabel(Fill("NODEWIN_GRUDGES", {{"NAMES", names}}), 0, 514,
                 Translate("NODEWIN_GRUDGES_TIP"), "arial16.dds", 14)
            ->colour = NodeColours::kBad;
    }
    if (!status.empty())
        AddLabel(status, 0, 536, "", "arial16.dds", 14)->colour = NodeColours::kDim;

    LayoutButtons(policy);
    UpdatePreview();
}

void GUI_PolicyDetailsWindow::LayoutHeader(SIM_Policy& policy) {
    auto* picture =
        new GUI_PictureBox(policy.iconFile.empty() ? std::string() : "icons_" + nodeName + ".dds",
                           DisplayName(policy));
    picture->SetRect(X(0), Y(0), X(88), Y(88));
    AddChild(picture);
    const std::string area = policy.group ? policy.group->displayName : std::string();
    AddLabel(area, 100, 0, "", "arialbold16.dds", 16)->colour = NodeColours::kDim;
    AddText(Translate(policy.description), 100, 22, kWide - 100, 66);

    // How far it has come, and how long the rest will take under this minister.
    const float minister = policy.MinisterFactor();
    const int turns = policy.implementationTurns > 0 ? policy.implementationTurns : 1;
    const float perTurn = minister / static_cast<float>(turns);
    const float left = introduceMode ? 1.0f : 1.0f - policy.implementation;
    const int turnsLeft = perTurn > 0 ? static_cast<int>(std::ceil(left / perTurn - 0.0001f)) : 0;
    const std::string tip =
        Fill("NODEWIN_IMPLEMENTATION_TIP", {{"TURNS", std::to_string(turns)},
                                            {"MINISTER", Fixed(minister, 2)},
                                            {"LEFT", std::to_string(turnsLeft)}});
    if (introduceMode) {
        AddLabel(Fill("NODEWIN_NOT_INTRODUCED", {{"TURNS", std::to_string(turnsLeft)}}), 0, 96, tip,
                 "arial16.dds", 14);
    } else {
        AddLabel(
            Fill("NODEWIN_IMPLEMENTATION", {{"PERCENT", NodeText::Percent(policy.implementation)},
                                            {"TURNS", std::to_string(turnsLeft)}}),
            0, 96, tip, "arial16.dds", 14);
        auto* bar = new GUI_ProgressBar(policy.implementation);
        bar->SetRect(X(360), Y(99), X(kWide), Y(111));
        bar->SetTooltipText(tip);
        AddChild(bar);
    }
}

void GUI_PolicyDetailsWindow::LayoutCapital(SIM_Policy& policy) {
    const PoliticalCapital& capital = GetPoliticalCapital();
    AddLabel(Fill("NODEWIN_CAPITAL", {{"CAPITAL", std::to_string(capital.capital)},
                                      {"PERTURN", std::to_string(capital.capitalPerTurn)}}),
             0, 222, Translate("POLITICAL_CAPITAL_DESC"), "arialbold16.dds", 16);
    if (introduceMode) {
        const bool short_ = capital.capital < policy.introduceCost;
        AddLabel(Fill(short_ ? "NODEWIN_INTRODUCE_COST_SHORT" : "NODEWIN_INTRODUCE_COST",
                      {{"COST", std::to_string(policy.introduceCost)},
                       {"SHORT", std::to_string(policy.introduceCost - capital.capital)}}),
                 0, 244, Translate("NODEWIN_INTRODUCE_COST_TIP"), "arial16.dds", 14)
            ->colour = short_ ? NodeColours::kBad : NodeColours::kText;
    } else if (RestrictedPowersOn()) {
        // Raise, lower and cancel, in that order, each marked when the capital falls short.
        const struct {
            const char* key;
            int cost;
        } costs[] = {{"RESTRICTPOWER_RAISE", policy.raiseCost},
                     {"RESTRICTPOWER_LOWER", policy.lowerCost},
                     {"RESTRICTPOWER_CANCEL", policy.cancelCost}};
        float x = 0;
        for (const auto& entry : costs) {
            GUI_Label* label =
                AddLabel(Translate(entry.key) + ": " + std::to_string(entry.cost), x, 244,
                         Translate("TOOLTIP_RESTRICTPOWERS"), "arial16.dds", 14);
            label->colour = capital.capital < entry.cost ? NodeColours::kBad : NodeColours::kText;
            x += 190;
        }
    } else {
        AddLabel(Translate("NODEWIN_CHANGES_FREE"), 0, 244, Translate("TOOLTIP_RESTRICTPOWERS"),
                 "arial16.dds", 14);
    }
    pendingLabel = AddLabel("", 0, 264, Translate("NODEWIN_PENDING_TIP"), "arialbold16.dds", 14);
}

void GUI_PolicyDetailsWindow::LayoutButtons(SIM_Policy& policy) {
    const std::string windowName = std::string(WindowKind::PolicyDetails) + ":" + nodeName;
    auto self = [windowName]() {
        return dynamic_cast<GUI_PolicyDetailsWindow*>(FindGameWindow(windowName));
    };
    confirmButton = AddButton(introduceMode ? "NODEWIN_INTRODUCE" : "NODEWIN_APPLY",
                              introduceMode ? "IntroducePolicyButton" : "ApplyPolicyButton", 0, 560,
                              230, 32, [self] {
                                  if (GUI_PolicyDetailsWindow* w = self())
                                      w->Confirm();
                              });
    if (!introduceMode) {
        cancelButton = AddButton(cancelChosen ? "NODEWIN_KEEP_POLICY" : "NODEWIN_CANCEL_POLICY",
                                 "CancelPolicyButton", 240, 560, 190, 32, [self] {
                                     if (GUI_PolicyDetailsWindow* w = self())
                                         w->ToggleCancel();
                                 });
        cancelButton->enabled = policy.cancellable;
        cancelButton->SetTooltip(policy.cancellable ? "NODEWIN_CANCEL_TIP"
                                                    : "NODEWIN_UNCANCELLABLE");
    } else {
        cancelButton = nullptr;
    }
    AddEncyclopediaButton(kWide - 130, 562);
}

void GUI_PolicyDetailsWindow::UpdatePreview() {
    SIM_Policy* policy = FindPolicy(nodeName);
    if (!policy || !slider)
        return;
    const float level = slider->Value();
    levelLabel->SetText(slider->StepName(level));
    levelLabel->SetTooltipText(
        Fill("NODEWIN_LEVEL_TIP", {{"LEVEL", Points(level)},
                                   {"NOW", Points(policy->value)},
                                   {"TARGET", Points(policy->GetTarget())}}));

    // Money at the chosen level, beside what it is now.
    const float minister = policy->MinisterFactor();
    const float costThere = policy->CostAt(level);
    const float incomeThere = policy->IncomeAt(level);
    const std::string costNow =
        introduceMode ? Translate("NODEWIN_NOT_IN_FORCE") : FormatMoney(policy->GetPolicyCost());
    const std::string incomeNow =
        introduceMode ? Translate("NODEWIN_NOT_IN_FORCE") : FormatMoney(policy->GetPolicyIncome());
    costLabel->SetText(Fill("NODEWIN_COST", {{"COST", FormatMoney(costThere)}, {"NOW", costNow}}));
    costLabel->SetTooltipText(MoneyInputs("NODEWIN_COST_TIP", policy->CostAtMin, policy->CostAtMax,
                                          level, 2.0f - minister, policy->costNeuron.value));
    incomeLabel->SetText(
        Fill("NODEWIN_INCOME", {{"INCOME", FormatMoney(incomeThere)}, {"NOW", incomeNow}}));
    incomeLabel->SetTooltipText(MoneyInputs("NODEWIN_INCOME_TIP", policy->IncomeAtMin,
                                            policy->IncomeAtMax, level, minister,
                                            policy->incomeNeuron.value));

    // What confirming now would cost.
    const int capital = GetPoliticalCapital().capital;
    std::string pending;
    if (introduceMode) {
        pendingCost = policy->introduceCost;
        changeChosen = true;
        pending = Fill("NODEWIN_PENDING_INTRODUCE", {{"COST", std::to_string(pendingCost)}});
    } else {
        changeChosen = cancelChosen || level != policy->GetTarget();
        pendingCost = RestrictedPowersOn() ? PolicyChangeCost(*policy, level, cancelChosen) : 0;
        if (!changeChosen)
            pending = Translate("NODEWIN_PENDING_NOTHING");
        else if (cancelChosen)
            pending = Fill("NODEWIN_PENDING_CANCEL", {{"COST", std::to_string(pendingCost)}});
        else
            pending = Fill("NODEWIN_PENDING_CHANGE", {{"COST", std::to_string(pendingCost)}});
    }
    affordable = capital >= pendingCost;
    if (changeChosen && !affordable)
        pending += " " + Fill("NODEWIN_PENDING_SHORT", {{"CAPITAL", std::to_string(capital)}});
    pendingLabel->SetText(pending);
    pendingLabel->colour = affordable ? NodeColours::kText : NodeColours::kBad;
    if (confirmButton) {
        const std::string word =
            Translate(introduceMode ? "NODEWIN_INTRODUCE"
                                    : (cancelChosen ? "NODEWIN_CONFIRM_CANCEL" : "NODEWIN_APPLY"));
        confirmButton->SetLabel(pendingCost > 0 ? word + " (" + std::to_string(pendingCost) + ")"
                                                : word);
        // Nothing to confirm, nothing to press; a change the capital cannot cover stays
        // pressable, and pressing it explains the shortfall.
        confirmButton->enabled = changeChosen;
    }

    // The effects, strongest at the chosen level first; the voter groups among them.
    std::vector<PolicyEffectLine> effects = PreviewPolicyEffects(*policy, level);
    std::stable_sort(effects.begin(), effects.end(),
                     [](const PolicyEffectLine& a, const PolicyEffectLine& b) {
                         return std::fabs(a.atSlider) > std::fabs(b.atSlider);
                     });
    std::vector<TableRow> rows;
    std::vector<std::pair<std::string, float>> pleased, displeased;
    for (const PolicyEffectLine& effect : effects) {
        TableRow row;
        row.tag = effect.targetName;
        const std::string name = effect.target ? DisplayName(*effect.target) : effect.targetName;
        const std::string why = Fill(
            "NODEWIN_EFFECT_TIP",
            {{"FORMULA", effect.formula},
             {"LEVEL", Fixed(level, 2)},
             {"MINISTER", Fixed(minister, 2)},
             {"IMPLEMENTATION", NodeText::Percent(introduceMode ? 0.0f : policy->implementation)},
             {"AT", SignedPoints(effect.atSlider)},
             {"NOW", SignedPoints(effect.now)}});
        row.cells = {{name, 0, ""},
                     {SignedPoints(effect.now), effect.now, why},
                     {SignedPoints(effect.atSlider), effect.atSlider, why}};
        row.cells[2].colour = effect.atSlider >= 0 ? NodeColours::kGood : NodeColours::kBad;
        row.tooltip = why;
        if (effect.target && !FindDetailsTarget(*effect.target).kind.empty()) {
            const std::string target = effect.targetName;
            row.onClick = [target] { OpenNodeDetails(target); };
        }
        rows.push_back(row);
        if (effect.target && effect.target->typeCode == NeuronType::VoterType &&
            std::fabs(effect.atSlider) >= 0.0005f)
            (effect.atSlider > 0 ? pleased : displeased).push_back({name, effect.atSlider});
    }
    effectsTable->SetRows(rows);
    likes.clear();
    dislikes.clear();
    for (const auto& entry : pleased)
        likes.push_back(entry.first);
    for (const auto& entry : displeased)
        dislikes.push_back(entry.first);
    likesLabel->SetText(pleased.empty()
                            ? Translate("NODEWIN_LIKED_BY_NONE")
                            : Fill("NODEWIN_LIKED_BY", {{"NAMES", GroupList(pleased)}}));
    dislikesLabel->SetText(displeased.empty()
                               ? Translate("NODEWIN_DISLIKED_BY_NONE")
                               : Fill("NODEWIN_DISLIKED_BY", {{"NAMES", GroupList(displeased)}}));
}

void GUI_PolicyDetailsWindow::StepSlider(int direction) {
    if (slider)
        slider->Step(direction);
}

void GUI_PolicyDetailsWindow::ToggleCancel() {
    if (introduceMode || !cancellable)
        return;
    cancelChosen = !cancelChosen;
    Rebuild();
}

void GUI_PolicyDetailsWindow::Confirm() {
    SIM_Policy* policy = FindPolicy(nodeName);
    if (!policy)
        return;
    if (!slider)
        return;
    const float level = ChosenLevel();
    const int capital = GetPoliticalCapital().capital;
    ActionResult result;
    int cost = 0;
    const bool wasActive = policy->active;
    if (!wasActive) {
        cost = policy->introduceCost;
        result = IntroducePolicyAction(nodeName, level);
    } else {
        const bool moved = level != policy->GetTarget();
        if (!cancelChosen && !moved)
            return;
        cost = RestrictedPowersOn() ? PolicyChangeCost(*policy, level, cancelChosen) : 0;
        result = ConfirmPolicyChanges(nodeName, level, cancelChosen);
    }
    LogF("Policy window: %s", result.message.c_str());
    if (!result.ok) {
        if (capital < cost) {
            status = Fill("NODEWIN_REFUSED_SHORT",
                          {{"COST", std::to_string(cost)}, {"CAPITAL", std::to_string(capital)}});
            // Refused for want of capital: the slider goes back to where the policy stands.
            chosen = -1.0f;
            cancelChosen = false;
            Rebuild();
            OpenCapitalShortfall(DisplayName(*policy), cost);
        } else {
            status = result.message;
            Rebuild();
        }
        return;
    }
    const char* done = !wasActive     ? "NODEWIN_DONE_INTRODUCED"
                       : cancelChosen ? "NODEWIN_DONE_CANCELLED"
                                      : "NODEWIN_DONE_CHANGED";
    status = Fill(done, {{"COST", std::to_string(cost)}, {"STEP", slider->StepName(level)}});
    chosen = -1.0f;
    cancelChosen = false;
    // The capital, the money and the network have moved: every open window catches up,
    // this one included.
    RefreshGameWindows();
}

void GUI_PolicyDetailsWindow::Update() {
    InputState& input = GetInput();
    const bool onKnob = slider && input.leftPressed && slider->OnKnob(input.mouseX, input.mouseY);
    const bool couldDrag = draggable;
    if (onKnob)
        draggable = false;
    GUI_NodeWindow::Update();
    draggable = couldDrag;

    const bool enter = std::find(input.keysPressed.begin(), input.keysPressed.end(),
                                 KeyCode::Enter) != input.keysPressed.end();
    GUI_WindowManager* windows = GameWindowManager();
    if (enter && windows && windows->Topmost() == this && windows->ModalCount() == 0) {
        // After the frame: confirming may open the shortfall window, which must not join the
        // window lists while they are being walked.
        const std::string windowName = name;
        DeferAfterFrame([windowName] {
            if (auto* w = dynamic_cast<GUI_PolicyDetailsWindow*>(FindGameWindow(windowName)))
                w->Confirm();
        });
    }
}

void GUI_PolicyDetailsWindow::DescribeMore(JsonWriter& json) const {
    json.Field("node", nodeName);
    json.Field("mode", std::string(introduceMode ? "introduce" : "change"));
    json.Field("fromPicker", fromPicker);
    json.Field("level", ChosenLevel());
    json.Field("step", slider ? slider->StepName(ChosenLevel()) : std::string());
    json.Field("cancelChosen", cancelChosen);
    json.Field("changeChosen", changeChosen);
    json.Field("pendingCost", pendingCost);
    json.Field("capital", GetPoliticalCapital().capital);
    json.Field("affordable", affordable);
    json.Field("status", status);
    auto list = [&json](const char* key, const std::vector<std::string>& names) {
        json.Key(key);
        json.BeginArray();
        for (const std::string& n : names)
            json.Value(n);
        json.EndArray();
    };
    list("likedBy", likes);
    list("dislikedBy", dislikes);
    list("grudgesHeldBy", grudges);
}
