#pragma once
// The debug log and the failure reporters. Every reporter returns to its caller: failures are
// recorded (and some shown in a box through the front end), never thrown.

#include <cstdarg>
#include <string>

// Opens the log afresh for the run: "debugdata/debug.txt" under the data root when that folder
// exists and can be written (a developer's switch in a source tree), else "debug.txt" in the state
// folder (user_settings.h), so that an installed game, whose data folder is read-only, still
// keeps one. When neither can be had the log stays closed and silent for the whole run.
void OpenLog();
void CloseLog();
bool IsLogOpen();
// Where the open log is written; empty while closed.
const std::string& GetLogPath();

// One line to the log, flushed at once; also to the debugger output. Nothing while closed.
void Log(const char* message);
inline void Log(const std::string& message) {
    Log(message.c_str());
}
// printf-style Log; the text is cut to 511 characters.
void LogF(const char* format, ...) __attribute__((format(printf, 1, 2)));

void ReportWarning(const char* message, const char* file, int line);
void ReportError(const char* message, const char* file, int line);
// A fault in something the player or a modder made (a saved game, a data file), in words that
// name the file and what is wrong with it: logged and shown in one box, with no place in our own
// sources attached.
void ReportFault(const std::string& message);
void Assert(bool condition, const char* file, int line);
void LogSystemError(const char* message);
void LogWarning(const char* message);
// A failure of the graphics layer: logged always, a box only the first time in a run and never
// for the two codes the display recovers from by itself.
void ReportEngineError(long code, const char* context, const char* codeText);

// The content file and line being read. While a ContentPlace lives, warnings, errors and
// assertion lines add " (in FILE:LINE)" after their own text ("(in FILE)" when the line is not
// known), so that a modder can find what the game tripped over. Places nest; the innermost counts.
class ContentPlace {
public:
    ContentPlace(const std::string& file, int line);
    // The place noted for a content item when it was read (NoteContentOrigin); nothing when none.
    explicit ContentPlace(const void* item);
    ~ContentPlace();
    ContentPlace(const ContentPlace&) = delete;
    ContentPlace& operator=(const ContentPlace&) = delete;

private:
    bool pushed = false;
};

// Where content is being read: the innermost place, or an empty file when no reader has said.
struct ContentSpot {
    std::string file;
    int line = 0;
};
ContentSpot CurrentContentSpot();
// " (in FILE:LINE)" for the innermost place; empty when no content is being read.
std::string ContentPlaceSuffix();
// Remembers the innermost place for an item whose links are resolved after the whole of its
// kind is read, so that the later reports can name its row.
void NoteContentOrigin(const void* item);
// Forgets every noted item: a new game reads its content afresh.
void ForgetContentOrigins();

// The flag picture of the loaded mission, added to assertion lines; empty when none is loaded.
void SetLogMissionFlag(const std::string& flag);

// Builds the assertion line exactly as the log receives it.
std::string BuildAssertLine(const char* file, int line);

// Source location as the reporters print it: the file name without its folders.
const char* SourceName(const char* path);

#define REPORT_WARNING(msg) ReportWarning((msg), SourceName(__FILE__), __LINE__)
#define REPORT_ERROR(msg) ReportError((msg), SourceName(__FILE__), __LINE__)
// The condition is tested in place, so a holding assertion costs one branch and nothing else; only
// a failing one builds its source location and calls Assert.
#define ASSERT(cond)                                                                               \
    (static_cast<bool>(cond) ? static_cast<void>(0) : Assert(false, SourceName(__FILE__), __LINE__))
