// The asset generator: draws every binary file the game reads into the data folder.
//   marrowgate-assets --data-root ROOT [--only fonts|interface|content|icons|sounds]

#include "tools/assets/asset_steps.h"

#include <FreeImage.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string root = ".";
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--data-root") && i + 1 < argc) {
            root = argv[++i];
        } else if (!std::strcmp(argv[i], "--only") && i + 1 < argc) {
            only = argv[++i];
        } else {
            std::fprintf(stderr, "usage: marrowgate-assets --data-root ROOT "
                                 "[--only fonts|interface|content|icons|sounds]\n");
            return 2;
        }
    }
    FreeImage_Initialise(FALSE);
    const std::string dataDir = root + "/data";
    struct Step {
        const char* name;
        bool (*run)(const std::string&);
    } steps[] = {{"fonts", MakeFonts},
                 {"interface", MakeInterfacePictures},
                 {"content", MakeContentPictures},
                 {"icons", MakeIcons},
                 {"sounds", MakeSounds}};
    bool ok = true;
    for (const Step& step : steps) {
        if (!only.empty() && only != step.name)
            continue;
        if (!step.run(dataDir)) {
            std::fprintf(stderr, "marrowgate-assets: the %s step failed\n", step.name);
            ok = false;
        }
    }
    FreeImage_DeInitialise();
    return ok ? 0 : 1;
}

std::string ScaledPictureName(const std::string& name, float scale) {
    const int percent = static_cast<int>(std::lround(scale * 100));
    const size_t dot = name.rfind('.');
    if (percent == 100 || dot == std::string::npos)
        return name;
    return name.substr(0, dot) + "_" + std::to_string(percent) + name.substr(dot);
}

std::string FindSystemFont(const std::string& fileName) {
    const char* folders[] = {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype",
                             "/usr/share/fonts/truetype/ancient-scripts", "/usr/share/fonts"};
    for (const char* folder : folders) {
        std::string path = std::string(folder) + "/" + fileName;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            std::fclose(f);
            return path;
        }
    }
    std::fprintf(stderr,
                 "marrowgate-assets: font %s not found (is its Debian package installed?)\n",
                 fileName.c_str());
    return {};
}
