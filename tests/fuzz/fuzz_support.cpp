#include "fuzz_support.h"

#include "game/game_state.h"

#include <cstdio>
#include <unistd.h>

void QuietFuzzing() {
    static QuietFuzzFrontEnd quiet;
    static bool started = false;
    if (started)
        return;
    SetFrontEnd(&quiet);
    // As in the game, a game (an empty one) is always in play.
    StartEmptyGame();
    started = true;
}

const std::string& FuzzFile(const uint8_t* data, size_t size, const char* extension) {
    static std::string path;
    path = "/tmp/marrowgate-fuzz-" + std::to_string(getpid()) + extension;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}
