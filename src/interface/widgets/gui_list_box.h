#pragma once
// GUI_ListBox: a box of text rows, one of which may be selected. When there are more rows than fit,
// a strip on the right scrolls the list (its top half up, its bottom half down).

#include "interface/widgets/gui_base_element.h"

#include <functional>
#include <string>
#include <vector>

class GUI_ListBox : public GUI_ButtonBase {
public:
    struct LB_Entry {
        std::string text;
        // Whatever the owner wants to find again: a name, an index, an object.
        std::string tag;
        void* data = nullptr;
    };
    using SelectionChanged = std::function<void(GUI_ListBox&)>;

    GUI_ListBox();
    void Draw() override;
    // A click on a row selects it; a click on the strip scrolls.
    bool OnClick(float x, float y) override;
    // Hover and tooltip as any button; the wheel scrolls the list under the mouse.
    void Update() override;

    std::string DumpKind() const override { return "list"; }
    // The rows' texts and the selected row.
    void DescribeMore(JsonWriter& json) const override;

    void AddEntry(const std::string& text, const std::string& tag = "", void* data = nullptr);
    void Clear();
    const std::vector<LB_Entry>& Entries() const { return entries; }
    int Count() const { return static_cast<int>(entries.size()); }

    // -1 for none. Selecting scrolls the row into view; the callback runs only on a change.
    int Selected() const { return selected; }
    void SetSelected(int index);
    // Selects the first entry with this text; false (and no change) when there is none.
    bool SelectText(const std::string& text);
    const LB_Entry* SelectedEntry() const;

    int RowHeight() const { return rowHeight; }
    int VisibleRows() const;
    int ScrollOffset() const { return scroll; }
    // Moves the first shown row by rows, kept within the list.
    void ScrollBy(int rows);
    bool NeedsScrolling() const { return Count() > VisibleRows(); }

    std::vector<LB_Entry> entries;
    int selected = -1;
    int scroll = 0;
    int rowHeight = 22;
    SelectionChanged onSelectionChanged;
    std::string font = "arial16.dds";
    int fontSize = 16;
    static constexpr int kStripWidth = 16;
};
