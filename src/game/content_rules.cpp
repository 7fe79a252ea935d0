#include "game/content_rules.h"

#include "base/content_text.h"
#include "base/file_system.h"
#include "base/text_utils.h"
#include "base/tokenizer.h"
#include "base/translation.h"
#include "government/script_runner.h"
#include "network/formula.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kMaxDrag = 32;

const char* const kPolicyGroups[] = {"FOREIGNPOLICY",  "WELFARE",     "ECONOMY",  "TAX",
                                     "PUBLICSERVICES", "LAWANDORDER", "TRANSPORT"};

// Script commands that take no arguments (the tutorial's window controls).
const char* const kSimpleCommands[] = {
    "CloseReports",           "CloseCabinet",      "ClosePolls",
    "ClosePolicyPicker",      "CloseIntelReport",  "ClosePolicyDetails",
    "CloseSimulationDetails", "CloseVoterDetails", "ClearPermittedIcons",
    "ClearAllowedButtons",    "AllowClicks",       "ClosePartyWindow",
    "CloseFinanceWindow"};

// Text that names a translation rather than being shown as written.
bool LooksLikeTextKey(const std::string& text) {
    if (text.size() < 3 || text.find('_') == std::string::npos)
        return false;
    bool letter = false;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z')
            letter = true;
        else if (!(c >= '0' && c <= '9') && c != '_')
            return false;
    }
    return letter;
}

std::string FormatFloat(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

} // namespace

std::vector<std::string> SplitContentCells(const std::string& text, char separator) {
    std::vector<std::string> cells;
    CTokenizer tokens(text, separator);
    while (!tokens.AtEnd())
        cells.push_back(tokens.NextToken());
    if (!text.empty() && text.back() == separator)
        cells.push_back("");
    return cells;
}

std::string QuoteContent(const std::string& text) {
    std::string shown = PrintableText(text);
    if (shown.size() > 60)
        shown = shown.substr(0, 57) + "...";
    return "'" + shown + "'";
}

void ContentRules::Report(const std::string& file, int line, const std::string& what) {
    problems_.push_back({file, line, what});
}

bool ContentRules::Node(const Place& at, const std::string& name, const std::string& role) {
    const std::string trimmed = TrimBlanks(name);
    if (names_.count(trimmed))
        return true;
    Report(at.file, at.line,
           role + " " + QuoteContent(trimmed) + " names no node (no value, policy, voter group, " +
               "situation, event or dilemma is called that)");
    return false;
}

bool ContentRules::Number(const Place& at, const std::string& text, const std::string& role,
                          float* value) {
    if (IsContentNumber(text, value))
        return true;
    Report(at.file, at.line, role + " " + QuoteContent(TrimBlanks(text)) + " is not a number");
    return false;
}

bool ContentRules::Whole(const Place& at, const std::string& text, const std::string& role,
                         long* value) {
    if (IsContentWholeNumber(text, value))
        return true;
    Report(at.file, at.line,
           role + " " + QuoteContent(TrimBlanks(text)) + " is not a whole number");
    return false;
}

void ContentRules::Range(const Place& at, const std::string& text, const std::string& role,
                         float low, float high) {
    float value = 0.0f;
    if (Number(at, text, role, &value) && (value < low || value > high))
        Report(at.file, at.line,
               role + " " + TrimBlanks(text) + " is out of its range " + FormatFloat(low) + " to " +
                   FormatFloat(high));
}

// A shown text: a key must have a text in the strings file; plain words are shown as they
// stand.
void ContentRules::Text(const Place& at, const std::string& text, const std::string& role,
                        bool required) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty()) {
        if (required)
            Report(at.file, at.line, role + " is empty");
        return;
    }
    if (LooksLikeTextKey(trimmed) && Translate(trimmed) == trimmed)
        Report(at.file, at.line, "text key " + trimmed + " has no text in data/strings.ini");
}

void ContentRules::Picture(const Place& at, const std::string& name, const std::string& role) {
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.empty())
        return;
    const size_t slash = trimmed.find_last_of("/\\");
    const std::string bare = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    if (!pictures_.count(LowerCopy(bare)))
        Report(at.file, at.line,
               role + " " + QuoteContent(trimmed) + " does not exist in data/bitmaps" +
                   (userDir_.empty() ? "" : " or the mods' bitmaps"));
}

void ContentRules::Formula(const Place& at, const std::string& text, const std::string& where) {
    const std::string trimmed = TrimBlanks(text);
    ParsedFormula parsed;
    if (trimmed.size() > static_cast<size_t>(kFormulaMaxChars))
        Report(at.file, at.line,
               "formula " + QuoteContent(trimmed) + " in " + where + " is longer than " +
                   std::to_string(kFormulaMaxChars) + " characters");
    else if (!ParseFormula(trimmed.c_str(), parsed))
        Report(at.file, at.line,
               "formula " + QuoteContent(trimmed) + " in " + where +
                   " does not parse (write A op (B op C) in x, such as 0+(0.2*x))");
}

void ContentRules::Drag(const Place& at, const std::string& text) {
    long drag = 0;
    if (Whole(at, text, "drag", &drag) && (drag < 0 || drag > kMaxDrag))
        Report(at.file, at.line, "drag " + std::to_string(drag) + " is out of its range 0 to 32");
}

// "NODE,FORMULA[,DRAG]".
void ContentRules::Link(const Place& at, const std::string& cell, const std::string& role) {
    std::vector<std::string> parts = SplitContentCells(TrimBlanks(cell));
    if (parts.size() < 2 || parts.size() > 3) {
        Report(at.file, at.line,
               role + " " + QuoteContent(TrimBlanks(cell)) +
                   " must be NODE,FORMULA or NODE,FORMULA,DRAG");
        return;
    }
    Node(at, parts[0], role);
    Formula(at, parts[1], role + " " + TrimBlanks(parts[0]));
    if (parts.size() == 3)
        Drag(at, parts[2]);
}

