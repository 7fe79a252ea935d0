// Saved games of the shipped content: a save read back writes the same file, a loaded game plays
// on, and damaged or foreign files fail the way players are told they do.

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "game/load_game.h"
#include "game/turn_pipeline.h"
#include "government/cabinet.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/manifesto.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_manager.h"
#include "government/situation.h"
#include "government/situation_manager.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/grudge.h"
#include "population/party.h"
#include "population/pressure_group.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"
#include "saveload/save_check.h"
#include "saveload/save_reader.h"
#include "saveload/save_writer.h"
#include "test_helpers.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

std::string WithoutDate(const std::string& text) {
    size_t at = text.find("<date>");
    size_t end = text.find('\n', at);
    if (at == std::string::npos || end == std::string::npos)
        return text;
    return text.substr(0, at) + text.substr(end);
}

// Empty when the two texts are the same; else the first line where they part. Whole saves are
// too long for the test framework's own difference.
std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t line = 1;
    size_t start = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) {
            auto lineAt = [start](const std::string& text) {
                return text.substr(start, text.find('\n', start) - start);
            };
            return "line " + std::to_string(line) + ": \"" + lineAt(a) + "\" against \"" +
                   lineAt(b) + "\"";
        }
        if (a[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    if (a.size() != b.size())
        return "one text ends at line " + std::to_string(line);
    return std::string();
}

TEST(SaveNameRule, RefusesEachUnsafeKindAndTakesEverythingElseAsTyped) {
    const std::pair<std::string, SaveNameFault> cases[] = {
        {"", SaveNameFault::Empty},
        {"   ", SaveNameFault::Empty},
        {std::string(127, 'x'), SaveNameFault::None},
        {std::string(128, 'x'), SaveNameFault::TooLong},
        {std::string(400, '.'), SaveNameFault::TooLong},
        {"a/b", SaveNameFault::PathSeparator},
        {"/etc/passwd", SaveNameFault::PathSeparator},
        {"..\\..\\outside", SaveNameFault::PathSeparator},
        {"term\\", SaveNameFault::PathSeparator},
        {"C:", SaveNameFault::Drive},
        {"z:second term", SaveNameFault::Drive},
        {".", SaveNameFault::FolderReference},
        {"..", SaveNameFault::FolderReference},
        {"...", SaveNameFault::FolderReference},
        {"a\tb", SaveNameFault::ControlCharacter},
        {"line\n", SaveNameFault::ControlCharacter},
        {std::string("a\0b", 3), SaveNameFault::ControlCharacter},
        {"rub\x7fout", SaveNameFault::ControlCharacter},
        // Blanks, inner dots, colons past the start and letters beyond ASCII are the player's.
        {" My Government ", SaveNameFault::None},
        {"..hidden", SaveNameFault::None},
        {"Term 2: the sequel", SaveNameFault::None},
        {"1:0 down", SaveNameFault::None},
        {"Fünf Jahre", SaveNameFault::None},
    };
    for (const auto& [name, fault] : cases)
        EXPECT_EQ(CheckSaveName(name), fault) << "'" << name << "'";
    EXPECT_EQ(SaveNameRefusal("fine"), "");
    EXPECT_NE(SaveNameRefusal("a/b"), "");
}

// An issue as the player sees it on the desk: kind, subject, icon, title and text.
using DeskEntry = std::tuple<int, std::string, std::string, std::string, std::string>;

std::vector<DeskEntry> Desk() {
    std::vector<DeskEntry> desk;
    for (const auto& issue : GetIssuesManager().Issues())
        desk.emplace_back(issue->kind, issue->subject->name, issue->icon, issue->title,
                          issue->text);
    return desk;
}

class SaveGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(std::string(MARROWGATE_SOURCE_DIR) + "/data",
                                                  t.dir.Path() + "/data");
        CloseLog();
        OpenLog();
        SetUserDir(t.dir.Path() + "/user");
        std::filesystem::create_directories(GetSaveDir());
        LoadSetupTable();
        LoadOptions();
        GetSetupTable().SetFloat("AIENTITIES", 120.0f);
        GetManifesto().LoadOptions();
        GetMission().SetMissionFile(MissionFile(kDefaultMission));
        GetMission().Load();
    }
    void TearDown() override { TearDownGame(); }

    // Thirty turns: a policy brought in by the player, a pledge made before the first election,
    // and whatever grudges, situations and pressure-group members the years bring.
    void PlayThirtyTurns() {
        GetMission().termsLimit = 10;
        NewGameSetup(kDefaultMission);
        for (SIM_Policy* policy : GetPolicyManager().AllPolicies()) {
            if (!policy->active && IntroducePolicyAction(policy->name, 0.6f).ok) {
                introduced = policy->name;
                break;
            }
        }
        for (int i = 0; i < 30 && !IsGameOver(); ++i) {
            if (ManifestoMayBeChosen() && pledged.empty()) {
                for (const ManifestoOption& option : GetManifesto().Options()) {
                    if (ChoosePledgeAction(option.targetName).ok) {
                        pledged = option.targetName;
                        break;
                    }
                }
            }
            ProcessNewTurn();
        }
    }
    std::string SaveText(const char* name) const {
        return t.dir.Read("user/savegames/" + std::string(name) + ".xml");
    }
    size_t BoxesSaying(const std::string& text) const {
        size_t n = 0;
        for (const auto& box : t.frontEnd.boxes)
            n += box.text.find(text) != std::string::npos;
        return n;
    }

    LoggedTest t;
    std::string introduced;
    std::string pledged;
};

