// The cabinet window (each post's minister, with a card for the one chosen and the dismissal
// with its rule shown before it is confirmed) and the appointment window (everyone who could
// take a post, what each would bring and the groups each stands for).

#include "base/debug_log.h"
#include "base/json_writer.h"
#include "base/translation.h"
#include "government/cabinet.h"
#include "government/cabinet_actions.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"

#include <vector>

namespace {

constexpr float kPortraitWidth = 120;
constexpr float kPortraitHeight = 150;

SIM_PolicyGroup* PostOf(const std::string& key) {
    return key.empty() ? nullptr : FindGroup(key.c_str());
}

std::string StandsFor(const MinisterFigures& f) {
    if (f.standsFor2.empty())
        return f.standsFor1;
    return f.standsFor1 + ", " + f.standsFor2;
}

std::string MinisterTip(const std::string& key, const MinisterFigures& f) {
    return TranslateWith(key, {{"<NAME>", f.name},
                               {"<GROUP1>", f.standsFor1},
                               {"<GROUP2>", f.standsFor2},
                               {"<EXPERIENCE>", FormatFraction(f.experience)},
                               {"<SUITABILITY>", FormatFraction(f.suitability)},
                               {"<LOYALTY>", FormatFraction(f.loyalty)},
                               {"<MOOD>", FormatFraction(f.mood)}});
}

// The part both windows share: a portrait with the minister's name, post and groups beside it,
// and six explained figures under it.
class MinisterPanel {
public:
    // Lays the panel out from (x, y) over width, all in game pixels.
    template <typename Window> void Build(Window& window, float x, float y, float width) {
        const float s = GUI_GameWindow::S(1);
        portrait[0] = x;
        portrait[1] = y;
        portrait[2] = x + kPortraitWidth * s;
        portrait[3] = y + kPortraitHeight * s;
        const float tx = portrait[2] + 12 * s;
        name = window.Figure(tx, y);
        name->SetFont("arialbold16.dds", 16);
        post = window.Figure(tx, y + 24 * s);
        post->colour = GovColour::kDim;
        standsFor = window.Caption(tx, y + 60 * s, "CABINET_STANDS_FOR");
        groups = window.Figure(tx, y + 82 * s);
        const char* captions[kRows] = {"CABINET_LOYALTY",       "CABINET_MOOD",
                                       "CABINET_EXPERIENCE",    "CABINET_SUITABILITY",
                                       "CABINET_EFFECTIVENESS", "CABINET_CAPITAL"};
        for (int i = 0; i < kRows; ++i) {
            const float rowY = y + (kPortraitHeight + 14 + 25 * i) * s;
            labels[i] = window.Caption(x, rowY, captions[i]);
            rows[i] = window.FigureAt(x + width, rowY);
        }
    }

    float Bottom() const { return rows[kRows - 1]->bottom; }

    void Show(const MinisterFigures* f, const std::string& postText) {
        shown = f != nullptr;
        figures = f ? *f : MinisterFigures();
        name->SetText(f ? f->name : Translate("CABINET_VACANT"));
        post->SetText(postText);
        groups->SetText(f ? StandsFor(*f) : std::string());
        groups->SetTooltipText(f ? MinisterTip("CABINET_TIP_STANDS_FOR", *f) : std::string());
        standsFor->visible = shown;
        for (int i = 0; i < kRows; ++i)
            labels[i]->visible = rows[i]->visible = shown;
        if (!f)
            return;
        Set(0, FormatFraction(f->loyalty), MinisterTip("CABINET_TIP_LOYALTY", *f));
        Set(1, FormatFraction(f->mood), MinisterTip("CABINET_TIP_MOOD", *f));
        Set(2, FormatFraction(f->experience), MinisterTip("CABINET_TIP_EXPERIENCE", *f));
        Set(3, FormatFraction(f->suitability), MinisterTip("CABINET_TIP_SUITABILITY", *f));
        Set(4, FormatFraction(f->effectiveness), MinisterTip("CABINET_TIP_EFFECTIVENESS", *f));
        Set(5, std::to_string(f->capital), MinisterTip("CABINET_TIP_CAPITAL", *f));
    }

    void DrawPortrait() const {
        DrawPictureOrInitials(shown ? figures.portrait : std::string(),
                              shown ? figures.name : std::string("-"), portrait[0], portrait[1],
                              portrait[2], portrait[3]);
    }

