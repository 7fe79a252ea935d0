#include "interface/guidance/play_guide.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/json_writer.h"
#include "base/row_reader.h"
#include "base/text_utils.h"
#include "base/tokenizer.h"
#include "government/script_runner.h"
#include "interface/guidance/guidance_window.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/windows/game_window.h"

#include <cstdio>

PlayGuide::PlayGuide() = default;

// A window still open is closed by its own destructor, through its manager if that still lives.
PlayGuide::~PlayGuide() = default;

bool PlayGuide::LoadSteps(const std::string& stepFile) {
    steps.clear();
    FILE* probe = OpenDataFile(stepFile, "r");
    if (!probe) {
        Log("Failed to load playguide file");
        ASSERT(false);
        return false;
    }
    std::fclose(probe);
    CSpreadsheet table(stepFile);
    for (const std::string& row : table.Rows()) {
        CTokenizer cells(row, ',');
        cells.NextToken();
        std::string script = TrimBlanks(cells.NextString());
        if (!script.empty())
            steps.push_back(script);
    }
    if (steps.empty()) {
        LogF("The play guide %s holds no steps", stepFile.c_str());
        ASSERT(false);
        return false;
    }
    return true;
}

void PlayGuide::Start() {
    active = true;
    allowedButton.clear();
    GetScreenGuide().Reset();
    if (startGame)
        startGame();
    LoadSteps();
    current = 0;
    if (steps.empty()) {
        // Nothing to guide: the game carries on as an ordinary one.
        active = false;
        return;
    }
    RunCurrent();
}

void PlayGuide::Next() {
    if (!active)
        return;
    if (current < steps.size())
        ++current;
    if (current >= steps.size()) {
        End();
        return;
    }
    RunCurrent();
}

void PlayGuide::RunCurrent() {
    const std::string& script = steps[current];
    LogF("Play guide step %zu: %s", current + 1, script.c_str());
    if (runScript)
        runScript(script);
    else
        RunScript(script);
}

void PlayGuide::End() {
    CloseWindow();
    active = false;
    if (runScript)
        runScript(kResetInterfaceScript);
    else
        RunScript(kResetInterfaceScript);
    allowedButton.clear();
    GetScreenGuide().Reset();
    Log("Play guide ended");
    if (returnToMenu)
        returnToMenu();
}

bool PlayGuide::IsButtonAllowed(const std::string& identifier) {
    if (!active || allowedButton.empty())
        return true;
    if (identifier != allowedButton)
        return false;
    Next();
    return true;
}

void PlayGuide::CloseWindow() {
    if (!window)
        return;
    if (GUI_WindowManager* windows = GameWindowManager()) {
        if (windows->IsOpen(window.get()))
            windows->Close(window.get());
    }
    // The button that asked for the next step may still be running: the window goes after the
    // frame.
    GuidanceWindow* old = window.release();
    DeferAfterFrame([old] { delete old; });
}

void PlayGuide::OpenWindow(const std::string& text, float x, float y) {
    CloseWindow();
    GUI_WindowManager* windows = GameWindowManager();
    if (!windows) {
        LogF("No game screen for the play guide's words: %.200s", text.c_str());
        return;
    }
    window = std::make_unique<GuidanceWindow>(kGuideWindowKind, "PLAYGUIDE_TITLE", text, x, y);
    window->SetButton("PLAYGUIDE_NEXT", kGuideNextButton, [this] { Next(); });
    window->Button()->SetTooltip("PLAYGUIDE_NEXT_TOOLTIP");
    // While a step waits for a particular button or icon, its own button would lead nowhere.
    window->buttonShown = [this] {
        return allowedButton.empty() && GetScreenGuide().permittedIcons.empty();
    };
    window->describeMore = [this](JsonWriter& json) {
        json.Field("step", static_cast<int>(current) + 1);
        json.Field("steps", static_cast<int>(steps.size()));
        json.Field("script", current < steps.size() ? steps[current] : std::string());
        json.Field("allowedButton", allowedButton);
        json.Key("permittedIcons");
        json.BeginArray();
        for (const std::string& icon : GetScreenGuide().permittedIcons)
            json.Value(icon);
        json.EndArray();
    };
    window->modal = true;
    windows->OpenModal(window.get());
}

void PlayGuide::AllowClicks() {
    if (!window)
        return;
    GUI_WindowManager* windows = GameWindowManager();
    if (!windows || !windows->IsOpen(window.get()) || !window->modal)
        return;
    windows->Close(window.get());
    window->modal = false;
    windows->Open(window.get());
}

void PlayGuide::KeepWindowOnTop() {
    GUI_WindowManager* windows = GameWindowManager();
    if (window && windows && windows->IsOpen(window.get()))
        windows->BringToTop(window.get());
}

PlayGuide& GetPlayGuide() {
    static PlayGuide guide;
    return guide;
}
