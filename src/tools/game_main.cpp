// The game window's entry point: reads the command line, finds the data, runs the frame loop.
//   marrowgate [--data-root DIR] [--user-dir DIR] [--seed N] [--windowed|--fullscreen]
//              [--screenshot FILE --frames N] [--shot N:FILE ...] [--ui-dump N:FILE ...]
//              [--input FILE] [--window-size WxH] [--verbose]

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "interface/game_frame.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: marrowgate [options]\n"
    "  --data-root DIR     the folder holding data/ (default: here, else beside the program,\n"
    "                      else its installed ../share/marrowgate)\n"
    "  --user-dir DIR      the folder for saves and mods (default: tessaline2 in Documents;\n"
    "                      also MARROWGATE_USER_DIR)\n"
    "  --seed N            replay the same game: every random draw follows from N\n"
    "  --windowed          play in a window this time, whatever the options say\n"
    "  --fullscreen        play full screen this time\n"
    "  --screenshot FILE   write frame N (see --frames) as a PNG, then quit\n"
    "  --frames N          how many frames to run before the screenshot (default 60)\n"
    "  --shot N:FILE       also write frame N as a PNG; may be given many times\n"
    "  --ui-dump N:FILE    describe the screen at frame N as JSON (windows, buttons, icons);\n"
    "                      may be given many times\n"
    "  --input FILE        replay mouse moves, clicks and keys from FILE at given frames\n"
    "  --window-size WxH   play in a window of this size, as on a screen of that shape\n"
    "  --verbose           copy the debug log's lines to stderr\n"
    "  --help, --version\n";

bool ParseCount(const char* text, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= 0;
}

// "1920x1080": both at least the smallest window the game allows.
bool ParseWindowSize(const char* text, int& width, int& height) {
    const char* x = std::strchr(text, 'x');
    if (!x)
        return false;
    long w = 0, h = 0;
    const std::string first(text, x - text);
    if (!ParseCount(first.c_str(), w) || !ParseCount(x + 1, h))
        return false;
    if (w < kMinWindowWidth || h < kMinWindowHeight || w > 16384 || h > 16384)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// The game works from the data root; paths the player typed mean the folder they typed them in.
std::string FromWorkingFolder(const std::string& path) {
    if (path.empty() || path[0] == '/')
        return path;
    char here[4096];
    if (!getcwd(here, sizeof(here)))
        return path;
    return std::string(here) + "/" + path;
}

int BadArgument(const std::string& message) {
    std::fprintf(stderr, "marrowgate: %s\n%s", message.c_str(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string dataRoot;
    FrameSettings settings;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc)
                return nullptr;
            (void)what;
            return argv[++i];
        };
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("Marrowgate %s\n", MARROWGATE_VERSION);
            return 0;
        } else if (arg == "--verbose") {
            settings.verbose = true;
        } else if (arg == "--windowed") {
            settings.forceWindowed = 1;
        } else if (arg == "--fullscreen") {
            settings.forceWindowed = 2;
        } else if (arg == "--data-root" || arg == "--user-dir" || arg == "--seed" ||
                   arg == "--screenshot" || arg == "--frames" || arg == "--shot" ||
                   arg == "--ui-dump" || arg == "--input" || arg == "--window-size") {
            const char* v = value(arg.c_str());
            if (!v)
                return BadArgument(arg + " needs a value");
            long number = 0;
            if (arg == "--data-root") {
                dataRoot = v;
            } else if (arg == "--user-dir") {
                settings.userDirOverride = v;
            } else if (arg == "--seed") {
                if (!ParseCount(v, number) || number > 0xFFFFFFFFL)
                    return BadArgument(std::string("--seed wants a whole number, not \"") + v +
                                       "\"");
                settings.seed = static_cast<unsigned>(number);
                settings.seedGiven = true;
            } else if (arg == "--screenshot") {
                settings.screenshotFile = v;
            } else if (arg == "--frames") {
                if (!ParseCount(v, number) || number < 1 || number > 10000000)
                    return BadArgument(std::string("--frames wants a count of at least 1, not \"") +
                                       v + "\"");
                settings.screenshotFrame = static_cast<int>(number);
            } else if (arg == "--shot" || arg == "--ui-dump") {
                const char* colon = std::strchr(v, ':');
                std::string frame = colon ? std::string(v, colon - v) : std::string();
                if (!colon || !ParseCount(frame.c_str(), number) || number < 1 || !colon[1])
                    return BadArgument(arg + " wants FRAME:FILE, not \"" + v + "\"");
                auto& list = arg == "--shot" ? settings.shots : settings.uiDumps;
                list.push_back({static_cast<int>(number), colon + 1});
            } else if (arg == "--input") {
                settings.inputFile = v;
            } else if (arg == "--window-size") {
                if (!ParseWindowSize(v, settings.windowWidth, settings.windowHeight))
                    return BadArgument(
                        std::string("--window-size wants WIDTHxHEIGHT of at least ") +
                        std::to_string(kMinWindowWidth) + "x" + std::to_string(kMinWindowHeight) +
                        ", not \"" + v + "\"");
                settings.forceWindowed = 1;
            }
        } else {
            return BadArgument("unknown argument \"" + arg + "\"");
        }
    }
    if (!settings.screenshotFile.empty())
        settings.shots.push_back({settings.screenshotFrame, settings.screenshotFile});
    settings.userDirOverride = FromWorkingFolder(settings.userDirOverride);
    settings.inputFile = FromWorkingFolder(settings.inputFile);
    for (auto* list : {&settings.shots, &settings.uiDumps}) {
        for (FrameSettings::Shot& item : *list)
            item.file = FromWorkingFolder(item.file);
    }

    std::string root, error;
    if (!FindDataRoot(dataRoot, root, error)) {
        std::fprintf(stderr, "marrowgate: %s\n", error.c_str());
        return 1;
    }
    // The game's files are named relative to the data root, as is the debug log.
    if (chdir(root.c_str()) != 0) {
        std::fprintf(stderr, "marrowgate: cannot enter the data root %s\n", root.c_str());
        return 1;
    }
    SetDataRoot(root);
    return RunGame(settings);
}
