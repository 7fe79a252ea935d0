// marrowgate-sim: the headless runner. It starts the game's core exactly as the window would,
// without a display, and reports what it loaded.

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/mission_list.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/text_utils.h"
#include "base/translation.h"
#include "base/turn.h"
#include "base/user_settings.h"
#include "game/bots/bot_player.h"
#include "game/content_check.h"
#include "game/game_state_json.h"
#include "game/load_game.h"
#include "game/startup.h"
#include "game/turn_pipeline.h"
#include "game/value_watch.h"
#include "government/cabinet_actions.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/manifesto.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/slider_config.h"
#include "network/neural_effect.h"
#include "population/attack.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "saveload/save_reader.h"
#include "saveload/save_writer.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kUsage =
    "Usage: marrowgate-sim [options] [steps]\n"
    "\n"
    "Plays the game without a window. Steps run in the order given, so a command line is a\n"
    "small script; with no steps it reports the content it loaded.\n"
    "\n"
    "Steps:\n"
    "  --new [MISSION]   start a new game of the mission, named by its file (without .txt)\n"
    "                    in data/missions or the user folder's mods/data/missions\n"
    "                    (default: Calverra, whose file is USA.txt; --list-missions\n"
    "                    lists them)\n"
    "  --turns N         play N turns; an election's result is printed in the turn it is\n"
    "                    held, and play stops once the game is over\n"
    "  --do ACTION       take a player's action before the next turn:\n"
    "                      introduce:POLICY[=VALUE]  cancel:POLICY  slider:POLICY=VALUE\n"
    "                      fire:MINISTER  appoint:MINISTER=GROUPKEY  pledge:TARGETNAME\n"
    "                      choose:DILEMMA=N (the N-th option, from 1, of the dilemma on offer)\n"
    "                    VALUE runs from 0 to 1; MINISTER is a full name (quote it, as in\n"
    "                    \"appoint:Ada Moss=TAX\"); GROUPKEY is one of FOREIGNPOLICY,\n"
    "                    WELFARE, ECONOMY, TAX, PUBLICSERVICES, LAWANDORDER, TRANSPORT;\n"
    "                    a pledge is taken only in the turn before an election. A refused\n"
    "                    action is reported and the run ends with exit code 1 after its\n"
    "                    steps\n"
    "  --json FILE       write the whole state as JSON (- for standard output)\n"
    "  --save NAME       save the game as NAME in the user folder's savegames. A name that\n"
    "                    is empty, holds a slash, a backslash or a control character, starts\n"
    "                    with a drive (C:), is dots alone or runs to 128 characters is\n"
    "                    refused before anything is played (exit code 2)\n"
    "  --load NAME       load the saved game NAME and play on from it; the same names are\n"
    "                    refused, and a save that is missing, cannot be read or is damaged\n"
    "                    ends the run at once with exit code 1\n"
    "  --list-saves      print the names of the saved games\n"
    "  --list-missions   print the countries a new game can start from, one a line: the\n"
    "                    name --new takes, the country's own name, and (mod) for a mod's\n"
    "  --check-content   read every table, row file, event, dilemma, attack, script and\n"
    "                    mission of the data folder and of the user folder's mods, print\n"
    "                    each problem as FILE:LINE: WHAT; steps are not run. The exit\n"
    "                    code is 1 when there was any problem\n"
    "  --term-years N    for the next --new: years in a term, 1 to 10 (default: the mission's)\n"
    "  --max-terms N     for the next --new: terms that may be won, 1 to 10 (default 3)\n"
    "\n"
    "The windows the game would open (the start dialog, an attack, the quarterly report,\n"
    "an award, the manifesto choice) are printed as lines such as \"Window: attack NAME\"\n"
    "after the step that opened them; an election is counted at once.\n"
    "\n"
    "Options:\n"
    "  --data-root DIR   folder holding data/ (default: the working folder, else the\n"
    "                    program's folder, its installed ../share/marrowgate, or its\n"
    "                    nearest parent holding data/)\n"
    "  --user-dir DIR    user folder for saves and mods (default: $MARROWGATE_USER_DIR,\n"
    "                    else tessaline2 in the documents folder)\n"
    "  --seed N          seed of the random generator, 0 to 4294967295 (default: the clock)\n"
    "  --autoplay NAME   before every turn of --turns, a bot plays the player's side: idle,\n"
    "                    random, popular, prudent or spender. Its actions are printed as\n"
    "                    \"Bot: ...\" lines, then \"Bot ends the turn with N capital\"\n"
    "  --watch-values    after every turn, print on stderr each value that is not a number or\n"
    "                    has left its limits (\"Value fault: ...\")\n"
    "  --digests FILE    after every turn, write \"turn N DIGEST\" to FILE (- for standard\n"
    "                    output): a 64-bit digest of the whole state document, so two runs\n"
    "                    can be compared turn by turn\n"
    "  --quiet           print nothing but errors\n"
    "  --verbose         also print the log's lines on stderr\n"
    "  --help            show this text\n"
    "  --version         show the program's version\n";