TEST_F(SaveGameTest, LoadedGameWritesTheSameFileAndPlaysOn) {
    PlayThirtyTurns();
    ASSERT_FALSE(introduced.empty());
    EXPECT_FALSE(pledged.empty());
    EXPECT_FALSE(AllGrudges().empty());
    int groupMembers = 0;
    for (SIM_PressureGroup* group : AllPressureGroups())
        groupMembers += group->MemberCount();
    EXPECT_GT(groupMembers, 0);
    SaveGame("first");
    std::string first = SaveText("first");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.rfind("<xml>\n<header>\n<version>Marrowgate 1.0</version>\n", 0), 0u);

    std::vector<int> members;
    for (SIM_Party* party : AllParties())
        members.push_back(party->MemberCount());
    for (SIM_PressureGroup* group : AllPressureGroups())
        members.push_back(group->MemberCount());
    float balance = GetFinances().CurrentBalance;

    ASSERT_EQ(LoadGame("first"), LoadResult::Loaded);
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
    SaveGame("second");
    EXPECT_EQ(FirstDifference(WithoutDate(first), WithoutDate(SaveText("second"))), "");

    SIM_Policy* policy = GetPolicyManager().FindPolicy(introduced);
    ASSERT_NE(policy, nullptr);
    EXPECT_TRUE(policy->active);
    EXPECT_FLOAT_EQ(GetFinances().CurrentBalance, balance);
    std::vector<int> loadedMembers;
    for (SIM_Party* party : AllParties())
        loadedMembers.push_back(party->MemberCount());
    for (SIM_PressureGroup* group : AllPressureGroups())
        loadedMembers.push_back(group->MemberCount());
    EXPECT_EQ(loadedMembers, members);

    int turn = GetTurnNumber();
    ProcessNewTurn();
    ProcessNewTurn();
    EXPECT_EQ(GetTurnNumber(), turn + 2);
    EXPECT_TRUE(policy->active);
    EXPECT_EQ(VoterCount(), 120);
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
    EXPECT_EQ(ListSaves(), (std::vector<std::string>{"autosave", "first", "second"}));

    // A program that has just started, with no game and no mission, loads the same game.
    TearDownGame();
    LoggedTest::ForgetTables();
    SetUserDir(t.dir.Path() + "/user");
    LoadSetupTable();
    LoadOptions();
    GetSetupTable().SetFloat("AIENTITIES", 120.0f);
    ASSERT_EQ(LoadGame("first"), LoadResult::Loaded);
    SaveGame("cold");
    EXPECT_EQ(FirstDifference(WithoutDate(first), WithoutDate(SaveText("cold"))), "");
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
}

