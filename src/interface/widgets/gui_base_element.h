#pragma once
// The roots of the interface tree: GUI_BaseElement is a rectangle in game pixels, GUI_ButtonBase a
// clickable element with a callback, a tooltip and a hover state. Also the few frame-wide services
// every element shares: the after-frame call queue and the tutorial's click filter.

#include <functional>
#include <memory>
#include <string>

class GUI_Tooltip;
class GUI_WindowBase;
class JsonWriter;

class GUI_BaseElement {
public:
    virtual ~GUI_BaseElement() = default;
    virtual void Draw() {}
    // Stores the edges truncated to whole pixels; width and height follow from them.
    virtual void SetRect(float newLeft, float newTop, float newRight, float newBottom);
    // Keeps the top-left corner.
    virtual void SetSize(float newWidth, float newHeight);
    // Inside when the truncated point lies in the rectangle, right and bottom edges excluded.
    virtual bool HitTest(float x, float y) const;
    // Keeps the size.
    void MoveTo(float x, float y);

    int left = 0, top = 0, right = 0, bottom = 0;
    int width = 0, height = 0;
};

class GUI_ButtonBase : public GUI_BaseElement {
public:
    // The callback receives callbackData; lambdas that capture what they need may ignore it.
    using Callback = std::function<void(void*)>;

    GUI_ButtonBase();
    ~GUI_ButtonBase() override;

    // Subclasses draw themselves; the tooltip is drawn at the end of the frame when marked.
    void Draw() override {}
    // Takes the click (and activates) when enabled, visible, inside and allowed by the play guide.
    virtual bool OnClick(float x, float y);
    // Plays the click sound and runs the callback, at once or after the frame when deferred.
    virtual void Activate();
    // Hover state and the tooltip for this frame.
    virtual void Update();

    void SetCallback(Callback function, void* data = nullptr);
    // The tooltip shows the translation of key; an empty key removes the tooltip.
    void SetTooltip(const std::string& key);
    // The tooltip shows text exactly as given.
    void SetTooltipText(const std::string& text);
    GUI_Tooltip* GetTooltip() const { return tooltip.get(); }

    // True when modality lets this button react: no modal window is open, or the button sits in
    // the modal window (directly or one level down).
    bool ModalAllows() const;

    // The screen description that unattended tests read (--ui-dump): writes this button's fields
    // into the JSON object the caller has opened. Kinds and texts come from the hooks below.
    void Describe(JsonWriter& json) const;
    virtual std::string DumpKind() const { return "button"; }
    // The words on the button, as the player reads them.
    virtual std::string DumpText() const { return std::string(); }
    // Fields of a kind of its own (a slider's value, a list's rows), after the common ones.
    virtual void DescribeMore(JsonWriter& /*json*/) const {}

    int hovered = 0;
    Callback callback;
    void* callbackData = nullptr;
    GUI_WindowBase* parent = nullptr;
    std::unique_ptr<GUI_Tooltip> tooltip;
    bool enabled = true;
    bool visible = true;
    // Named for the play guide, which may allow only some buttons.
    std::string identifier;
    // Run the callback after the frame, so it may close or destroy the window that holds it.
    bool deferred = false;

protected:
    // Runs the callback now or after the frame, as deferred says.
    void RunCallback();
};

// Queues a call to run once the current frame's drawing is done (FinishInterfaceFrame).
void DeferAfterFrame(std::function<void()> call);
// Runs the queued calls in order, including any that they queue in turn; returns how many ran.
int RunDeferredCalls();

// The play guide's click filter: given a button's identifier, may it be clicked? Empty (the
// default) allows every click.
std::function<bool(const std::string&)>& PlayGuideButtonCheck();
bool PlayGuideAllows(const std::string& identifier);

// Drawing shared by the elements. A picture that is missing gives way to a flat panel, so the
// interface stays usable before the art is in place.
namespace GuiDraw {
// Draws the picture over the rectangle; when it is missing, fills with fill and outlines with edge
// (a zero colour skips that part). Returns false when the fallback was drawn.
bool PictureOr(const std::string& picture, float left, float top, float right, float bottom,
               unsigned fill, unsigned edge, unsigned tint = 0xFFFFFFFF);
// One line of text in the given font, left-aligned at x or centred on it.
void Text(const std::string& font, int size, const std::string& text, float x, float y,
          unsigned colour, bool centred = false);
int TextWidth(const std::string& font, int size, const std::string& text);
} // namespace GuiDraw
