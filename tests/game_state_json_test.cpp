// The state document of a played game: well-formed JSON, its sections in a fixed order, figures
// that agree with the game's own records, and the same bytes for the same seed.

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "game/game_state_json.h"
#include "game/turn_pipeline.h"
#include "government/achievements.h"
#include "government/cabinet.h"
#include "government/cabinet_actions.h"
#include "government/election_manager.h"
#include "government/manifesto.h"
#include "government/minister.h"
#include "government/policy_manager.h"
#include "population/grudge.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"
#include "test_helpers.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A strict reader for the subset of JSON the writer produces (which is all of JSON but
// surrogate escapes). It keeps object keys in document order so that tests can check the order.
struct JsonValue {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool flag = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::string> keys; // objects: items[i] is the value of keys[i]

    const JsonValue& operator[](const std::string& key) const {
        static const JsonValue missing;
        auto found = std::find(keys.begin(), keys.end(), key);
        return found == keys.end() ? missing : items[found - keys.begin()];
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : s(text) {}

    // False, with the position in error, unless the whole text is exactly one value.
    bool Read(JsonValue& out) {
        if (!Value(out, 0))
            return false;
        SkipSpace();
        return at == s.size() || Fail("text after the document");
    }
    std::string error;

private:
    bool Fail(const char* what) {
        if (error.empty())
            error = std::string(what) + " at offset " + std::to_string(at);
        return false;
    }
    bool Is(char c) const { return at < s.size() && s[at] == c; }
    bool Digit() const { return at < s.size() && std::isdigit(static_cast<unsigned char>(s[at])); }
    void SkipSpace() {
        while (Is(' ') || Is('\n') || Is('\r') || Is('\t'))
            ++at;
    }
    bool Eat(char c) {
        SkipSpace();
        return Is(c) && ++at;
    }
    bool Digits() {
        size_t from = at;
        while (Digit())
            ++at;
        return at > from;
    }
    bool Value(JsonValue& v, int depth) {
        SkipSpace();
        if (depth > 64 || at >= s.size())
            return Fail("unexpected end or nesting too deep");
        if (Is('{') || Is('['))
            return Container(v, depth);
        if (Is('"')) {
            v.kind = JsonValue::String;
            return String(v.text);
        }
        for (std::string word : {"true", "false", "null"})
            if (s.compare(at, word.size(), word) == 0) {
                at += word.size();
                v.kind = word == "null" ? JsonValue::Null : JsonValue::Bool;
                v.flag = word == "true";
                return true;
            }
        v.kind = JsonValue::Number;
        size_t start = at;
        at += Is('-');
        if (Is('0') && at + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[at + 1])))
            return Fail("leading zero");
        if (!Digits())
            return Fail("bad number");
        if (Is('.') && (++at, !Digits()))
            return Fail("bad fraction");
        if (Is('e') || Is('E')) {
            ++at;
            at += Is('+') || Is('-');
            if (!Digits())
                return Fail("bad exponent");
        }
        v.number = std::strtod(s.substr(start, at - start).c_str(), nullptr);
        return true;
    }
    bool String(std::string& out) {
        ++at; // the opening quote
        while (at < s.size()) {
            unsigned char c = static_cast<unsigned char>(s[at++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return Fail("raw control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            char e = at < s.size() ? s[at++] : '\0';
            if (e == 'u') {
                for (int i = 0; i < 4; ++i, ++at)
                    if (!(at < s.size() && std::isxdigit(static_cast<unsigned char>(s[at]))))
                        return Fail("bad \\u escape");
                out += '?';
            } else if (e && std::string("\"\\/bfnrt").find(e) != std::string::npos) {
                out += e;
            } else {
                return Fail("bad escape");
            }
        }
        return Fail("unterminated string");
    }
    bool Container(JsonValue& v, int depth) {
        bool object = s[at++] == '{';
        v.kind = object ? JsonValue::Object : JsonValue::Array;
        char close = object ? '}' : ']';
        if (Eat(close))
            return true;
        do {
            if (object) {
                std::string key;
                SkipSpace();
                if (!Is('"') || !String(key))
                    return Fail("expected a key");
                if (std::find(v.keys.begin(), v.keys.end(), key) != v.keys.end())
                    return Fail("repeated key");
                if (!Eat(':'))
                    return Fail("expected :");
                v.keys.push_back(key);
            }
            v.items.emplace_back();
            if (!Value(v.items.back(), depth + 1))
                return false;
        } while (Eat(','));
        return Eat(close) || Fail("expected , or the closing bracket");
    }

    const std::string& s;
    size_t at = 0;
};

TEST(JsonReaderTest, TheCheckerRejectsWhatIsNotJson) {
    for (const char* bad : {"", "{", "{\"a\":1,}", "[1 2]", "{\"a\" 1}", "{\"a\":1,\"a\":2}",
                            "\"open", "01", "1.", "nan", "{} {}", "[\"tab\there\"]"}) {
        JsonValue v;
        EXPECT_FALSE(JsonReader(bad).Read(v)) << bad;
    }
    JsonValue v;
    ASSERT_TRUE(JsonReader("{\"b\": [1, -2.5e3, true, null], \"a\": \"x\\\"y\"}").Read(v));
    ASSERT_EQ(v.keys, (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(v["b"].items[1].number, -2500.0);
    EXPECT_EQ(v["a"].text, "x\"y");
}

// The shipped country with a small population, so that a game reaches its first election
// quickly.
class GameStateJsonTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(std::string(MARROWGATE_SOURCE_DIR) + "/data",
                                                  t.dir.Path() + "/data");
        CloseLog();
        OpenLog();
    }
    void TearDown() override { TearDownGame(); }

    // Loads what the program loads at start-up and starts a game; each game gets its own user
    // folder, so that achievements won in one cannot leak into the next through the state file.
    void StartGame(uint32_t seed) {
        SetUserDir(t.dir.Path() + "/user" + std::to_string(++games));
        LoadSetupTable();
        GetSetupTable().SetFloat("AIENTITIES", 300.0f);
        LoadOptions();
        GetManifesto().LoadOptions();
        LoadAchievements();
        SeedRandom(seed);
        GetMission().SetMissionFile(MissionFile(kDefaultMission));
        GetMission().Load();
        NewGameSetup(kDefaultMission);
    }

    JsonValue Document() {
        std::string text = GameStateJson();
        JsonValue doc;
        JsonReader reader(text);
        EXPECT_TRUE(reader.Read(doc)) << reader.error;
        return doc;
    }

    std::string PlayAndDump(uint32_t seed, int turns) {
        StartGame(seed);
        for (int i = 0; i < turns; ++i)
            ProcessNewTurn();
        // A player's choice on the way, so the cabinet's state is part of the comparison.
        const SIM_Minister* candidate = nullptr;
        for (const SIM_Minister* minister : GetCabinet().ministers)
            if (!minister->HasPost() && !candidate)
                candidate = minister;
        if (candidate) {
            EXPECT_TRUE(AppointMinisterAction(candidate->fullName, "TAX").ok);
        }
        ProcessNewTurn();
        std::string text = GameStateJson();
        // The next game starts from nothing, the calendar and the tables included.
        TearDownGame();
        LoggedTest::ForgetTables();
        return text;
    }

    LoggedTest t;
    int games = 0;
};

TEST_F(GameStateJsonTest, SectionsComeInAFixedOrderAndAgreeWithTheGame) {
    StartGame(21);
    ProcessNewTurn();
    ProcessNewTurn();
    size_t boxes = t.frontEnd.boxes.size();
    std::string logBefore = t.LogText();
    JsonValue doc = Document();
    // Writing the document is not an event of the game: nothing reported, nothing logged.
    EXPECT_EQ(t.frontEnd.boxes.size(), boxes);
    EXPECT_EQ(t.LogText(), logBefore);

    const std::vector<std::string> order = {
        "turn",     "calendar",         "polls",   "gameOver",    "mission",
        "finances", "politicalCapital", "voters",  "voterGroups", "parties",
        "election", "manifesto",        "cabinet", "candidates",  "grudges",
        "cynicism", "achievements",     "events",  "dilemmas",    "situations",
        "issues",   "pressureGroups",   "attacks", "lastAttack",  "reports",
        "nodes"};
    ASSERT_EQ(doc.keys, order);

    const SIM_VoterManager& manager = GetVoterManager();
    EXPECT_EQ(doc["voters"]["count"].number, 300.0);
    const JsonValue& groups = doc["voterGroups"];
    ASSERT_EQ(groups.items.size(), static_cast<size_t>(manager.VoterTypeCount()));
    for (size_t i = 0; i < groups.items.size(); ++i) {
        const SIM_VoterType* group = manager.VoterTypes()[i];
        const JsonValue& g = groups.items[i];
        EXPECT_EQ(g["name"].text, group->name);
        EXPECT_EQ(g["members"].number, group->MemberCount()) << group->name;
        EXPECT_FLOAT_EQ(static_cast<float>(g["share"].number), group->MemberCount() / 300.0f);
        EXPECT_TRUE(g["approval"].number >= 0.0 && g["approval"].number <= 1.0) << group->name;
    }

    const JsonValue& parties = doc["parties"];
    ASSERT_EQ(parties.items.size(), 2u);
    EXPECT_TRUE(parties.items[0]["player"].flag);
    EXPECT_FALSE(parties.items[1]["player"].flag);
    EXPECT_EQ(parties.items[0]["members"].number + parties.items[1]["members"].number,
              doc["voters"]["playersPartyMembers"].number +
                  doc["voters"]["oppositionMembers"].number);

    // Every post names its minister, and that minister is listed in office with that post;
    // candidates hold nothing and earn nothing.
    const JsonValue& posts = doc["cabinet"]["posts"];
    ASSERT_EQ(posts.items.size(), static_cast<size_t>(kPolicyGroupCount));
    std::map<std::string, std::string> postOf;
    for (const JsonValue& m : doc["cabinet"]["ministers"].items) {
        postOf[m["name"].text] = m["post"].text;
        EXPECT_GE(m["politicalCapital"].number, 1.0);
        EXPECT_EQ(m["suitability"].keys.size(), static_cast<size_t>(kPolicyGroupCount));
    }
    for (size_t i = 0; i < posts.items.size(); ++i) {
        const JsonValue& post = posts.items[i];
        EXPECT_EQ(post["group"].text, kPolicyGroupKeys[i]);
        if (post["minister"].kind == JsonValue::String) {
            EXPECT_EQ(postOf[post["minister"].text], post["group"].text);
        }
    }
    EXPECT_EQ(doc["candidates"].items.size(), static_cast<size_t>(GetCabinet().CandidateCount()));
    for (const JsonValue& c : doc["candidates"].items) {
        EXPECT_EQ(c["post"].kind, JsonValue::Null);
        EXPECT_EQ(c["politicalCapital"].number, 0.0);
    }

    EXPECT_EQ(doc["grudges"].items.size(), AllGrudges().size());
    EXPECT_EQ(doc["achievements"].items.size(), GetAchievements().size());
    EXPECT_EQ(doc["election"]["lastResult"].kind, JsonValue::Null);
    EXPECT_EQ(doc["election"]["termsServed"].number, 0.0);
    EXPECT_EQ(doc["election"]["termsLeft"].number, doc["election"]["termLimit"].number);

    // Voters are summed up, never listed one by one among the nodes.
    for (const JsonValue& node : doc["nodes"].items)
        ASSERT_NE(node["type"].number, static_cast<double>(NeuronType::Voter));
}

TEST_F(GameStateJsonTest, ThePledgeTurnAndTheElectionShowInTheDocument) {
    StartGame(5);
    SIM_ElectionManager& elections = GetElectionManager();
    while (elections.MonthsUntilElection() > kManifestoPromptMonths && !IsGameOver())
        ProcessNewTurn();
    ASSERT_EQ(elections.MonthsUntilElection(), kManifestoPromptMonths);
    ASSERT_TRUE(ChoosePledgeAction("GDP").ok);

    JsonValue before = Document();
    EXPECT_TRUE(before["manifesto"]["mayBeChosen"].flag);
    ASSERT_EQ(before["manifesto"]["nextTermPledges"].items.size(), 1u);
    const JsonValue& pledge = before["manifesto"]["nextTermPledges"].items[0];
    EXPECT_EQ(pledge["target"].text, "GDP");
    EXPECT_EQ(pledge["kind"].text, "raise");
    EXPECT_FLOAT_EQ(static_cast<float>(pledge["goal"].number),
                    std::min(1.0f, 1.1f * static_cast<float>(pledge["initial"].number)));
    EXPECT_TRUE(before["manifesto"]["livePledges"].items.empty());
    EXPECT_EQ(before["election"]["monthsUntil"].number, 3.0);

    ProcessNewTurn();
    ASSERT_TRUE(elections.HasOutcome());
    JsonValue after = Document();
    const JsonValue& result = after["election"]["lastResult"];
    ASSERT_EQ(result.kind, JsonValue::Object);
    EXPECT_EQ(result["playerVotes"].number + result["oppositionVotes"].number +
                  result["abstentions"].number,
              300.0);
    EXPECT_EQ(result["counted"].number, 300.0);
    EXPECT_EQ(result["won"].flag, !IsGameOver());
    EXPECT_EQ(after["gameOver"].flag, IsGameOver());
    EXPECT_EQ(after["election"]["termsServed"].number, 1.0);
    EXPECT_EQ(after["election"]["termsWon"].number, elections.termsWon);
    EXPECT_EQ(after["election"]["monthsUntil"].number, elections.TermMonths());
    // The pledge binds from the count on.
    ASSERT_EQ(after["manifesto"]["livePledges"].items.size(), 1u);
    EXPECT_TRUE(after["manifesto"]["nextTermPledges"].items.empty());
    // The groups' shares of the vote come from the count.
    double turnout = 0.0;
    for (const JsonValue& g : after["voterGroups"].items)
        turnout += g["turnoutShare"].number;
    EXPECT_GT(turnout, 0.0);
}

TEST_F(GameStateJsonTest, TheSameSeedGivesTheSameBytes) {
    std::string first = PlayAndDump(77, 3);
    std::string second = PlayAndDump(77, 3);
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(first == second)
        << "the documents differ from offset "
        << std::mismatch(first.begin(), first.end(), second.begin(), second.end()).first -
               first.begin();
    // The comparison means something only if the seed reaches the document.
    EXPECT_NE(first, PlayAndDump(78, 3));
}

} // namespace
