#pragma once
// GUIButtonList holds an ordered list of buttons; GUI_WindowBase adds child windows, visibility,
// dragging and the routing of updates and clicks through its tree. Parents own what is added to
// them and destroy it with themselves.

#include "interface/widgets/gui_base_element.h"

#include <memory>
#include <string>
#include <vector>

class GUI_WindowManager;
class JsonWriter;

class GUIButtonList : public GUI_BaseElement {
public:
    ~GUIButtonList() override;
    // Takes ownership; a null button is refused with an assertion line.
    virtual void AddButton(GUI_ButtonBase* button);
    // Updates every visible button in list order.
    virtual void UpdateButtons();
    void DrawButtons();
    // Offers the click to the visible buttons in list order; true when one took it.
    bool ClickButtons(float x, float y);
    // Destroys a button this list owns; false when it is not here.
    bool RemoveButton(GUI_ButtonBase* button);

    std::vector<std::unique_ptr<GUI_ButtonBase>> buttons;
};

class GUI_WindowBase : public GUIButtonList {
public:
    GUI_WindowBase();
    ~GUI_WindowBase() override;

    // Background (when drawPanel), buttons, then child windows; nothing while hidden.
    void Draw() override;
    // Moving a window by its rectangle carries its buttons and child windows along; the first
    // placing of a window (from the empty rectangle) leaves them where they were laid out.
    void SetRect(float newLeft, float newTop, float newRight, float newBottom) override;

    // Adds a button and makes this window its parent (takes ownership).
    virtual void AddChild(GUI_ButtonBase* button);
    // Adds a child window on top of the others (takes ownership).
    virtual void AddChildWindow(GUI_WindowBase* window);
    // Dragging, child windows, buttons; then marks the mouse taken when it is over this window.
    virtual void Update();
    // A notification with one argument, free for subclasses.
    virtual void OnEvent(int /*code*/) {}
    // Children topmost first, then (inside) the buttons; a click inside is always taken.
    virtual bool OnLeftClick(float x, float y);
    virtual bool OnRightClick(float x, float y);
    virtual bool IsDialog() const { return false; }
    virtual void OnDragEnd() {}
    // Called by the window manager when it shows or hides the window.
    virtual void OnOpen() {}
    virtual void OnClose() {}

    // The screen description that unattended tests read (--ui-dump): the window's kind, name,
    // title, rectangle and state, its visible buttons and child windows, then DescribeMore.
    void Describe(JsonWriter& json) const;
    virtual std::string DumpKind() const { return "window"; }
    virtual std::string DumpTitle() const { return std::string(); }
    // What a window shows beyond its buttons (rows, figures, texts), for tests to assert on.
    virtual void DescribeMore(JsonWriter& /*json*/) const {}
    // The visible button with this identifier here or in a visible child window (the topmost
    // child first); null when there is none.
    const GUI_ButtonBase* FindButton(const std::string& identifier) const;

    // Shifts the window, its buttons and child windows by whole pixels.
    void ShiftBy(int dx, int dy);
    // Closes through the window manager that shows it, or hides a window nobody manages.
    void Close();
    bool IsOpen() const;
    const std::vector<std::unique_ptr<GUI_WindowBase>>& Children() const { return children; }
    // The window being dragged, if any (one at most).
    static GUI_WindowBase* DraggedWindow();

    std::string name;
    GUI_WindowBase* parentWindow = nullptr;
    // Set while the window is in a manager's lists.
    GUI_WindowManager* manager = nullptr;
    bool visible = true;
    // Hovering the window hides the mouse from whatever lies below it.
    bool takesMouse = true;
    bool draggable = false;
    bool dragging = false;
    int dragOffsetX = 0, dragOffsetY = 0;
    // Set on the window shown modally.
    bool modal = false;
    // Escape closes it when it is the topmost window.
    bool closeOnEscape = true;
    // Clicks on the empty area pass to whatever lies beneath (a screen's root, say).
    bool clickThrough = false;
    // A plain filled panel behind the buttons; off for windows that draw their own background.
    bool drawPanel = false;
    unsigned panelColour = 0xE0202830;
    unsigned panelEdgeColour = 0xFF6A7A8A;

protected:
    // Drawn before the buttons; the default is the plain panel when drawPanel is set.
    virtual void DrawBackground();
    // What a window shows between its background and its buttons (a tab container's page), and
    // its update, which runs before the child windows'. Nothing by default.
    virtual void UpdateContent() {}
    virtual void DrawContent() {}
    void FollowDrag();

    std::vector<std::unique_ptr<GUI_WindowBase>> children;
};
