#pragma once
// SIM_SimVal: one measurable quantity of the country (crime, GDP, an income group…). Policies and
// situations drive these values and voter groups read them. A value is read from one content row;
// its links are kept as text until every kind of content exists, then resolved by name.

#include "network/neuron.h"

#include <string>
#include <vector>

class SIM_PolicyGroup;

// Finds a policy group by its key, null when there is none. The groups belong to the policy
// manager, built over the network, so whoever attaches the values passes its lookup in.
using PolicyGroupLookup = SIM_PolicyGroup* (*)(const char* key);

constexpr int kSimValDescriptionSize = 1024; // 1023 significant characters and the terminator
// The group name of a value that is shown beside no policy group.
inline constexpr const char kHiddenGroupName[] = "HIDDEN";

class SIM_SimVal : public Neuron {
public:
    // Joins the simulation's list of values; the destructor leaves it again.
    SIM_SimVal();
    ~SIM_SimVal() override;

    // Fills the value from one '#' content row; its link items are kept for ResolveLinks.
    void Load(const std::string& line);
    // Finds the policy group the value is shown beside; "HIDDEN" values stay without one.
    void AttachToGroup(PolicyGroupLookup findGroup);
    // Creates the links named by the row's link items and forgets the texts. A name that
    // matches no neuron raises an error box; the other links are still made.
    void ResolveLinks();

    // The neuron's computation, held to this value's own range.
    float Process() override;
    void EndOfTurn() override {}

    char description[kSimValDescriptionSize] = {};
    bool invertColour = false;
    SIM_PolicyGroup* group = nullptr;
    std::string groupName;
    std::string interfaceText;
    // "NAME,FORMULA[,DRAG]" items, from this value to NAME and from NAME to this value.
    std::vector<std::string> outputTexts;
    std::vector<std::string> inputTexts;
};
