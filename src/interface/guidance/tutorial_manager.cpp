#include "interface/guidance/tutorial_manager.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/row_reader.h"
#include "base/text_utils.h"
#include "base/tokenizer.h"
#include "government/script_runner.h"

#include <cstdio>
#include <cstdlib>

namespace {
// The user folder's path with the file name must fit the path buffers of the readers.
constexpr size_t kMaxSeenPath = 1023;
} // namespace

bool TutorialManager::Load(const std::string& userDir, const std::string& tableFile) {
    hints.clear();
    seenFile = userDir + "/hints.txt";
    if (seenFile.size() > kMaxSeenPath)
        seenFile.resize(kMaxSeenPath);
    seen.Load(kHintSection, seenFile);

    bool found = false;
    if (FILE* probe = OpenDataFile(tableFile, "r")) {
        std::fclose(probe);
        found = true;
    }
    if (!found) {
        Log("Failed to load tutorial file");
        ASSERT(false);
        return false;
    }
    CSpreadsheet table(tableFile);
    for (const std::string& row : table.Rows()) {
        CTokenizer cells(row, ',');
        cells.NextToken();
        HintRecord hint;
        hint.key = TrimBlanks(cells.NextString());
        hint.script = TrimBlanks(cells.NextString());
        if (hint.key.empty())
            continue;
        if (seen.HasKey(hint.key))
            hint.shown = std::atoi(seen.GetString(hint.key).c_str()) != 0;
        else
            seen.AddEntry(hint.key, "0");
        hints.push_back(hint);
    }
    return true;
}

bool TutorialManager::Save() {
    if (seenFile.empty())
        return false;
    for (const HintRecord& hint : hints)
        seen.SetFloat(hint.key, hint.shown ? 1.0f : 0.0f);
    if (!seen.Save(seenFile)) {
        LogF("Could not write the hints seen to %s", seenFile.c_str());
        return false;
    }
    return true;
}

int TutorialManager::ShowHint(const std::string& key) {
    if (holdBack && holdBack())
        return 0;
    int ran = 0;
    // Marked before running: a hint's script that opens another screen must not run it again.
    std::vector<std::string> scripts;
    for (HintRecord& hint : hints) {
        if (hint.key == key && !hint.shown) {
            hint.shown = true;
            scripts.push_back(hint.script);
        }
    }
    for (const std::string& script : scripts) {
        if (runScript)
            runScript(script);
        else
            RunScript(script);
        ++ran;
    }
    // Written at once as well as at the end, so a run that ends badly does not show them again.
    if (ran > 0)
        Save();
    return ran;
}

TutorialManager& GetTutorial() {
    static TutorialManager tutorial;
    return tutorial;
}
