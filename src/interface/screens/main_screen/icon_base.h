#pragma once
// GUI_IconBase: one node of the network as an icon on the game screen. It knows its node, its
// place, how long the mouse has lingered on it, and the connectors of its links to other icons;
// a click opens the node's details window once the frame is over.

#include "interface/screens/main_screen/neural_connector.h"
#include "interface/widgets/gui_base_element.h"

#include <string>
#include <vector>

class Neuron;

// The short name drawn under or beside an icon, and the box it takes on the screen.
struct IconCaption {
    std::string text;
    float left = 0, top = 0, right = 0, bottom = 0;
};

class GUI_IconBase : public GUI_ButtonBase {
public:
    // The node must not be null; the icon registers itself with it.
    GUI_IconBase(Neuron* node, float size);
    ~GUI_IconBase() override;

    // "policy", "simvalue", "situation" or "votergroup", as the screen description names them.
    virtual const char* KindName() const = 0;
    // The icon's picture as it rests; the screen keeps it in a picture of its own between
    // changes, so this must not depend on hover or time.
    virtual void DrawIcon() = 0;
    // The hover ring and the highlight, drawn every frame above the resting pictures.
    virtual void DrawHover();
    // The opener of the node's own details window, which finds the node by name.
    using Opener = void (*)(const std::string& nodeName);
    virtual Opener DetailsOpener() const = 0;
    // Figures that decide the resting picture; when they change the screen redraws it.
    virtual float LookFigure() const { return 0; }
    // The icon's caption where it is drawn; false for an icon without one.
    virtual bool Caption(IconCaption& /*caption*/) const { return false; }

    // Close enough to the centre for a round icon; strips override with their rectangle.
    bool HitTest(float x, float y) const override;
    // Icons answer to their own hit test; the tutorial gates them by its list of permitted
    // icons, not by button names.
    bool OnClick(float x, float y) override;
    // The click sound, then the node's window after the frame.
    void Activate() override;
    std::string DumpKind() const override { return KindName(); }
    std::string DumpText() const override { return nodeName; }

    void CentreOn(float x, float y);
    float CentreX() const { return (left + right) / 2.0f; }
    float CentreY() const { return (top + bottom) / 2.0f; }

    // One step of the hover counter: up while the mouse is over the icon, down otherwise.
    void StepHover(bool over);
    // The links of the node that join it to other icons and are strong enough to show.
    void BuildConnectors();

    Neuron* node;
    // Kept apart from the node: the screen compares it to tell a live node from one that was
    // freed with the game it belonged to.
    std::string nodeName;
    float size;
    // The policy group whose sector holds the icon; -1 for voter groups.
    int group = -1;
    // Set once the icon has a place; an icon not yet placed is nobody's neighbour.
    bool placed = false;
    // The point chosen for the icon's centre, before the rectangle is cut to whole pixels.
    float spotX = 0, spotY = 0;
    int hoverCounter = 0;
    bool highlighted = false;
    // Hidden by the tutorial's flags: neither drawn nor clicked.
    bool hidden = false;
    std::vector<GUI_NeuralEffect> connectors;
    bool connectorsShown = false;
    float lookFigure = 0;

    static constexpr int kHoverMax = 50;
    static constexpr int kRestBeforeHighlight = 50;
    static constexpr float kHitRadius = 24;

protected:
    // The icon's own picture, or a drawn stand-in (logged once per node) when it is missing.
    void DrawPictureOrPlaceholder(const std::string& picture, float l, float t, float r, float b,
                                  unsigned tint = 0xFFFFFFFF) const;
    // A caption centred under the icon at top, moved in from the screen's edges as far as it
    // needs so that the whole of it is seen; the icon's tooltip still tells whose it is.
    IconCaption CentredCaption(const std::string& text, float centreX, float top) const;
    // A caption starting at left, as wide as its text.
    static IconCaption CaptionAt(const std::string& text, float left, float top);
    static float CaptionWidth(const std::string& text);
    void DrawCaption(const IconCaption& caption) const;
    // The node's name and description, as the tooltip shows them.
    void SetNodeTooltip(const std::string& nameKey, const std::string& descriptionKey);
};

// Clears the list of nodes already reported as having no picture (for tests).
void ForgetMissingIconPictures();