    void Describe(JsonWriter& json) const {
        json.Field("minister", shown ? figures.name : std::string());
        json.Field("portrait", shown ? figures.portrait : std::string());
    }

private:
    static constexpr int kRows = 6;
    void Set(int i, const std::string& text, const std::string& tip) {
        rows[i]->SetText(text);
        rows[i]->SetTooltipText(tip);
    }

    float portrait[4] = {};
    GUI_Label* name = nullptr;
    GUI_Label* post = nullptr;
    GUI_Label* groups = nullptr;
    GUI_Label* standsFor = nullptr;
    GUI_Label* labels[kRows] = {};
    GUI_Label* rows[kRows] = {};
    MinisterFigures figures;
    bool shown = false;
};

// The protected layout helpers of the base, opened to the panel.
class CabinetBase : public GovernmentWindow {
public:
    using GovernmentWindow::GovernmentWindow;
    GUI_Label* Figure(float x, float y) { return AddFigure(x, y); }
    GUI_Label* Caption(float x, float y, const std::string& key) { return AddCaption(x, y, key); }
    // A figure whose right end is at x.
    GUI_Label* FigureAt(float x, float y) { return AddFigure(x, y, LabelAlign::Right); }
};

class CabinetWindow : public CabinetBase {
public:
    CabinetWindow() : CabinetBase(WindowKind::Cabinet, "CABINET_TITLE", 960, 680) {}

    void Build() override {
        AddHeading(X(0), Y(0), "CABINET_POSTS");
        posts = AddTable(X(0), Y(24), S(560), S(24 + 7 * 22 + 2));
        posts->identifier = "CabinetPosts";
        posts->SetColumns(
            {{Translate("CABINET_COL_POST"), S(160), false, ""},
             {Translate("CABINET_COL_MINISTER"), S(150), false, ""},
             {Translate("CABINET_COL_LOYALTY"), S(65), true, Translate("CABINET_COL_LOYALTY_TIP")},
             {Translate("CABINET_COL_EXPERIENCE"), S(65), true,
              Translate("CABINET_COL_EXPERIENCE_TIP")},
             {Translate("CABINET_COL_EFFECT"), S(65), true, Translate("CABINET_COL_EFFECT_TIP")},
             {Translate("CABINET_COL_CAPITAL"), 0, true, Translate("CABINET_COL_CAPITAL_TIP")}});

        const float w = S(265);
        perTurn = AddFigureRow(X(0), Y(214), w, "CABINET_PER_TURN");
        available = AddFigureRow(X(0), Y(239), w, "CABINET_AVAILABLE");
        fireNeeds = AddFigureRow(X(295), Y(214), w, "CABINET_FIRE_NEEDS");
        waiting = AddFigureRow(X(295), Y(239), w, "CABINET_WAITING");

        AddHeading(X(0), Y(278), "CABINET_POOL");
        pool = AddTable(X(0), Y(302), S(560), S(300));
        pool->identifier = "CabinetPool";
        pool->SetColumns(
            {{Translate("CABINET_COL_NAME"), S(150), false, ""},
             {Translate("CABINET_COL_BEST_POST"), S(160), false, ""},
             {Translate("CABINET_COL_FIT"), S(60), true, Translate("CABINET_COL_FIT_TIP")},
             {Translate("CABINET_COL_EXPERIENCE"), S(65), true,
              Translate("CABINET_COL_EXPERIENCE_TIP")},
             {Translate("CABINET_COL_LOYALTY"), 0, true, Translate("CABINET_COL_LOYALTY_TIP")}});

        panel.Build(*this, X(580), Y(0), S(360));
        replace = AddButton(X(580), Y(355), S(170), "CABINET_REPLACE", "CabinetReplaceButton",
                            [this] { OpenAppointMinister(selectedPost); });
        fire = AddButton(X(770), Y(355), S(170), "CABINET_FIRE", "CabinetFireButton", [this] {
            confirming = true;
            Refresh();
        });
        confirm = AddButton(X(580), Y(520), S(170), "CABINET_CONFIRM_FIRE", "ConfirmFireButton",
                            [this] { ConfirmFire(); });
        cancel = AddButton(X(770), Y(520), S(170), "CABINET_KEEP", "CancelFireButton", [this] {
            confirming = false;
            Refresh();
        });
        news = AddFigure(X(0), Y(615));
        // News of an earlier visit (or an earlier game) is stale.
        LastCabinetNews().clear();
        news->colour = GovColour::kAccent;
        selectedPost = kPolicyGroupKeys[0];
        Refresh();
    }

