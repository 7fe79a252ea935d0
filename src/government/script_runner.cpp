#include "government/script_runner.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/row_reader.h"
#include "base/text_utils.h"
#include "base/tokenizer.h"
#include "base/turn.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/government_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/grudge.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// A script that fires an event whose script fires it again would never end.
constexpr int kMaxNesting = 16;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return buffer;
}

int ReadWhole(const std::string& text) {
    long n = std::strtol(text.c_str(), nullptr, 10);
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return static_cast<int>(n);
}

float ReadDecimal(const std::string& text) {
    return std::strtof(text.c_str(), nullptr);
}

// Truncates toward zero, holding a product too large for an int at the limit.
int TruncateMoney(float amount) {
    if (amount >= 2147483520.0f)
        return INT_MAX;
    if (amount <= -2147483520.0f)
        return INT_MIN;
    return static_cast<int>(amount);
}

void LogInterface(const std::string& request) {
    LogF("Script interface request: %s", request.c_str());
}

void CloseWindow(GameWindow window, const char* name) {
    LogInterface(name);
    GetFrontEnd().CloseGameWindow(window);
}

} // namespace

std::vector<std::string> SplitCommands(const std::string& script) {
    std::vector<std::string> pieces;
    std::string piece;
    bool quoted = false;
    for (char c : script) {
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.push_back(piece);
    return pieces;
}

SIM_Script::SIM_Script() {
    auto closer = [](GameWindow window, const char* name) {
        return [window, name] { CloseWindow(window, name); };
    };
    simpleCommands = {
        {"CloseReports", closer(GameWindow::Reports, "CloseReports")},
        {"CloseCabinet", closer(GameWindow::Cabinet, "CloseCabinet")},
        {"ClosePolls", closer(GameWindow::Polls, "ClosePolls")},
        {"ClosePolicyPicker", closer(GameWindow::PolicyPicker, "ClosePolicyPicker")},
        {"CloseIntelReport", closer(GameWindow::IntelReport, "CloseIntelReport")},
        {"ClosePolicyDetails", closer(GameWindow::PolicyDetails, "ClosePolicyDetails")},
        {"CloseSimulationDetails", closer(GameWindow::SimulationDetails, "CloseSimulationDetails")},
        {"CloseVoterDetails", closer(GameWindow::VoterDetails, "CloseVoterDetails")},
        {"ClearPermittedIcons",
         [] {
             LogInterface("ClearPermittedIcons");
             GetFrontEnd().ClearPermittedIcons();
         }},
        {"ClearAllowedButtons",
         [] {
             LogInterface("ClearAllowedButtons");
             GetFrontEnd().ClearAllowedButtons();
         }},
        {"AllowClicks",
         [] {
             LogInterface("AllowClicks");
             GetFrontEnd().AllowClicks();
         }},
        {"ClosePartyWindow", closer(GameWindow::Party, "ClosePartyWindow")},
        {"CloseFinanceWindow", closer(GameWindow::Finance, "CloseFinanceWindow")},
    };
}

SIM_Script& GetScriptRunner() {
    return Government().scripts;
}

void SIM_Script::RunScript(const std::string& textOrFile) {
    if (textOrFile.find(".txt") == std::string::npos) {
        RunScriptText(textOrFile);
        return;
    }
    ContentPlace place(textOrFile, 0);
    FILE* file = OpenDataFile(textOrFile, "r");
    if (!file) {
        REPORT_ERROR(Format("Failed to find %s", textOrFile.c_str()).c_str());
        return;
    }
    std::string script;
    std::string line;
    while (ReadTextLine(file, kLineCapacity, line))
        script += RightTrim(line);
    std::fclose(file);
    RunScriptText(script);
}

void SIM_Script::RunScriptText(const std::string& script) {
    if (nesting >= kMaxNesting) {
        REPORT_ERROR(Format("Scripts nested too deeply: %.200s", script.c_str()).c_str());
        return;
    }
    ++nesting;
    for (const std::string& piece : SplitCommands(script)) {
        std::string command = TrimBlanks(piece);
        // A script that ends with a semicolon, or doubles one, leaves nothing to run.
        if (!command.empty())
            ExecuteCommand(command);
    }
    --nesting;
}

void SIM_Script::ExecuteCommand(const std::string& command) {
    size_t open = command.find('(');
    size_t close = command.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        REPORT_ERROR(
            Format("Unbalanced brackets in scripted function: %.200s", command.c_str()).c_str());
        return;
    }
    size_t quotes = 0;
    for (char c : command)
        quotes += (c == '"') ? 1 : 0;
    if (quotes % 2 != 0) {
        REPORT_ERROR(
            Format("Unbalanced quotes in scripted function: %.200s", command.c_str()).c_str());
        return;
    }

    std::string list = command.substr(open + 1, close - open - 1);
    std::vector<std::string> given;
    CTokenizer cells(list, ',');
    while (!cells.AtEnd())
        given.push_back(TrimBlanks(cells.NextToken()));
    if (given.size() > static_cast<size_t>(kMaxArguments)) {
        REPORT_ERROR(
            Format("Too many arguments in scripted function: %.200s", command.c_str()).c_str());
        return;
    }

    commandName = TrimBlanks(command.substr(0, open));
    for (size_t i = 0; i < given.size(); ++i)
        arguments[i] = given[i];

    if (RunSimpleCommand() || RunArgumentCommand())
        return;
    REPORT_ERROR("Unknown scripted function");
}

