#include "government/minister.h"

#include "base/debug_log.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/cabinet.h"
#include "government/policy_manager.h"
#include "network/neural_effect.h"
#include "population/grudge.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>

namespace {

// Redraws of the second sympathy and of a name before the fallbacks take over: plenty for any
// reasonable content, and a hard stop for content where no draw can ever succeed.
constexpr int kMaxRedraws = 200;

// Turns that must pass, more than this, between two low-loyalty warnings.
constexpr int32_t kWarningInterval = 3;

// A term counted in years when the mission gives none.
constexpr int kDefaultTermYears = 4;

bool GoodSecondSympathy(const SIM_VoterType* first, const SIM_VoterType* second) {
    return second && second != first && (!first || first->GetCorrelation(second) >= 0.0f);
}

} // namespace

SIM_Minister::SIM_Minister() {
    GetCabinet().AddMinister(this);
    typeCode = NeuronType::Minister;
    combineMode = kCombineSum;
    volatility = RandomFloat(0.5f, 2.0f);

    for (float& fit : suitability)
        fit = RandomFloat(0.0f, 1.0f);
    // Best post first; a later post displaces the choice only when strictly better.
    bool taken[kPolicyGroupCount] = {};
    for (SIM_PolicyGroup*& preferred : preferredPosts) {
        int best = -1;
        for (int i = 0; i < kPolicyGroupCount; ++i) {
            if (!taken[i] && (best < 0 || suitability[i] > suitability[best]))
                best = i;
        }
        taken[best] = true;
        preferred = &GetPolicyManager().Group(best);
    }

    ChooseSympathies();

    portrait = kDefaultMinisterPortrait;
    female = Chance(kFemaleMinisterChance);
    ChooseName();

    SetName(fullName);
    SetGuiName(fullName);
    experience = RandomFloat(0.2f, 0.6f);
    loyalty = 0.5f;
    baseOffset = 0.5f;

    std::string drawn = GetCabinet().DrawPortrait(female);
    if (!drawn.empty())
        portrait = drawn;
    lastWarningTurn = 0;
}

SIM_Minister::~SIM_Minister() {
    if (IsGameRunning()) {
        if (currentPost && currentPost->minister == this)
            currentPost->minister = nullptr;
        LeaveOffice();
    }
    GetCabinet().ForgetMinister(this);
}

void SIM_Minister::ChooseSympathies() {
    SIM_VoterManager& voters = GetVoterManager();
    sympathy1 = voters.GetRandomVoterType();
    sympathy2 = nullptr;
    for (int attempt = 0; attempt < kMaxRedraws && sympathy1; ++attempt) {
        SIM_VoterType* drawn = voters.GetRandomVoterType();
        if (GoodSecondSympathy(sympathy1, drawn)) {
            sympathy2 = drawn;
            break;
        }
    }
    // Luck ran out, or no group fits at all: take the first fitting group in list order, and
    // stand for one group only when none fits.
    if (sympathy1 && !sympathy2) {
        for (SIM_VoterType* candidate : voters.VoterTypes()) {
            if (std::string(candidate->name) != "_All_" &&
                GoodSecondSympathy(sympathy1, candidate)) {
                sympathy2 = candidate;
                break;
            }
        }
    }
    RebuildSympathyLinks();
}

void SIM_Minister::RebuildSympathyLinks() {
    // Each link leaves its source's list as it goes (while the game runs); this side's list is
    // emptied first so the walk cannot depend on that.
    std::vector<NeuralEffect*> old;
    old.swap(inputs);
    for (NeuralEffect* link : old)
        delete link;
    for (SIM_VoterType* sympathy : {sympathy1, sympathy2}) {
        if (sympathy)
            new NeuralEffect(sympathy, this, kMinisterSympathyFormula, 1.0f, 1.0f);
    }
}

void SIM_Minister::ChooseName() {
    SIM_CabinetManager& cabinet = GetCabinet();
    std::string drawn;
    for (int attempt = 0; attempt < kMaxRedraws; ++attempt) {
        drawn = MakePersonName(female);
        if (!cabinet.NameTaken(drawn)) {
            fullName = drawn;
            return;
        }
    }
    // Name lists too short for the cabinet (or missing): number the last draw until it is free.
    for (int number = 2;; ++number) {
        std::string numbered = drawn + " " + std::to_string(number);
        if (!cabinet.NameTaken(numbered)) {
            fullName = numbered;
            return;
        }
    }
}

