#include "test_helpers.h"

#include "data/debug_log.h"
#include "data/file_system.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "marrowgate-test-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    path = made ? made : tmpl;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
}

std::string ScratchDir::Write(const std::string& relative, const std::string& text) const {
    fs::path full = fs::path(path) / relative;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << text;
    return full.string();
}

std::string ScratchDir::Read(const std::string& relative) const {
    std::ifstream in(fs::path(path) / relative, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

LoggedTest::LoggedTest() {
    fs::create_directories(fs::path(dir.Path()) / "debugdata");
    SetDataRoot(dir.Path());
    SetFrontEnd(&frontEnd);
    OpenLog();
}

LoggedTest::~LoggedTest() {
    CloseLog();
    SetFrontEnd(nullptr);
    SetDataRoot(".");
}

std::string LoggedTest::LogText() const { return dir.Read("debugdata/debug.txt"); }
