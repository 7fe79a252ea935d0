#include "interface/widgets/message_dialog.h"

#include "base/json_writer.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/text_engine.h"

#include <algorithm>
#include <memory>

MessageDialog::MessageDialog(const std::string& title, std::string body)
    : GUI_Dialog("", true), text(std::move(body)) {
    this->title = title;
    name = "GAMESCREEN_MESSAGE";
    auto* ok = new GUI_ButtonText("CLICK_TO_CONTINUE");
    ok->deferred = true;
    ok->SetCallback([this](void*) { Close(); });
    AddChild(ok);
    okButton = ok;
}

void MessageDialog::Place(float left, float top, float right, float bottom) {
    SetRect(left, top, right, bottom);
    const float centre = (left + right) / 2;
    okButton->SetRect(centre - 120 * ScreenLayout::Scale(), bottom - 60 * ScreenLayout::Scale(),
                      centre + 120 * ScreenLayout::Scale(), bottom - 16 * ScreenLayout::Scale());
}

void MessageDialog::Draw() {
    if (!visible)
        return;
    TextEngine& engine = GetTextEngine();
    // Text waits in a batch until the frame ends; what lies below must go down first, or it
    // would show through this dialog.
    engine.Flush();
    GUI_Dialog::Draw();
    engine.SetFont(ScreenLayout::kTextFont, ScreenLayout::kTextSize);
    float y = static_cast<float>(ContentTop() + 10);
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string paragraph = text.substr(start, end - start);
        if (paragraph.empty())
            y += ScreenLayout::kTextSize / 2.0f;
        else
            y = engine.DrawWrapped(paragraph, static_cast<float>(ContentLeft() + 10), y,
                                   ContentWidth() - 20, ScreenLayout::kTextColour);
        start = end + 1;
    }
}

void MessageDialog::DescribeMore(JsonWriter& json) const {
    json.Field("text", text);
}

void ShowMessageDialog(GUI_WindowManager& windows, const std::string& title,
                       const std::string& text) {
    using ScreenLayout::S;
    auto dialog = std::make_unique<MessageDialog>(title, text);
    const float centre = ScreenLayout::ScreenWidth() / 2;
    dialog->Place(centre - S(260), S(200), centre + S(260), S(520));
    windows.OpenModalOwned(std::move(dialog));
}
