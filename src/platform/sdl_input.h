#pragma once
// Reads the window's keyboard and mouse from SDL events into the frame's InputState: the mouse in
// game pixels, buttons and keys as the interface numbers them, typed text and the frame clock.

#include "platform/input_state.h"

#include <cstdint>
#include <string>

class SdlDisplay;

class SdlInput {
public:
    // The display maps window coordinates to game pixels; without one they pass unchanged.
    explicit SdlInput(const SdlDisplay* display = nullptr);
    void SetDisplay(const SdlDisplay* display) { display_ = display; }

    // Takes every waiting event. Returns false when the window asked to close (the rest of the
    // events are still read). One-frame happenings of the previous poll are forgotten first.
    // frameSeconds is at most a quarter second, so a long stall does not jump animations.
    bool Poll(InputState& state);

private:
    void MoveMouse(InputState& state, int x, int y) const;

    const SdlDisplay* display_;
    uint64_t startMs_ = 0;
    uint64_t lastMs_ = 0;
    bool firstPoll_ = true;
};

// The interface's key code for an SDL scancode; 0 for keys the interface has no number for.
int ScancodeToKeyCode(int sdlScancode);
