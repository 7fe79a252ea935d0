#pragma once
// The frame the node windows share (a policy, a simulation value, a situation, a voter group, the
// encyclopedia page of any of them) and the pieces they are built from: wrapped text, a picture
// with a drawn stand-in, a progress bar, and the way figures are written. Node values are
// fractions; the player reads them on a scale of 0 to 100 ("points"), as the texts do.

#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_label.h"
#include "interface/windows/game_window.h"
#include "platform/render_device.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

class GUI_ButtonText;
class Neuron;

namespace NodeText {
// The name the player reads: the shown name translated, the internal name when there is none.
std::string DisplayName(const Neuron& node);
// The same by name; the name itself for a node that does not exist.
std::string DisplayName(const std::string& neuronName);
// A fraction on the 0 … 100 scale, whole points: "55".
std::string Points(float fraction);
// A change on that scale with its sign and one decimal: "+3.1", "-0.4", "0.0".
std::string SignedPoints(float fraction);
// A share as a percentage: "14%"; under 10% with one decimal: "4.5%".
std::string Percent(float share);
// A plain figure with the given decimals.
std::string Fixed(float value, int decimals);
// The text of key with each "<NAME>" filled from the pairs given, in order.
std::string Fill(const std::string& key,
                 std::initializer_list<std::pair<const char*, std::string>> values);
} // namespace NodeText

// Empties a window for laying it out afresh: every button but its close button goes.
void ClearWindowContent(GUI_Dialog& window);

// A label placed by its top-left corner in game pixels and added to the window.
GUI_Label* AddWindowLabel(GUI_WindowBase& window, const std::string& text, float x, float y,
                          const std::string& tooltip, const std::string& font, int size);

// Which window shows a node, and under which node's name: a policy, simulation value, situation
// or voter group shows itself; a grudge shows what it is held against; a voter group's share and
// membership nodes show their group. kind is empty for a node no window shows.
struct DetailsTarget {
    std::string kind;
    std::string name;
};
DetailsTarget FindDetailsTarget(const Neuron& node);

// Lines of text wrapped within the element's width.
class GUI_NodeText : public GUI_ButtonBase {
public:
    GUI_NodeText(const std::string& text, float left, float top, float width, float height);
    void Draw() override;
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "text"; }
    std::string DumpText() const override { return text; }

    std::string text;
    std::string font = "arial16.dds";
    int fontSize = 14;
    Argb colour = 0xFFD8E0E8;
};

// A picture by file name; when it is missing, a framed stand-in with the initials of what it
// shows, and one log line per picture for the whole run.
class GUI_PictureBox : public GUI_ButtonBase {
public:
    GUI_PictureBox(const std::string& picture, const std::string& shownName);
    void Draw() override;
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "picture"; }
    std::string DumpText() const override { return picture; }
    // Whether the picture itself is drawn, not its stand-in.
    void DescribeMore(JsonWriter& json) const override;
    bool Found() const;

    std::string picture;
    std::string initials;
};

// How far something has come, 0 … 1.
class GUI_ProgressBar : public GUI_ButtonBase {
public:
    explicit GUI_ProgressBar(float fraction) : fraction(fraction) {}
    void Draw() override;
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "progress"; }
    void DescribeMore(JsonWriter& json) const override;

    float fraction = 0;
};

// A window about one node, found by name whenever it is built: its content is laid out afresh
// from the node as it stands after every turn, load or action (Refresh), so it never holds on to
// a node between frames.
class GUI_NodeWindow : public GUI_GameWindow {
public:
    GUI_NodeWindow(const std::string& kind, const std::string& nodeName, float designWidth,
                   float designHeight);

    void Build() override { Rebuild(); }
    void Refresh() override { Rebuild(); }
    // A turn played since the window was laid out brings it up to date first.
    void Update() override;

    const std::string nodeName;

protected:
    // Lays the content out for the node; the frame has just been emptied.
    virtual void Layout(Neuron& node) = 0;
    // Empties the window (the close button stays) and lays it out again; a node that has gone
    // leaves a note.
    void Rebuild();

    // Content positions from design pixels measured from the content area's top-left corner.
    float X(float designX) const { return ContentLeft() + S(designX); }
    float Y(float designY) const { return ContentTop() + S(designY); }

    GUI_Label* AddLabel(const std::string& text, float designX, float designY,
                        const std::string& tooltip = "", const std::string& font = "arial16.dds",
                        int size = 16);
    // A text button; its action runs after the frame, so it may rebuild or close this window.
    GUI_ButtonText* AddButton(const std::string& key, const std::string& id, float designX,
                              float designY, float designWidth, float designHeight,
                              std::function<void()> action);
    GUI_NodeText* AddText(const std::string& text, float designX, float designY, float designWidth,
                          float designHeight);
    // A square picture (or its drawn stand-in) with its top-left corner at the design point.
    GUI_PictureBox* AddPicture(const std::string& file, const std::string& shownName, float designX,
                               float designY, float designSide);
    // The encyclopedia page of this window's node.
    void AddEncyclopediaButton(float designX, float designY);

private:
    int32_t builtTurn = -1;
};

// The colours the windows share.
namespace NodeColours {
inline constexpr Argb kText = 0xFFE8ECF0;
inline constexpr Argb kDim = 0xFFA8B4C0;
inline constexpr Argb kGood = 0xFF7CD992;
inline constexpr Argb kBad = 0xFFF07A6A;
inline constexpr Argb kHeading = 0xFFF4E2A8;
} // namespace NodeColours
