#include "game/content_check.h"

#include "base/content_text.h"
#include "base/file_system.h"
#include "base/setup_table.h"
#include "base/text_utils.h"
#include "base/tokenizer.h"
#include "game/content_rules.h"

#include <filesystem>
#include <set>
#include <utility>

namespace {

// What the game's row readers take in one line; the rest of a longer line is lost or misread.
constexpr size_t kDirectRowChars = 1023;
constexpr size_t kSpreadsheetRowChars = 2046;
constexpr size_t kMaxIniValue = 2031;

// The nodes every game has whatever its content.
const char* const kFixedNodes[] = {"_winning_", "_debt_", "_globaleconomy_", "GlobalEconomy",
                                   "_security_"};

// The first cell, trimmed; empty for an empty text.
std::string FirstCell(const std::string& text) {
    const std::vector<std::string> cells = SplitContentCells(text);
    return cells.empty() ? std::string() : TrimBlanks(cells.front());
}

struct Row {
    const ContentLine* line = nullptr;
    std::vector<std::string> cells; // the marker cell included, blanks at the end trimmed
};

class ContentChecker : private ContentRules {
public:
    explicit ContentChecker(std::string userDir) { userDir_ = std::move(userDir); }

    std::vector<ContentProblem> Run() {
        CollectPictures();
        CollectNames();
        CheckSliders();
        CheckVoterGroups();
        CheckSimulationValues();
        CheckPolicies();
        CheckSituations();
        CheckPressureGroups();
        CheckAchievements();
        CheckManifesto();
        CheckQuotes();
        CheckEvents();
        CheckDilemmas();
        CheckAttacks();
        CheckScriptFiles();
        CheckMissions();
        return problems_;
    }

private:
    // ---- where content lives -------------------------------------------------------------

    std::string Mods(const std::string& rest) const {
        return userDir_.empty() ? std::string() : userDir_ + "/mods/data/" + rest;
    }

    std::vector<std::string> Files(const std::string& pattern) const {
        std::vector<std::string> files;
        if (!pattern.empty())
            ForEachFile(pattern, [&](const std::string& path) { files.push_back(path); });
        return files;
    }

    std::vector<std::string> StandardAndMods(const std::string& standard,
                                             const std::string& mods) const {
        std::vector<std::string> files = Files(standard);
        for (const std::string& mod : Files(Mods(mods)))
            files.push_back(mod);
        return files;
    }

    // ---- reading -------------------------------------------------------------------------

    bool Read(const std::string& path, ContentText& text) {
        text = ReadContentText(path);
        if (!text.refusal.empty()) {
            Report(path, 0, text.refusal);
            return false;
        }
        return true;
    }

    // Every '#' row of a table, or the single row of a mod file. A mod file's later lines are
    // never read, so they are not checked.
    std::vector<Row> Rows(const ContentText& text, size_t limit, bool modFile) {
        std::vector<Row> rows;
        for (const ContentLine& line : text.lines) {
            if (modFile && line.number > 1)
                break;
            if (line.text.empty() || line.text[0] != '#') {
                if (modFile)
                    Report(text.path, line.number, "a row file must begin with '#'");
                continue;
            }
            if (line.text.size() > limit) {
                Report(text.path, line.number,
                       "the row has " + std::to_string(line.text.size()) +
                           " characters, of which the game reads only the first " +
                           std::to_string(limit));
                continue;
            }
            // The game passes over rows this short without a word; in a mod file that loses
            // the whole item.
            if (modFile && line.text.size() <= 8) {
                Report(text.path, line.number, "the row is too short to hold an item");
                continue;
            }
            rows.push_back({&line, SplitContentCells(line.text)});
        }
        if (modFile && text.lines.empty())
            Report(text.path, 0, "the file is empty; a row file holds one row");
        return rows;
    }

    // Calls check for every row of the standard table and of each mod file.
    template <typename Check>
    void ForEachRow(const std::string& table, size_t tableLimit, const std::string& modPattern,
                    Check check) {
        ContentText text;
        if (!table.empty() && Read(table, text))
            for (const Row& row : Rows(text, tableLimit, false))
                check(text.path, row);
        for (const std::string& file : Files(Mods(modPattern)))
            if (Read(file, text))
                for (const Row& row : Rows(text, kDirectRowChars, true))
                    check(text.path, row);
    }

