#include "government/dilemma.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/ini_section.h"
#include "base/mission.h"
#include "base/text_utils.h"
#include "base/translation.h"
#include "government/dilemma_manager.h"
#include "government/issues_manager.h"
#include "government/script_runner.h"

#include <cstdint>
#include <strings.h>

namespace {

bool HoldsOptionWord(const std::string& sectionName) {
    static const std::string kWord = "option";
    if (sectionName.size() < kWord.size())
        return false;
    for (size_t at = 0; at + kWord.size() <= sectionName.size(); ++at)
        if (strncasecmp(sectionName.c_str() + at, kWord.c_str(), kWord.size()) == 0)
            return true;
    return false;
}

// The names of the file's option sections in file order. The section reader finds a section by
// name without regard to case and only its first occurrence, so a name repeated in another case
// would read the same section twice; it counts once.
std::vector<std::string> OptionSections(const std::string& file) {
    std::vector<std::string> sections;
    std::string text;
    if (!ReadWholeFile(file, text))
        return sections;
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = text.size();
        std::string line = TrimBlanks(text.substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;
        size_t close = line.find(']');
        if (line.size() < 2 || line[0] != '[' || close == std::string::npos)
            continue;
        std::string name = TrimBlanks(line.substr(1, close - 1));
        if (!HoldsOptionWord(name))
            continue;
        bool seen = false;
        for (const std::string& earlier : sections)
            seen = seen || strcasecmp(earlier.c_str(), name.c_str()) == 0;
        if (!seen)
            sections.push_back(name);
    }
    return sections;
}

} // namespace

SIM_Dilemma::SIM_Dilemma() {
    typeCode = NeuronType::Dilemma;
    active = false;
    SIM_DilemmaManager::Add(this);
    LogF("constrcutor dilemma address is %x",
         static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)));
}

SIM_Dilemma::~SIM_Dilemma() {
    SIM_DilemmaManager::Forget(this);
}

void SIM_Dilemma::Load(const std::string& file) {
    ContentPlace place(file, 0);
    CIniSection section;
    section.Load("dilemma", file);
    SetName(TrimBlanks(section.GetString("name")));
    description = TrimBlanks(section.GetString("description"));
    SetGuiName(TrimBlanks(section.GetString("guiname")));

    section.Load("influences", file);
    for (const CIniSection::Entry& entry : section.Entries())
        AddInfluence(TrimBlanks(entry.value));

    section.Load("prereqs", file);
    for (const CIniSection::Entry& entry : section.Entries())
        prereqs.push_back(entry.key);

    for (const std::string& sectionName : OptionSections(file)) {
        section.Load(sectionName, file);
        DilemmaOption option;
        option.name = TrimBlanks(section.GetString("Name"));
        option.description = TrimBlanks(section.GetString("Description"));
        option.dilemmaName = name;
        option.dilemmaGuiName = guiName;
        option.onImplement = TrimBlanks(section.GetString("OnImplement"));
        option.dilemma = this;
        // Both texts of one option speak of the same two people.
        std::string maleName = MakePersonName(false);
        std::string femaleName = MakePersonName(true);
        for (std::string* text : {&option.description, &option.name}) {
            ReplaceAll(*text, kMaleNamePlaceholder, maleName);
            ReplaceAll(*text, kFemaleNamePlaceholder, femaleName);
        }
        options.push_back(std::move(option));
    }
}

bool SIM_Dilemma::PrerequisitesMet() const {
    const CMission& mission = GetMission();
    for (const std::string& module : prereqs)
        if (!mission.HasModule(module))
            return false;
    return true;
}

float SIM_Dilemma::Assess() {
    if (!triggered && !PrerequisitesMet())
        return 0.0f;
    return Process();
}

void SIM_Dilemma::OfferDilemma() {
    triggered = true;
    SIM_Issue* issue = GetIssuesManager().AddIssue(this, kIssueKindDilemma);
    if (!issue)
        return;
    issue->title = guiName;
    issue->text = description;
}

void SIM_Dilemma::ChooseOption(size_t index) {
    if (index >= options.size())
        return;
    // An option that changes nothing is valid content; an empty script is not run at all, so it
    // reports nothing either.
    const std::string& script = options[index].onImplement;
    if (!script.empty())
        RunScript(script);
    GetIssuesManager().RemoveIssue(this);
}
