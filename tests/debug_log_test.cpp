#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/user_settings.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

TEST(DebugLog, WritesHeaderOsLineAndFooter) {
    std::string text;
    {
        LoggedTest t;
        t.frontEnd.os = {false, 10, 0};
        CloseLog();
        OpenLog();
        Log("hello");
        CloseLog();
        text = t.LogText();
    }
    EXPECT_EQ(text, "----DEBUG FILE----\nUnknown O/S build number : 10\nhello\nEND DEBUG---\n");
}

// An installed game's data folder has no debugdata/ (and root could write one anyway): the log
// goes to the state folder, made on the way; a data folder whose "debugdata" is not a folder
// counts as having none; with no state folder to be had the log stays closed and silent.
TEST(DebugLog, GoesToTheStateFolderWithoutDebugDataAndIsSilentWithoutEither) {
    ScratchDir dir;
    SetDataRoot(dir.Path() + "/root");
    dir.Write("root/data/data.ini", "[setup]\n");
    dir.Write("root/debugdata", "a file, not the folder\n");
    SetStateDir(dir.Path() + "/home/.local/state/marrowgate");
    OpenLog();
    ASSERT_TRUE(IsLogOpen());
    EXPECT_EQ(GetLogPath(), dir.Path() + "/home/.local/state/marrowgate/debug.txt");
    Log("installed");
    CloseLog();
    EXPECT_TRUE(GetLogPath().empty());
    EXPECT_NE(dir.Read("home/.local/state/marrowgate/debug.txt").find("installed\nEND DEBUG---"),
              std::string::npos);
    EXPECT_EQ(dir.Read("root/debugdata"), "a file, not the folder\n");

    SetStateDir(dir.Path() + "/root/debugdata/state");
    OpenLog();
    EXPECT_FALSE(IsLogOpen());
    Log("nothing");
    CloseLog();
    SetStateDir("");
    SetDataRoot(".");
}

TEST(DebugLog, AssertLinesAndReporters) {
    LoggedTest t;
    Assert(true, "file.cpp", 3);
    Assert(false, "file.cpp", 12);
    EXPECT_EQ(BuildAssertLine("a.cpp", 7),
              "Assertion failure:filename:a.cpp,linenum:7,build:version,Not Windows XP");
    t.frontEnd.os = {true, 5, 1};
    SetLogMissionFlag("flag_usa");
    EXPECT_EQ(BuildAssertLine("a.cpp", 7), "Assertion failure:filename:a.cpp,linenum:7,build:"
                                           "version,flag:flag_usa,Windows XP detected");
    SetLogMissionFlag("");

    ReportError("Orphan effect", "neural_effect.cpp", 40);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(t.frontEnd.boxes[0].title, "ERROR");
    EXPECT_EQ(t.frontEnd.boxes[0].text, "Orphan effect:neural_effect.cpp 40");

    ReportEngineError(5, "first", "bad");
    ReportEngineError(0x887600E1L, "lost", "ok");
    ReportEngineError(6, "second", "bad");
    EXPECT_EQ(t.frontEnd.boxes.size(), 2u);

    std::string log = t.LogText();
    EXPECT_NE(log.find("Assertion failure:filename:file.cpp,linenum:12,build:version,Not "
                       "Windows XP\n"),
              std::string::npos);
    EXPECT_EQ(log.find("linenum:3,"), std::string::npos);
    EXPECT_NE(log.find("Orphan effect:neural_effect.cpp 40\n"), std::string::npos);
    EXPECT_NE(log.find("second\nbad\n"), std::string::npos);
}

TEST(DebugLog, AssertMacroTestsItsConditionOnceAndNamesItsLine) {
    LoggedTest t;
    int evaluations = 0;
    auto counted = [&](bool result) {
        ++evaluations;
        return result;
    };
    ASSERT(counted(true));
    EXPECT_EQ(evaluations, 1);
    EXPECT_EQ(t.LogText().find("Assertion failure"), std::string::npos);

    const int line = __LINE__ + 1;
    ASSERT(counted(false));
    EXPECT_EQ(evaluations, 2);
    // A pointer condition works as a test for null, as it does in the callers.
    const char* none = nullptr;
    ASSERT(none);
    std::string log = t.LogText();
    std::string expected =
        "Assertion failure:filename:debug_log_test.cpp,linenum:" + std::to_string(line) +
        ",build:version,Not Windows XP\n";
    EXPECT_NE(log.find(expected), std::string::npos) << log;
    EXPECT_NE(log.find("linenum:" + std::to_string(line + 4) + ","), std::string::npos) << log;
    EXPECT_TRUE(t.frontEnd.boxes.empty());
}
