#include "interface/windows/debug_object_viewer.h"

#include "interface/widgets/gui_table.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"

#include <cstdio>
#include <unordered_set>

namespace {
constexpr float kWidth = 560, kHeight = 520;
} // namespace

const char* DebugViewerTitle(int typeCode) {
    switch (static_cast<NeuronType>(typeCode)) {
    case NeuronType::Event:
        return "DEBUG_VIEWER_EVENTS";
    case NeuronType::Situation:
        return "DEBUG_VIEWER_SITUATIONS";
    case NeuronType::Dilemma:
        return "DEBUG_VIEWER_DILEMMAS";
    default:
        return "DEBUG_VIEWER_NODES";
    }
}

GUI_DebugObjectViewer::GUI_DebugObjectViewer(int code)
    : GUI_GameWindow(WindowKind::DebugObjectViewer, DebugViewerTitle(code), kWidth, kHeight),
      typeCode(code) {}

void GUI_DebugObjectViewer::Build() {
    table = new GUI_Table();
    table->SetColumns({{"Name", S(300), false, "The node's name in the content files."},
                       {"Value", S(110), true, "The node's value this turn."},
                       {"Active", 0, false, "Whether the node is active (on, under way)."}});
    table->SetRect(static_cast<float>(ContentLeft()) + S(6),
                   static_cast<float>(ContentTop()) + S(6),
                   static_cast<float>(ContentRight()) - S(6), static_cast<float>(bottom) - S(16));
    AddChild(table);
    Refresh();
}

void GUI_DebugObjectViewer::Refresh() {
    if (!table)
        return;
    std::vector<TableRow> rows;
    // Plain nodes appear twice in the registry once it is ordered; these kinds never do, but a
    // node is listed once whatever the registry holds.
    std::unordered_set<const Neuron*> seen;
    for (Neuron* node : AllNeurons()) {
        if (!node || static_cast<int>(node->typeCode) != typeCode || !seen.insert(node).second)
            continue;
        char value[32];
        std::snprintf(value, sizeof value, "%.3f", node->value);
        TableRow row;
        row.tag = node->name;
        row.cells = {{node->name, 0, "", 0},
                     {value, node->value, "", 0},
                     {node->active ? "yes" : "no", node->active ? 1.0f : 0.0f, "",
                      node->active ? 0xFF7CD992u : 0}};
        if (node->typeCode == NeuronType::Situation) {
            const std::string name = node->name;
            row.onClick = [name]() { OpenSituationDetails(name); };
        } else if (node->typeCode == NeuronType::Dilemma) {
            const std::string name = node->name;
            row.onClick = [name]() { OpenDilemma(name); };
        }
        rows.push_back(std::move(row));
    }
    table->SetRows(std::move(rows));
}
