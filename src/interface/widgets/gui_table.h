#pragma once
// GUI_Table: rows of figures under column headings. Clicking a heading sorts by that column
// (again to turn the order round); a row with an action opens what it names when clicked; every
// cell may carry a tooltip saying where its figure comes from. More rows than fit scroll with the
// wheel or the strip on the right. The game's lists (a value's causes, the voter groups, the
// budget lines, the ministers) are all tables.

#include "interface/widgets/gui_base_element.h"
#include "platform/render_device.h"

#include <functional>
#include <string>
#include <vector>

struct TableColumn {
    std::string heading;
    // Width in pixels; the last column takes what is left when 0.
    float width = 0;
    // Figures: right-aligned, sorted by the cells' sortValue (largest first on the first click).
    // Otherwise words, sorted alphabetically.
    bool numeric = false;
    // What the column means, shown when the heading is hovered.
    std::string tooltip;
};

struct TableCell {
    std::string text;
    float sortValue = 0;
    // Where the figure comes from; the row's tooltip stands in when empty.
    std::string tooltip;
    // 0 for the table's text colour.
    Argb colour = 0;
};

struct TableRow {
    std::vector<TableCell> cells;
    // Whatever the owner wants to find the row by (a node's name, say).
    std::string tag;
    // Run when the row is clicked; rows without one do not react.
    std::function<void()> onClick;
    std::string tooltip;
};

class GUI_Table : public GUI_ButtonBase {
public:
    GUI_Table();

    void Draw() override;
    // A heading sorts, a row runs its action, the strip scrolls.
    bool OnClick(float x, float y) override;
    // Hover: the row under the mouse lights up and its cell's tooltip shows; the wheel scrolls.
    void Update() override;
    std::string DumpKind() const override { return "table"; }
    // Headings, the sort, and every row's cell texts and tag in the order shown.
    void DescribeMore(JsonWriter& json) const override;

    void SetColumns(std::vector<TableColumn> newColumns);
    // Replaces the rows; the current sort is applied to them.
    void SetRows(std::vector<TableRow> newRows);
    // Sorts by a column (-1: the order the rows were given in). Ties keep their given order.
    void SortBy(int column, bool descending);
    int SortColumn() const { return sortColumn; }
    bool SortDescending() const { return descending; }
    // The rows in the order shown.
    const std::vector<TableRow>& Rows() const { return rows; }
    const std::vector<TableColumn>& Columns() const { return columns; }

    int VisibleRows() const;
    int ScrollOffset() const { return scroll; }
    void ScrollBy(int rowCount);
    // The row index (in shown order) at a point, -1 for none; the heading row is not a row.
    int RowAt(float x, float y) const;
    int ColumnAt(float x) const;
    // Left edge of a column in pixels.
    float ColumnLeft(int column) const;
    float ColumnRight(int column) const;

    int rowHeight = 22;
    int headingHeight = 24;
    bool sortable = true;
    std::string font = "arial16.dds";
    int fontSize = 14;
    std::string headingFont = "arialbold16.dds";
    Argb textColour = 0xFFE8ECF0;
    static constexpr int kStripWidth = 12;

private:
    bool NeedsScrolling() const { return static_cast<int>(rows.size()) > VisibleRows(); }
    float ContentRight() const;
    // Keeps the hovered cell's explanation in the tooltip.
    void PickTooltip(int row, int column, bool onHeading);

    std::vector<TableColumn> columns;
    std::vector<TableRow> rows;
    // Each row's place in the order it was given, so that ties and "unsorted" keep it.
    std::vector<int> givenOrder;
    int sortColumn = -1;
    bool descending = false;
    int scroll = 0;
    int hoverRow = -1;
};
