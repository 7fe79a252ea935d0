#include "base/debug_log.h"

#include "base/file_system.h"
#include "base/front_end.h"
#include "base/user_settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {
FILE* g_logFile = nullptr;
std::string g_logPath;
std::string g_missionFlag;
bool g_engineBoxShown = false;

using Place = ContentSpot;
std::vector<Place> g_contentPlaces;
std::unordered_map<const void*, Place> g_contentOrigins;

constexpr size_t kReportBuffer = 512;

std::string Format(const char* format, va_list args) {
    char buffer[kReportBuffer];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

std::string FormatF(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatF(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = Format(format, args);
    va_end(args);
    return text;
}
} // namespace

const char* SourceName(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

namespace {
std::string ChooseLogPath() {
    const std::string beside = ResolveDataPath("debugdata");
    if (DirectoryExists("debugdata") && access(beside.c_str(), W_OK) == 0)
        return beside + "/debug.txt";
    const std::string& state = GetStateDir();
    if (state.empty())
        return "";
    std::error_code error;
    std::filesystem::create_directories(state, error);
    return error ? "" : state + "/debug.txt";
}
} // namespace

void OpenLog() {
    if (g_logFile)
        return;
    g_logPath = ChooseLogPath();
    g_logFile = g_logPath.empty() ? nullptr : std::fopen(g_logPath.c_str(), "w");
    if (!g_logFile) {
        g_logPath.clear();
        return;
    }
    Log("----DEBUG FILE----");
    OsVersion os = GetFrontEnd().GetOsVersion();
    if (os.isWindows && os.major == 5)
        Log("Windows XP detected");
    else if (os.isWindows && os.major == 6)
        Log("Windows Vista detected");
    else
        LogF("Unknown O/S build number : %d", os.major);
}

void CloseLog() {
    if (!g_logFile)
        return;
    Log("END DEBUG---");
    std::fclose(g_logFile);
    g_logFile = nullptr;
    g_logPath.clear();
}

bool IsLogOpen() {
    return g_logFile != nullptr;
}

const std::string& GetLogPath() {
    return g_logPath;
}

void Log(const char* message) {
    if (!g_logFile)
        return;
    std::fputs(message, g_logFile);
    std::fputc('\n', g_logFile);
    std::fflush(g_logFile);
    GetFrontEnd().DebuggerOutput(std::string(message) + "\n");
}

void LogF(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = Format(format, args);
    va_end(args);
    Log(text.c_str());
}

ContentPlace::ContentPlace(const std::string& file, int line) {
    g_contentPlaces.push_back({file, line});
    pushed = true;
}

ContentPlace::ContentPlace(const void* item) {
    auto found = g_contentOrigins.find(item);
    if (found == g_contentOrigins.end())
        return;
    g_contentPlaces.push_back(found->second);
    pushed = true;
}

ContentPlace::~ContentPlace() {
    if (pushed && !g_contentPlaces.empty())
        g_contentPlaces.pop_back();
}

ContentSpot CurrentContentSpot() {
    return g_contentPlaces.empty() ? ContentSpot{} : g_contentPlaces.back();
}

std::string ContentPlaceSuffix() {
    if (g_contentPlaces.empty() || g_contentPlaces.back().file.empty())
        return "";
    const Place& place = g_contentPlaces.back();
    return " (in " + place.file + (place.line > 0 ? ":" + std::to_string(place.line) : "") + ")";
}

void NoteContentOrigin(const void* item) {
    if (!g_contentPlaces.empty())
        g_contentOrigins[item] = g_contentPlaces.back();
}

void ForgetContentOrigins() {
    g_contentOrigins.clear();
}

void ReportWarning(const char* message, const char* file, int line) {
    std::string text = FormatF("%s:%s %d", message, file, line) + ContentPlaceSuffix() + "\n";
    GetFrontEnd().DebuggerOutput(text);
    // The formatted text already ends in a line feed; the log adds its own.
    text.pop_back();
    Log(text.c_str());
}

void ReportError(const char* message, const char* file, int line) {
    std::string text = FormatF("%s:%s %d", message, file, line) + ContentPlaceSuffix();
    Log(text.c_str());
    GetFrontEnd().ShowMessageBox("ERROR", text, MessageBoxIcon::None);
}

void ReportFault(const std::string& message) {
    Log(message.c_str());
    GetFrontEnd().ShowMessageBox("ERROR", message, MessageBoxIcon::None);
}

std::string BuildAssertLine(const char* file, int line) {
    std::string text =
        FormatF("Assertion failure:filename:%s,linenum:%d,build:%s", file, line, "version");
    if (!g_missionFlag.empty())
        text += FormatF(",flag:%s", g_missionFlag.c_str());
    OsVersion os = GetFrontEnd().GetOsVersion();
    bool xpOrLater = os.isWindows && (os.major > 5 || (os.major == 5 && os.minor >= 1));
    text += xpOrLater ? ",Windows XP detected" : ",Not Windows XP";
    if (text.size() > kReportBuffer - 1)
        text.resize(kReportBuffer - 1);
    return text;
}

void Assert(bool condition, const char* file, int line) {
    if (condition)
        return;
    Log((BuildAssertLine(file, line) + ContentPlaceSuffix()).c_str());
}

void LogSystemError(const char* message) {
    std::string text = FormatF("IERROR:  %s [%d]", message, errno);
    Log(text.c_str());
    GetFrontEnd().ShowMessageBox("ERROR", text, MessageBoxIcon::None);
}

void LogWarning(const char* message) {
    Log(FormatF("IWARNING:  %s\n", message).c_str());
}

void ReportEngineError(long code, const char* context, const char* codeText) {
    Log(context);
    Log(codeText);
    if (code == 0x887600E1L || code == 0x887601C2L || g_engineBoxShown)
        return;
    g_engineBoxShown = true;
    GetFrontEnd().RestoreDesktopMode();
    std::string text =
        FormatF("Please check publishers website for tech support Details: [%s] ", context);
    GetFrontEnd().ShowMessageBox("D3DEngine Error", text, MessageBoxIcon::Exclamation);
}

void SetLogMissionFlag(const std::string& flag) {
    g_missionFlag = flag;
}
