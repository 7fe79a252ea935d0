#pragma once
// The windows that explain why a node stands where it does: a simulation value, a situation, a
// voter group. Each shows its current figure, its last 33 turns as a graph, and every cause with
// what it adds now, strongest first, with what they add up to and why the figure shown may
// differ from that sum (a base, a limit, a missing prerequisite, causes still working through).
// Each cause opens its own window.

#include "interface/windows/node_window.h"
#include "network/cause_breakdown.h"

#include <string>
#include <vector>

class GUI_Graph;
class GUI_Table;

class GUI_CausesWindow : public GUI_NodeWindow {
public:
    using GUI_NodeWindow::GUI_NodeWindow;
    // The breakdown as shown: the figures, the notes and the causes in order.
    void DescribeMore(JsonWriter& json) const override;

protected:
    // The graph of a node's history on the 0 … 100 scale, oldest first, at design y.
    GUI_Graph* AddHistory(const std::string& heading, std::vector<std::vector<float>> series,
                          std::vector<std::string> labels, float designY, float low, float high);
    // The causes table and the notes under it, from design y down to the window's foot.
    void AddCauses(Neuron& node, float designY);
    // A node's 33 remembered turns, oldest first.
    static std::vector<float> History(const Neuron& node);

    // The figures of the breakdown as shown; its links and nodes are not kept, since the network
    // may be rebuilt (a load) before the window is.
    CauseBreakdown breakdown;
    struct ShownCause {
        std::string source;
        float contribution = 0;
        bool hidden = false;
    };
    std::vector<ShownCause> shownCauses;
    GUI_Table* causesTable = nullptr;
    GUI_Graph* graph = nullptr;
    std::vector<std::string> notes;
};

class GUI_SimValueWindow : public GUI_CausesWindow {
public:
    explicit GUI_SimValueWindow(const std::string& valueName);

protected:
    void Layout(Neuron& node) override;
};

class GUI_SituationWindow : public GUI_CausesWindow {
public:
    explicit GUI_SituationWindow(const std::string& situationName);

protected:
    void Layout(Neuron& node) override;
};

class GUI_VoterGroupWindow : public GUI_CausesWindow {
public:
    explicit GUI_VoterGroupWindow(const std::string& groupName);
    void DescribeMore(JsonWriter& json) const override;

protected:
    void Layout(Neuron& node) override;

private:
    float memberShare = 0;
    float approval = 0;
    std::string trend;
};

// The windows' sizes in design pixels.
inline constexpr float kCausesWindowWidth = 700;
inline constexpr float kCausesWindowHeight = 660;
