#include "interface/widgets/gui_list_box.h"

#include "platform/input_state.h"
#include "platform/render_device.h"

#include <algorithm>

namespace {
constexpr int kInset = 4;
}

GUI_ListBox::GUI_ListBox() = default;

void GUI_ListBox::AddEntry(const std::string& text, const std::string& tag, void* data) {
    entries.push_back({text, tag, data});
}

void GUI_ListBox::Clear() {
    entries.clear();
    selected = -1;
    scroll = 0;
}

int GUI_ListBox::VisibleRows() const {
    return std::max(1, (height - 2 * kInset) / std::max(1, rowHeight));
}

void GUI_ListBox::Update() {
    GUI_ButtonBase::Update();
    InputState& input = GetInput();
    if (input.wheel != 0 && visible && enabled && HitTest(input.mouseX, input.mouseY)) {
        ScrollBy(-input.wheel);
        input.wheel = 0;
    }
}

void GUI_ListBox::ScrollBy(int rows) {
    const int most = std::max(0, Count() - VisibleRows());
    scroll = std::clamp(scroll + rows, 0, most);
}

void GUI_ListBox::SetSelected(int index) {
    if (index < -1 || index >= Count())
        index = -1;
    const bool changed = index != selected;
    selected = index;
    if (selected >= 0) {
        if (selected < scroll)
            scroll = selected;
        else if (selected >= scroll + VisibleRows())
            scroll = selected - VisibleRows() + 1;
    }
    if (changed && onSelectionChanged)
        onSelectionChanged(*this);
}

bool GUI_ListBox::SelectText(const std::string& text) {
    for (int i = 0; i < Count(); ++i) {
        if (entries[i].text == text) {
            SetSelected(i);
            return true;
        }
    }
    return false;
}

const GUI_ListBox::LB_Entry* GUI_ListBox::SelectedEntry() const {
    return selected >= 0 && selected < Count() ? &entries[selected] : nullptr;
}

bool GUI_ListBox::OnClick(float x, float y) {
    if (!enabled || !visible || !HitTest(x, y) || !PlayGuideAllows(identifier))
        return false;
    if (NeedsScrolling() && static_cast<int>(x) >= right - kStripWidth) {
        ScrollBy(static_cast<int>(y) < top + height / 2 ? -1 : 1);
        return true;
    }
    const int row = (static_cast<int>(y) - top - kInset) / std::max(1, rowHeight);
    const int index = scroll + row;
    if (y >= top + kInset && row < VisibleRows() && index < Count()) {
        SetSelected(index);
        Activate();
    }
    // A click on the box's empty rows still belongs to the box.
    return true;
}

void GUI_ListBox::Draw() {
    RenderDevice& device = GetRenderDevice();
    GuiDraw::PictureOr("gui_listbox.bmp", left, top, right, bottom, 0xFF161C24, 0xFF6A7A8A);
    const bool strip = NeedsScrolling();
    const int textRight = strip ? right - kStripWidth : right;
    const int rows = std::min(VisibleRows(), Count() - scroll);
    for (int i = 0; i < rows; ++i) {
        const int index = scroll + i;
        const float y = static_cast<float>(top + kInset + i * rowHeight);
        if (index == selected)
            device.FillRect(left + 2.0f, y, textRight - 2.0f, y + rowHeight, 0xC03E5670);
        GuiDraw::Text(font, fontSize, entries[index].text, left + 8.0f,
                      y + (rowHeight - fontSize) / 2.0f - 1,
                      index == selected ? 0xFFFFFFFF : 0xFFD0D8E0);
    }
    if (strip) {
        device.FillRect(static_cast<float>(textRight), static_cast<float>(top),
                        static_cast<float>(right), static_cast<float>(bottom), 0xFF222C38);
        // The thumb shows where the shown rows sit within the whole list.
        const float span = static_cast<float>(height - 4);
        const float thumbTop = top + 2 + span * scroll / Count();
        const float thumbBottom = top + 2 + span * (scroll + VisibleRows()) / Count();
        device.FillRect(textRight + 3.0f, thumbTop, right - 3.0f, thumbBottom, 0xFF7C94AC);
    }
    GUI_ButtonBase::Draw();
}