struct Step {
    enum Kind {
        NewGame,
        Turns,
        Action,
        Json,
        TermYears,
        MaxTerms,
        Save,
        Load,
        ListSaves,
        ListMissions
    } kind;
    std::string text;
    int count = 0;
};

struct Arguments {
    std::string dataRoot;
    std::string userDir;
    bool seedGiven = false;
    uint32_t seed = 0;
    bool quiet = false;
    bool verbose = false;
    bool checkContent = false;
    std::string digests;
    bool autoplay = false;
    BotStrategy strategy = BotStrategy::Idle;
    bool watchValues = false;
    std::vector<Step> steps;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "marrowgate-sim: %s\n", message.c_str());
    return 2;
}

bool ParseWhole(const char* text, unsigned long long limit, unsigned long long& out) {
    size_t length = std::strlen(text);
    if (length == 0 || length > 10 || std::strspn(text, "0123456789") != length)
        return false;
    out = std::strtoull(text, nullptr, 10);
    return out <= limit;
}

std::string Absolute(const std::string& path) {
    if (path.empty() || path[0] == '/')
        return path;
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : path;
}

// Every save name of the command line against the save name rule, before anything is played.
// The rule's messages are translations, so this waits until the data root is known. Returns -1
// to go on, otherwise the exit code.
int CheckSaveNames(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (step.kind != Step::Save && step.kind != Step::Load)
            continue;
        const std::string refusal = SaveNameRefusal(step.text);
        if (!refusal.empty())
            return Fail(std::string(step.kind == Step::Save ? "--save" : "--load") +
                        " refuses the name '" + PrintableText(step.text) + "': " + refusal);
    }
    return -1;
}

// Returns -1 to go on, otherwise the exit code.
int ParseArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char*& out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        const char* v = nullptr;
        unsigned long long n = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("marrowgate-sim %s\n", MARROWGATE_VERSION);
            return 0;
        } else if (arg == "--data-root") {
            if (!value(v) || !*v)
                return Fail("--data-root needs a folder");
            args.dataRoot = Absolute(v);
        } else if (arg == "--user-dir") {
            if (!value(v) || !*v)
                return Fail("--user-dir needs a folder");
            args.userDir = Absolute(v);
            if (FileExists(args.userDir) && !DirectoryExists(args.userDir))
                return Fail("--user-dir names a file, not a folder: " + args.userDir);
        } else if (arg == "--seed") {
            if (!value(v))
                return Fail("--seed needs a number");
            if (!ParseWhole(v, 0xFFFFFFFFull, n))
                return Fail("--seed takes a whole number from 0 to 4294967295, not '" +
                            std::string(v) + "'");
            args.seed = static_cast<uint32_t>(n);
            args.seedGiven = true;
        } else if (arg == "--digests") {
            if (!value(v) || !*v)
                return Fail("--digests needs a file name, or - for standard output");
            args.digests = v;
        } else if (arg == "--check-content") {
            args.checkContent = true;
        } else if (arg == "--autoplay") {
            if (!value(v) || !ParseBotStrategy(v, args.strategy))
                return Fail("--autoplay takes one of " + BotStrategyNames() +
                            (v ? ", not '" + std::string(v) + "'" : std::string()));
            args.autoplay = true;
        } else if (arg == "--watch-values") {
            args.watchValues = true;
        } else if (arg == "--quiet") {
            args.quiet = true;
        } else if (arg == "--verbose") {
            args.verbose = true;
        } else if (arg == "--new") {
            std::string mission = kDefaultMission;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                mission = argv[++i];
            args.steps.push_back({Step::NewGame, mission});
        } else if (arg == "--term-years" || arg == "--max-terms") {
            if (!value(v))
                return Fail(arg + " needs a number");
            if (!ParseWhole(v, 10, n) || n < 1)
                return Fail(arg + " takes a whole number from 1 to 10, not '" + std::string(v) +
                            "'");
            args.steps.push_back({arg == "--term-years" ? Step::TermYears : Step::MaxTerms, "",
                                  static_cast<int>(n)});
        } else if (arg == "--save" || arg == "--load") {
            if (!value(v))
                return Fail(arg + " needs a save name");
            args.steps.push_back({arg == "--save" ? Step::Save : Step::Load, v});
        } else if (arg == "--list-saves") {
            args.steps.push_back({Step::ListSaves, ""});
        } else if (arg == "--list-missions") {
            args.steps.push_back({Step::ListMissions, ""});
        } else if (arg == "--turns") {
            if (!value(v))
                return Fail("--turns needs a number");
            if (!ParseWhole(v, 100000, n))
                return Fail("--turns takes a whole number from 0 to 100000, not '" +
                            std::string(v) + "'");
            args.steps.push_back({Step::Turns, "", static_cast<int>(n)});
        } else if (arg == "--do") {
            if (!value(v) || !*v)
                return Fail("--do needs an action such as introduce:IncomeTax");
            args.steps.push_back({Step::Action, v});
        } else if (arg == "--json") {
            if (!value(v) || !*v)
                return Fail("--json needs a file name, or - for standard output");
            args.steps.push_back({Step::Json, v});
        } else {
            return Fail("unknown argument '" + arg + "' (see --help)");
        }
    }
    return -1;
}

