#pragma once
// Fits the tutorial hints and the play guide into the game window: the hints are read at
// start-up and written at the end, screens' requests for hints reach the tutorial, the menu's
// play-guide button starts the guide, and every button asks the guide before it reacts.

#include <string>

void StartGuidance();
void StopGuidance();
// A hint's window over the screen whose hint is being shown (or the current screen).
void OpenTutorialWindow(const std::string& text, float x, float y);