bool SIM_Script::RunSimpleCommand() {
    for (const SimpleCommand& simple : simpleCommands) {
        if (commandName == simple.name) {
            simple.action();
            return true;
        }
    }
    return false;
}

bool SIM_Script::RunArgumentCommand() {
    const std::string* a = arguments;
    const std::string& name = commandName;
    FrontEnd& frontEnd = GetFrontEnd();

    if (name == "CreateEffect") {
        Neuron* host = FindNeuron(a[0]);
        if (!host) {
            REPORT_ERROR("CreateEffect failed with missing host");
            return true;
        }
        Neuron* target = FindNeuron(a[1]);
        if (!target) {
            REPORT_ERROR("CreateEffect failed with missing target");
            return true;
        }
        // The link registers itself and belongs to the registry.
        NeuralEffect* effect = new NeuralEffect(host, target, a[2].c_str(), 1.0f, 0.5f);
        int drag = ReadWhole(a[3]);
        if (drag != 0)
            effect->SetInertialDrag(drag);
    } else if (name == "CreateNamedGrudge") {
        CreateNamedGrudge(a[0], a[1], ReadDecimal(a[2]), ReadDecimal(a[3]));
    } else if (name == "CreateGrudge") {
        CreateGrudge(a[0], a[1], ReadDecimal(a[2]), ReadDecimal(a[3]));
    } else if (name == "CreateInertialGrudge") {
        // The fourth argument is both the fading and the drag; no command reads a fifth.
        float decay = ReadDecimal(a[3]);
        CreateInertialGrudge(a[0], a[1], ReadDecimal(a[2]), decay, decay);
    } else if (name == "PlaySound") {
        std::string file = "data/sounds/" + a[0];
        LogInterface("PlaySound " + file);
        frontEnd.PlaySound(file);
    } else if (name == "EarnAdjusted") {
        // Scaled by wealth so one script weighs the same in a poor country as in a rich one.
        GetFinances().Earn(
            TruncateMoney(static_cast<float>(ReadWhole(a[0])) * GetMission().wealth));
    } else if (name == "SpendAdjusted") {
        GetFinances().Spend(
            TruncateMoney(static_cast<float>(ReadWhole(a[0])) * GetMission().wealth));
    } else if (name == "SetPlayGuideFlag") {
        LogInterface("SetPlayGuideFlag " + a[0] + " " + a[1]);
        frontEnd.SetPlayGuideFlag(a[0], a[1]);
    } else if (name == "ShowDetails") {
        LogInterface("ShowDetails " + a[0]);
        frontEnd.ShowDetails(a[0]);
    } else if (name == "TriggerEvent") {
        GetEventManager().TriggerEventByName(a[0]);
    } else if (name == "GameOver") {
        LogInterface("GameOver " + a[0] + " " + a[1]);
        if (!IsGameOver()) {
            SetGameOver(true);
            frontEnd.ShowGameOver(a[0], a[1]);
        }
    } else if (name == "AddPermittedIcon") {
        LogInterface("AddPermittedIcon " + a[0]);
        frontEnd.AddPermittedIcon(a[0]);
    } else if (name == "SetAllowedButton") {
        LogInterface("SetAllowedButton " + a[0]);
        frontEnd.SetAllowedButton(a[0]);
    } else if (name == "TutorialWindow") {
        LogInterface("TutorialWindow " + a[0]);
        frontEnd.ShowTutorialWindow(a[0], ReadDecimal(a[1]), ReadDecimal(a[2]));
    } else if (name == "PlayGuideWindow") {
        LogInterface("PlayGuideWindow " + a[0]);
        frontEnd.ShowPlayGuideWindow(a[0], ReadDecimal(a[1]), ReadDecimal(a[2]));
    } else {
        return false;
    }
    return true;
}

void RunScript(const std::string& textOrFile) {
    GetScriptRunner().RunScript(textOrFile);
}

void RunAutorunScripts() {
    const std::string& userDir = GetUserDir();
    // Without a user folder there are no mods to run.
    if (userDir.empty())
        return;
    ForEachFile(userDir + kAutorunScriptPattern,
                [](const std::string& path) { GetScriptRunner().RunScript(path); });
}