// Parses "VERB:NAME" or "VERB:NAME=VALUE"; false when the shape is wrong. The verb ends at the
// first ':' and the value starts after the last '=', so names may hold either (minister names
// hold spaces and could hold anything but a final '=').
bool SplitAction(const std::string& text, std::string& verb, std::string& name, std::string& value,
                 bool& hasValue) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size())
        return false;
    verb = text.substr(0, colon);
    std::string rest = text.substr(colon + 1);
    size_t eq = rest.rfind('=');
    hasValue = eq != std::string::npos;
    name = hasValue ? rest.substr(0, eq) : rest;
    value = hasValue ? rest.substr(eq + 1) : "";
    return !name.empty();
}

bool ParseFraction(const std::string& text, float& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtof(text.c_str(), &end);
    return end && *end == '\0' && out >= 0.0f && out <= 1.0f;
}

const char kActionForms[] = "introduce:POLICY[=VALUE], cancel:POLICY, slider:POLICY=VALUE, "
                            "fire:MINISTER, appoint:MINISTER=GROUPKEY, pledge:TARGETNAME or "
                            "choose:DILEMMA=N";

ActionResult TakePolicyAction(const std::string& text, const std::string& verb,
                              const std::string& name, const std::string& value, bool hasValue) {
    float fraction = 0.0f;
    if (hasValue && !ParseFraction(value, fraction))
        return {false, "the value in '" + text + "' must be a number from 0 to 1"};
    if (verb == "introduce") {
        if (!hasValue) {
            SIM_Policy* policy = GetPolicyManager().FindPolicy(name);
            fraction = policy ? policy->GetTarget() : 0.5f;
        }
        return IntroducePolicyAction(name, fraction);
    }
    if (verb == "cancel" && !hasValue)
        return CancelPolicyAction(name);
    if (verb == "slider" && hasValue)
        return ChangePolicySliderAction(name, fraction);
    return {false, "cannot read the action '" + text + "': write " + kActionForms};
}

ActionResult TakeAction(const std::string& text) {
    std::string verb, name, value;
    bool hasValue = false;
    if (!SplitAction(text, verb, name, value, hasValue))
        return {false, "cannot read the action '" + text + "': write " + kActionForms};
    if (verb == "introduce" || verb == "cancel" || verb == "slider")
        return TakePolicyAction(text, verb, name, value, hasValue);
    if (verb == "fire" && !hasValue)
        return FireMinisterAction(name);
    if (verb == "appoint" && hasValue && !value.empty())
        return AppointMinisterAction(name, value);
    if (verb == "pledge" && !hasValue)
        return ChoosePledgeAction(name);
    if (verb == "choose" && hasValue) {
        char* end = nullptr;
        long option = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || option < 1 || option > 99)
            return {false, "the option in '" + text + "' must be a whole number from 1"};
        return ChooseDilemmaAction(name, static_cast<int>(option));
    }
    if (verb == "fire" || verb == "appoint" || verb == "pledge" || verb == "choose")
        return {false, "cannot read the action '" + text + "': write " + kActionForms};
    return {false, "unknown action '" + text + "': write " + kActionForms};
}