TEST_F(SaveGameTest, TheDeskIsSavedAndFoundAgainInOrder) {
    PlayThirtyTurns();
    SIM_IssuesManager& desk = GetIssuesManager();
    desk.ClearIssues();
    // One issue of every kind, in an order no turn would make; the texts hold what the file
    // itself is made of.
    SIM_Minister* minister = GetCabinet().ministers.at(0);
    SIM_Situation* situation = GetSituationManager().Situations().at(1);
    const struct {
        Neuron* subject;
        int kind;
        std::string picture, title, text;
    } raised[] = {
        {minister, kIssueKindMinisterWarning, "", "A <warning>",
         "Debt & deficit > 90%\nand rising"},
        {GetEventManager().Events().at(2), kIssueKindEvent, "", "Strike", "Pickets at <the gates>"},
        {situation, kIssueKindSituationEnds, situation->IconPicture(), "Over", "It is over."},
        {GetDilemmaManager().Dilemmas().at(3), kIssueKindDilemma, "", "Choose", "&amp; stays"},
        {situation, kIssueKindSituationBegins, "riot.dds", "Again", ""},
        {minister, kIssueKindMinisterNews, "", "News", "Nothing new"},
    };
    for (const auto& r : raised) {
        SIM_Issue* issue = desk.AddIssue(r.subject, r.kind, r.picture);
        ASSERT_NE(issue, nullptr);
        issue->title = r.title;
        issue->text = r.text;
    }
    // The announcement of a resignation is no content and has no name: it comes back in its place.
    MinisterResignation resignation;
    resignation.guiName = "Gone";
    resignation.description = "Left <in> a hurry";
    GetEventManager().AnnounceResignation(resignation);
    const std::vector<DeskEntry> saved = Desk();
    ASSERT_EQ(std::get<1>(saved.back()), "");
    ASSERT_EQ(std::get<4>(saved.back()), "Left <in> a hurry");

    SaveGame("desk");
    std::string text = SaveText("desk");
    EXPECT_NE(text.find("<subject>" + minister->fullName + "</subject>"), std::string::npos)
        << "an issue names its subject";
    ProcessNewTurn();
    t.frontEnd.boxes.clear();
    ASSERT_EQ(LoadGame("desk"), LoadResult::Loaded);
    EXPECT_EQ(Desk(), saved);
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
    EXPECT_EQ(std::get<4>(Desk().at(3)), "&amp; stays");

    // A file from before the desk was saved loads with an empty desk and no complaint.
    size_t from = text.find("<issues>");
    size_t to = text.find("</issues>\n");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    t.dir.Write("user/savegames/older.xml", text.substr(0, from) + text.substr(to + 10));
    ASSERT_EQ(LoadGame("older"), LoadResult::Loaded);
    EXPECT_TRUE(Desk().empty());
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
}

// The nodes a game is made of, in processing order, leaving out those that come and go in play.
std::vector<std::string> StandingOrder() {
    std::vector<std::string> order;
    for (const Neuron* node : AllNeurons())
        if (node->typeCode != NeuronType::Grudge && node->typeCode != NeuronType::Minister)
            order.push_back(std::to_string(NeuronTypeCode(node->typeCode)) + ":" + node->name);
    return order;
}

