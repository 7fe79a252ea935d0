#pragma once
// The encyclopedia page of a node: "data/simulation/encyclopedia/NAME.txt", or when the game has
// none the page of that name in the user's mods folder, laid out as formatted text in an area
// that scrolls with the wheel or its arrows. A node without a page gets a polite note.

#include "interface/widgets/formatted_text.h"
#include "interface/windows/node_window.h"

#include <string>

// Where a page came from.
enum class PageSource { Game, Mods, Missing };

// Reads the page of a node: the game's own first, then the mods folder's, with the country's
// words filled in. Empty text and PageSource::Missing when neither exists.
PageSource ReadEncyclopediaPage(const std::string& neuronName, std::string& text,
                                std::string& path);

// Formatted text drawn inside its rectangle only, scrolled by whole pixels.
class GUI_PageView : public GUI_ButtonBase {
public:
    GUI_PageView(const std::string& text, const FormattedTextStyle& style);
    void Draw() override;
    // The wheel over the page scrolls it.
    void Update() override;
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "page"; }
    void DescribeMore(JsonWriter& json) const override;

    void ScrollBy(int pixels);
    int Scroll() const { return scroll; }
    int MaxScroll() const;
    // The laid-out height of the whole page, in pixels.
    int ContentHeight() const;
    const FormattedText& Page() const { return page; }

    int scrollStep = 48;

private:
    FormattedText page;
    int scroll = 0;
    mutable int measuredHeight = -1;
};

class GUI_EncyclopediaWindow : public GUI_NodeWindow {
public:
    explicit GUI_EncyclopediaWindow(const std::string& neuronName);
    // Where the page came from, its path and its first words, and the scroll.
    void DescribeMore(JsonWriter& json) const override;

    PageSource Source() const { return source; }
    GUI_PageView* View() const { return view; }

protected:
    void Layout(Neuron& node) override;

private:
    PageSource source = PageSource::Missing;
    std::string path;
    GUI_PageView* view = nullptr;
};
