#pragma once
// GovernmentWindow: what the windows of the government's books (finance, polls, cabinet,
// parties, achievements, reports, intelligence) share on top of the game window: laying out
// explained figures, tables, graphs and buttons in design pixels from the content's corner, and
// drawing what is neither (portraits, bars, paragraphs) over the frame.

#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_graph.h"
#include "interface/widgets/gui_label.h"
#include "interface/widgets/gui_table.h"
#include "interface/windows/game_window.h"

#include <functional>
#include <string>

class GovernmentWindow : public GUI_GameWindow {
public:
    using GUI_GameWindow::GUI_GameWindow;

    // The frame, then the window's own drawing, then its buttons' texts. Text still waiting from
    // the windows below goes down first, so that none of it shows through.
    void Draw() override;

protected:
    // Drawn over the frame and the buttons; the figures' positions are in game pixels.
    virtual void DrawExtras() {}

    // Game pixels of a design offset from the content's top-left corner.
    float X(float design) const { return static_cast<float>(ContentLeft()) + S(design); }
    float Y(float design) const { return static_cast<float>(ContentTop()) + S(design); }

    // A figure whose tooltip says where it comes from.
    GUI_Label* AddFigure(float x, float y, LabelAlign align = LabelAlign::Left);
    // A caption in the quieter colour, from a text key.
    GUI_Label* AddCaption(float x, float y, const std::string& key);
    // A heading over a part of the window, from a text key.
    GUI_Label* AddHeading(float x, float y, const std::string& key);
    // A caption on the left and its figure right-aligned at the end of the line; returns the
    // figure.
    GUI_Label* AddFigureRow(float x, float y, float width, const std::string& captionKey);
    GUI_Table* AddTable(float x, float y, float width, float height);
    GUI_Graph* AddGraph(float x, float y, float width, float height, const std::string& titleKey);
    GUI_ButtonText* AddButton(float x, float y, float width, const std::string& key,
                              const std::string& id, std::function<void()> action);

    // A paragraph wrapped to a width (game pixels); returns the y below it.
    static float DrawParagraph(const std::string& text, float x, float y, float width,
                               unsigned colour, const std::string& font = "arial16.dds",
                               int size = 16);
    // The height a paragraph takes when wrapped to a width; one line when no font is loaded.
    static float ParagraphHeight(const std::string& text, float width,
                                 const std::string& font = "arial16.dds", int size = 16);
};

// A portrait or medal over a rectangle; a missing picture gives a quiet frame with the
// initials of the name in it. Returns false when the stand-in was drawn.
bool DrawPictureOrInitials(const std::string& picture, const std::string& name, float left,
                           float top, float right, float bottom, unsigned tint = 0xFFFFFFFF);
// A horizontal bar filled to a fraction 0 … 1.
void DrawFractionBar(float left, float top, float right, float bottom, float fraction,
                     unsigned colour);
// The initials of a name, "Ada Moss" -> "AM"; "?" for an empty name.
std::string Initials(const std::string& name);

// Colours the government's windows share.
namespace GovColour {
inline constexpr unsigned kGood = 0xFF6FD08C;
inline constexpr unsigned kBad = 0xFFE06A5A;
inline constexpr unsigned kDim = 0xFFA8B4C0;
inline constexpr unsigned kText = 0xFFE8ECF0;
inline constexpr unsigned kAccent = 0xFFF0C060;
} // namespace GovColour
