#pragma once
// GUI_ScrollingWindow: a window whose content rows are taller than the window. Content buttons are
// laid out as if unscrolled; the window moves them by the scroll offset and hides those that do
// not lie wholly inside the view. Two arrow buttons on the right scroll it.

#include "interface/widgets/gui_window_base.h"

class GUI_ScrollButton;

class GUI_ScrollingWindow : public GUI_WindowBase {
public:
    GUI_ScrollingWindow();
    // Lays the arrows out along the right edge.
    void SetRect(float newLeft, float newTop, float newRight, float newBottom) override;
    void Draw() override;

    // A button that scrolls with the content (owned). Its rectangle is in unscrolled coordinates.
    void AddContent(GUI_ButtonBase* button);
    // Destroys every content button and returns to the top.
    void ClearContent();
    // Scrolls by pixels, kept between the top and the last content row.
    void ScrollBy(int pixels);
    // Its content first; then a wheel turned over the window scrolls it.
    void Update() override;
    void ScrollToTop();
    int ScrollOffset() const { return scroll; }
    // Lowest bottom edge of the content, relative to the window's top, unscrolled.
    int ContentHeight() const;
    int MaxScroll() const;
    // Width left for content, the arrows' strip excluded.
    int ViewRight() const { return right - kArrowSize - 2; }

    int scrollStep = 32;
    static constexpr int kArrowSize = 24;
    GUI_ScrollButton* upButton = nullptr;
    GUI_ScrollButton* downButton = nullptr;

protected:
    // Shows only the content wholly inside the view and the arrows only when there is more.
    void ApplyVisibility();

    std::vector<GUI_ButtonBase*> content;
    int scroll = 0;
};