    // ---- what names and pictures exist ---------------------------------------------------

    void CollectPictures() {
        namespace fs = std::filesystem;
        for (const std::string& folder : {ResolveDataPath("data/bitmaps"), Mods("bitmaps")}) {
            std::error_code ec;
            if (folder.empty() || !fs::is_directory(folder, ec))
                continue;
            for (fs::recursive_directory_iterator
                     it(folder, fs::directory_options::skip_permission_denied, ec),
                 end;
                 !ec && it != end; it.increment(ec))
                if (it->is_regular_file(ec))
                    pictures_.insert(LowerCopy(it->path().filename().string()));
        }
    }

    void CollectRowNames(const std::string& table, const std::string& modPattern,
                         std::initializer_list<const char*> suffixes,
                         std::set<std::string>* kind = nullptr) {
        auto add = [&](const std::string& path) {
            ContentText text = ReadContentText(path);
            for (const ContentLine& line : text.lines) {
                if (line.text.empty() || line.text[0] != '#')
                    continue;
                std::vector<std::string> cells = SplitContentCells(line.text);
                if (cells.size() < 2 || TrimBlanks(cells[1]).empty())
                    continue;
                const std::string name = TrimBlanks(cells[1]);
                names_.insert(name);
                if (kind)
                    kind->insert(name);
                for (const char* suffix : suffixes)
                    names_.insert(name + suffix);
            }
        };
        if (!table.empty())
            add(table);
        for (const std::string& file : Files(Mods(modPattern)))
            add(file);
    }

    void CollectIniNames(const std::string& standard, const std::string& mods, const char* section,
                         const char* key, std::set<std::string>& kind) {
        for (const std::string& file : StandardAndMods(standard, mods)) {
            std::vector<ContentSection> sections = ContentSections(ReadContentText(file));
            const ContentSection* found = FindContentSection(sections, section);
            const ContentEntry* entry = found ? found->Find(key) : nullptr;
            if (entry && !TrimBlanks(entry->value).empty()) {
                names_.insert(TrimBlanks(entry->value));
                kind.insert(TrimBlanks(entry->value));
            }
        }
    }

    void CollectNames() {
        for (const char* fixed : kFixedNodes)
            names_.insert(fixed);
        CollectRowNames(SetupString("voters"), "simulation/votertypes/*.txt", {"_perc", "_freq"});
        CollectRowNames(SetupString("simulation"), "simulation/simulation/*.txt", {});
        CollectRowNames(SetupString("policies"), "simulation/policies/*.txt", {"_cost", "_income"});
        CollectRowNames(SetupString("situations"), "situations/*.txt", {}, &situations_);
        CollectRowNames("data/simulation/sliders.csv", "sliders/*.txt", {}, &sliders_);
        // Slider configurations and pressure groups are not nodes: keep them apart.
        for (const std::string& slider : sliders_)
            names_.erase(slider);
        CollectIniNames("data/simulation/events/*.txt", "simulation/events/*.txt", "config", "Name",
                        events_);
        std::set<std::string> dilemmas;
        CollectIniNames("./data/simulation/dilemmas/*.txt", "simulation/dilemmas/*.txt", "dilemma",
                        "name", dilemmas);
        ContentText groups = ReadContentText("data/simulation/PressureGroups.csv");
        for (const ContentLine& line : groups.lines) {
            std::vector<std::string> cells = SplitContentCells(line.text);
            if (!line.text.empty() && line.text[0] == '#' && cells.size() > 1)
                pressureGroups_.insert(TrimBlanks(cells[1]));
        }
    }

    std::string SetupString(const char* key) const {
        return TrimBlanks(GetSetupTable().GetString(key));
    }

    bool Cells(const std::string& file, const Row& row, size_t least, size_t most,
               const std::string& what) {
        const size_t count = row.cells.size();
        if (count >= least && count <= most)
            return true;
        std::string wanted = least == most ? std::to_string(least)
                             : most == static_cast<size_t>(-1)
                                 ? "at least " + std::to_string(least)
                                 : std::to_string(least) + " to " + std::to_string(most);
        Report(file, row.line->number,
               what + " has " + std::to_string(count) + " cells where " + wanted + " are needed");
        return false;
    }

