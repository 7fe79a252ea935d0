#include "interface/widgets/gui_tab_container.h"

#include "base/debug_log.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_window_manager.h"

GUI_TabContainer::GUI_TabContainer() = default;
GUI_TabContainer::~GUI_TabContainer() = default;

GUI_ButtonTab* GUI_TabContainer::AddTab(GUI_WindowTab* page, const std::string& key) {
    ASSERT(page);
    if (!page)
        return nullptr;
    page->parentWindow = this;
    tabs.emplace_back(page);
    auto* tab = new GUI_ButtonTab(key, this, page);
    AddChild(tab);
    tabButtons.push_back(tab);
    page->SetRect(static_cast<float>(left), static_cast<float>(top + kTabHeight),
                  static_cast<float>(right), static_cast<float>(bottom));
    if (tabs.size() == 1)
        SelectTab(page);
    LayOutTabs();
    return tab;
}

void GUI_TabContainer::SelectTab(GUI_WindowTab* page) {
    ASSERT(page);
    if (!page)
        return;
    for (auto& tab : tabs)
        tab->active = tab.get() == page;
}

GUI_WindowTab* GUI_TabContainer::ActiveTab() const {
    for (auto& tab : tabs) {
        if (tab->active)
            return tab.get();
    }
    return nullptr;
}

void GUI_TabContainer::LayOutTabs() {
    if (tabButtons.empty())
        return;
    const float tabWidth = static_cast<float>(width) / tabButtons.size();
    for (size_t i = 0; i < tabButtons.size(); ++i) {
        const float x = left + tabWidth * i;
        tabButtons[i]->SetRect(x, static_cast<float>(top), x + tabWidth - 2,
                               static_cast<float>(top + kTabHeight));
    }
}

void GUI_TabContainer::SetRect(float newLeft, float newTop, float newRight, float newBottom) {
    const bool placed = left != 0 || top != 0 || right != 0 || bottom != 0;
    GUI_WindowBase::SetRect(newLeft, newTop, newRight, newBottom);
    // Pages take the area below the tabs and, like the container's own buttons, carry their
    // content along only once the container had a place.
    const float pageTop = static_cast<float>(top + kTabHeight);
    for (auto& tab : tabs) {
        if (placed)
            tab->SetRect(static_cast<float>(left), pageTop, static_cast<float>(right),
                         static_cast<float>(bottom));
        else
            tab->GUI_BaseElement::SetRect(static_cast<float>(left), pageTop,
                                          static_cast<float>(right), static_cast<float>(bottom));
    }
    LayOutTabs();
}

void GUI_TabContainer::UpdateContent() {
    if (GUI_WindowTab* page = ActiveTab())
        page->Update();
}

void GUI_TabContainer::DrawContent() {
    if (GUI_WindowTab* page = ActiveTab())
        page->Draw();
}

bool GUI_TabContainer::OnLeftClick(float x, float y) {
    if (!visible)
        return false;
    const bool inside = HitTest(x, y);
    if (inside && manager)
        manager->BringToTop(this);
    if (ClickButtons(x, y))
        return true;
    if (GUI_WindowTab* page = ActiveTab()) {
        if (page->OnLeftClick(x, y))
            return true;
    }
    for (size_t i = children.size(); i-- > 0;) {
        if (children[i]->OnLeftClick(x, y))
            return true;
    }
    return inside && !clickThrough;
}

bool GUI_TabContainer::OnRightClick(float x, float y) {
    if (!visible)
        return false;
    if (GUI_WindowTab* page = ActiveTab()) {
        if (page->OnRightClick(x, y))
            return true;
    }
    return GUI_WindowBase::OnRightClick(x, y);
}
