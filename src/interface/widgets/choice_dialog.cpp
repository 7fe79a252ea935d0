#include "interface/widgets/choice_dialog.h"

#include "interface/screens/screens.h"
#include "interface/widgets/gui_window_manager.h"

#include <memory>

ChoiceDialog::ChoiceDialog(const std::string& title, std::string question,
                           std::vector<Answer> answers)
    : MessageDialog(title, std::move(question)) {
    name = "GAMESCREEN_CHOICE";
    // The single "continue" button of a message has no place among real answers.
    RemoveButton(okButton);
    okButton = nullptr;
    for (Answer& answer : answers) {
        auto* button = new GUI_ButtonText(answer.key);
        button->identifier = answer.identifier;
        button->deferred = true;
        std::function<void()> action = std::move(answer.action);
        button->SetCallback([this, action](void*) {
            Close();
            if (action)
                action();
        });
        AddChild(button);
        answerButtons.push_back(button);
    }
}

void ChoiceDialog::PlaceChoices(float left, float top, float right, float bottom) {
    SetRect(left, top, right, bottom);
    if (answerButtons.empty())
        return;
    const float scale = ScreenLayout::Scale();
    const float gap = 12 * scale, margin = 20 * scale;
    const float count = static_cast<float>(answerButtons.size());
    const float width = (right - left - 2 * margin - gap * (count - 1)) / count;
    float x = left + margin;
    for (GUI_ButtonText* button : answerButtons) {
        button->SetRect(x, bottom - 60 * scale, x + width, bottom - 16 * scale);
        x += width + gap;
    }
}

void ShowChoiceDialog(GUI_WindowManager& windows, const std::string& title,
                      const std::string& question, std::vector<ChoiceDialog::Answer> answers) {
    using ScreenLayout::S;
    auto dialog = std::make_unique<ChoiceDialog>(title, question, std::move(answers));
    const float centre = ScreenLayout::ScreenWidth() / 2;
    dialog->PlaceChoices(centre - S(300), S(230), centre + S(300), S(470));
    windows.OpenModalOwned(std::move(dialog));
}
