#pragma once
// ChoiceDialog: a modal question with a row of answers (Save / Don't save / Cancel, Delete /
// Keep). Each answer closes the dialog and then runs its action after the frame, so an action may
// switch screens or rebuild what lay under the dialog.

#include "interface/widgets/message_dialog.h"

#include <functional>
#include <string>
#include <vector>

class ChoiceDialog : public MessageDialog {
public:
    struct Answer {
        std::string key;        // translation key of the button
        std::string identifier; // for tests and the play guide
        std::function<void()> action;
    };

    ChoiceDialog(const std::string& title, std::string question, std::vector<Answer> answers);
    // Lays the answers out in one row along the bottom, the first on the left.
    void PlaceChoices(float left, float top, float right, float bottom);

    std::vector<GUI_ButtonText*> answerButtons;
};

// Opens a choice dialog, centred, as a modal window of the manager, which then owns it. Escape
// or the close box counts as the last answer (by convention the one that changes nothing).
void ShowChoiceDialog(GUI_WindowManager& windows, const std::string& title,
                      const std::string& question, std::vector<ChoiceDialog::Answer> answers);
