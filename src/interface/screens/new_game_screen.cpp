#include "interface/screens/new_game_screen.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/ini_section.h"
#include "base/json_writer.h"
#include "base/mission.h"
#include "base/text_utils.h"
#include "base/translation.h"
#include "government/election_manager.h"
#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_list_box.h"
#include "interface/widgets/gui_slider_control.h"
#include "interface/widgets/message_dialog.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/render_device.h"
#include "population/party.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Design layout: the starting levels on the left, the rules of the game on the right.
constexpr float kLeftPanel = 40, kLeftPanelRight = 500;
constexpr float kRightPanel = 524, kRightPanelRight = 984;
constexpr float kPanelTop = 80, kPanelBottom = 625;
constexpr float kCountryLabelY = 100, kCountryListTop = 122, kCountryListBottom = 220;
constexpr float kCountryListLeft = 70, kCountryListRight = 470;
constexpr float kLevelsLabelY = 228;
constexpr float kSliderLeft = 70, kSliderRight = 470, kSliderTop = 251;
constexpr float kSliderHeight = 34, kSliderPitch = 41;
constexpr float kRowLabelX = 550, kLeftArrowX = 770, kRightArrowX = 910;
constexpr float kArrowSize = 28;
constexpr float kTermRowY = 140, kTermsRowY = 185, kCurrencyRowY = 230;
constexpr float kListLabelY = 285, kListTop = 310, kListBottom = 500;
constexpr float kPartyNoteTop = 510, kPartyNoteBottom = 600;
constexpr float kPlayerListLeft = 550, kPlayerListRight = 750;
constexpr float kOppositionListLeft = 770, kOppositionListRight = 960;
constexpr float kBottomButtonTop = 650, kBottomButtonHeight = 48, kBottomButtonWidth = 240;

constexpr const char kNoMissionDefault[] =
    "no mission default for this value. all new game slider targets must be defined in the "
    "mission file";

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The comma-separated fields of a slider entry, trimmed; always at least one.
std::vector<std::string> SplitFields(const std::string& value) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        const size_t comma = value.find(',', start);
        fields.push_back(Trimmed(value.substr(start, comma - start)));
        if (comma == std::string::npos)
            return fields;
        start = comma + 1;
    }
}

// "1 year", "4 years": the count with the word for one or for many.
std::string CountWords(int count, const char* oneKey, const char* manyKey) {
    return std::to_string(count) + " " + Translate(count == 1 ? oneKey : manyKey);
}

} // namespace

namespace {
// The pound and euro signs as the fonts number them (Windows-1252).
const std::vector<std::string> kCurrencies = {"$", "\xA3", "\x80"};
} // namespace

GUI_NewGameScreen::GUI_NewGameScreen() {
    currencies = kCurrencies;
}

void GUI_NewGameScreen::Activate() {
    windowManager.CloseAll();
    Build();
    ResetChoices();
    ShowScreenHint(kCustomiseHint, windowManager);
}

