#include "interface/widgets/gui_window_manager.h"

#include "base/debug_log.h"
#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_window_base.h"

#include "interface/widgets/text_engine.h"

#include <algorithm>

namespace {
int gModalWindows = 0;

bool Contains(const std::vector<GUI_WindowBase*>& list, const GUI_WindowBase* window) {
    return std::find(list.begin(), list.end(), window) != list.end();
}

bool Remove(std::vector<GUI_WindowBase*>& list, const GUI_WindowBase* window) {
    auto it = std::find(list.begin(), list.end(), window);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

void MoveToEnd(std::vector<GUI_WindowBase*>& list, GUI_WindowBase* window) {
    if (Remove(list, window))
        list.push_back(window);
}
} // namespace

GUI_WindowManager::~GUI_WindowManager() {
    CloseAll();
    graveyard.clear();
}

int GUI_WindowManager::ModalOpenAnywhere() {
    return gModalWindows;
}

void GUI_WindowManager::Open(GUI_WindowBase* window) {
    ASSERT(window);
    if (!window)
        return;
    if (IsOpen(window)) {
        BringToTop(window);
        return;
    }
    // A window belongs to one manager at a time.
    if (window->manager)
        window->manager->Close(window);
    windows.push_back(window);
    window->manager = this;
    window->visible = true;
    window->OnOpen();
}

GUI_WindowBase* GUI_WindowManager::OpenOwned(std::unique_ptr<GUI_WindowBase> window) {
    GUI_WindowBase* raw = window.get();
    if (!raw)
        return nullptr;
    owned.push_back(std::move(window));
    Open(raw);
    return raw;
}

void GUI_WindowManager::OpenModal(GUI_WindowBase* window) {
    ASSERT(window);
    if (!window)
        return;
    if (Contains(modals, window)) {
        BringToTop(window);
        return;
    }
    if (window->manager)
        window->manager->Close(window);
    modals.push_back(window);
    ++gModalWindows;
    window->modal = true;
    window->manager = this;
    window->visible = true;
    window->OnOpen();
}

GUI_WindowBase* GUI_WindowManager::OpenModalOwned(std::unique_ptr<GUI_WindowBase> window) {
    GUI_WindowBase* raw = window.get();
    if (!raw)
        return nullptr;
    owned.push_back(std::move(window));
    OpenModal(raw);
    return raw;
}

void GUI_WindowManager::OpenPage(GUI_WindowBase* page) {
    ASSERT(page);
    if (!page)
        return;
    if (Contains(pages, page)) {
        BringToTop(page);
        return;
    }
    if (page->manager)
        page->manager->Close(page);
    pages.push_back(page);
    page->manager = this;
    page->visible = true;
    page->OnOpen();
}

void GUI_WindowManager::Detach(GUI_WindowBase* window) {
    if (Remove(modals, window)) {
        --gModalWindows;
        window->modal = false;
    }
    Remove(windows, window);
    Remove(pages, window);
    window->manager = nullptr;
    window->dragging = false;
}

void GUI_WindowManager::Close(GUI_WindowBase* window) {
    if (!window || !IsOpen(window))
        return;
    Detach(window);
    window->OnClose();
    ReleaseOwned(window);
}

void GUI_WindowManager::ReleaseOwned(GUI_WindowBase* window) {
    for (auto it = owned.begin(); it != owned.end(); ++it) {
        if (it->get() != window)
            continue;
        graveyard.push_back(std::move(*it));
        owned.erase(it);
        if (!sweepQueued) {
            sweepQueued = true;
            std::weak_ptr<int> alive = aliveToken;
            DeferAfterFrame([this, alive]() {
                if (alive.expired())
                    return;
                sweepQueued = false;
                graveyard.clear();
            });
        }
        return;
    }
}

void GUI_WindowManager::CloseAll() {
    while (!modals.empty())
        Close(modals.back());
    while (!pages.empty())
        Close(pages.back());
    while (!windows.empty())
        Close(windows.back());
}

void GUI_WindowManager::BringToTop(GUI_WindowBase* window) {
    MoveToEnd(windows, window);
    MoveToEnd(modals, window);
    MoveToEnd(pages, window);
}

bool GUI_WindowManager::IsOpen(const GUI_WindowBase* window) const {
    return Contains(windows, window) || Contains(modals, window) || Contains(pages, window);
}

GUI_WindowBase* GUI_WindowManager::FindByName(const std::string& name) const {
    for (const auto* list : {&modals, &windows, &pages}) {
        for (GUI_WindowBase* window : *list) {
            if (window->name == name)
                return window;
        }
    }
    return nullptr;
}

GUI_WindowBase* GUI_WindowManager::Topmost() const {
    if (!modals.empty())
        return modals.back();
    if (!windows.empty())
        return windows.back();
    return pages.empty() ? nullptr : pages.back();
}

void GUI_WindowManager::UpdateWindows() {
    // Topmost first, so a window on top takes the mouse before anything beneath looks at it.
    // Snapshots: an update may open or close windows.
    const std::vector<GUI_WindowBase*> modalSnapshot = modals;
    for (size_t i = modalSnapshot.size(); i-- > 0;) {
        if (Contains(modals, modalSnapshot[i]))
            modalSnapshot[i]->Update();
    }
    const bool paged = !pages.empty();
    const std::vector<GUI_WindowBase*> snapshot = windows;
    for (size_t i = snapshot.size(); i-- > 0;) {
        GUI_WindowBase* window = snapshot[i];
        // Under a full-screen page only the dialogs are shown, so only they may react.
        if (Contains(windows, window) && (!paged || window->IsDialog()))
            window->Update();
    }
    if (paged)
        pages.back()->Update();
}

bool GUI_WindowManager::DrawPages() {
    if (pages.empty())
        return false;
    pages.back()->Draw();
    return true;
}

void GUI_WindowManager::DrawWindows() {
    const std::vector<GUI_WindowBase*> snapshot = windows;
    // Text waits in one batch until a flush; a window must cover the text drawn beneath it, so
    // that batch goes out before each window's own pictures.
    auto draw = [](GUI_WindowBase* window) {
        if (window->visible)
            GetTextEngine().Flush();
        window->Draw();
    };
    if (pages.empty()) {
        for (GUI_WindowBase* window : snapshot) {
            if (!window->IsDialog())
                draw(window);
        }
    }
    for (GUI_WindowBase* window : snapshot) {
        if (window->IsDialog())
            draw(window);
    }
    const std::vector<GUI_WindowBase*> modalSnapshot = modals;
    for (GUI_WindowBase* window : modalSnapshot)
        draw(window);
}

bool GUI_WindowManager::OnLeftClick(float x, float y) {
    if (!modals.empty()) {
        const std::vector<GUI_WindowBase*> snapshot = modals;
        for (size_t i = snapshot.size(); i-- > 0;) {
            if (Contains(modals, snapshot[i]) && snapshot[i]->OnLeftClick(x, y))
                break;
        }
        // Whatever the modal windows did with it, nothing else may see the click.
        return true;
    }
    const std::vector<GUI_WindowBase*> snapshot = windows;
    if (!pages.empty()) {
        for (size_t i = snapshot.size(); i-- > 0;) {
            if (snapshot[i]->IsDialog() && Contains(windows, snapshot[i]) &&
                snapshot[i]->OnLeftClick(x, y))
                return true;
        }
        const std::vector<GUI_WindowBase*> pageSnapshot = pages;
        for (size_t i = pageSnapshot.size(); i-- > 0;) {
            if (Contains(pages, pageSnapshot[i]) && pageSnapshot[i]->OnLeftClick(x, y))
                break;
        }
        return true;
    }
    for (size_t i = snapshot.size(); i-- > 0;) {
        if (Contains(windows, snapshot[i]) && snapshot[i]->OnLeftClick(x, y))
            return true;
    }
    return false;
}

bool GUI_WindowManager::OnRightClick(float x, float y) {
    if (!modals.empty()) {
        const std::vector<GUI_WindowBase*> snapshot = modals;
        for (size_t i = snapshot.size(); i-- > 0;) {
            if (Contains(modals, snapshot[i]) && snapshot[i]->OnRightClick(x, y))
                break;
        }
        return true;
    }
    const std::vector<GUI_WindowBase*> snapshot = windows;
    for (size_t i = snapshot.size(); i-- > 0;) {
        if ((pages.empty() || snapshot[i]->IsDialog()) && Contains(windows, snapshot[i]) &&
            snapshot[i]->OnRightClick(x, y))
            return true;
    }
    if (!pages.empty()) {
        pages.back()->OnRightClick(x, y);
        return true;
    }
    return false;
}

bool GUI_WindowManager::OnEscape() {
    if (!modals.empty()) {
        GUI_WindowBase* top = modals.back();
        if (top->closeOnEscape)
            Close(top);
        // A modal window that will not close still keeps the key from the screen.
        return true;
    }
    for (size_t i = windows.size(); i-- > 0;) {
        if (windows[i]->IsDialog() && windows[i]->closeOnEscape) {
            Close(windows[i]);
            return true;
        }
    }
    if (!pages.empty() && pages.back()->closeOnEscape) {
        Close(pages.back());
        return true;
    }
    for (size_t i = windows.size(); i-- > 0;) {
        if (windows[i]->closeOnEscape) {
            Close(windows[i]);
            return true;
        }
    }
    return false;
}
