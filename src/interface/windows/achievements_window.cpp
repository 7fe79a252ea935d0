// The achievements window: every goal of this country, earned or still to earn, with its medal,
// what it takes and how far the country is from each of its conditions.

#include "base/json_writer.h"
#include "base/translation.h"
#include "government/achievements.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"

#include <vector>

namespace {

constexpr float kMedalSize = 150;
// An achievement still to earn shows its medal faded.
constexpr unsigned kUnearnedTint = 0x50FFFFFF;

class AchievementsWindow : public GovernmentWindow {
public:
    AchievementsWindow()
        : GovernmentWindow(WindowKind::Achievements, "ACHIEVEMENTS_TITLE", 960, 640) {}

    void Build() override {
        count = AddFigure(X(0), Y(0));
        table = AddTable(X(0), Y(28), S(480), S(560));
        table->identifier = "AchievementsList";
        table->SetColumns({{Translate("ACHIEVEMENTS_COL_TITLE"), S(250), false, ""},
                           {Translate("ACHIEVEMENTS_COL_STATUS"), S(110), false, ""},
                           {Translate("ACHIEVEMENTS_COL_PROGRESS"), 0, true,
                            Translate("ACHIEVEMENTS_COL_PROGRESS_TIP")}});
        heading = AddFigure(X(500 + kMedalSize + 16), Y(28));
        heading->SetFont("arialbold20.dds", 20);
        status = AddFigure(X(500 + kMedalSize + 16), Y(58));
        Refresh();
    }

    void Refresh() override {
        const std::vector<Achievement>& all = GetAchievements();
        int earned = 0;
        std::vector<TableRow> rows;
        for (const Achievement& a : all) {
            earned += a.achieved ? 1 : 0;
            const std::vector<ConditionProgress> progress = ProgressOf(a);
            int met = 0;
            for (const ConditionProgress& p : progress)
                met += p.met ? 1 : 0;
            const float done = progress.empty()
                                   ? 1.0f
                                   : static_cast<float>(met) / static_cast<float>(progress.size());
            TableRow row;
            row.tag = a.key;
            row.tooltip = Translate(a.text6);
            const std::string key = a.key;
            row.onClick = [this, key] {
                selected = key;
                Refresh();
            };
            const Argb mark = key == selected ? GovColour::kAccent : 0u;
            row.cells = {{Translate(a.text3), 0, "", mark},
                         {Translate(a.achieved ? "ACHIEVEMENTS_EARNED" : "ACHIEVEMENTS_TO_EARN"), 0,
                          "", a.achieved ? GovColour::kGood : GovColour::kDim},
                         {a.achieved ? std::string("-")
                                     : std::to_string(met) + "/" + std::to_string(progress.size()),
                          a.achieved ? 2.0f : done,
                          TranslateWith("ACHIEVEMENTS_TIP_PROGRESS",
                                        {{"<MET>", std::to_string(met)},
                                         {"<ALL>", std::to_string(progress.size())}})}};
            rows.push_back(std::move(row));
        }
        table->SetRows(std::move(rows));
        count->SetText(
            TranslateWith("ACHIEVEMENTS_COUNT", {{"<EARNED>", std::to_string(earned)},
                                                 {"<ALL>", std::to_string(all.size())}}));
        count->SetTooltipText(Translate("ACHIEVEMENTS_TIP_COUNT"));

        const Achievement* chosen = selected.empty() ? nullptr : FindAchievement(selected);
        if (!chosen && !all.empty()) {
            chosen = &all.front();
            selected = chosen->key;
        }
        shown = chosen ? *chosen : Achievement();
        conditions = chosen ? ProgressOf(*chosen) : std::vector<ConditionProgress>();
        heading->SetText(chosen ? Translate(chosen->text3) : Translate("ACHIEVEMENTS_NONE"));
        status->SetText(chosen ? Translate(chosen->achieved ? "ACHIEVEMENTS_EARNED_LONG"
                                                            : "ACHIEVEMENTS_TO_EARN_LONG")
                               : std::string());
        status->colour = shown.achieved ? GovColour::kGood : GovColour::kDim;
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Field("selected", selected);
        json.Field("medal", shown.text5);
        json.Field("earned", shown.achieved);
        json.Key("conditions");
        json.BeginArray();
        for (const ConditionProgress& p : conditions)
            json.Value(p.text);
        json.EndArray();
    }

protected:
    void DrawExtras() override {
        if (selected.empty())
            return;
        const float l = X(500), t = Y(28);
        DrawPictureOrInitials(shown.text5, Translate(shown.text3), l, t, l + S(kMedalSize),
                              t + S(kMedalSize), shown.achieved ? 0xFFFFFFFF : kUnearnedTint);
        float y = Y(28 + kMedalSize + 16);
        y = DrawParagraph(Translate(shown.text4), X(500), y, S(440), GovColour::kText);
        y = DrawParagraph(Translate("ACHIEVEMENTS_HOW") + " " + Translate(shown.text6), X(500),
                          y + S(10), S(440), GovColour::kDim);
        y += S(12);
        for (const ConditionProgress& p : conditions) {
            GuiDraw::Text("arialbold16.dds", 16, p.met ? "+" : "-", X(500), y,
                          p.met ? GovColour::kGood : GovColour::kBad);
            y = DrawParagraph(p.text, X(520), y, S(420),
                              p.met ? GovColour::kGood : GovColour::kText);
        }
    }

private:
    GUI_Label* count = nullptr;
    GUI_Label* heading = nullptr;
    GUI_Label* status = nullptr;
    GUI_Table* table = nullptr;
    std::string selected;
    Achievement shown;
    std::vector<ConditionProgress> conditions;
};

} // namespace

std::unique_ptr<GUI_GameWindow> MakeAchievementsWindow() {
    return std::make_unique<AchievementsWindow>();
}