void GUI_NewGameScreen::Build() {
    using ScreenLayout::S;
    using ScreenLayout::X;
    root.buttons.clear();
    sliders.clear();
    sliderNames.clear();
    pollSwings.clear();
    missionLevels.clear();
    root.SetRect(0, 0, ScreenLayout::ScreenWidth(), ScreenLayout::ScreenHeight());

    auto* menu = new GUI_ButtonText("NEWGAME_MAINMENU");
    menu->SetTooltip("TOOLTIP_MAINMENU");
    menu->deferred = true;
    menu->SetRect(X(kLeftPanel), S(kBottomButtonTop), X(kLeftPanel + kBottomButtonWidth),
                  S(kBottomButtonTop + kBottomButtonHeight));
    menu->SetCallback([](void*) { SetGameMode(GameMode::Menu); });
    root.AddChild(menu);

    auto* start = new GUI_ButtonText("NEWGAME_START");

    start->SetRect(X(kRightPanelRight - kBottomButtonWidth), S(kBottomButtonTop),
                   X(kRightPanelRight), S(kBottomButtonTop + kBottomButtonHeight));
    // Building the game is long work: it starts once this frame is shown.
    start->SetCallback([this](void*) { QueueGameAction([this]() { Start(); }); });
    root.AddChild(start);

    countries = ListMissions(GetUserDir());
    countryList = new GUI_ListBox();
    countryList->identifier = "NEWGAME_COUNTRY";
    countryList->SetTooltip("TOOLTIP_NEWGAME_COUNTRY");
    countryList->SetRect(X(kCountryListLeft), S(kCountryListTop), X(kCountryListRight),
                         S(kCountryListBottom));
    for (size_t i = 0; i < countries.size(); ++i) {
        const MissionChoice& country = countries[i];
        countryList->AddEntry(country.country + (country.modded ? " (mod)" : ""), country.name);
        if (country.file == GetMission().missionFile)
            countryList->SetSelected(static_cast<int>(i));
    }
    // The controls are built again for the new country, the list among them: not while the
    // list is still handling its click.
    countryList->onSelectionChanged = [this](GUI_ListBox& box) {
        const int index = box.Selected();
        QueueGameAction([this, index]() { ChooseCountry(index); });
    };
    root.AddChild(countryList);

    LoadSliders();

    struct Arrows {
        float y;
        void (GUI_NewGameScreen::*change)(int);
        const char* tooltip;
    };
    const Arrows rows[] = {
        {kTermRowY, &GUI_NewGameScreen::ChangeTermLength, "TOOLTIP_NEWGAME_TERMLENGTH"},
        {kTermsRowY, &GUI_NewGameScreen::ChangeMaxTerms, "TOOLTIP_NEWGAME_MAXTERMS"},
        {kCurrencyRowY, &GUI_NewGameScreen::ChangeCurrency, "TOOLTIP_NEWGAME_CURRENCY"}};
    for (const Arrows& row : rows) {
        auto* leftArrow = new GUI_IconButton("left.dds", "left_h.dds");
        leftArrow->SetRect(X(kLeftArrowX), S(row.y), X(kLeftArrowX + kArrowSize),
                           S(row.y + kArrowSize));
        auto* rightArrow = new GUI_IconButton("right.dds", "right_h.dds");
        rightArrow->SetRect(X(kRightArrowX), S(row.y), X(kRightArrowX + kArrowSize),
                            S(row.y + kArrowSize));
        leftArrow->SetTooltip(row.tooltip);
        rightArrow->SetTooltip(row.tooltip);
        const auto change = row.change;
        leftArrow->SetCallback([this, change](void*) { (this->*change)(-1); });
        rightArrow->SetCallback([this, change](void*) { (this->*change)(1); });
        root.AddChild(leftArrow);
        root.AddChild(rightArrow);
    }

    playerParty = new GUI_ListBox();
    playerParty->identifier = "NEWGAME_PLAYERSPARTYNAME";
    playerParty->SetTooltip("TOOLTIP_NEWGAME_PLAYERSPARTY");
    playerParty->SetRect(X(kPlayerListLeft), S(kListTop), X(kPlayerListRight), S(kListBottom));
    root.AddChild(playerParty);
    oppositionParty = new GUI_ListBox();
    oppositionParty->identifier = "NEWGAME_OPPOSITIONPARTYNAME";
    oppositionParty->SetTooltip("TOOLTIP_NEWGAME_OPPOSITIONPARTY");
    oppositionParty->SetRect(X(kOppositionListLeft), S(kListTop), X(kOppositionListRight),
                             S(kListBottom));
    root.AddChild(oppositionParty);
}

void GUI_NewGameScreen::LoadSliders() {
    using ScreenLayout::S;
    using ScreenLayout::X;
    CIniSection section;
    section.Load(kNewGameSliderSection, kNewGameSliderFile);
    float y = kSliderTop;
    for (const CIniSection::Entry& entry : section.Entries()) {
        const std::vector<std::string> fields = SplitFields(entry.value);
        const std::string name = fields[0];
        const std::string label = fields.size() > 1 ? fields[1] : name;
        const float swing =
            fields.size() > 2 ? static_cast<float>(std::atof(fields[2].c_str())) : 0;
        const float target = GetMission().GetStartSetting(name);
        if (target < 0) {
            // The mission is the one place the starting levels are defined; a slider without one
            // would start the country from nothing.
            Log(kNoMissionDefault);
            ASSERT(false);
            break;
        }
        auto* slider = new GUI_SliderControl(label);
        slider->identifier = name;
        slider->SetValue(target);
        slider->valueText = [](float value) { return LevelWords(value); };
        slider->SetTooltip("TOOLTIP_NEWGAME_" + UpperCopy(name));
        slider->SetRect(X(kSliderLeft), S(y), X(kSliderRight), S(y + kSliderHeight));
        root.AddChild(slider);
        sliders.push_back(slider);
        sliderNames.push_back(name);
        pollSwings.push_back(swing);
        missionLevels.push_back(target);
        y += kSliderPitch;
    }
}

void GUI_NewGameScreen::ChooseCountry(int index) {
    if (index < 0 || index >= static_cast<int>(countries.size()))
        return;
    CMission& mission = GetMission();
    if (mission.missionFile == countries[index].file)
        return;
    mission.Reset();
    mission.SetMissionFile(countries[index].file);
    mission.Load();
    Build();
    ResetChoices();
}