float SIM_Minister::GetSuitability(int index) const {
    if (index < 0 || index >= kPolicyGroupCount)
        return 0.0f;
    return suitability[index];
}

bool SIM_Minister::StandsFor(const SIM_VoterType* voterType) const {
    return voterType && (voterType == sympathy1 || voterType == sympathy2);
}

void SIM_Minister::SetPost(SIM_PolicyGroup* post) {
    LeaveOffice();
    currentPost = post;
    if (post) {
        SetGuiName(fullName + " (" + post->cabinetTitle + ")");
        TakeOffice();
    } else {
        SetGuiName(fullName);
    }
}

void SIM_Minister::TakeOffice() {
    ASSERT(sympathy1 != nullptr && sympathy2 != nullptr);
    ASSERT(boostNodes[0] == nullptr && boostNodes[1] == nullptr);
    float boost = SetupFloat("MINISTER_VOTER_BOOST");
    SIM_VoterType* sympathies[2] = {sympathy1, sympathy2};
    for (int i = 0; i < 2; ++i) {
        if (sympathies[i] && !boostNodes[i])
            boostNodes[i] = CreateGrudge(name, sympathies[i]->name, boost, 1.0f);
    }
}

void SIM_Minister::LeaveOffice() {
    for (SIM_Grudge*& boost : boostNodes) {
        // A boost too small to count has already faded away with the grudges, which cleared the
        // pointer; the check guards against freeing it twice all the same.
        SIM_Grudge* node = boost;
        boost = nullptr;
        if (IsLiveGrudge(node))
            delete node;
    }
}

int32_t SIM_Minister::GetPoliticalCapital() const {
    float c = (loyalty - SetupFloat("MINISTER_RESIGN_THRESHHOLD")) *
              SetupFloat("POLITICAL_CAPITAL_PER_MINISTER");
    if (GetOption(kOptionHoneymoon) != 0.0f) {
        int years = GetMission().termLength > 0 ? GetMission().termLength : kDefaultTermYears;
        float q = (static_cast<float>(GetTurnNumber()) / static_cast<float>(years * 4)) * 0.5f;
        q = std::clamp(q, 0.0f, 1.0f);
        c = c * (0.5f + 0.7f * (1.0f - q));
    }
    // NaN from a broken table must not reach the conversion.
    if (!(c >= 1.0f))
        c = 1.0f;
    if (c > 1.0e6f)
        c = 1.0e6f;
    return static_cast<int32_t>(c);
}

void SIM_Minister::Fire() {
    GetCabinet().Fire(this);
}

bool SIM_Minister::TurnStep() {
    if (currentPost) {
        experience = std::clamp(experience + SetupFloat("MINISTER_EXPERIENCE_RATE"), 0.0f, 1.0f);
        if (value > SetupFloat("MINISTER_LOYALTY_GAIN_THRESHHOLD"))
            loyalty = loyalty + SetupFloat("MINISTER_LOYALTY_GAINRATE") * volatility;
        else if (value < SetupFloat("MINISTER_LOYALTY_DROP_THRESHHOLD"))
            loyalty = loyalty - volatility * SetupFloat("MINISTER_LOYALTY_DROP_RATE");
        loyalty = std::clamp(loyalty, 0.0f, 1.0f);
    }
    if (!currentPost)
        return false;
    if (loyalty < SetupFloat("MINISTER_RESIGN_THRESHHOLD") &&
        Chance(SetupFloat("MINISTER_RESIGN_CHANCE")))
        return true;
    int32_t turn = GetTurnNumber();
    if (loyalty < SetupFloat("MINISTER_LOW_LOYALTY") && turn - lastWarningTurn > kWarningInterval) {
        WarnLowLoyalty();
        lastWarningTurn = turn;
    }
    return false;
}

void SIM_Minister::WarnLowLoyalty() {
    std::string text = Translate("MINISTER_WARNING");
    ReplaceAll(text, "<NAME>", fullName);
    ReplaceAll(text, "<JOB>", currentPost ? currentPost->cabinetTitle : std::string());
    ReplaceAll(text, "<GROUP1>", sympathy1 ? Translate(sympathy1->guiName) : "");
    ReplaceAll(text, "<GROUP2>", sympathy2 ? Translate(sympathy2->guiName) : "");
    std::string title = Translate("MINISTER_WARNING_TITLE");
    ReplaceAll(title, "<NAME>", fullName);
    AddMinisterIssue(this, kIssueMinisterNews, text, title);
}
