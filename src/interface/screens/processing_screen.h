#pragma once
// GUI_ProcessingScreen: shown while a turn is computed, a game is set up or a save is loaded. It
// shows a picture, a quotation, the step in progress and a bar, and once the work is done asks
// for a click (or a key) before the game goes on.

#include "interface/widgets/gui_screen.h"

#include <functional>
#include <string>

class GUI_ProcessingScreen : public BaseGUIScreen {
public:
    // Draws one whole frame at once; the work runs inside a single frame of the loop, so without
    // this the player would see nothing move. The frame installs it.
    void SetFrameCallback(std::function<void()> drawFrame) { drawFrame_ = std::move(drawFrame); }
    // Runs when the player clicks or presses a key after Done.
    void SetContinueCallback(std::function<void()> onContinue) {
        onContinue_ = std::move(onContinue);
    }

    // The start of a piece of work: the next quotation and the first step.
    void Begin();
    void Reset() { Begin(); }
    void Progress(const std::string& text, float amount);
    void Done();

    void Draw() override;
    bool OnLeftClick(float x, float y) override;
    void OnKey(int keyCode) override;

    float GetProgress() const { return progress_; }
    const std::string& Status() const { return status_; }
    bool IsDone() const { return done_; }

private:
    void Continue();
    void DrawQuotation(float width, float height);

    std::function<void()> drawFrame_;
    std::function<void()> onContinue_;
    std::string status_;
    float progress_ = 0;
    bool done_ = false;
};

GUI_ProcessingScreen& GetProcessingScreen();