    void Refresh() override {
        const PoliticalCapital& capital = GetPoliticalCapital();
        std::vector<TableRow> rows;
        for (const char* key : kPolicyGroupKeys) {
            SIM_PolicyGroup* group = PostOf(key);
            if (!group)
                continue;
            TableRow row;
            row.tag = key;
            const std::string postKey = key;
            row.onClick = [this, postKey] {
                if (postKey != selectedPost)
                    confirming = false;
                selectedPost = postKey;
                Refresh();
            };
            if (group->minister) {
                const MinisterFigures f = FiguresFor(*group->minister, group->index);
                row.tooltip = MinisterTip("CABINET_TIP_ROW", f);
                row.cells = {{group->cabinetTitle, 0, ""},
                             {f.name, 0, "", key == selectedPost ? GovColour::kAccent : 0u},
                             {FormatFraction(f.loyalty), f.loyalty, "",
                              f.loyalty < 0.3f ? GovColour::kBad : 0u},
                             {FormatFraction(f.experience), f.experience, ""},
                             {FormatFraction(f.effectiveness), f.effectiveness, ""},
                             {std::to_string(f.capital), static_cast<float>(f.capital), ""}};
            } else {
                row.tooltip = Translate("CABINET_TIP_VACANT");
                row.cells = {{group->cabinetTitle, 0, ""},
                             {Translate("CABINET_VACANT"), 0, "", GovColour::kBad},
                             {"-", -1, ""},
                             {"-", -1, ""},
                             {FormatFraction(0.5f), 0.5f, ""},
                             {"0", 0, ""}};
            }
            rows.push_back(std::move(row));
        }
        posts->SetRows(std::move(rows));

        std::vector<TableRow> candidates;
        for (SIM_Minister* minister : GetCabinet().ministers) {
            if (!minister || minister->HasPost())
                continue;
            SIM_PolicyGroup* best = minister->preferredPosts[0];
            const int index = best ? best->index : 0;
            const MinisterFigures f = FiguresFor(*minister, index);
            TableRow row;
            row.tag = f.name;
            row.tooltip = MinisterTip("CABINET_TIP_CANDIDATE", f);
            const std::string bestKey = best ? best->name : std::string(kPolicyGroupKeys[0]);
            row.onClick = [bestKey] { OpenAppointMinister(bestKey); };
            row.cells = {{f.name, 0, ""},
                         {best ? best->cabinetTitle : std::string(), 0, ""},
                         {FormatFraction(f.suitability), f.suitability, ""},
                         {FormatFraction(f.experience), f.experience, ""},
                         {FormatFraction(f.loyalty), f.loyalty, ""}};
            candidates.push_back(std::move(row));
        }
        const int candidateCount = static_cast<int>(candidates.size());
        pool->SetRows(std::move(candidates));

        perTurn->SetText(std::to_string(capital.capitalPerTurn));
        perTurn->SetTooltipText(Translate("CABINET_TIP_PER_TURN"));
        available->SetText(std::to_string(capital.capital));
        available->SetTooltipText(Translate("CABINET_TIP_AVAILABLE"));
        fireNeeds->SetText(std::to_string(FireMinisterPointsNeeded()));
        fireNeeds->SetTooltipText(Translate("CABINET_TIP_FIRE_NEEDS"));
        waiting->SetText(std::to_string(candidateCount));
        waiting->SetTooltipText(Translate("CABINET_TIP_WAITING"));

        SIM_PolicyGroup* group = PostOf(selectedPost);
        SIM_Minister* minister = group ? group->minister : nullptr;
        if (minister) {
            const MinisterFigures f = FiguresFor(*minister, group->index);
            panel.Show(&f, group->cabinetTitle);
            const FireRule rule = FireRuleFor(*minister);
            ruleText = rule.text;
            fireAllowed = rule.allowed;
            ministerName = minister->fullName;
        } else {
            panel.Show(nullptr, group ? group->cabinetTitle : std::string());
            ruleText.clear();
            fireAllowed = false;
            ministerName.clear();
            confirming = false;
        }
        replace->SetKey(minister ? "CABINET_REPLACE" : "CABINET_APPOINT");
        fire->visible = minister != nullptr && !confirming;
        replace->visible = !confirming;
        confirm->visible = confirming;
        confirm->enabled = fireAllowed;
        cancel->visible = confirming;
        news->SetText(LastCabinetNews());
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Field("selectedPost", selectedPost);
        panel.Describe(json);
        json.Field("confirming", confirming);
        json.Field("fireRule", confirming ? ruleText : std::string());
    }

protected:
    void DrawExtras() override {
        panel.DrawPortrait();
        if (confirming)
            DrawParagraph(ruleText, X(580), Y(400), S(360), GovColour::kText);
    }

private:
    void ConfirmFire() {
        confirming = false;
        // The window asks the core; the answer comes back through Refresh of every window.
        FireFromWindow(ministerName);
    }