void GUI_NewGameScreen::FillPartyList(GUI_ListBox& box, const std::string& chosen) {
    box.Clear();
    for (const std::string& name : GetPartyNames())
        box.AddEntry(name, name);
    if (!chosen.empty() && !box.SelectText(chosen)) {
        // A mission may name its parties outside the shared list; they stay on offer.
        box.AddEntry(chosen, chosen);
        box.SetSelected(box.Count() - 1);
    }
    if (box.Selected() < 0 && box.Count() > 0)
        box.SetSelected(0);
}

void GUI_NewGameScreen::ResetChoices() {
    const CMission& mission = GetMission();
    termYears = mission.termLength > 0 ? std::clamp(mission.termLength, kMinYears, kMaxYears)
                                       : kDefaultTermMonths / 12;
    maxTerms = kDefaultTerms;
    currency = 0;
    // A country with a currency of its own keeps it on offer, after the three signs.
    currencies = kCurrencies;
    if (!mission.currency.empty() &&
        std::find(currencies.begin(), currencies.end(), mission.currency) == currencies.end())
        currencies.push_back(mission.currency);
    for (size_t i = 0; i < currencies.size(); ++i)
        if (currencies[i] == mission.currency)
            currency = static_cast<int>(i);
    if (GetPartyNames().empty())
        LoadPartyNames();
    partyDescriptions.Load(kPartyDescriptionSection, kPartyDescriptionFile);
    FillPartyList(*playerParty, mission.partyName);
    FillPartyList(*oppositionParty, mission.oppositionName);
    // A mission that names no opposition starts it on the first party that is not the player's,
    // so the screen never opens on a choice it would refuse.
    if (mission.oppositionName.empty() && !ChoiceRefusal().empty()) {
        for (int i = 0; i < oppositionParty->Count(); ++i) {
            if (oppositionParty->Entries()[i].text != mission.partyName) {
                oppositionParty->SetSelected(i);
                break;
            }
        }
    }
}

void GUI_NewGameScreen::ChangeTermLength(int step) {
    termYears = std::clamp(termYears + step, kMinYears, kMaxYears);
}

void GUI_NewGameScreen::ChangeMaxTerms(int step) {
    maxTerms = std::clamp(maxTerms + step, kMinTerms, kMaxTerms);
}

void GUI_NewGameScreen::ChangeCurrency(int step) {
    currency = std::clamp(currency + step, 0, static_cast<int>(currencies.size()) - 1);
}

float GUI_NewGameScreen::FirstPollSwing() const {
    float swing = 0;
    for (size_t i = 0; i < sliders.size() && i < pollSwings.size(); ++i)
        swing += pollSwings[i] * (sliders[i]->Value() - missionLevels[i]);
    return swing;
}

bool GUI_NewGameScreen::StartLooksHopeless() const {
    return FirstPollSwing() <= kHopelessSwing;
}

std::string GUI_NewGameScreen::PartyDescription(const std::string& party) const {
    const std::string& text = partyDescriptions.GetString(party);
    return text.empty() ? Translate("NEWGAME_PARTY_NODESCRIPTION") : text;
}

std::string GUI_NewGameScreen::ChoiceRefusal() const {
    const GUI_ListBox::LB_Entry* player = playerParty->SelectedEntry();
    const GUI_ListBox::LB_Entry* opposition = oppositionParty->SelectedEntry();
    if (player && opposition && player->text == opposition->text)
        return Translate("NEWGAME_SAME_PARTY");
    return std::string();
}

void GUI_NewGameScreen::ApplyChoices() {
    CMission& mission = GetMission();
    for (size_t i = 0; i < sliders.size(); ++i)
        mission.SetStartSetting(sliderNames[i], sliders[i]->Value());
    mission.currency = Currency().substr(0, 5);
    if (const GUI_ListBox::LB_Entry* entry = playerParty->SelectedEntry())
        mission.partyName = entry->text;
    if (const GUI_ListBox::LB_Entry* entry = oppositionParty->SelectedEntry())
        mission.oppositionName = entry->text;
    // The set-up reads the term from the mission; the election manager holds it in months.
    mission.termLength = termYears;
    GetElectionManager().SetTermMonths(termYears * 12);
    mission.termsLimit = maxTerms;
}

void GUI_NewGameScreen::Start() {
    const std::string refusal = ChoiceRefusal();
    if (!refusal.empty()) {
        ShowMessageDialog(windowManager, Translate("NEWGAME_TITLE"), refusal);
        return;
    }
    ApplyChoices();
    StartNewGame();
    if (GUI_WindowBase* window = windowManager.FindByName(kCustomiseHint))
        window->Close();
}

