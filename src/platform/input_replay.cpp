#include "platform/input_replay.h"

#include "base/debug_log.h"
#include "base/file_system.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {
struct NamedKey {
    const char* name;
    int code;
};
constexpr NamedKey kNamedKeys[] = {
    {"ENTER", KeyCode::Enter},
    {"ESCAPE", KeyCode::Escape},
    {"BACKSPACE", KeyCode::Backspace},
    {"TAB", KeyCode::Tab},
    {"LEFT", KeyCode::Left},
    {"RIGHT", KeyCode::Right},
    {"UP", KeyCode::Up},
    {"DOWN", KeyCode::Down},
    {"SPACE", KeyCode::Space},
    {"F11", 0x57},
    {"F12", 0x58},
    {"CONTROL", KeyCode::LeftControl},
    {"SHIFT", KeyCode::LeftShift},
};
// Letters in keyboard scan-code order, A to Z.
constexpr int kLetterCodes[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                  0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                  0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool ParseNumber(const std::string& word, float& value) {
    if (word.empty())
        return false;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return end && *end == '\0';
}
} // namespace

int ReplayKeyCode(const std::string& name) {
    const std::string upper = Upper(name);
    for (const NamedKey& k : kNamedKeys)
        if (upper == k.name)
            return k.code;
    if (upper.size() == 1 && upper[0] >= 'A' && upper[0] <= 'Z')
        return kLetterCodes[upper[0] - 'A'];
    // F1..F10 run on from F1's code.
    if (upper.size() >= 2 && upper[0] == 'F' &&
        upper.find_first_not_of("0123456789", 1) == std::string::npos) {
        const int n = std::atoi(upper.c_str() + 1);
        if (n >= 1 && n <= 10)
            return KeyCode::F1 + n - 1;
    }
    std::string hex = upper;
    if (hex.rfind("0X", 0) == 0)
        hex = hex.substr(2);
    if (hex.empty() || hex.size() > 2 ||
        hex.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        return 0;
    return static_cast<int>(std::strtol(hex.c_str(), nullptr, 16));
}

bool InputReplay::ParseLine(const std::string& line, std::vector<Step>& steps,
                            std::string& problem) const {
    std::istringstream in(line);
    std::string frameWord, command;
    in >> frameWord >> command;
    float frameValue = 0;
    // Compared before any conversion: a frame past what an int holds (or no number at all)
    // would make the conversion itself undefined.
    if (!ParseNumber(frameWord, frameValue) || !(frameValue >= 0.0f) ||
        frameValue > static_cast<float>(kMaxReplayFrame) || frameValue != std::floor(frameValue)) {
        problem = "the line must start with a frame number, not \"" + frameWord + "\"";
        return false;
    }
    Step step;
    step.frame = static_cast<int>(frameValue);
    command = Upper(command);

    if (command == "TEXT") {
        // Everything after the one blank that ends the command, blanks included.
        const size_t at = line.find_first_not_of(" \t", line.find(frameWord) + frameWord.size());
        const size_t textStart = at + 4 < line.size() ? at + 5 : line.size();
        step.kind = Kind::Text;
        step.text = line.substr(textStart);
        steps.push_back(step);
        return true;
    }
    if (command == "PRESS") {
        std::string id, extra;
        in >> id;
        if (id.empty() || (in >> extra)) {
            problem = "press takes one button identifier";
            return false;
        }
        step.kind = Kind::Press;
        step.text = id;
        steps.push_back(step);
        step.kind = Kind::LeftUp;
        ++step.frame;
        steps.push_back(step);
        return true;
    }
    if (command == "HOLD" || command == "RELEASE") {
        std::string name, extra;
        in >> name;
        const int code = ReplayKeyCode(name);
        if (name.empty() || (in >> extra) || code <= 0 || code > 255) {
            problem = Upper(command) + " takes one key name or hex code";
            return false;
        }
        step.kind = command == "HOLD" ? Kind::KeyDown : Kind::KeyUp;
        step.key = code;
        steps.push_back(step);
        return true;
    }
    if (command == "KEY") {
        std::string name, extra;
        in >> name;
        if (name.empty() || (in >> extra)) {
            problem = "key takes one key name or hex code";
            return false;
        }
        const bool altEnter = Upper(name) == "ALT_ENTER";
        const int code = altEnter ? KeyCode::Enter : ReplayKeyCode(name);
        if (code <= 0 || code > 255) {
            problem = "unknown key \"" + name + "\"";
            return false;
        }
        step.kind = Kind::KeyDown;
        if (altEnter) {
            step.key = KeyCode::LeftAlt;
            steps.push_back(step);
        }
        step.key = code;
        steps.push_back(step);
        // Keys come up a frame later, so the key is seen held during its own frame.
        step.kind = Kind::KeyUp;
        ++step.frame;
        steps.push_back(step);
        if (altEnter) {
            step.key = KeyCode::LeftAlt;
            steps.push_back(step);
        }
        return true;
    }

    if (command == "WHEEL") {
        std::string word, extra;
        in >> word;
        float notches = 0;
        // Checked before any conversion, which would be undefined past what an int holds.
        if (!ParseNumber(word, notches) || !(std::fabs(notches) <= 1000.0f) ||
            notches != std::floor(notches) || (in >> extra)) {
            problem = "wheel takes a whole number of notches";
            return false;
        }
        step.kind = Kind::Wheel;
        step.key = static_cast<int>(notches);
        steps.push_back(step);
        return true;
    }

    if (command == "RESIZE") {
        std::string wWord, hWord, extra;
        in >> wWord >> hWord;
        float w = 0, h = 0;
        const float most = static_cast<float>(kMaxReplayWindowSide);
        if (!ParseNumber(wWord, w) || !ParseNumber(hWord, h) || (in >> extra) || !(w >= 1) ||
            !(h >= 1) || w > most || h > most || w != std::floor(w) || h != std::floor(h)) {
            problem = "resize takes a window width and height, whole numbers from 1 to " +
                      std::to_string(kMaxReplayWindowSide);
            return false;
        }
        step.kind = Kind::Resize;
        step.x = w;
        step.y = h;
        steps.push_back(step);
        return true;
    }

    const bool click = command == "CLICK", rclick = command == "RCLICK";
    if (!(command == "MOVE" || click || rclick || command == "DOWN" || command == "UP")) {
        problem = command.empty() ? "a command must follow the frame number"
                                  : "unknown command \"" + command + "\"";
        return false;
    }
    std::string xWord, yWord, extra;
    in >> xWord >> yWord;
    if (!ParseNumber(xWord, step.x) || !ParseNumber(yWord, step.y) || (in >> extra)) {
        problem = Upper(command) + " takes two numbers, X and Y";
        return false;
    }
    step.kind = Kind::Move;
    steps.push_back(step);
    if (command == "MOVE")
        return true;
    if (command == "DOWN" || command == "UP") {
        step.kind = command == "DOWN" ? Kind::LeftDown : Kind::LeftUp;
        steps.push_back(step);
        return true;
    }
    step.kind = click ? Kind::LeftDown : Kind::RightDown;
    steps.push_back(step);
    step.kind = click ? Kind::LeftUp : Kind::RightUp;
    ++step.frame;
    steps.push_back(step);
    return true;
}

bool InputReplay::Parse(const std::string& text, const std::string& name) {
    steps_.clear();
    next_ = 0;
    error_.clear();
    std::vector<Step> steps;
    std::istringstream in(text);
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == ';')
            continue;
        std::string problem;
        if (!ParseLine(line.substr(start), steps, problem)) {
            error_ = name + " line " + std::to_string(lineNumber) + ": " + problem;
            Log(error_);
            return false;
        }
    }
    // Stable: happenings of one frame keep the file's order.
    std::stable_sort(steps.begin(), steps.end(),
                     [](const Step& a, const Step& b) { return a.frame < b.frame; });
    steps_ = std::move(steps);
    return true;
}

