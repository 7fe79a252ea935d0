#pragma once
// Times whole frames of every front-end screen with the real window code, for the benchmark.

#include <string>

// Starts the game in a window (SDL's offscreen driver and software renderer unless the
// environment chooses others), shows each screen for the given number of frames and prints the
// median and worst frame time of each. The data root must be one the game may write to (it
// rewrites its options and display files). Returns 0 on success.
int RunFrameBenchmark(const std::string& userDir, int frames);