    GUI_Table* posts = nullptr;
    GUI_Table* pool = nullptr;
    GUI_Label* perTurn = nullptr;
    GUI_Label* available = nullptr;
    GUI_Label* fireNeeds = nullptr;
    GUI_Label* waiting = nullptr;
    GUI_Label* news = nullptr;
    GUI_ButtonText* replace = nullptr;
    GUI_ButtonText* fire = nullptr;
    GUI_ButtonText* confirm = nullptr;
    GUI_ButtonText* cancel = nullptr;
    MinisterPanel panel;
    std::string selectedPost;
    std::string ministerName;
    std::string ruleText;
    bool confirming = false;
    bool fireAllowed = false;
};

class AppointWindow : public CabinetBase {
public:
    explicit AppointWindow(const std::string& portfolio)
        : CabinetBase(WindowKind::AppointMinister, "APPOINT_TITLE", 960, 620), post(portfolio) {}

    void Build() override {
        holder = AddFigure(X(0), Y(0));
        table = AddTable(X(0), Y(28), S(620), S(530));
        table->identifier = "AppointCandidates";
        table->SetColumns(
            {{Translate("CABINET_COL_NAME"), S(135), false, ""},
             {Translate("APPOINT_COL_HOLDS"), S(145), false, ""},
             {Translate("CABINET_COL_FIT"), S(50), true, Translate("CABINET_COL_FIT_TIP")},
             {Translate("CABINET_COL_EXPERIENCE"), S(50), true,
              Translate("CABINET_COL_EXPERIENCE_TIP")},
             {Translate("CABINET_COL_EFFECT"), S(55), true, Translate("CABINET_COL_EFFECT_TIP")},
             {Translate("APPOINT_COL_STANDS_FOR"), 0, false, ""}});
        panel.Build(*this, X(640), Y(28), S(300));
        appoint = AddButton(X(640), Y(520), S(300), "APPOINT_CONFIRM", "AppointButton",
                            [this] { Appoint(); });
        Retarget(post);
    }

    void Retarget(const std::string& portfolio) {
        if (portfolio != post)
            selected.clear();
        post = portfolio;
        Refresh();
    }

