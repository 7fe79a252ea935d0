#include "base/front_end.h"

#include <cstdio>
#include <sys/utsname.h>

void HeadlessFrontEnd::ShowMessageBox(const std::string& title, const std::string& text,
                                      MessageBoxIcon) {
    if (quietBoxes)
        return;
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

void HeadlessFrontEnd::DebuggerOutput(const std::string& text) {
    if (verbose)
        std::fputs(text.c_str(), stderr);
}

OsVersion HeadlessFrontEnd::GetOsVersion() {
    OsVersion version;
    struct utsname info;
    if (uname(&info) == 0)
        std::sscanf(info.release, "%d.%d", &version.major, &version.minor);
    return version;
}

namespace {
FrontEnd* g_frontEnd = nullptr;
}

HeadlessFrontEnd& GetHeadlessFrontEnd() {
    static HeadlessFrontEnd headless;
    return headless;
}

FrontEnd& GetFrontEnd() {
    return g_frontEnd ? *g_frontEnd : GetHeadlessFrontEnd();
}

void SetFrontEnd(FrontEnd* frontEnd) {
    g_frontEnd = frontEnd;
}
