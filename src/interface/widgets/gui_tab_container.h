#pragma once
// GUI_TabContainer shows one of several pages (GUI_WindowTab), chosen by a row of tab buttons
// along its top. Only the active page is updated, drawn and offered clicks.

#include "interface/widgets/gui_window_base.h"

#include <memory>
#include <string>
#include <vector>

class GUI_ButtonTab;

class GUI_WindowTab : public GUI_WindowBase {
public:
    GUI_WindowTab() { takesMouse = false; }
    bool active = false;
};

class GUI_TabContainer : public GUI_WindowBase {
public:
    static constexpr int kTabHeight = 32;

    GUI_TabContainer();
    ~GUI_TabContainer() override;

    // Takes ownership of the page, gives it the area below the tab row and adds its tab button,
    // labelled with the translation of key. The first page added becomes active.
    GUI_ButtonTab* AddTab(GUI_WindowTab* page, const std::string& key);
    // Makes exactly this page active; a null page is refused with an assertion line.
    void SelectTab(GUI_WindowTab* page);
    GUI_WindowTab* ActiveTab() const;
    const std::vector<std::unique_ptr<GUI_WindowTab>>& Tabs() const { return tabs; }

    // Tab buttons first, then the active page, then the container's own area.
    bool OnLeftClick(float x, float y) override;
    bool OnRightClick(float x, float y) override;
    void SetRect(float newLeft, float newTop, float newRight, float newBottom) override;

protected:
    // Only the active page is updated and drawn.
    void UpdateContent() override;
    void DrawContent() override;
    void LayOutTabs();

    std::vector<std::unique_ptr<GUI_WindowTab>> tabs;
    std::vector<GUI_ButtonTab*> tabButtons;
};
