#include "interface/widgets/gui_table.h"

#include "base/json_writer.h"
#include "interface/widgets/gui_tooltip.h"
#include "platform/input_state.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {
constexpr float kCellPadding = 6;
constexpr Argb kGround = 0xA0101820;
constexpr Argb kHeadingGround = 0xC0263444;
constexpr Argb kEdge = 0xFF4A5A6A;
constexpr Argb kStripe = 0x18FFFFFF;
constexpr Argb kHover = 0x405FC8A0;
constexpr Argb kHeadingText = 0xFFF4F4F4;
constexpr Argb kSortMark = 0xFF5FC8A0;

bool LessText(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}
} // namespace

GUI_Table::GUI_Table() {
    // A row's action may close the window the table sits in: it runs once the frame is drawn.
    deferred = true;
}

void GUI_Table::SetColumns(std::vector<TableColumn> newColumns) {
    columns = std::move(newColumns);
    if (sortColumn >= static_cast<int>(columns.size()))
        sortColumn = -1;
}

void GUI_Table::SetRows(std::vector<TableRow> newRows) {
    // The rows keep the order they were given in behind the sort.
    rows = std::move(newRows);
    givenOrder.resize(rows.size());
    std::iota(givenOrder.begin(), givenOrder.end(), 0);
    const int column = sortColumn;
    sortColumn = -1;
    SortBy(column, descending);
    scroll = std::clamp(scroll, 0, std::max(0, static_cast<int>(rows.size()) - VisibleRows()));
    hoverRow = -1;
}

void GUI_Table::SortBy(int column, bool newDescending) {
    if (column >= static_cast<int>(columns.size()))
        column = -1;
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    const bool numeric = column >= 0 && columns[column].numeric;
    auto cellOf = [&](size_t row) -> const TableCell* {
        const auto& cells = rows[row].cells;
        return column >= 0 && column < static_cast<int>(cells.size()) ? &cells[column] : nullptr;
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (column < 0)
            return givenOrder[a] < givenOrder[b];
        const TableCell* ca = cellOf(a);
        const TableCell* cb = cellOf(b);
        // Rows without the cell go last whichever way the column is sorted.
        if (!ca || !cb)
            return ca && !cb;
        bool less, greater;
        if (numeric) {
            less = ca->sortValue < cb->sortValue;
            greater = cb->sortValue < ca->sortValue;
        } else {
            less = LessText(ca->text, cb->text);
            greater = LessText(cb->text, ca->text);
        }
        if (less == greater)
            return givenOrder[a] < givenOrder[b];
        return newDescending ? greater : less;
    });
    std::vector<TableRow> sorted;
    std::vector<int> sortedGiven;
    sorted.reserve(rows.size());
    for (size_t index : order) {
        sorted.push_back(std::move(rows[index]));
        sortedGiven.push_back(givenOrder[index]);
    }
    rows = std::move(sorted);
    givenOrder = std::move(sortedGiven);
    sortColumn = column;
    descending = newDescending;
}

int GUI_Table::VisibleRows() const {
    return std::max(1, (height - headingHeight) / std::max(1, rowHeight));
}

void GUI_Table::ScrollBy(int rowCount) {
    const int most = std::max(0, static_cast<int>(rows.size()) - VisibleRows());
    scroll = std::clamp(scroll + rowCount, 0, most);
}

float GUI_Table::ContentRight() const {
    return static_cast<float>(right) - (NeedsScrolling() ? kStripWidth : 0);
}

float GUI_Table::ColumnLeft(int column) const {
    float x = static_cast<float>(left);
    for (int i = 0; i < column && i < static_cast<int>(columns.size()); ++i)
        x += columns[i].width;
    return x;
}

float GUI_Table::ColumnRight(int column) const {
    const bool last = column == static_cast<int>(columns.size()) - 1;
    if (last || columns[column].width <= 0)
        return ContentRight();
    return std::min(ContentRight(), ColumnLeft(column) + columns[column].width);
}

int GUI_Table::ColumnAt(float x) const {
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        if (x >= ColumnLeft(i) && x < ColumnRight(i))
            return i;
    }
    return -1;
}

int GUI_Table::RowAt(float x, float y) const {
    if (!HitTest(x, y) || x >= ContentRight())
        return -1;
    const int offset = static_cast<int>(y) - (top + headingHeight);
    if (offset < 0)
        return -1;
    const int visibleIndex = offset / std::max(1, rowHeight);
    if (visibleIndex >= VisibleRows())
        return -1;
    const int row = scroll + visibleIndex;
    return row < static_cast<int>(rows.size()) ? row : -1;
}

bool GUI_Table::OnClick(float x, float y) {
    if (!enabled || !visible || !HitTest(x, y) || !PlayGuideAllows(identifier))
        return false;
    if (NeedsScrolling() && x >= ContentRight()) {
        const bool upper = y < (top + bottom) / 2.0f;
        ScrollBy(upper ? -VisibleRows() : VisibleRows());
        return true;
    }
    if (y < top + headingHeight) {
        const int column = ColumnAt(x);
        if (sortable && column >= 0) {
            // A new column starts with its largest figures (or A to Z); the same one turns round.
            const bool newDescending = column == sortColumn ? !descending : columns[column].numeric;
            SortBy(column, newDescending);
        }
        return true;
    }
    const int row = RowAt(x, y);
    if (row >= 0 && rows[row].onClick) {
        // The action may replace this table's rows or close its window: it runs on a copy.
        std::function<void()> action = rows[row].onClick;
        callback = [action](void*) { action(); };
        Activate();
    }
    // A click on the table is the table's, whatever it hit.
    return true;
}

