#pragma once
// Message boxes for the game window: a real box over the window when there is a screen to show
// it on, otherwise one line on stderr so that headless runs and tests never block.

#include <string>

struct SDL_Window;

// The window boxes are shown over; the display sets it when it opens and clears it when it closes.
void SetMessageBoxWindow(SDL_Window* window);

// Blocks until the player dismisses the box. Without a window, or under SDL's offscreen or dummy
// video drivers, writes "<title>: <text>" to stderr and returns at once.
void ShowPlatformMessageBox(const std::string& title, const std::string& text,
                            bool exclamation = false);
