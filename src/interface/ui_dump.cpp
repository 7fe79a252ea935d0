#include "interface/ui_dump.h"

#include "base/json_writer.h"
#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_check_button.h"
#include "interface/widgets/gui_list_box.h"
#include "interface/widgets/gui_screen.h"
#include "interface/widgets/gui_slider_control.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_base.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/gui_window_screen.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace UiDump {

void Rect(JsonWriter& json, int left, int top, int right, int bottom) {
    json.Key("rect");
    json.BeginArray();
    json.Value(left);
    json.Value(top);
    json.Value(right);
    json.Value(bottom);
    json.EndArray();
}

} // namespace UiDump

namespace {

void DescribeWindowList(JsonWriter& json, const char* key,
                        const std::vector<GUI_WindowBase*>& windows) {
    json.Key(key);
    json.BeginArray();
    for (const GUI_WindowBase* window : windows) {
        if (!window->visible)
            continue;
        json.BeginObject();
        window->Describe(json);
        json.EndObject();
    }
    json.EndArray();
}

} // namespace

void GUI_ButtonBase::Describe(JsonWriter& json) const {
    json.Field("kind", DumpKind());
    json.Field("id", identifier);
    json.Field("text", DumpText());
    UiDump::Rect(json, left, top, right, bottom);
    json.Field("enabled", enabled);
    json.Field("hovered", hovered != 0);
    if (tooltip)
        json.Field("tooltip", tooltip->Text());
    DescribeMore(json);
}

void GUI_WindowBase::Describe(JsonWriter& json) const {
    json.Field("kind", DumpKind());
    json.Field("name", name);
    json.Field("title", DumpTitle());
    UiDump::Rect(json, left, top, right, bottom);
    json.Field("modal", modal);
    json.Key("buttons");
    json.BeginArray();
    for (const auto& button : buttons) {
        if (!button->visible)
            continue;
        json.BeginObject();
        button->Describe(json);
        json.EndObject();
    }
    json.EndArray();
    json.Key("children");
    json.BeginArray();
    for (const auto& child : children) {
        if (!child->visible)
            continue;
        json.BeginObject();
        child->Describe(json);
        json.EndObject();
    }
    json.EndArray();
    DescribeMore(json);
}

void GUI_WindowScreen::Describe(JsonWriter& json) const {
    json.Key("root");
    json.BeginObject();
    root.Describe(json);
    json.EndObject();
    DescribeWindowList(json, "windows", windowManager.OpenWindows());
    DescribeWindowList(json, "modals", windowManager.ModalWindows());
    DescribeWindowList(json, "pages", windowManager.Pages());
}

void GUI_CheckButton::DescribeMore(JsonWriter& json) const {
    json.Field("ticked", ticked);
}

void GUI_SliderControl::DescribeMore(JsonWriter& json) const {
    json.Field("value", value);
    if (valueText)
        json.Field("valueText", ValueText());
}

void GUI_ListBox::DescribeMore(JsonWriter& json) const {
    json.Field("selected", selected);
    json.Key("rows");
    json.BeginArray();
    for (const LB_Entry& entry : entries)
        json.Value(entry.text);
    json.EndArray();
}

std::string DescribeScreenJson(int frameNumber, int mode, const std::string& modeName,
                               const BaseGUIScreen* screen) {
    JsonWriter json;
    json.BeginObject();
    json.Field("frame", frameNumber);
    json.Field("mode", mode);
    json.Field("modeName", modeName);
    json.Key("screen");
    json.BeginObject();
    if (screen)
        screen->Describe(json);
    json.EndObject();
    // What the player sees hovering: the tooltips drawn this frame, in drawing order.
    json.Key("tooltips");
    json.BeginArray();
    for (const GUI_Tooltip* tooltip : GUI_Tooltip::Marked())
        json.Value(tooltip->Text());
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

bool WriteUiDump(const std::string& file, const std::string& document, std::string& error) {
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(document.data(), 1, document.size(), out) == document.size();
    const int savedErrno = errno;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        error = std::strerror(written ? errno : savedErrno);
        return false;
    }
    return true;
}