    // The cells after the fixed ones: links or influences up to a lone '#', then links.
    // Returns the index of the '#' cell, or the count when there is none.
    size_t LinkLists(const Place& at, const Row& row, size_t first, bool influences) {
        size_t i = first;
        for (; i < row.cells.size(); ++i) {
            const std::string cell = TrimBlanks(row.cells[i]);
            if (cell == "#")
                break;
            if (cell.size() <= 2)
                continue;
            if (!influences) {
                Link(at, cell, "input");
                continue;
            }
            Influence(at, cell);
            // Situations make their links before any event exists.
            const std::string source = FirstCell(cell);
            if (events_.count(source))
                Report(at.file, at.line,
                       "influence " + QuoteContent(source) +
                           " names an event, which the game reads after the situations: the "
                           "link is never made");
        }
        for (size_t j = i + 1; j < row.cells.size(); ++j) {
            const std::string cell = TrimBlanks(row.cells[j]);
            if (cell.size() > 2)
                Link(at, cell, influences ? "effect" : "output");
        }
        return i;
    }

    // ---- tables --------------------------------------------------------------------------

    void CheckSliders() {
        ForEachRow("data/simulation/sliders.csv", kDirectRowChars, "sliders/*.txt",
                   [&](const std::string& file, const Row& row) {
                       Place at{file, row.line->number};
                       if (!Cells(file, row, 4, static_cast<size_t>(-1), "a slider row"))
                           return;
                       long steps = 0;
                       if (Whole(at, row.cells[2], "step count", &steps) &&
                           steps != static_cast<long>(row.cells.size() - 3))
                           Report(file, at.line,
                                  "the slider has " + std::to_string(steps) + " steps but " +
                                      std::to_string(row.cells.size() - 3) + " labels");
                   });
    }

    void CheckVoterGroups() {
        ForEachRow(
            SetupString("voters"), kSpreadsheetRowChars, "simulation/votertypes/*.txt",
            [&](const std::string& file, const Row& row) {
                Place at{file, row.line->number};
                if (!Cells(file, row, 11, static_cast<size_t>(-1), "a voter group row"))
                    return;
                Text(at, row.cells[2], "shown name");
                Text(at, row.cells[3], "description");
                Picture(at, row.cells[4], "picture");
                Range(at, row.cells[5], "fixed membership", 0, 1);
                Range(at, row.cells[6], "mood", -1, 1);
                Range(at, row.cells[7], "starting share", 0, 1);
                if (!TrimBlanks(row.cells[8]).empty())
                    Node(at, row.cells[8], "opposite group");
                Text(at, row.cells[9], "concerns", false);
                if (TrimBlanks(row.cells[10]) != "#")
                    Report(file, at.line, "the eleventh cell must be #");
                for (size_t i = 11; i < row.cells.size(); ++i) {
                    std::vector<std::string> parts = SplitContentCells(TrimBlanks(row.cells[i]));
                    if (parts.size() != 2) {
                        Report(file, at.line,
                               "overlap " + QuoteContent(row.cells[i]) + " must be GROUP,VALUE");
                        continue;
                    }
                    Node(at, parts[0], "overlap group");
                    Range(at, parts[1], "overlap", -1, 1);
                }
            });
    }

    void CheckSimulationValues() {
        ForEachRow(SetupString("simulation"), kDirectRowChars, "simulation/simulation/*.txt",
                   [&](const std::string& file, const Row& row) {
                       Place at{file, row.line->number};
                       if (!Cells(file, row, 12, static_cast<size_t>(-1), "a simulation value row"))
                           return;
                       Text(at, row.cells[2], "shown name");
                       Text(at, row.cells[3], "description");
                       Group(at, row.cells[4], true);
                       float low = 0, high = 0;
                       Number(at, row.cells[5], "default");
                       if (Number(at, row.cells[6], "minimum", &low) &&
                           Number(at, row.cells[7], "maximum", &high) && low > high)
                           Report(file, at.line, "the minimum is above the maximum");
                       Range(at, row.cells[8], "invert colour", 0, 1);
                       Text(at, row.cells[9], "interface text", false);
                       LinkLists(at, row, 11, false);
                   });
    }

    void CostInfluences(const Place& at, const std::string& cell, const std::string& role) {
        const std::string trimmed = TrimBlanks(cell);
        if (trimmed == "-" || trimmed.empty())
            return;
        for (const std::string& part : SplitContentCells(trimmed, ';'))
            if (!TrimBlanks(part).empty())
                Link(at, part, role);
    }

