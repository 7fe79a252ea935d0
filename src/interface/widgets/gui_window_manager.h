#pragma once
// GUI_WindowManager: the windows open over a screen. Three ordered lists (last = topmost): open
// windows, modal windows and full-screen pages. It updates and draws them in their stacking order
// and routes the screen's clicks to them before the screen sees any.

#include <memory>
#include <string>
#include <vector>

class GUI_WindowBase;

class GUI_WindowManager {
public:
    GUI_WindowManager() = default;
    ~GUI_WindowManager();
    GUI_WindowManager(const GUI_WindowManager&) = delete;
    GUI_WindowManager& operator=(const GUI_WindowManager&) = delete;

    // Shows the window on top (or brings it there when already open). The caller keeps ownership.
    void Open(GUI_WindowBase* window);
    // As Open, but the manager owns the window and destroys it after the frame it is closed in.
    GUI_WindowBase* OpenOwned(std::unique_ptr<GUI_WindowBase> window);
    // Opens the window modally: while it is open only modal windows react to the mouse.
    void OpenModal(GUI_WindowBase* window);
    GUI_WindowBase* OpenModalOwned(std::unique_ptr<GUI_WindowBase> window);
    // A full-screen page replaces the screen's own content while it is the topmost page.
    void OpenPage(GUI_WindowBase* page);
    // Removes the window from whichever list holds it; nothing when it is not open.
    void Close(GUI_WindowBase* window);
    void CloseAll();
    void BringToTop(GUI_WindowBase* window);

    bool IsOpen(const GUI_WindowBase* window) const;
    // The open window (modal ones included) with this name; null when there is none.
    GUI_WindowBase* FindByName(const std::string& name) const;
    GUI_WindowBase* Topmost() const;

    // Once per frame before drawing: the topmost window first, so the mouse is taken from below.
    void UpdateWindows();
    // Draws the topmost page when a page is open (and returns true: the screen draws nothing of
    // its own); otherwise nothing and false.
    bool DrawPages();
    // The visible windows bottom to top: ordinary ones, then dialogs, then modal windows. While a
    // page is open only the dialogs are drawn above it.
    void DrawWindows();
    // True when a window took the click; the screen handles it only otherwise.
    bool OnLeftClick(float x, float y);
    bool OnRightClick(float x, float y);
    // Escape closes the topmost window that allows it (modal first, then pages, then the others);
    // true when one closed.
    bool OnEscape();

    const std::vector<GUI_WindowBase*>& OpenWindows() const { return windows; }
    const std::vector<GUI_WindowBase*>& ModalWindows() const { return modals; }
    const std::vector<GUI_WindowBase*>& Pages() const { return pages; }
    int ModalCount() const { return static_cast<int>(modals.size()); }
    int PageCount() const { return static_cast<int>(pages.size()); }
    // Modal windows open in any manager: buttons elsewhere stop reacting.
    static int ModalOpenAnywhere();

private:
    void Detach(GUI_WindowBase* window);
    void ReleaseOwned(GUI_WindowBase* window);

    std::vector<GUI_WindowBase*> windows;
    std::vector<GUI_WindowBase*> modals;
    std::vector<GUI_WindowBase*> pages;
    std::vector<std::unique_ptr<GUI_WindowBase>> owned;
    // Closed owned windows wait here until the frame is over: a window may close itself from
    // inside its own click.
    std::vector<std::unique_ptr<GUI_WindowBase>> graveyard;
    bool sweepQueued = false;
    // Lets a queued sweep notice that its manager is gone.
    std::shared_ptr<int> aliveToken = std::make_shared<int>(0);
};