// The windows the core asks for, which a headless run cannot open: each is noted and printed as a
// line of its own once the step that asked for it has printed its report. The election count
// stays with the core, which counts every vote at once when no window does.
class RunnerFrontEnd : public HeadlessFrontEnd {
public:
    void OpenAttackWindow(const std::string& attackName) override { Note("attack " + attackName); }
    void OpenQuarterlyReport() override { Note("quarterly report"); }
    void ShowAchievementAward(const std::string& key) override { Note("award " + key); }
    void OpenManifestoChoice() override { Note("manifesto choice"); }
    void ShowStartDialog() override { Note("start dialog"); }
    // A script's ending has no election behind it; its own title says what ended the game.
    void ShowGameOver(const std::string& title, const std::string& /*text*/) override {
        scriptedEnding = Translate(title);
    }

    // Prints the windows asked for since the last call, in the order they were asked for.
    void PrintWindows() {
        for (const std::string& window : windows)
            std::printf("Window: %s\n", window.c_str());
        windows.clear();
    }

    bool quiet = false;
    std::string scriptedEnding;

private:
    void Note(const std::string& window) {
        if (!quiet)
            windows.push_back(window);
    }

    std::vector<std::string> windows;
};

RunnerFrontEnd g_runnerFrontEnd;

// What the turn brought, as the issues list and the attack record tell it.
void PrintHappenings() {
    SIM_IssuesManager& issues = GetIssuesManager();
    for (size_t i = 0; i < issues.Count(); ++i) {
        const SIM_Issue* issue = issues.At(i);
        const char* name = issue->subject->name;
        switch (issue->kind) {
        case kIssueKindEvent:
            // The announcement of a resignation is no content and has no name: its title says it.
            std::printf("  Event: %s\n", *name ? name : issue->title.c_str());
            break;
        case kIssueKindSituationBegins:
            std::printf("  Situation begins: %s\n", name);
            break;
        case kIssueKindSituationEnds:
            std::printf("  Situation ends: %s\n", name);
            break;
        case kIssueKindDilemma: {
            std::printf("  Dilemma on offer: %s", name);
            if (const auto* dilemma = dynamic_cast<const SIM_Dilemma*>(issue->subject)) {
                int number = 0;
                for (const DilemmaOption& option : dilemma->options) {
                    ++number;
                    std::printf("%s %d %s", number == 1 ? " (choose:" : ",", number,
                                Translate(option.name).c_str());
                }
                // A dilemma with no options offers nothing to choose.
                if (number > 0)
                    std::printf(")");
            }
            std::printf("\n");
            break;
        }
        default:
            break;
        }
    }
    const AttackOutcome* attack = LastAttackOutcome();
    if (attack && attack->turn == GetTurnNumber())
        std::printf("  Attack attempted: %s, %s\n", attack->name.c_str(),
                    attack->succeeded ? "it succeeded"
                    : attack->foiled  ? "foiled by security"
                                      : "it came to nothing");
}

void PrintTurnLine() {
    const Calendar& date = GetCalendar();
    const Finances& f = GetFinances();
    std::printf("Turn %d (year %d, month %d): polls %.1f%%, income %s, spending %s, %s %s, "
                "capital %d\n",
                GetTurnNumber(), date.year, date.month + 1, GetPotentialVoteRate() * 100.0f,
                FormatMoney(f.MonthlyIncome).c_str(), FormatMoney(f.MonthlyExpenses).c_str(),
                f.NationalDebt > 0.0f ? "debt" : "treasury",
                FormatMoney(f.NationalDebt > 0.0f ? f.NationalDebt : f.CurrentBalance).c_str(),
                GetPoliticalCapital().capital);
}

