#pragma once
// MessageDialog: a modal note with a title, a text in paragraphs (split at line breaks) and one
// button that closes it: election results, the end of the game, things not yet available.

#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_dialog.h"

#include <string>

class GUI_WindowManager;

class MessageDialog : public GUI_Dialog {
public:
    MessageDialog(const std::string& title, std::string body);
    void Place(float left, float top, float right, float bottom);
    void Draw() override;
    void DescribeMore(JsonWriter& json) const override;

    std::string text;
    GUI_ButtonText* okButton = nullptr;
};

// Opens a message dialog, centred, as a modal window of the given manager, which then owns it.
void ShowMessageDialog(GUI_WindowManager& windows, const std::string& title,
                       const std::string& text);