    void Refresh() override {
        SIM_PolicyGroup* group = PostOf(post);
        if (!group) {
            // A post that does not exist gets an honest empty window rather than a guess.
            title = TranslateWith("APPOINT_TITLE_POST", {{"<JOBTITLE>", post}});
            holder->SetText(Translate("APPOINT_NO_POST"));
            table->SetRows({});
            panel.Show(nullptr, std::string());
            appoint->visible = false;
            ruleText.clear();
            return;
        }
        title = TranslateWith("APPOINT_TITLE_POST", {{"<JOBTITLE>", group->cabinetTitle}});
        const float now = MinisterFactorFor(group->minister, group->index);
        holder->SetText(
            group->minister
                ? TranslateWith("APPOINT_HOLDER", {{"<NAME>", group->minister->fullName},
                                                   {"<EFFECT>", FormatFraction(now)}})
                : TranslateWith("APPOINT_HOLDER_NONE", {{"<EFFECT>", FormatFraction(now)}}));
        holder->SetTooltipText(Translate("CABINET_COL_EFFECT_TIP"));

        std::vector<SIM_Minister*> candidates = CandidatesFor(*group);
        if (!selected.empty() && !GetCabinet().FindMinister(selected))
            selected.clear();
        if (selected.empty() && !candidates.empty())
            selected = candidates.front()->fullName;
        std::vector<TableRow> rows;
        for (SIM_Minister* minister : candidates) {
            const MinisterFigures f = FiguresFor(*minister, group->index);
            TableRow row;
            row.tag = f.name;
            row.tooltip = MinisterTip("CABINET_TIP_CANDIDATE", f);
            const std::string name = f.name;
            row.onClick = [this, name] {
                selected = name;
                Refresh();
            };
            const Argb mark = name == selected ? GovColour::kAccent : 0u;
            row.cells = {
                {f.name, 0, "", mark},
                {f.postTitle.empty() ? Translate("APPOINT_CANDIDATE") : f.postTitle, 0, ""},
                {FormatFraction(f.suitability), f.suitability, ""},
                {FormatFraction(f.experience), f.experience, ""},
                {FormatFraction(f.effectiveness), f.effectiveness, ""},
                {StandsFor(f), 0, MinisterTip("CABINET_TIP_STANDS_FOR", f)}};
            rows.push_back(std::move(row));
        }
        table->SetRows(std::move(rows));

        SIM_Minister* chosen = selected.empty() ? nullptr : GetCabinet().FindMinister(selected);
        if (chosen) {
            const MinisterFigures f = FiguresFor(*chosen, group->index);
            panel.Show(&f, f.postTitle.empty() ? Translate("APPOINT_CANDIDATE") : f.postTitle);
            const AppointRule rule = AppointRuleFor(*chosen, *group);
            ruleText = rule.text;
            appoint->visible = true;
            appoint->enabled = rule.allowed;
        } else {
            panel.Show(nullptr, std::string());
            ruleText = Translate("APPOINT_NOBODY");
            appoint->visible = false;
        }
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Field("post", post);
        json.Field("selected", selected);
        panel.Describe(json);
        json.Field("rule", ruleText);
        json.Field("message", message);
    }

protected:
    void DrawExtras() override {
        panel.DrawPortrait();
        const float y = DrawParagraph(ruleText, X(640), Y(360), S(300), GovColour::kText);
        if (!message.empty())
            DrawParagraph(message, X(640), y + S(8), S(300), GovColour::kBad);
    }

private:
    void Appoint() {
        const std::string name = selected;
        if (AppointFromWindow(name, post)) {
            Close();
            return;
        }
        message = LastCabinetNews();
    }

    std::string post;
    std::string selected;
    std::string ruleText;
    std::string message;
    GUI_Label* holder = nullptr;
    GUI_Table* table = nullptr;
    GUI_ButtonText* appoint = nullptr;
    MinisterPanel panel;
};

} // namespace

std::string& LastCabinetNews() {
    static std::string news;
    return news;
}

bool FireFromWindow(const std::string& ministerName) {
    SIM_Minister* minister = GetCabinet().FindMinister(ministerName);
    const std::string post =
        minister && minister->currentPost ? minister->currentPost->cabinetTitle : std::string();
    const ActionResult result = FireMinisterAction(ministerName);
    Log(("cabinet window: " + result.message).c_str());
    LastCabinetNews() =
        result.ok
            ? TranslateWith("CABINET_NEWS_FIRED", {{"<NAME>", ministerName}, {"<JOBTITLE>", post}})
            : TranslateWith("CABINET_NEWS_REFUSED", {{"<WHY>", result.message}});
    RefreshGameWindows();
    return result.ok;
}

bool AppointFromWindow(const std::string& ministerName, const std::string& portfolio) {
    const ActionResult result = AppointMinisterAction(ministerName, portfolio);
    Log(("cabinet window: " + result.message).c_str());
    SIM_PolicyGroup* group = PostOf(portfolio);
    LastCabinetNews() =
        result.ok ? TranslateWith("CABINET_NEWS_APPOINTED",
                                  {{"<NAME>", ministerName},
                                   {"<JOBTITLE>", group ? group->cabinetTitle : portfolio}})
                  : TranslateWith("CABINET_NEWS_REFUSED", {{"<WHY>", result.message}});
    RefreshGameWindows();
    return result.ok;
}

std::unique_ptr<GUI_GameWindow> MakeCabinetWindow() {
    return std::make_unique<CabinetWindow>();
}

std::unique_ptr<GUI_GameWindow> MakeAppointMinisterWindow(const std::string& portfolio) {
    return std::make_unique<AppointWindow>(portfolio);
}

void RetargetAppointMinisterWindow(GUI_GameWindow& window, const std::string& portfolio) {
    if (auto* appoint = dynamic_cast<AppointWindow*>(&window))
        appoint->Retarget(portfolio);
}