bool WriteJson(const std::string& file) {
    std::string text = GameStateJson();
    if (file == "-") {
        // A full or closed standard output is a failed write like any other.
        bool ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
        ok = std::fflush(stdout) == 0 && ok;
        if (!ok)
            std::fprintf(stderr, "marrowgate-sim: cannot write the state to standard output: %s\n",
                         std::strerror(errno));
        return ok;
    }
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "marrowgate-sim: cannot write %s: %s\n", file.c_str(),
                     std::strerror(errno));
        return false;
    }
    bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    ok = std::fflush(out) == 0 && ok;
    const int code = errno;
    ok = std::fclose(out) == 0 && ok;
    if (!ok)
        std::fprintf(stderr, "marrowgate-sim: cannot write %s: %s\n", file.c_str(),
                     std::strerror(code ? code : errno));
    return ok;
}

// Where the next election stood before a turn: the schedule moves on only when one is held.
struct ElectionMark {
    bool scheduled = false;
    int32_t month = 0;
    int32_t year = 0;
};

ElectionMark MarkElection() {
    const SIM_ElectionManager& elections = GetElectionManager();
    return {elections.IsScheduled(), elections.electionMonth, elections.electionYear};
}

bool ElectionHeldSince(const ElectionMark& before) {
    const SIM_ElectionManager& elections = GetElectionManager();
    return before.scheduled && elections.HasOutcome() &&
           (elections.electionMonth != before.month || elections.electionYear != before.year);
}

std::string PartyName(const SIM_Party* party, const char* fallback) {
    return party && !party->partyName.empty() ? party->partyName : fallback;
}

void PrintElectionResult() {
    const ElectionOutcome& outcome = GetElectionManager().LastOutcome();
    const ElectionTally& tally = outcome.tally;
    std::printf("Election: %s (yours) %d votes, %s %d votes, %d abstentions\n",
                PartyName(Population().playerParty, "the government").c_str(), tally.playerVotes,
                PartyName(Population().oppositionParty, "the opposition").c_str(),
                tally.oppositionVotes, tally.abstentions);
    std::printf("Election %s with %.1f%% of the vote%s; terms won %d, terms left %d\n",
                outcome.won ? "won" : "lost", outcome.share * 100.0f,
                outcome.manifestoBroken ? " (manifesto broken)" : "", outcome.termsWon,
                outcome.termsLeft);
}

void PrintGameOver() {
    if (!g_runnerFrontEnd.scriptedEnding.empty()) {
        std::printf("Game over: %s\n", g_runnerFrontEnd.scriptedEnding.c_str());
        return;
    }
    const SIM_ElectionManager& elections = GetElectionManager();
    bool lost = elections.HasOutcome() && !elections.LastOutcome().won;
    std::printf("Game over: %s\n", lost ? "the election is lost" : "the last term has been served");
}