    void CheckPolicies() {
        ForEachRow(SetupString("policies"), kDirectRowChars, "simulation/policies/*.txt",
                   [&](const std::string& file, const Row& row) {
                       Place at{file, row.line->number};
                       if (!Cells(file, row, 19, static_cast<size_t>(-1), "a policy row"))
                           return;
                       Text(at, row.cells[2], "shown name");
                       OneOf(at, row.cells[3], "slider", sliders_, "slider configuration");
                       Text(at, row.cells[4], "description");
                       for (int i = 6; i <= 9; ++i)
                           Whole(at, row.cells[i], "capital cost");
                       Group(at, row.cells[10]);
                       Number(at, row.cells[11], "cost at minimum");
                       Number(at, row.cells[12], "cost at maximum");
                       CostInfluences(at, row.cells[13], "cost influence");
                       long turns = 0;
                       if (Whole(at, row.cells[14], "implementation turns", &turns) && turns < 1)
                           Report(file, at.line, "implementation turns must be at least 1");
                       Number(at, row.cells[15], "income at minimum");
                       Number(at, row.cells[16], "income at maximum");
                       CostInfluences(at, row.cells[17], "income influence");
                       if (TrimBlanks(row.cells[18]) != "#Effects") {
                           Report(file, at.line,
                                  "the nineteenth cell must be #Effects, not " +
                                      QuoteContent(TrimBlanks(row.cells[18])));
                           return;
                       }
                       for (size_t i = 19; i < row.cells.size(); ++i)
                           if (TrimBlanks(row.cells[i]).size() > 2)
                               Link(at, row.cells[i], "effect");
                   });
    }

    void CheckSituations() {
        ForEachRow(SetupString("situations"), kDirectRowChars, "situations/*.txt",
                   [&](const std::string& file, const Row& row) {
                       Place at{file, row.line->number};
                       if (!Cells(file, row, 12, static_cast<size_t>(-1), "a situation row"))
                           return;
                       Text(at, row.cells[2], "shown name");
                       Text(at, row.cells[3], "description");
                       Group(at, row.cells[4]);
                       Text(at, row.cells[5], "start text");
                       Text(at, row.cells[6], "end text");
                       Text(at, row.cells[7], "what drives it", false);
                       Range(at, row.cells[8], "good news", 0, 1);
                       Number(at, row.cells[9], "cost per turn");
                       Number(at, row.cells[10], "income per turn");
                       if (LinkLists(at, row, 11, true) == row.cells.size())
                           Report(file, at.line,
                                  "the row has no # cell between influences and effects");
                   });
    }

    void CheckPressureGroups() {
        ForEachRow("data/simulation/PressureGroups.csv", kSpreadsheetRowChars, "",
                   [&](const std::string& file, const Row& row) {
                       Place at{file, row.line->number};
                       if (!Cells(file, row, 12, 14, "a pressure group row"))
                           return;
                       Text(at, row.cells[2], "shown name");
                       for (int i = 3; i <= 6; ++i)
                           Range(at, row.cells[i], "threshold", 0, 1);
                       Number(at, row.cells[7], "strength per member");
                       for (int i = 8; i <= 10; ++i)
                           Text(at, row.cells[i], "intelligence text");
                       for (size_t i = 11; i < row.cells.size(); ++i) {
                           std::vector<std::string> parts =
                               SplitContentCells(TrimBlanks(row.cells[i]));
                           if (parts.size() != 2) {
                               Report(file, at.line,
                                      "member group " + QuoteContent(row.cells[i]) +
                                          " must be GROUP,WEIGHT");
                               continue;
                           }
                           Node(at, parts[0], "member group");
                           Number(at, parts[1], "weight");
                       }
                   });
    }