TEST_F(SaveGameTest, ALoadedGameKeepsItsOrderAndAnEventFiringAgainFindsItself) {
    PlayThirtyTurns();
    // An event that raises a grudge on itself; it fires before the save and again after.
    std::string riot;
    for (const SIM_Event* event : GetEventManager().Events()) {
        const std::string self = std::string(event->name) + "," + event->name + ",";
        if (event->onImplement.find("CreateGrudge(" + self) != std::string::npos) {
            riot = event->name;
            break;
        }
    }
    ASSERT_FALSE(riot.empty()) << "no shipped event raises a grudge on itself";
    TriggerEventByName(riot);
    const std::vector<std::string> before = StandingOrder();
    std::vector<std::string> everyNode;
    for (const Neuron* node : AllNeurons())
        everyNode.push_back(std::to_string(NeuronTypeCode(node->typeCode)) + ":" + node->name);
    ASSERT_TRUE(SaveGame("order"));
    ASSERT_EQ(LoadGame("order"), LoadResult::Loaded);
    EXPECT_EQ(StandingOrder(), before);
    // Grudges and ministers too stand where play had put them, so every name finds what it
    // found before the save.
    std::vector<std::string> loadedNodes;
    for (const Neuron* node : AllNeurons())
        loadedNodes.push_back(std::to_string(NeuronTypeCode(node->typeCode)) + ":" + node->name);
    EXPECT_TRUE(loadedNodes == everyNode);

    // Without the saved network (an older file) the grudges follow every standing node, as
    // grudges raised in play do, so no name finds a grudge in place of the node it is about.
    std::string older = SaveText("order");
    older.erase(older.find("<network>\n"),
                older.find("</network>\n") + 11 - older.find("<network>\n"));
    t.dir.Write("user/savegames/older.xml", older);
    ASSERT_EQ(LoadGame("older"), LoadResult::Loaded);
    size_t lastStanding = 0, firstGrudge = AllNeurons().size();
    for (size_t i = 0; i < AllNeurons().size(); ++i) {
        const NeuronType type = AllNeurons()[i]->typeCode;
        if (type == NeuronType::Grudge)
            firstGrudge = std::min(firstGrudge, i);
        else if (type != NeuronType::Minister)
            lastStanding = i;
    }
    EXPECT_LT(lastStanding, firstGrudge);
    Neuron* event = FindNeuron(riot);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->typeCode, NeuronType::Event);
    SIM_Grudge* old = nullptr;
    for (SIM_Grudge* grudge : AllGrudges()) {
        EXPECT_TRUE(grudge->target == nullptr || grudge->target->typeCode != NeuronType::Grudge);
        if (riot == grudge->name && grudge->holderName == riot)
            old = grudge;
    }
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->target, event);

    // Some turns later it fires again, and the older grudge fades first.
    for (int i = 0; i < 3; ++i)
        UpdateAllGrudges();
    TriggerEventByName(riot);
    SIM_Grudge* again = AllGrudges().back();
    for (SIM_Grudge* grudge : AllGrudges())
        if (grudge != old && riot == grudge->name && grudge->holderName == riot)
            again = grudge;
    ASSERT_NE(again, old);
    EXPECT_EQ(again->target, event);
    ASSERT_NE(again->Link(), nullptr);
    EXPECT_EQ(again->Link()->target, event);
    while (IsLiveGrudge(old))
        UpdateAllGrudges();
    ASSERT_TRUE(IsLiveGrudge(again));
    EXPECT_EQ(again->target, event);
}

