#pragma once
// GUI_DebugObjectViewer: for content authors, every node of one kind (events, situations or
// dilemmas) in a sortable table with its value and whether it is active; a row opens the node's
// window where it has one.

#include "interface/windows/game_window.h"

class GUI_Table;

class GUI_DebugObjectViewer : public GUI_GameWindow {
public:
    explicit GUI_DebugObjectViewer(int typeCode);
    void Build() override;
    void Refresh() override;

    int typeCode;
    GUI_Table* table = nullptr;
};

// The window's title key for a type code ("DEBUG_VIEWER_EVENTS"...).
const char* DebugViewerTitle(int typeCode);