// FNV-1a over the text: cheap, stable across platforms and runs, and enough to tell two
// documents apart.
uint64_t Digest(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// The bot's side of a turn, printed as it went; its refusals are faults of the bot and fail the
// run.
bool PlayBot(BotStrategy strategy, bool quiet) {
    BotTurn turn = PlayBotTurn(strategy);
    for (const std::string& refusal : turn.refusals)
        std::fprintf(stderr, "marrowgate-sim: the bot was refused: %s\n", refusal.c_str());
    if (!quiet) {
        for (const std::string& action : turn.actions)
            std::printf("Bot: %s\n", action.c_str());
        std::printf("Bot ends the turn with %d capital\n", GetPoliticalCapital().capital);
        g_runnerFrontEnd.PrintWindows();
    }
    return turn.refusals.empty();
}

void PrintFaultyValues() {
    for (const std::string& fault : FaultyValues())
        std::fprintf(stderr, "Value fault: turn %d: %s\n", GetTurnNumber(), fault.c_str());
}

int RunSteps(const Arguments& args, FILE* digests) {
    const std::vector<Step>& steps = args.steps;
    const bool quiet = args.quiet;
    bool inGame = false;
    bool failed = false;
    // The new-game screen's choices, applied to the next mission loaded.
    int termYears = 0;
    int maxTerms = 0;
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::TermYears:
            termYears = step.count;
            break;
        case Step::Save:
            if (!inGame) {
                std::fprintf(stderr, "marrowgate-sim: --save needs a game: put --new first\n");
                return 2;
            }
            if (!SaveGame(step.text)) {
                // SaveGame has said why; the runner only ends with the failure.
                failed = true;
            } else if (!quiet) {
                std::printf("Saved: %s\n", SavePath(step.text).c_str());
            }
            break;
        case Step::Load:
            if (!FileExists(SavePath(step.text))) {
                std::fprintf(stderr, "marrowgate-sim: there is no saved game %s (%s)\n",
                             step.text.c_str(), SavePath(step.text).c_str());
                return 1;
            }
            switch (LoadGame(step.text)) {
            case LoadResult::Loaded:
                break;
            case LoadResult::NotOpened:
                std::fprintf(stderr, "marrowgate-sim: could not load %s (%s)\n", step.text.c_str(),
                             SavePath(step.text).c_str());
                return 1;
            case LoadResult::Damaged:
                // The game holds fresh content and scraps of the save: nothing worth playing on.
                std::fprintf(stderr, "marrowgate-sim: the saved game %s is damaged (%s)\n",
                             step.text.c_str(), SavePath(step.text).c_str());
                return 1;
            }
            inGame = true;
            if (!quiet)
                std::printf("Loaded: %s, turn %d\n", step.text.c_str(), GetTurnNumber());
            break;
        case Step::ListSaves:
            for (const std::string& name : ListSaves())
                std::printf("%s\n", name.c_str());
            break;
        case Step::MaxTerms:
            maxTerms = step.count;
            break;
        case Step::ListMissions:
            for (const MissionChoice& choice : ListMissions(GetUserDir()))
                std::printf("%s  %s%s\n", choice.name.c_str(), choice.country.c_str(),
                            choice.modded ? "  (mod)" : "");
            break;
        case Step::NewGame: {
            std::string file = MissionFile(step.text);
            if (!FileExists(file)) {
                std::fprintf(stderr, "marrowgate-sim: there is no mission %s (%s)\n",
                             step.text.c_str(), file.c_str());
                return 1;
            }
            GetMission().Reset();
            GetMission().SetMissionFile(file);
            GetMission().Load();
            if (termYears > 0)
                GetMission().termLength = termYears;
            if (maxTerms > 0)
                GetMission().termsLimit = maxTerms;
            NewGameSetup(step.text);
            inGame = true;
            if (!quiet)
                std::printf("New game: %s\n", GetMission().name.c_str());
            g_runnerFrontEnd.PrintWindows();
            break;
        }
        case Step::Turns:
        case Step::Action:
            if (!inGame) {
                std::fprintf(stderr, "marrowgate-sim: %s needs a game: put --new first\n",
                             step.kind == Step::Turns ? "--turns" : "--do");
                return 2;
            }
            if (step.kind == Step::Turns) {
                if (IsGameOver() && step.count > 0 && !quiet)
                    std::printf("No turns played: the game is over\n");
                for (int i = 0; i < step.count && !IsGameOver(); ++i) {
                    if (args.autoplay && !PlayBot(args.strategy, quiet))
                        failed = true;
                    ElectionMark before = MarkElection();
                    ProcessNewTurn();
                    if (args.watchValues)
                        PrintFaultyValues();
                    if (digests)
                        std::fprintf(digests, "turn %d %016llx\n", GetTurnNumber(),
                                     static_cast<unsigned long long>(Digest(GameStateJson())));
                    if (quiet)
                        continue;
                    PrintTurnLine();
                    PrintHappenings();
                    if (ElectionHeldSince(before))
                        PrintElectionResult();
                    g_runnerFrontEnd.PrintWindows();
                    if (IsGameOver())
                        PrintGameOver();
                }
            } else {
                ActionResult result =
                    IsGameOver() ? ActionResult{false, "the game is over"} : TakeAction(step.text);
                if (!result.ok) {
                    std::fprintf(stderr, "marrowgate-sim: refused %s: %s\n", step.text.c_str(),
                                 result.message.c_str());
                    failed = true;
                } else if (!quiet) {
                    std::printf("Done: %s\n", result.message.c_str());
                }
                g_runnerFrontEnd.PrintWindows();
            }
            break;
        case Step::Json:
            if (!WriteJson(step.text))
                failed = true;
            break;
        }
    }
    return failed ? 1 : 0;
}