TEST_F(SaveGameTest, MissingForeignAndCutOffFiles) {
    PlayThirtyTurns();
    SaveGame("good");
    std::string good = SaveText("good");

    // Nothing to open: one box and the game goes on untouched.
    int turn = GetTurnNumber();
    EXPECT_EQ(LoadGame("nosuchsave"), LoadResult::NotOpened);
    EXPECT_EQ(BoxesSaying("Failed to open save game"), 1u);
    EXPECT_EQ(GetTurnNumber(), turn);
    EXPECT_EQ(VoterCount(), 120);

    // A name that would reach outside the save folder is refused both ways with one box each,
    // even when a file of that very name lies in the folder (put there by hand).
    t.dir.Write("user/savegames/..\\escaped.xml", good);
    t.dir.Write("user/savegames/C:escaped.xml", good);
    const std::string refused[] = {
        "..\\escaped", "..\\..\\outside",    "../outside", "C:escaped", "..", "",
        "tab\tname",   std::string(128, 'x')};
    for (const std::string& name : refused) {
        t.frontEnd.boxes.clear();
        EXPECT_FALSE(SaveGame(name)) << name;
        EXPECT_EQ(t.frontEnd.boxes.size(), 1u) << name;
        EXPECT_EQ(t.frontEnd.boxes.front().text.rfind(SaveNameRefusal(name), 0), 0u);
        t.frontEnd.boxes.clear();
        EXPECT_EQ(LoadGame(name), LoadResult::NotOpened) << name;
        EXPECT_EQ(t.frontEnd.boxes.size(), 1u) << name;
        EXPECT_EQ(GetTurnNumber(), turn);
    }
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(t.dir.Path()))
        if (entry.path().extension() == ".xml")
            written.push_back(entry.path().lexically_relative(t.dir.Path()).string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{
                           "user/savegames/..\\escaped.xml", "user/savegames/C:escaped.xml",
                           "user/savegames/autosave.xml", "user/savegames/good.xml"}));

    // A file that is no saved game is refused before the game in progress is touched.
    t.dir.Write("user/savegames/letter.xml", "<html><body>Dear minister</body></html>\n");
    t.frontEnd.boxes.clear();
    EXPECT_EQ(LoadGame("letter"), LoadResult::Damaged);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_NE(t.frontEnd.boxes[0].text.find("\"letter.xml\""), std::string::npos);
    EXPECT_NE(t.frontEnd.boxes[0].text.find("<xml> is missing at its start"), std::string::npos)
        << t.frontEnd.boxes[0].text;
    EXPECT_EQ(GetTurnNumber(), turn);
    EXPECT_EQ(VoterCount(), 120);

    // Another version loads with one warning in the log and no box.
    std::string foreign = good;
    foreign.replace(foreign.find("Marrowgate 1.0"), 14, "Marrowgate 0.9");
    t.dir.Write("user/savegames/foreign.xml", foreign);
    t.frontEnd.boxes.clear();
    EXPECT_EQ(LoadGame("foreign"), LoadResult::Loaded);
    EXPECT_TRUE(t.frontEnd.boxes.empty());
    std::string log = t.LogText();
    const char* warning = "Save game version and game version are possibly incompatible";
    EXPECT_NE(log.find(warning), std::string::npos);
    EXPECT_EQ(log.find(warning), log.rfind(warning));
    EXPECT_EQ(GetTurnNumber(), turn);

    // No voters at all is a valid, empty electorate.
    size_t begin = good.find("<voters>\n") + 9;
    std::string empty = good.substr(0, begin) + good.substr(good.find("</voters>"));
    t.dir.Write("user/savegames/empty.xml", empty);
    t.frontEnd.boxes.clear();
    EXPECT_EQ(LoadGame("empty"), LoadResult::Loaded);
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
    EXPECT_EQ(VoterCount(), 0);
    EXPECT_EQ(GetTurnNumber(), turn);

    // Cut off among the voters, a value that is no number, a section out of its place: each is
    // refused whole with one box naming the file and the first problem.
    const size_t cut = good.find("<voterrows>\n") + 300;
    std::string notANumber = good;
    notANumber.replace(notANumber.find("<turn>", notANumber.find("<gameplay>")) + 6, 1, "x");
    std::string swapped = good;
    const size_t economy = swapped.find("<economy>");
    const size_t economyEnd = swapped.find("</economy>\n") + 11;
    const std::string economyText = swapped.substr(economy, economyEnd - economy);
    swapped.erase(economy, economyEnd - economy);
    swapped.insert(swapped.find("<gameplay>"), economyText);
    const std::pair<std::string, std::string> damaged[] = {
        {good.substr(0, cut), "it breaks off in section \"voters\""},
        {notANumber, "of <turn> in section \"gameplay\" is not a number"},
        {swapped, "<gameplay> is missing after section \"parties\", where \"<economy>\""},
        {good + "<voter>\n", "there is more after its last tag"},
    };
    const std::string before = WithoutDate(BuildSaveText());
    for (const auto& [text, problem] : damaged) {
        t.dir.Write("user/savegames/cut.xml", text);
        t.frontEnd.boxes.clear();
        EXPECT_EQ(LoadGame("cut"), LoadResult::Damaged);
        ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
        EXPECT_NE(t.frontEnd.boxes[0].text.find("\"cut.xml\" is damaged"), std::string::npos);
        EXPECT_NE(t.frontEnd.boxes[0].text.find(problem), std::string::npos)
            << t.frontEnd.boxes[0].text;
        EXPECT_EQ(FindSavedGameDamage("cut"), FindSaveDamage(text));
    }
    EXPECT_EQ(FirstDifference(WithoutDate(BuildSaveText()), before), "");
    EXPECT_EQ(FindSavedGameDamage("good"), "");
    ProcessNewTurn();
    EXPECT_EQ(GetTurnNumber(), turn + 1);
}

// A finished game comes back finished; a file from before the network and the generator were
// saved loads as it always did, the game running and the network as its sections leave it.
TEST_F(SaveGameTest, AFinishedGameStaysOverAndOlderFilesLoad) {
    PlayThirtyTurns();
    SetGameOver(true);
    SaveGame("over");
    const std::string over = SaveText("over");
    SetGameOver(false);
    ASSERT_EQ(LoadGame("over"), LoadResult::Loaded);
    EXPECT_TRUE(IsGameOver());

    const size_t from = over.find("<network>\n");
    const size_t to = over.find("</resume>\n");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    t.dir.Write("user/savegames/older.xml", over.substr(0, from) + over.substr(to + 10));
    t.frontEnd.boxes.clear();
    ASSERT_EQ(LoadGame("older"), LoadResult::Loaded);
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
    EXPECT_FALSE(IsGameOver());
    EXPECT_EQ(VoterCount(), 120);
    const int turn = GetTurnNumber();
    ProcessNewTurn();
    EXPECT_EQ(GetTurnNumber(), turn + 1);
}

