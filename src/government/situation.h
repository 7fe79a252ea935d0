#pragma once
// SIM_Situation: a condition of the country that switches itself on and off (a crime wave, a
// housing boom). Its value follows its inputs each turn; it starts at 0.6 and stops below 0.4,
// and only while it is on do its outgoing links count and its cost and income reach the budget.

#include "government/finance_object.h"
#include "network/neuron.h"

#include <string>
#include <vector>

class SIM_PolicyGroup;

// The gap between the two thresholds keeps a situation hovering near one of them from flickering
// on and off every turn. The interface draws its threshold marks at the same two values.
constexpr float kSituationStartThreshold = 0.6f;
constexpr float kSituationStopThreshold = 0.4f;

constexpr int kSituationTextSize = 1024; // 1023 significant characters and the terminator
constexpr int kSituationTextCount = 3;

// The backgrounds of a situation's icon.
inline constexpr const char kGoodSituationPicture[] = "circle_grass.dds";
inline constexpr const char kBadSituationPicture[] = "circle_fire.dds";

class SIM_Situation : public Neuron, public CFinanceObject {
public:
    // Keeps the row for Load and takes only the name from it, so that every situation exists by
    // name before any of them resolves its links. Joins the class-wide list.
    explicit SIM_Situation(const std::string& line);
    ~SIM_Situation() override;

    // Parses the kept row: texts, policy group, money and the links, which are made at once.
    // Leaves the situation off.
    void Load();

    // The usual computation held to 0 … 1, then the start and stop test.
    float Process() override;
    // Starts an inactive situation at the start threshold, stops an active one below the stop
    // threshold; a value that is not a number changes nothing.
    void CheckTrigger();
    void Start();
    void Stop();

    const char* IconPicture() const {
        return isGood ? kGoodSituationPicture : kBadSituationPicture;
    }

    // Every live situation in construction order: the finances and the interface walk it.
    static const std::vector<SIM_Situation*>& All();

    // The group beside which the icon stands while the situation is on; null for none.
    SIM_PolicyGroup* policyGroup = nullptr;
    char description[kSituationTextSize] = {};
    // Columns 6 to 8 of the row, kept for the interface and the quarterly reports.
    std::string texts[kSituationTextCount];
    bool isGood = false;
    char sourceLine[kSituationTextSize] = {};
};