void Report(const Arguments& args) {
    std::printf("Marrowgate %s, headless\n", MARROWGATE_VERSION);
    std::printf("Data root:   %s\n", GetDataRoot().c_str());
    std::printf("User folder: %s\n", GetUserDir().c_str());
    std::printf("Debug log:   %s\n", IsLogOpen() ? GetLogPath().c_str() : "(none)");
    std::printf("Seed:        %u\n", args.seed);

    const CIniSection& setup = GetSetupTable();
    std::printf("Setup table: %s [%s], %zu entries\n", "data/data.ini", "setup", setup.Count());
    for (const char* key : {"policies", "simulation", "situations", "voters"}) {
        const std::string& file = setup.GetString(key);
        std::printf("  %-11s %s%s\n", key, file.empty() ? "(not set)" : file.c_str(),
                    file.empty() || FileExists(file) ? "" : " (missing)");
    }
    std::vector<std::string> missing = MissingSetupTuningKeys();
    const size_t total = std::size(kSetupTuningKeys);
    std::printf("  tuning constants: %zu of %zu present\n", total - missing.size(), total);
    for (const std::string& key : missing)
        std::printf("    missing %s (reads as 0)\n", key.c_str());

    const CIniSection& options = GetOptionsTable();
    std::printf("Options:     %s [%s], %zu entries; yours in %s\n", "data/options.txt", "options",
                options.Count(), PlayerCopyPath(kOptionsFile).c_str());
    for (const CIniSection::Entry& entry : options.Entries())
        std::printf("  %-19s %.2f\n", entry.key.c_str(), GetOption(entry.key));

    std::printf("Translation: %s [%s], %zu texts; APP_TITLE is \"%s\"\n", "data/strings.ini",
                "strings", TranslationCount(), Translate("APP_TITLE").c_str());
    std::printf("Sliders:     %zu configurations\n", SliderConfigs().size());
}

// Prints every problem of the content and a closing count; 1 when there was any.
int CheckContentAndReport(bool quiet) {
    const std::vector<ContentProblem> problems = CheckContent(GetUserDir());
    for (const ContentProblem& problem : problems)
        std::printf("%s\n", FormatContentProblem(problem).c_str());
    if (!quiet) {
        if (problems.empty())
            std::printf("Content checked: no problems in %s%s\n", GetDataRoot().c_str(),
                        GetUserDir().empty() ? "" : (" or " + GetUserDir() + "/mods").c_str());
        else
            std::printf("Content checked: %zu problem%s\n", problems.size(),
                        problems.size() == 1 ? "" : "s");
    }
    return problems.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // Line by line, so that turn lines and refusals on stderr stay in order when piped.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Arguments args;
    int exitCode = ParseArguments(argc, argv, args);
    if (exitCode >= 0)
        return exitCode;

    std::string root, error;
    if (!FindDataRoot(args.dataRoot, root, error))
        return Fail(error);
    SetDataRoot(root);
    g_runnerFrontEnd.verbose = args.verbose;
    g_runnerFrontEnd.quiet = args.quiet;
    SetFrontEnd(&g_runnerFrontEnd);

    FILE* digests = nullptr;
    if (!args.digests.empty()) {
        digests = args.digests == "-" ? stdout : std::fopen(args.digests.c_str(), "wb");
        if (!digests)
            return Fail("cannot write " + args.digests + ": " + std::strerror(errno));
    }

    if (!args.seedGiven) {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        args.seed = static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    SeedRandom(args.seed);

    // Start-up in the game's own order: log, user folders, setup table, options, then the
    // tables that outlive a game.
    if (!StartCore(args.userDir)) {
        CloseLog();
        return Fail("cannot work out the user folder: set HOME, or pass --user-dir");
    }
    LoadSliderConfigs(GetUserDir());

    int result = CheckSaveNames(args.steps);
    if (result >= 0) {
        ShutdownCore(false);
        return result;
    }
    result = 0;
    if (args.checkContent) {
        result = CheckContentAndReport(args.quiet);
    } else if (args.steps.empty()) {
        if (!args.quiet)
            Report(args);
    } else {
        result = RunSteps(args, digests);
    }
    if (digests && digests != stdout && std::fclose(digests) != 0) {
        std::fprintf(stderr, "marrowgate-sim: cannot write %s\n", args.digests.c_str());
        result = result ? result : 1;
    }

    // A headless run leaves the options file as it found it.
    ShutdownCore(false);
    SetFrontEnd(nullptr);
    return result;
}
