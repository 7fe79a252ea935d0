#pragma once
// SIM_Event: something that happens to the country — a strike, a scandal, a disaster. Its value,
// computed from its influences like any node's, is how ripe it is; when it fires it runs its
// script and goes on the issues list.

#include "network/neuron.h"

#include <string>
#include <vector>

class SIM_Event : public Neuron {
public:
    SIM_Event();
    ~SIM_Event() override;

    // Computes nothing unless the mission has every prerequisite module, so an event meant for
    // other countries keeps its value (0 in a new game) and never ripens.
    float Process() override;

    // Reads one event file: "config" for the texts and scripts, "influences" (every value an
    // influence text) and "prereqs" (every key a module name).
    void Load(const std::string& file);
    bool PrerequisitesMet() const;
    // Runs the firing script, raises the issue and marks the event fired.
    void TriggerEvent();
    // Runs the script that belongs to the player opening the event's window.
    void View();

    std::vector<std::string> prereqs;
    std::string description;
    bool triggered = false;
    std::string onImplement;
    std::string onView;
    std::string texture;
};
