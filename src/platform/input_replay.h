#pragma once
// Scripted input for unattended runs: a text file of mouse moves, clicks, keys and typed text,
// each at a frame number, added to the frame's InputState after the real poll.
//
// One happening per line, "<frame> <command> <arguments>":
//   move X Y      the mouse moves to game pixel (X, Y)
//   click X Y     left button down at the frame and up at the next one
//   rclick X Y    the same with the right button
//   down X Y      left button goes down (and stays down)
//   up X Y        left button comes up
//   key K         K is ENTER, ESCAPE, BACKSPACE, TAB, LEFT, RIGHT, UP, DOWN, SPACE, F1..F12,
//                 CONTROL, SHIFT, A..Z, ALT_ENTER (Enter with the left Alt held) or a key code in
//                 hex ("0x1C")
//   text T        the rest of the line is typed (UTF-8 or the game's one-byte characters)
//   wheel N       the mouse wheel turns N notches (positive: away from the player)
//   press ID      the mouse moves to the middle of the visible button named ID (a button's
//                 identifier, or what the screen finds by that name) and clicks it; a replay
//                 that names a button the screen does not show fails
//   hold K        key K goes down and stays down (Control or Shift for a key combination)
//   release K     key K comes up
//   resize W H    the window is resized to W x H (window pixels, whole numbers)
// Blank lines and lines starting with ';' are comments.

#include "platform/input_state.h"

#include <functional>
#include <string>
#include <vector>

// The last frame a replay may name: about a fortnight of play at sixty frames a second.
constexpr int kMaxReplayFrame = 100000000;
// The largest window side a replay may ask for.
constexpr int kMaxReplayWindowSide = 16384;

class InputReplay {
public:
    // Reads the file; any bad line stops the load with Error() naming the file and the line.
    bool Load(const std::string& path);
    // The same from text already in memory; name stands for the file in messages.
    bool Parse(const std::string& text, const std::string& name);
    const std::string& Error() const { return error_; }

    // Finds a button by its identifier on what is shown: its middle in game pixels, or false.
    using ButtonFinder = std::function<bool(const std::string& id, float& x, float& y)>;

    // Adds every happening due at or before the frame that was not applied yet, so a caller that
    // skips frame numbers loses nothing. A press whose button cannot be found is recorded in
    // Error() and skipped.
    void Apply(int frame, InputState& state, const ButtonFinder& findButton = nullptr);
    // All happenings applied.
    bool Finished() const { return next_ >= steps_.size(); }
    // The frame of the last happening; -1 when there is none.
    int LastFrame() const { return steps_.empty() ? -1 : steps_.back().frame; }

private:
    enum class Kind {
        Move,
        LeftDown,
        LeftUp,
        RightDown,
        RightUp,
        KeyDown,
        KeyUp,
        Text,
        Wheel,
        Press,
        Resize
    };
    struct Step {
        int frame = 0;
        Kind kind = Kind::Move;
        float x = 0, y = 0;
        int key = 0;
        std::string text;
    };
    bool ParseLine(const std::string& line, std::vector<Step>& steps, std::string& problem) const;

    std::vector<Step> steps_;
    size_t next_ = 0;
    std::string error_;
};

// The key code for a replay key name ("ENTER", "F1", "Q") or hex code; 0 when it is neither.
int ReplayKeyCode(const std::string& name);