// Files written before the long lists were rows hold every field of every voter, node and link as
// an element of its own. They load to the very game the rows bring back, which plays on alike.
TEST_F(SaveGameTest, FilesOfElementsLoadAsTheirRowsDoAndPlayOnAlike) {
    PlayThirtyTurns();
    ASSERT_TRUE(SaveGame("rows"));
    const std::string rows = WithoutDate(SaveText("rows"));
    const std::string elements = BuildSaveText(SaveLayout::Elements);
    EXPECT_EQ(rows.find("<link>"), std::string::npos);
    EXPECT_NE(elements.find("<link>\n<from>"), std::string::npos);
    EXPECT_NE(elements.find("<voter>\n<ForeID>"), std::string::npos);
    // Most of what the elements spell out is tag names and figures the load works out anyway.
    EXPECT_LT(rows.size() * 4, elements.size());
    t.dir.Write("user/savegames/elements.xml", elements);

    const auto playOn = [this]() {
        for (int i = 0; i < 3; ++i)
            ProcessNewTurn();
        return WithoutDate(BuildSaveText());
    };
    ASSERT_EQ(LoadGame("elements"), LoadResult::Loaded);
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
    EXPECT_EQ(FirstDifference(WithoutDate(BuildSaveText()), rows), "") << t.LogText();
    const std::string fromElements = playOn();
    ASSERT_EQ(LoadGame("rows"), LoadResult::Loaded);
    EXPECT_EQ(FirstDifference(playOn(), fromElements), "");
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
}

// Cut at every thousandth byte and just before and after every section: each cut file is refused
// with one message and the game in play is not touched.
TEST_F(SaveGameTest, EveryCutSaveIsRefusedWhole) {
    GetSetupTable().SetFloat("AIENTITIES", 40.0f);
    PlayThirtyTurns();
    SaveGame("whole");
    const std::string whole = SaveText("whole");
    std::vector<size_t> cuts;
    for (size_t at = 0; at < whole.size(); at += 1000)
        cuts.push_back(at);
    // Every line that opens or closes a section (an element right inside the file's own) is a
    // boundary: cut just before it and just after it.
    int depth = 0;
    for (size_t at = 0; at < whole.size();) {
        const size_t end = whole.find('\n', at);
        const std::string line = whole.substr(at, end - at);
        const bool alone = line.find('<', 1) == std::string::npos;
        const bool closing = line.compare(0, 2, "</") == 0;
        if (alone && closing)
            --depth;
        if (alone && depth == 1) {
            cuts.push_back(at);
            cuts.push_back(end);
        }
        if (alone && !closing)
            ++depth;
        at = end + 1;
    }
    cuts.push_back(whole.size() - 2);
    cuts.erase(
        std::remove_if(cuts.begin(), cuts.end(), [&](size_t at) { return at + 1 >= whole.size(); }),
        cuts.end());
    const std::string before = WithoutDate(BuildSaveText());
    const int turn = GetTurnNumber();
    for (size_t at : cuts) {
        // Removed first: a file cut short in place is flushed to the disk at every close.
        std::filesystem::remove(t.dir.Path() + "/user/savegames/cut.xml");
        t.dir.Write("user/savegames/cut.xml", whole.substr(0, at));
        t.frontEnd.boxes.clear();
        ASSERT_EQ(LoadGame("cut"), LoadResult::Damaged) << "cut at " << at;
        ASSERT_EQ(t.frontEnd.boxes.size(), 1u) << "cut at " << at;
        EXPECT_NE(t.frontEnd.boxes[0].text.find("it breaks off"), std::string::npos)
            << t.frontEnd.boxes[0].text;
        EXPECT_EQ(GetTurnNumber(), turn);
    }
    EXPECT_GT(cuts.size(), 100u);
    EXPECT_EQ(FirstDifference(WithoutDate(BuildSaveText()), before), "");
    // A cut that leaves only the final line break off is no damage.
    t.dir.Write("user/savegames/cut.xml", whole.substr(0, whole.size() - 1));
    EXPECT_EQ(LoadGame("cut"), LoadResult::Loaded);
}