// A link, or one of the three special influences.
void ContentRules::Influence(const Place& at, const std::string& cell) {
    std::vector<std::string> parts = SplitContentCells(TrimBlanks(cell));
    const std::string first = parts.empty() ? "" : TrimBlanks(parts[0]);
    if (first == "_random_") {
        float low = 0.0f, high = 0.0f;
        if (parts.size() != 3) {
            Report(at.file, at.line, "influence _random_ must be _random_,LOW,HIGH");
        } else if (Number(at, parts[1], "_random_ low", &low) &&
                   Number(at, parts[2], "_random_ high", &high) && low > high) {
            Report(at.file, at.line, "influence _random_ has its low above its high");
        }
    } else if (first == "_default_") {
        if (parts.size() != 2)
            Report(at.file, at.line, "influence _default_ must be _default_,VALUE");
        else
            Number(at, parts[1], "_default_ value");
    } else if (first == "_prereq_") {
        if (parts.size() != 2)
            Report(at.file, at.line, "influence _prereq_ must be _prereq_,NODE");
        else
            Node(at, parts[1], "prerequisite");
    } else {
        Link(at, cell, "influence");
    }
}

void ContentRules::OneOf(const Place& at, const std::string& text, const std::string& role,
                         const std::set<std::string>& allowed, const std::string& kind) {
    const std::string trimmed = TrimBlanks(text);
    if (!allowed.count(trimmed))
        Report(at.file, at.line, role + " " + QuoteContent(trimmed) + " names no " + kind);
}

// Simulation values may also be "HIDDEN": shown beside no group.
void ContentRules::Group(const Place& at, const std::string& text, bool hiddenAllowed) {
    const std::string trimmed = TrimBlanks(text);
    if (hiddenAllowed && trimmed == "HIDDEN")
        return;
    for (const char* group : kPolicyGroups)
        if (trimmed == group)
            return;
    Report(at.file, at.line,
           "policy group " + QuoteContent(trimmed) +
               " is none of FOREIGNPOLICY, WELFARE, ECONOMY, TAX, PUBLICSERVICES, "
               "LAWANDORDER, TRANSPORT");
}

void ContentRules::Script(const Place& at, const std::string& script, const std::string& where) {
    const std::vector<std::string> commands = SplitCommands(script);
    for (const std::string& raw : commands) {
        const std::string command = TrimBlanks(raw);
        if (!command.empty())
            Command(at, command, where);
    }
}

void ContentRules::Command(const Place& at, const std::string& command, const std::string& where) {
    const size_t open = command.find('(');
    const size_t close = command.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        Report(at.file, at.line, where + ": unbalanced brackets in " + QuoteContent(command));
        return;
    }
    if (std::count(command.begin(), command.end(), '"') % 2 != 0) {
        Report(at.file, at.line, where + ": unbalanced quotes in " + QuoteContent(command));
        return;
    }
    const std::string name = TrimBlanks(command.substr(0, open));
    std::vector<std::string> args;
    const std::string list = command.substr(open + 1, close - open - 1);
    CTokenizer cells(list, ',');
    while (!cells.AtEnd())
        args.push_back(TrimBlanks(cells.NextToken()));
    for (const char* simple : kSimpleCommands)
        if (name == simple)
            return;
    auto wants = [&](size_t count) {
        if (args.size() == count)
            return true;
        Report(at.file, at.line,
               where + ": " + name + " takes " + std::to_string(count) + " arguments, not " +
                   std::to_string(args.size()));
        return false;
    };
    const std::string role = where + ": " + name;
    if (name == "CreateGrudge" || name == "CreateInertialGrudge" || name == "CreateNamedGrudge") {
        if (!wants(4))
            return;
        if (name != "CreateNamedGrudge")
            Node(at, args[0], role + " listed under");
        Node(at, args[1], role + " holder");
        Number(at, args[2], role + " value");
        float decay = 0.0f;
        if (Number(at, args[3], role + " decay", &decay) && (decay < 0.0f || decay >= 1.0f))
            Report(at.file, at.line,
                   role + " decay " + args[3] + " is out of its range 0 to below 1");
    } else if (name == "CreateEffect") {
        if (!wants(4))
            return;
        Node(at, args[0], role + " source");
        Node(at, args[1], role + " target");
        Formula(at, args[2], role);
        Drag(at, args[3]);
    } else if (name == "EarnAdjusted" || name == "SpendAdjusted") {
        if (wants(1))
            Whole(at, args[0], role + " amount");
    } else if (name == "TriggerEvent") {
        if (wants(1))
            OneOf(at, args[0], role, events_, "event");
    } else if (name == "PlaySound") {
        if (wants(1) && !FileExists("data/sounds/" + args[0]))
            Report(at.file, at.line, role + " " + QuoteContent(args[0]) + " is not in data/sounds");
    } else if (name == "GameOver") {
        if (wants(2)) {
            Text(at, args[0], role + " title");
            Text(at, args[1], role + " text");
        }
    } else if (name == "TutorialWindow" || name == "PlayGuideWindow") {
        if (wants(3)) {
            Number(at, args[1], role + " x");
            Number(at, args[2], role + " y");
        }
    } else if (name == "SetPlayGuideFlag") {
        wants(2);
    } else if (name == "ShowDetails" || name == "AddPermittedIcon" || name == "SetAllowedButton") {
        wants(1);
    } else {
        Report(at.file, at.line, where + ": unknown script command " + QuoteContent(name));
    }
}