    void CheckAchievements() {
        ForEachRow("data/simulation/achievements.csv", kSpreadsheetRowChars, "",
                   [&](const std::string& file, const Row& row) {
                       Place at{file, row.line->number};
                       if (!Cells(file, row, 7, static_cast<size_t>(-1), "an achievement row"))
                           return;
                       Text(at, row.cells[2], "title");
                       Text(at, row.cells[3], "description");
                       Picture(at, row.cells[4], "picture");
                       Text(at, row.cells[5], "hint");
                       for (size_t i = 6; i < row.cells.size(); ++i) {
                           std::vector<std::string> parts =
                               SplitContentCells(TrimBlanks(row.cells[i]));
                           if (parts.size() != 3) {
                               Report(file, at.line,
                                      "condition " + QuoteContent(row.cells[i]) +
                                          " must be NODE,OP,VALUE");
                               continue;
                           }
                           Node(at, parts[0], "condition");
                           const std::string op = TrimBlanks(parts[1]);
                           if (op != "<" && op != ">" && op != "ACTIVE")
                               Report(file, at.line,
                                      "condition operator " + QuoteContent(op) +
                                          " is none of <, > and ACTIVE");
                           else if (op != "ACTIVE")
                               Number(at, parts[2], "condition value");
                       }
                   });
    }

    void CheckManifesto() {
        ForEachRow("data/manifesto.csv", kDirectRowChars, "",
                   [&](const std::string& file, const Row& row) {
                       Place at{file, row.line->number};
                       if (!Cells(file, row, 5, 5, "a manifesto row"))
                           return;
                       Text(at, row.cells[1], "pledge");
                       Node(at, row.cells[2], "pledge target");
                       Number(at, row.cells[3], "promised change");
                       const std::string kind = TrimBlanks(row.cells[4]);
                       if (kind != ">" && kind != "<" && kind != "!")
                           Report(file, at.line,
                                  "pledge kind " + QuoteContent(kind) + " is none of >, < and !");
                   });
    }

    void CheckQuotes() {
        for (const std::string& file : {std::string("data/quotes.csv"), Mods("quotes.csv")}) {
            ContentText text;
            if (file.empty() || (file != "data/quotes.csv" && !FileExists(file)) ||
                !Read(file, text))
                continue;
            for (const Row& row : Rows(text, kDirectRowChars, false))
                if (Cells(text.path, row, 3, 3, "a quotation row") &&
                    TrimBlanks(row.cells[1]).empty())
                    Report(text.path, row.line->number, "the quotation is empty");
        }
    }

    // ---- INI content ---------------------------------------------------------------------

    bool Sections(const std::string& file, std::vector<ContentSection>& sections) {
        ContentText text;
        if (!Read(file, text))
            return false;
        if (text.lines.empty()) {
            Report(file, 0, "the file is empty");
            return false;
        }
        for (const ContentLine& line : text.lines)
            if (line.text.size() > kMaxIniValue + 64)
                Report(file, line.number,
                       "the line has " + std::to_string(line.text.size()) +
                           " characters, more than the game keeps of a value (" +
                           std::to_string(kMaxIniValue) + ")");
        sections = ContentSections(text);
        return true;
    }

    const ContentEntry* Required(const std::string& file, const ContentSection& section,
                                 const std::string& key) {
        const ContentEntry* entry = section.Find(key);
        if (!entry || TrimBlanks(entry->value).empty()) {
            Report(file, entry ? entry->line : section.line,
                   "[" + section.name + "] has no " + key);
            return nullptr;
        }
        return entry;
    }

    const ContentSection* RequiredSection(const std::string& file,
                                          const std::vector<ContentSection>& sections,
                                          const std::string& name) {
        const ContentSection* section = FindContentSection(sections, name);
        if (!section)
            Report(file, 0, "the file has no [" + name + "] section");
        return section;
    }

    // A dilemma's links are made as it is read, before any situation or event exists, so it
    // cannot name either even though the name is good.
    void Influences(const std::string& file, const std::vector<ContentSection>& sections,
                    bool ofADilemma = false) {
        const ContentSection* influences = FindContentSection(sections, "influences");
        if (!influences)
            return;
        for (const ContentEntry& entry : influences->entries) {
            if (TrimBlanks(entry.value).size() < 3)
                continue;
            Influence({file, entry.line}, entry.value);
            const std::string source = FirstCell(entry.value);
            const bool later = situations_.count(source) || events_.count(source);
            if (ofADilemma && later)
                Report(file, entry.line,
                       "influence " + QuoteContent(source) + " names " +
                           (situations_.count(source) ? "a situation" : "an event") +
                           ", which the game reads after the dilemmas: the link is never made");
        }
    }