bool InputReplay::Load(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        steps_.clear();
        next_ = 0;
        error_ = "cannot read the input replay " + path;
        return false;
    }
    return Parse(text, path);
}

void InputReplay::Apply(int frame, InputState& state, const ButtonFinder& findButton) {
    for (; next_ < steps_.size() && steps_[next_].frame <= frame; ++next_) {
        const Step& s = steps_[next_];
        switch (s.kind) {
        case Kind::Press: {
            float x = 0, y = 0;
            if (findButton && findButton(s.text, x, y)) {
                state.mouseX = x;
                state.mouseY = y;
                state.leftDown = state.leftPressed = true;
            } else {
                error_ = "frame " + std::to_string(frame) + ": no button \"" + s.text +
                         "\" is shown to press";
                Log(error_);
            }
            break;
        }
        case Kind::Move:
            state.mouseX = s.x;
            state.mouseY = s.y;
            break;
        case Kind::LeftDown:
            state.leftDown = state.leftPressed = true;
            break;
        case Kind::LeftUp:
            state.leftDown = false;
            state.leftReleased = true;
            break;
        case Kind::RightDown:
            state.rightDown = state.rightPressed = true;
            break;
        case Kind::RightUp:
            state.rightDown = false;
            state.rightReleased = true;
            break;
        case Kind::KeyDown:
            state.keysDown[s.key] = true;
            state.keysPressed.push_back(s.key);
            break;
        case Kind::KeyUp:
            state.keysDown[s.key] = false;
            break;
        case Kind::Text:
            state.typedText += s.text;
            break;
        case Kind::Wheel:
            state.wheel += s.key;
            break;
        case Kind::Resize:
            state.resizeWidth = static_cast<int>(s.x);
            state.resizeHeight = static_cast<int>(s.y);
            break;
        }
    }
}
