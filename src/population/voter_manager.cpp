#include "population/voter_manager.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "base/random.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char kAllVotersName[] = "_All_";
constexpr size_t kModLineCapacity = 1024;
constexpr size_t kShortestModRow = 8;
constexpr float kPopulationProgress = 0.01f;

int ReadVoterTotal() {
    float total = SetupFloat("AIENTITIES");
    return total > 0.0f ? static_cast<int>(total) : 0;
}

SIM_VoterType* FindIncomeClass(const char* className) {
    Neuron* found = FindNeuron(className);
    if (found && found->typeCode == NeuronType::VoterType)
        return static_cast<SIM_VoterType*>(found);
    ASSERT(false);
    return nullptr;
}

void Progress(const std::string& text, float advance) {
    GetFrontEnd().ProcessingProgress(text, advance);
}

} // namespace

SIM_VoterManager& GetVoterManager() {
    return Population().voterManager;
}

void SIM_VoterManager::AddVoterType(SIM_VoterType* voterType) {
    voterTypes.push_back(voterType);
}

void SIM_VoterManager::ForgetVoterType(SIM_VoterType* voterType) {
    voterTypes.erase(std::remove(voterTypes.begin(), voterTypes.end(), voterType),
                     voterTypes.end());
    if (poor == voterType)
        poor = nullptr;
    if (middleIncome == voterType)
        middleIncome = nullptr;
    if (wealthy == voterType)
        wealthy = nullptr;
}

SIM_VoterType* SIM_VoterManager::CreateVoterType(const std::string& row) {
    SIM_VoterType* voterType = new SIM_VoterType();
    if (voterType->Parse(row))
        return voterType;
    delete voterType;
    return nullptr;
}

void SIM_VoterManager::Initialise() {
    Log("SIM_VoterManager::Initialise() Begin");
    DeleteAllVoterTypes();
    DeleteAllVoters();
    voterTotal = ReadVoterTotal();

    Log("Loading Modded Voter Types");
    LoadModdedVoterTypes();

    Log("Loading Standard Voter Types");
    LoadStandardVoterTypes();

    Log("Setting Opposites");
    for (SIM_VoterType* voterType : voterTypes)
        voterType->ResolveOpposite();

    Log("Cacheing Wealth pointers");
    poor = FindIncomeClass("Poor");
    middleIncome = FindIncomeClass("MiddleIncome");
    wealthy = FindIncomeClass("Wealthy");

    Log("SIM_VoterManager::Initialise() End");
}

void SIM_VoterManager::LoadModdedVoterTypes() {
    const std::string& userDir = GetUserDir();
    if (userDir.empty())
        return;
    std::string folder = userDir + "/mods/data/simulation/votertypes/";
    CFileList files;
    files.Scan(folder + "*.txt");
    bool first = true;
    for (const std::string& fileName : files.Names()) {
        // Mods may add a few groups, not reshape the electorate.
        if (!first && voterTypes.size() >= kMaxModdedVoterTypes)
            continue;
        first = false;
        FILE* file = OpenDataFile(folder + fileName, "r");
        if (!file) {
            REPORT_ERROR("Failed to load in modded voter type");
            continue;
        }
        std::string line;
        bool read = ReadTextLine(file, kModLineCapacity, line);
        std::fclose(file);
        if (read && line.size() > kShortestModRow && line[0] == '#') {
            ContentPlace place(folder + fileName, 1);
            CreateVoterType(line);
        }
    }
}

void SIM_VoterManager::LoadStandardVoterTypes() {
    CSpreadsheet sheet(SetupString(kSetupVoters));
    for (size_t i = 0; i < sheet.Rows().size(); ++i) {
        ContentPlace place(sheet.File(), sheet.LineOf(i));
        CreateVoterType(sheet.Rows()[i]);
    }
}

