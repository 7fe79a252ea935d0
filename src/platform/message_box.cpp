#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {
SDL_Window* gBoxWindow = nullptr;

bool CanShowBoxes() {
    if (!gBoxWindow || !SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}
} // namespace

void SetMessageBoxWindow(SDL_Window* window) {
    gBoxWindow = window;
}

void ShowPlatformMessageBox(const std::string& title, const std::string& text, bool exclamation) {
    if (CanShowBoxes()) {
        const Uint32 flags = exclamation ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
        if (SDL_ShowSimpleMessageBox(flags, title.c_str(), text.c_str(), gBoxWindow) == 0)
            return;
    }
    // A box that cannot be shown still has to reach someone.
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}
