#pragma once
// GUI_NewGameScreen: the country before the first turn. The player picks the country (the
// standard missions, the default first, then the mods'), sets the starting levels of a few
// headline values, the length of a term, the term limit, the currency and both parties' names;
// Start writes the choices into the loaded mission and builds the game from it.

#include "base/mission_list.h"
#include "interface/widgets/gui_window_screen.h"

#include <string>
#include <vector>

class GUI_ListBox;
class GUI_SliderControl;

inline constexpr const char kNewGameSliderFile[] = "data/newgame.gui";
inline constexpr const char kNewGameSliderSection[] = "sliders";
inline constexpr const char kCustomiseHint[] = "CUSTOMISECOUNTRY";

class GUI_NewGameScreen : public GUI_WindowScreen {
public:
    static constexpr int kMinYears = 1, kMaxYears = 10;
    static constexpr int kMinTerms = 1, kMaxTerms = 10;
    static constexpr int kDefaultTerms = 3;

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
    GUI_ListBox* playerParty = nullptr;
    GUI_ListBox* oppositionParty = nullptr;
    int termYears = 4;
    int maxTerms = kDefaultTerms;
    int currency = 0;
};