    void CheckEvents() {
        for (const std::string& file :
             StandardAndMods("data/simulation/events/*.txt", "simulation/events/*.txt")) {
            std::vector<ContentSection> sections;
            if (!Sections(file, sections))
                continue;
            const ContentSection* config = RequiredSection(file, sections, "config");
            if (!config)
                continue;
            Required(file, *config, "Name");
            if (const ContentEntry* e = Required(file, *config, "GUIName"))
                Text({file, e->line}, e->value, "GUIName");
            if (const ContentEntry* e = Required(file, *config, "Description"))
                Text({file, e->line}, e->value, "Description");
            if (const ContentEntry* e = Required(file, *config, "Texture"))
                Picture({file, e->line}, e->value, "Texture");
            if (const ContentEntry* e = Required(file, *config, "OnImplement"))
                Script({file, e->line}, e->value, "OnImplement");
            if (const ContentEntry* e = config->Find("OnView"))
                Script({file, e->line}, e->value, "OnView");
            Influences(file, sections);
        }
    }

    void CheckDilemmas() {
        for (const std::string& file :
             StandardAndMods("./data/simulation/dilemmas/*.txt", "simulation/dilemmas/*.txt")) {
            std::vector<ContentSection> sections;
            if (!Sections(file, sections))
                continue;
            const ContentSection* dilemma = RequiredSection(file, sections, "dilemma");
            if (!dilemma)
                continue;
            Required(file, *dilemma, "name");
            if (const ContentEntry* e = Required(file, *dilemma, "guiname"))
                Text({file, e->line}, e->value, "guiname");
            if (const ContentEntry* e = Required(file, *dilemma, "description"))
                Text({file, e->line}, e->value, "description");
            Influences(file, sections, true);
            int options = 0;
            for (const ContentSection& section : sections) {
                if (LowerCopy(section.name).find("option") == std::string::npos)
                    continue;
                ++options;
                if (const ContentEntry* e = Required(file, section, "Name"))
                    Text({file, e->line}, e->value, "option Name");
                if (const ContentEntry* e = Required(file, section, "Description"))
                    Text({file, e->line}, e->value, "option Description");
                if (const ContentEntry* e = Required(file, section, "OnImplement"))
                    Script({file, e->line}, e->value, section.name + " OnImplement");
            }
            if (options < 2)
                Report(file, dilemma->line,
                       "a dilemma needs two or more [option] sections, not " +
                           std::to_string(options));
        }
    }

    void CheckAttacks() {
        for (const std::string& file : Files("data/simulation/attacks/*.txt")) {
            std::vector<ContentSection> sections;
            if (!Sections(file, sections))
                continue;
            const ContentSection* config = RequiredSection(file, sections, "config");
            if (!config)
                continue;
            if (const ContentEntry* e = Required(file, *config, "GUIName"))
                Text({file, e->line}, e->value, "GUIName");
            if (const ContentEntry* e = Required(file, *config, "UsedBy"))
                OneOf({file, e->line}, e->value, "UsedBy", pressureGroups_, "pressure group");
            for (const char* key : {"Cost", "MinStrength", "MinSize"})
                if (const ContentEntry* e = Required(file, *config, key))
                    Number({file, e->line}, e->value, key);
            if (const ContentEntry* e = Required(file, *config, "SuccessChance"))
                Range({file, e->line}, e->value, "SuccessChance", 0, 1);
            for (const char* key : {"SuccessText", "FailureText"})
                if (const ContentEntry* e = Required(file, *config, key))
                    Text({file, e->line}, e->value, key);
            for (const char* key : {"OnSuccess", "OnFailure"})
                if (const ContentEntry* e = config->Find(key))
                    Script({file, e->line}, e->value, key);
        }
    }

    // A script file runs as one script, its lines joined.
    void CheckScriptFiles() {
        for (const std::string& file :
             StandardAndMods("data/simulation/scripts/*.txt", "autorun scripts/*.txt")) {
            ContentText text;
            if (!Read(file, text))
                continue;
            std::string script;
            for (const ContentLine& line : text.lines)
                script += RightTrim(line.text);
            if (TrimBlanks(script).empty()) {
                Report(file, 0, "the script is empty");
                continue;
            }
            Script({file, text.lines.empty() ? 0 : text.lines.front().number}, script, "script");
        }
    }

    // ---- missions ------------------------------------------------------------------------