void GUI_Table::PickTooltip(int row, int column, bool onHeading) {
    std::string text;
    if (onHeading && column >= 0)
        text = columns[column].tooltip;
    else if (row >= 0) {
        const auto& cells = rows[row].cells;
        if (column >= 0 && column < static_cast<int>(cells.size()))
            text = cells[column].tooltip;
        if (text.empty())
            text = rows[row].tooltip;
    }
    if (text.empty()) {
        tooltip.reset();
        return;
    }
    if (!tooltip || tooltip->Text() != text)
        SetTooltipText(text);
}

void GUI_Table::Update() {
    InputState& input = GetInput();
    const bool over = !input.mouseTaken && HitTest(input.mouseX, input.mouseY);
    hoverRow = over ? RowAt(input.mouseX, input.mouseY) : -1;
    if (over) {
        const bool onHeading = input.mouseY < top + headingHeight;
        PickTooltip(hoverRow, ColumnAt(input.mouseX), onHeading);
    }
    GUI_ButtonBase::Update();
    if (over)
        input.mouseTaken = true;
    if (input.wheel != 0 && visible && enabled && over) {
        ScrollBy(-input.wheel);
        input.wheel = 0;
    }
}

void GUI_Table::Draw() {
    if (!visible)
        return;
    RenderDevice& device = GetRenderDevice();
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float r = static_cast<float>(right), b = static_cast<float>(bottom);
    device.FillRect(l, t, r, b, kGround);
    device.FillRect(l, t, r, t + headingHeight, kHeadingGround);
    device.OutlineRect(l, t, r, b, kEdge);

    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const TableColumn& column = columns[c];
        const float cl = ColumnLeft(c), cr = ColumnRight(c);
        const int w = GuiDraw::TextWidth(headingFont, fontSize, column.heading);
        const float x = column.numeric ? cr - kCellPadding - w : cl + kCellPadding;
        GuiDraw::Text(headingFont, fontSize, column.heading, x, t + 4, kHeadingText);
        if (c == sortColumn) {
            // A small wedge beside the heading says which way the column is sorted.
            const float mx = column.numeric ? x - 10 : x + w + 6;
            const float my = t + headingHeight / 2.0f;
            for (int i = 0; i < 4; ++i) {
                const float dy = descending ? my - 2 + i : my + 2 - i;
                device.DrawLine(mx - 4 + i, dy, mx + 4 - i, dy, kSortMark);
            }
        }
    }

    const int first = scroll;
    const int last = std::min(static_cast<int>(rows.size()), scroll + VisibleRows());
    for (int i = first; i < last; ++i) {
        const float y = t + headingHeight + static_cast<float>((i - first) * rowHeight);
        if ((i - first) % 2 == 1)
            device.FillRect(l + 1, y, ContentRight() - 1, y + rowHeight, kStripe);
        if (i == hoverRow && rows[i].onClick)
            device.FillRect(l + 1, y, ContentRight() - 1, y + rowHeight, kHover);
        const auto& cells = rows[i].cells;
        for (int c = 0; c < static_cast<int>(columns.size()) && c < static_cast<int>(cells.size());
             ++c) {
            const TableCell& cell = cells[c];
            const float cl = ColumnLeft(c), cr = ColumnRight(c);
            const Argb colour = cell.colour ? cell.colour : textColour;
            const int w = GuiDraw::TextWidth(font, fontSize, cell.text);
            const float x = columns[c].numeric ? cr - kCellPadding - w : cl + kCellPadding;
            GuiDraw::Text(font, fontSize, cell.text, x, y + (rowHeight - fontSize) / 2.0f - 1,
                          colour);
        }
    }

    if (NeedsScrolling()) {
        const float sl = r - kStripWidth, st = t + headingHeight;
        device.FillRect(sl, st, r, b, 0x60000000);
        const float span = b - st;
        const float total = static_cast<float>(rows.size());
        const float thumbTop = st + span * scroll / total;
        const float thumbBottom = st + span * std::min(total, static_cast<float>(last)) / total;
        device.FillRect(sl + 2, thumbTop + 1, r - 2, thumbBottom - 1, 0xC08FA3B8);
    }
}

void GUI_Table::DescribeMore(JsonWriter& json) const {
    json.Key("columns");
    json.BeginArray();
    for (const TableColumn& column : columns)
        json.Value(column.heading);
    json.EndArray();
    json.Field("sortColumn", sortColumn);
    json.Field("sortDescending", descending);
    json.Field("scroll", scroll);
    json.Key("rows");
    json.BeginArray();
    for (const TableRow& row : rows) {
        json.BeginObject();
        json.Field("tag", row.tag);
        json.Field("clickable", static_cast<bool>(row.onClick));
        json.Key("cells");
        json.BeginArray();
        for (const TableCell& cell : row.cells)
            json.Value(cell.text);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}
