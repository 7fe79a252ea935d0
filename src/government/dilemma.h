#pragma once
// SIM_Dilemma: a decision put to the player — a text and two or more options, each running a
// script when chosen. Its value, computed from its influences, is how pressing the decision is;
// the dilemma manager offers the most pressing one each turn.

#include "network/neuron.h"

#include <string>
#include <vector>

class SIM_Dilemma;

// Placeholders of an option's texts, each replaced by a name drawn for that option.
inline constexpr const char kMaleNamePlaceholder[] = "<MaleName>";
inline constexpr const char kFemaleNamePlaceholder[] = "<FemaleName>";

// Keys of a dilemma's saved state.
inline constexpr const char kDilemmaSaveElement[] = "dilemma";
inline constexpr const char kDilemmaSaveValue[] = "Value";
inline constexpr const char kDilemmaSaveTriggered[] = "triggered";

struct DilemmaOption {
    // Label and text as the player reads them, names already filled in.
    std::string name;
    std::string description;
    std::string dilemmaName;
    std::string dilemmaGuiName;
    // The script run when the player picks this option.
    std::string onImplement;
    SIM_Dilemma* dilemma = nullptr;
};

class SIM_Dilemma : public Neuron {
public:
    // Joins the dilemma manager's list; starts inactive and never offered.
    SIM_Dilemma();
    ~SIM_Dilemma() override;

    // Reads one dilemma file: section "dilemma" for the texts, "influences" (every value an
    // influence text), "prereqs" (every key a module name) and, in file order, every section
    // whose name contains "option" (in any case) as one option.
    void Load(const std::string& file);

    // How pressing the dilemma is this turn. One never offered scores 0 without computing while
    // the mission lacks one of its modules; once offered, the modules no longer matter.
    float Assess();
    // Marks the dilemma offered and puts it on the issues list.
    void OfferDilemma();
    // Runs the option's script and takes the dilemma off the issues list. The index is 0-based;
    // one out of range does nothing.
    void ChooseOption(size_t index);

    bool PrerequisitesMet() const;

    std::string description;
    std::vector<DilemmaOption> options;
    // Offered at least once this game.
    bool triggered = false;
    std::vector<std::string> prereqs;
};