void SIM_VoterManager::CreateVotingPopulation() {
    Progress("Creating Voting population", 0.0f);
    DeleteAllVoters();
    voterTotal = ReadVoterTotal();
    // Incomes and memberships read no opinion, so the voters need not know the government yet.
    VoterPass pass;

    // Every group gains one output per voter and every voter one input per group: sized once,
    // rather than grown step by step across a large population.
    for (SIM_VoterType* voterType : voterTypes)
        voterType->outputs.reserve(voterType->outputs.size() + static_cast<size_t>(voterTotal));

    char text[128];
    for (int i = 0; i < voterTotal; ++i) {
        SIM_Voter* voter = new SIM_Voter();
        voter->inputs.reserve(voterTypes.size());
        OfferAllVoterTypes(voter);
        if ((i + 1) % kVoterProgressStep == 0) {
            std::snprintf(text, sizeof text, "%d Voters Created", i + 1);
            Progress(text, kPopulationProgress);
        }
    }
    std::snprintf(text, sizeof text, "%d Voters Created", voterTotal);
    Progress(text, 0.0f);

    for (SIM_VoterType* voterType : voterTypes) {
        std::snprintf(text, sizeof text, "Adding membership links (%s)", voterType->guiName);
        Progress(text, kPopulationProgress);
        voterType->AssignInitialMembers();
    }

    for (SIM_Voter* voter : AllVoters())
        voter->InitIncome();
}

void SIM_VoterManager::OfferAllVoterTypes(SIM_Voter* voter) {
    const VoterTuning* tuning = GetActiveVoterTuning();
    float threshold =
        tuning ? tuning->membershipThreshold : SetupFloat("VOTER_GROUP_MEMBERSHIP_THRESHHOLD");
    for (SIM_VoterType* voterType : voterTypes)
        voterType->SetMembership(voter, RandomFloat(0.0f, threshold));
}

void SIM_VoterManager::UpdateVoters(const VoterContext& context) {
    VoterPass pass(context);
    for (SIM_Voter* voter : AllVoters())
        voter->UpdateTurn();
}

void SIM_VoterManager::UpdateVoterTypes() {
    for (SIM_VoterType* voterType : voterTypes)
        voterType->UpdateTurn();
}

void SIM_VoterManager::UpdateVoteShares() {
    for (SIM_VoterType* voterType : voterTypes)
        voterType->UpdateVoteShares();
}

void SIM_VoterManager::InitialiseSympathies(const VoterContext& context) {
    VoterPass pass(context);
    for (SIM_Voter* voter : AllVoters())
        voter->UpdateSympathies(10);
}

SIM_VoterType* SIM_VoterManager::FindVoterType(const std::string& typeName) const {
    for (SIM_VoterType* voterType : voterTypes)
        if (typeName == voterType->name)
            return voterType;
    return nullptr;
}

SIM_VoterType* SIM_VoterManager::GetVoterTypeByIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(voterTypes.size()))
        return nullptr;
    return voterTypes[static_cast<size_t>(index)];
}

SIM_VoterType* SIM_VoterManager::GetRandomVoterType() const {
    // Without a group other than "_All_" the draw would never end.
    bool anyOther = std::any_of(voterTypes.begin(), voterTypes.end(), [](SIM_VoterType* vt) {
        return std::strcmp(vt->name, kAllVotersName) != 0;
    });
    if (!anyOther)
        return nullptr;
    for (;;) {
        SIM_VoterType* voterType =
            voterTypes[static_cast<size_t>(RandomIndex(static_cast<int>(voterTypes.size())))];
        if (std::strcmp(voterType->name, kAllVotersName) != 0)
            return voterType;
    }
}

void SIM_VoterManager::DeleteAllVoterTypes() {
    while (!voterTypes.empty())
        delete voterTypes.front();
    poor = nullptr;
    middleIncome = nullptr;
    wealthy = nullptr;
}

void SIM_VoterManager::DeleteAllVoters() {
    for (;;) {
        const std::vector<SIM_Voter*>& voters = AllVoters();
        if (voters.empty())
            break;
        // From the back, so the list shrinks without gaps to close.
        delete voters.back();
    }
}

SIM_VoterManager* FindVoterManager() {
    return GamePart<PopulationState>::Exists() ? &Population().voterManager : nullptr;
}

float GetVoteShare(const VoterContext& context) {
    VoterPass pass(context);
    int forPlayer = 0;
    int total = 0;
    for (SIM_Voter* voter : AllVoters()) {
        ++total;
        if (voter->WouldVoteForPlayer())
            ++forPlayer;
    }
    // Without a population there is nobody to poll; an even split keeps the network neutral.
    if (total <= 0)
        return 0.5f;
    return static_cast<float>(forPlayer) / static_cast<float>(total);
}
