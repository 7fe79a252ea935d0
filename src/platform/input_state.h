#pragma once
// What the player did since the last frame: the mouse, its buttons, the keys pressed and the
// frame clock. The window fills it from SDL events (or from a replay file); tests set it directly.

#include <cstdint>
#include <string>
#include <vector>

// Key codes are keyboard scan codes as the interface has always numbered them.
namespace KeyCode {
inline constexpr int Escape = 0x01;
inline constexpr int Backspace = 0x0E;
inline constexpr int Tab = 0x0F;
inline constexpr int Enter = 0x1C;
inline constexpr int LeftControl = 0x1D;
inline constexpr int LeftShift = 0x2A;
inline constexpr int RightShift = 0x36;
inline constexpr int LeftAlt = 0x38;
inline constexpr int Space = 0x39;
inline constexpr int F1 = 0x3B;
inline constexpr int Home = 0xC7;
inline constexpr int Up = 0xC8;
inline constexpr int PageUp = 0xC9;
inline constexpr int Left = 0xCB;
inline constexpr int Right = 0xCD;
inline constexpr int End = 0xCF;
inline constexpr int Down = 0xD0;
inline constexpr int PageDown = 0xD1;
inline constexpr int Delete = 0xD3;
} // namespace KeyCode

struct InputState {
    // In game pixels (the window's letterboxing already undone).
    float mouseX = 0, mouseY = 0;
    bool leftDown = false, rightDown = false;
    // Went down during the last poll.
    bool leftPressed = false, rightPressed = false;
    bool leftReleased = false, rightReleased = false;
    // Scan codes pressed during the last poll, in order.
    std::vector<int> keysPressed;
    // Mouse wheel notches turned during the last poll: positive away from the player (scroll
    // up). Whoever scrolls with them sets it back to 0, so that one list moves, not two.
    int wheel = 0;
    // Text typed during the last poll (UTF-8 turned into the game's one-byte characters).
    std::string typedText;
    // A window size asked for during the last poll (a replay's resize); 0 when none.
    int resizeWidth = 0, resizeHeight = 0;
    // Scan codes currently held.
    bool IsKeyDown(int key) const { return key >= 0 && key < 256 && keysDown[key]; }
    bool keysDown[256] = {};
    // Milliseconds since start and the length of the last frame in seconds.
    uint32_t timeMs = 0;
    float frameSeconds = 0;
    // Set by the interface while a frame runs: something on top already reacts to the mouse.
    bool mouseTaken = false;

    // Forgets the one-frame happenings before the next poll.
    void BeginPoll() {
        leftPressed = rightPressed = leftReleased = rightReleased = false;
        keysPressed.clear();
        typedText.clear();
        wheel = 0;
        resizeWidth = resizeHeight = 0;
    }
};

InputState& GetInput();