void GUI_NewGameScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape)
        SetGameMode(GameMode::Menu);
}

void GUI_NewGameScreen::DrawBackground() {
    // Darker than the other screens: two panels side by side leave the title's lettering in the
    // gap between them.
    ScreenLayout::DrawBackdrop("title.bmp", 0xF0000000);
    ScreenLayout::DrawPanel(kLeftPanel, kPanelTop, kLeftPanelRight, kPanelBottom);
    ScreenLayout::DrawPanel(kRightPanel, kPanelTop, kRightPanelRight, kPanelBottom);
}

void GUI_NewGameScreen::DrawContent() {
    using namespace ScreenLayout;
    const std::string label = kLabelFont;
    const std::string plain = kTextFont;
    DrawTitle(Translate("NEWGAME_TITLE"), 22);
    GuiDraw::Text(label, kTextSize, Translate("NEWGAME_COUNTRY"), X(kCountryListLeft),
                  S(kCountryLabelY), kTextColour);
    GuiDraw::Text(label, kTextSize, Translate("NEWGAME_STARTINGLEVELS"), X(kSliderLeft),
                  S(kLevelsLabelY), kTextColour);
    GuiDraw::Text(label, kTextSize, Translate("NEWGAME_ADVANCED"), X(kRowLabelX), S(100),
                  kTextColour);

    const float textDrop = (kArrowSize - kTextSize) / 2;
    const std::string values[] = {
        CountWords(termYears, "NEWGAME_YEAR", "NEWGAME_YEARS"),
        CountWords(maxTerms, "NEWGAME_TERM", "NEWGAME_TERMS"),
        Currency(),
    };
    const char* const rowKeys[] = {"NEWGAME_TERMLENGTH", "NEWGAME_MAXTERMS", "NEWGAME_CURRENCY"};
    const float rowY[] = {kTermRowY, kTermsRowY, kCurrencyRowY};
    for (int i = 0; i < 3; ++i) {
        GuiDraw::Text(plain, kTextSize, Translate(rowKeys[i]), X(kRowLabelX), S(rowY[i] + textDrop),
                      kDimTextColour);
        GuiDraw::Text(label, kTextSize, values[i], X((kLeftArrowX + kArrowSize + kRightArrowX) / 2),
                      S(rowY[i] + textDrop), kTextColour, true);
    }
    GuiDraw::Text(plain, kTextSize, Translate("NEWGAME_PLAYERSPARTYNAME"), X(kPlayerListLeft),
                  S(kListLabelY), kDimTextColour);
    GuiDraw::Text(plain, kTextSize, Translate("NEWGAME_OPPOSITIONPARTYNAME"),
                  X(kOppositionListLeft), S(kListLabelY), kDimTextColour);

    // What each chosen party stands for, under its list.
    TextEngine& text = GetTextEngine();
    text.SetFont(kTextFont, kTextSize);
    const GUI_ListBox* lists[] = {playerParty, oppositionParty};
    const float lefts[] = {kPlayerListLeft, kOppositionListLeft};
    const float rights[] = {kPlayerListRight, kOppositionListRight};
    for (int i = 0; i < 2; ++i)
        if (const GUI_ListBox::LB_Entry* entry = lists[i]->SelectedEntry())
            text.DrawWrapped(PartyDescription(entry->text), X(lefts[i]), S(kPartyNoteTop),
                             static_cast<int>(S(rights[i] - lefts[i])), kDimTextColour);

    // Between the two bottom buttons: the left panel is full with the country list and levels.
    constexpr float warningLeft = kLeftPanel + kBottomButtonWidth + 16;
    constexpr float warningRight = kRightPanelRight - kBottomButtonWidth - 16;
    const std::string warning = Warning();
    if (!warning.empty())
        text.DrawWrapped(warning, X(warningLeft), S(kBottomButtonTop),
                         static_cast<int>(S(warningRight - warningLeft)), kWarningColour);
}

std::string GUI_NewGameScreen::Warning() const {
    if (!ChoiceRefusal().empty())
        return ChoiceRefusal();
    return StartLooksHopeless() ? Translate("NEWGAME_HOPELESS") : std::string();
}

void GUI_NewGameScreen::Describe(JsonWriter& json) const {
    GUI_WindowScreen::Describe(json);
    json.Field("warning", Warning());
    json.Field("firstPollSwing", FirstPollSwing());
    const GUI_ListBox* lists[] = {playerParty, oppositionParty};
    json.Key("partyDescriptions");
    json.BeginArray();
    for (const GUI_ListBox* list : lists)
        if (const GUI_ListBox::LB_Entry* entry = list->SelectedEntry())
            json.Value(PartyDescription(entry->text));
    json.EndArray();
}