TEST_F(SaveGameTest, DamagedFilesNeverCrash) {
    GetSetupTable().SetFloat("AIENTITIES", 6.0f);
    NewGameSetup(kDefaultMission);
    SaveGame("base");
    const std::string base = SaveText("base");
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    const char alphabet[] = "<>/,.-0123456789eE \nxyz";
    auto damage = [&](std::string text, int edits) {
        for (int e = 0; e < edits && !text.empty(); ++e)
            text[next(static_cast<uint32_t>(text.size()))] = alphabet[next(sizeof alphabet - 1)];
        return text;
    };
    // The scanner alone, over many copies: cheap, so it can take most of the damage. Every loop
    // over elements moves on, every value stays within the scanner's bound and every number read
    // is finite.
    for (int round = 0; round < 300; ++round) {
        std::string text = damage(base, 1 + static_cast<int>(next(8)));
        if (round % 3 == 0)
            text.resize(next(static_cast<uint32_t>(text.size())));
        const size_t tags = static_cast<size_t>(std::count(text.begin(), text.end(), '<'));
        SaveReader reader;
        reader.SetText(text);
        std::string name;
        float list[33];
        size_t voters = 0;
        reader.FindTag("voters");
        while (reader.IsNextTag("voter")) {
            reader.FindTag("voter");
            ASSERT_LE(++voters, tags) << "round " << round << ": the scanner stands still";
            reader.ReadString("ForeID", name);
            EXPECT_LE(name.size(), 1023u);
            std::fill(list, list + 33, 0.0f);
            reader.ReadList("history", list, 33);
            for (float value : list)
                EXPECT_TRUE(std::isfinite(value)) << "round " << round;
        }
        EXPECT_LE(reader.ReadValue("/xml").size(), 1023u);
    }
    // And whole loads of a few damaged files, one with its envelope broken. A refused file
    // leaves the game as it was; a loaded one invents no voters. Either way the game plays on.
    int loaded = 0;
    int refused = 0;
    for (int round = 0; round < 30; ++round) {
        std::string text = damage(base, 20);
        // Every third file is only a figure changed, which is no damage at all.
        if (round % 3 == 0) {
            text = base;
            size_t at = text.find_first_of("123456789", next(static_cast<uint32_t>(text.size())));
            // A digit in a tag's name (<symp2>) is no figure.
            const auto inTag = [&text](size_t i) {
                const size_t open = text.rfind('<', i), close = text.rfind('>', i);
                return open != std::string::npos && (close == std::string::npos || open > close);
            };
            while (at != std::string::npos && inTag(at))
                at = text.find_first_of("123456789", at + 1);
            if (at != std::string::npos)
                text[at] = text[at] == '7' ? '3' : '7';
        } else if (round % 2)
            text.resize(next(static_cast<uint32_t>(text.size())));
        if (round == 7)
            text.replace(text.find("<header>"), 8, "<he4der>");
        t.dir.Write("user/savegames/damaged.xml", text);
        const int turn = GetTurnNumber();
        const int voters = VoterCount();
        t.frontEnd.boxes.clear();
        if (LoadGame("damaged") == LoadResult::Loaded) {
            ++loaded;
            EXPECT_LE(VoterCount(), 6) << "round " << round;
        } else {
            ++refused;
            EXPECT_EQ(t.frontEnd.boxes.size(), 1u) << "round " << round;
            EXPECT_EQ(GetTurnNumber(), turn) << "round " << round;
            EXPECT_EQ(VoterCount(), voters) << "round " << round;
        }
        const int before = GetTurnNumber();
        ProcessNewTurn();
        EXPECT_EQ(GetTurnNumber(), before + 1) << "round " << round;
        const float share = GetPotentialVoteRate();
        EXPECT_TRUE(share >= 0.0f && share <= 1.0f) << "round " << round << ": " << share;
    }
    EXPECT_GE(loaded, 10);
    EXPECT_GE(refused, 15);
}

} // namespace
