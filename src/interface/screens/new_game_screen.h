#pragma once
// GUI_NewGameScreen: the country before the first turn. The player picks the country (the
// standard missions, the default first, then the mods'), sets the starting levels of a few
// headline values, the length of a term, the term limit, the currency and both parties' names;
// Start writes the choices into the loaded mission and builds the game from it. Every level shows
// its value and explains itself; each party comes with a line about what it stands for; a start
// that leaves the first election hopeless is warned of, and the same party on both sides refused.

#include "base/ini_section.h"
#include "base/mission_list.h"
#include "interface/widgets/gui_window_screen.h"

#include <string>
#include <vector>

class GUI_ListBox;
class GUI_SliderControl;

inline constexpr const char kNewGameSliderFile[] = "data/newgame.gui";
inline constexpr const char kNewGameSliderSection[] = "sliders";
inline constexpr const char kCustomiseHint[] = "CUSTOMISECOUNTRY";
// A line for each party name about what the party stands for, keyed by the name.
inline constexpr const char kPartyDescriptionFile[] = "data/simulation/partydescriptions.txt";
inline constexpr const char kPartyDescriptionSection[] = "descriptions";

class GUI_NewGameScreen : public GUI_WindowScreen {
public:
    static constexpr int kMinYears = 1, kMaxYears = 10;
    static constexpr int kMinTerms = 1, kMaxTerms = 10;
    static constexpr int kDefaultTerms = 3;
    // A first poll this many points below the country's own start leaves the first election
    // next to hopeless: the default country opens near half the vote.
    static constexpr float kHopelessSwing = -35.0f;
    static constexpr unsigned kWarningColour = 0xFFF0B060;

    GUI_NewGameScreen();

    // Builds the controls for the loaded mission, resets every choice and asks for the hint.
    void Activate() override;

    // Loads the country at that place of the country list and starts the choices afresh from it.
    void ChooseCountry(int index);
    GUI_ListBox& CountryList() { return *countryList; }
    const std::vector<MissionChoice>& Countries() const { return countries; }

    // The arrows; each stops at its end of the range.
    void ChangeTermLength(int step);
    void ChangeMaxTerms(int step);
    void ChangeCurrency(int step);
    // Writes the choices into the mission and the term settings.
    void ApplyChoices();
    // Why Start cannot go ahead with these choices (the same party on both sides); empty when
    // it can.
    std::string ChoiceRefusal() const;
    // How far the first poll would move from the country's own start, in points, by the slider
    // file's weights, and whether that leaves the first election next to hopeless.
    float FirstPollSwing() const;
    bool StartLooksHopeless() const;
    // The line under the starting levels: a refusal or the hopeless warning; empty when neither.
    std::string Warning() const;
    std::string PartyDescription(const std::string& party) const;
    void Describe(JsonWriter& json) const override;
    // ApplyChoices, then the game is built and the customisation window closed.
    void Start();

    int TermLength() const { return termYears; }
    int MaxTerms() const { return maxTerms; }
    const std::string& Currency() const { return currencies[currency]; }
    const std::vector<GUI_SliderControl*>& StartSliders() const { return sliders; }
    // The value names behind the sliders, in slider order.
    const std::vector<std::string>& SliderNames() const { return sliderNames; }
    GUI_ListBox& PlayerPartyList() { return *playerParty; }
    GUI_ListBox& OppositionPartyList() { return *oppositionParty; }

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    void Build();
    void LoadSliders();
    void ResetChoices();
    void FillPartyList(GUI_ListBox& box, const std::string& chosen);

    std::vector<MissionChoice> countries;
    GUI_ListBox* countryList = nullptr;
    std::vector<std::string> currencies;
    std::vector<GUI_SliderControl*> sliders;
    std::vector<std::string> sliderNames;
    std::vector<float> pollSwings;
    std::vector<float> missionLevels;
    CIniSection partyDescriptions;
    GUI_ListBox* playerParty = nullptr;
    GUI_ListBox* oppositionParty = nullptr;
    int termYears = 4;
    int maxTerms = kDefaultTerms;
    int currency = 0;
};