    void CheckMissions() {
        // The new-game screen offers these values for every mission, which must define each.
        std::vector<std::string> newGameTargets;
        std::vector<ContentSection> gui;
        if (Sections("data/newgame.gui", gui))
            if (const ContentSection* sliders = FindContentSection(gui, "sliders"))
                for (const ContentEntry& entry : sliders->entries) {
                    const std::string target = FirstCell(entry.value);
                    if (Node({"data/newgame.gui", entry.line}, target, "new-game slider"))
                        newGameTargets.push_back(target);
                }
        for (const std::string& file : StandardAndMods("data/missions/*.txt", "missions/*.txt"))
            CheckMission(file, newGameTargets);
    }

    void CheckMission(const std::string& file, const std::vector<std::string>& newGameTargets) {
        std::vector<ContentSection> sections;
        if (!Sections(file, sections))
            return;
        const ContentSection* config = RequiredSection(file, sections, "config");
        if (!config)
            return;
        Required(file, *config, "name");
        Required(file, *config, "description");
        Required(file, *config, "briefing");
        Required(file, *config, "partyname");
        Required(file, *config, "oppname");
        auto range = [&](const char* key, float low, float high) {
            if (const ContentEntry* e = Required(file, *config, key))
                Range({file, e->line}, e->value, key, low, high);
        };
        range("wealth", 0.0001f, 100.0f);
        range("population", 1000.0f, 1.0e10f);
        range("debt", 0.0f, 1.0e9f);
        range("economic_cycle_start", 0.0f, 1.0f);
        const ContentEntry* debt = config->Find("debt");
        if (const ContentEntry* e = Required(file, *config, "debtceiling")) {
            float ceiling = 0.0f, start = 0.0f;
            if (Number({file, e->line}, e->value, "debtceiling", &ceiling) && debt &&
                IsContentNumber(debt->value, &start) && ceiling <= start)
                Report(file, e->line, "debtceiling must be above the starting debt");
        }
        if (const ContentEntry* e = Required(file, *config, "termlength")) {
            long years = 0;
            if (Whole({file, e->line}, e->value, "termlength", &years) && (years < 1 || years > 10))
                Report(file, e->line,
                       "termlength " + std::to_string(years) + " is out of its range 1 to 10");
        }
        if (const ContentEntry* e = Required(file, *config, "currency"))
            if (TrimBlanks(e->value).size() > 5)
                Report(file, e->line,
                       "currency " + QuoteContent(TrimBlanks(e->value)) +
                           " is longer than 5 characters");
        if (const ContentEntry* e = Required(file, *config, "flag"))
            Picture({file, e->line}, e->value, "flag");
        if (const ContentEntry* e = config->Find("people")) {
            // Optional: without it texts say "people of NAME".
            const std::string people = TrimBlanks(e->value);
            if (people.empty())
                Report(file, e->line,
                       "people is empty; leave the key out for \"people of\" and the name");
            else if (people.find_first_of("{}<>") != std::string::npos)
                Report(file, e->line,
                       "people " + QuoteContent(people) +
                           " holds a brace or an angle bracket, which texts would read as a token");
        }
        if (const ContentEntry* e = config->Find("names"))
            if (!TrimBlanks(e->value).empty() && !FileExists(TrimBlanks(e->value)))
                Report(file, e->line,
                       "names file " + QuoteContent(TrimBlanks(e->value)) + " does not exist");

        const ContentSection* settings = FindContentSection(sections, "settings");
        if (!settings) {
            Report(file, 0, "the file has no [settings] section");
            return;
        }
        for (const ContentEntry& entry : settings->entries) {
            Place at{file, entry.line};
            if (Node(at, entry.key, "setting"))
                Range(at, entry.value, TrimBlanks(entry.key), 0, 1);
        }
        for (const std::string& target : newGameTargets)
            if (!settings->Find(target))
                Report(file, settings->line,
                       "[settings] lacks " + target + ", which the new-game screen offers");
    }
};

} // namespace

std::string FormatContentProblem(const ContentProblem& problem) {
    if (problem.line > 0)
        return problem.file + ":" + std::to_string(problem.line) + ": " + problem.what;
    return problem.file + ": " + problem.what;
}

std::vector<ContentProblem> CheckContent(const std::string& userDir) {
    return ContentChecker(userDir).Run();
}
