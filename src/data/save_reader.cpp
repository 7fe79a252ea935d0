// Loading a save: the scanner over the tags, and the order of a load. The sections themselves
// live in save_reader_sections.cpp.

#include "data/save_reader.h"

#include "data/debug_log.h"
#include "data/save_writer.h"
#include "frame/front_end.h"
#include "frame/game_subsystem.h"
#include "frame/mission.h"
#include "frame/options.h"
#include "frame/turn.h"
#include "government/achievements.h"
#include "government/attack.h"
#include "government/dilemma_manager.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/policy_manager.h"
#include "government/report_manager.h"
#include "government/script_runner.h"
#include "network/global_economy.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/simulation.h"
#include "network/situation_manager.h"
#include "population/cabinet.h"
#include "population/cynicism.h"
#include "population/election_manager.h"
#include "population/manifesto.h"
#include "population/party.h"
#include "population/pressure_group.h"
#include "population/voter_manager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

bool SaveReader::OpenSave(const std::string& name) {
    const std::string refusal = SaveNameRefusal(name);
    if (!refusal.empty()) {
        REPORT_ERROR(refusal.c_str());
        return false;
    }
    std::string path = SavePath(name);
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        REPORT_ERROR("Failed to open save game");
        return false;
    }
    std::string data;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        data.append(chunk, got);
    if (std::ferror(f))
        REPORT_ERROR("Failed to read in file data");
    std::fclose(f);
    SetText(std::move(data));
    return true;
}

void SaveReader::SetText(std::string newText) {
    text = std::move(newText);
    position = 0;
    missedTag = false;
}

bool SaveReader::NextTagName(std::string& name) {
    size_t open = text.find('<', position);
    if (open == std::string::npos) {
        position = text.size();
        return false;
    }
    size_t close = text.find('>', open + 1);
    if (close == std::string::npos) {
        position = text.size();
        return false;
    }
    name.assign(text, open + 1, close - open - 1);
    position = close + 1;
    return true;
}

bool SaveReader::FindTag(const char* tag) {
    std::string name;
    while (NextTagName(name)) {
        if (name == tag)
            return true;
    }
    char message[512];
    std::snprintf(message, sizeof message, "missing tag: %s", tag);
    REPORT_ERROR(message);
    missedTag = true;
    return false;
}

bool SaveReader::IsNextTag(const char* tag) {
    size_t mark = position;
    std::string name;
    bool found = NextTagName(name) && name == tag;
    position = mark;
    return found;
}

const std::string& SaveReader::ReadValue(const char* tag) {
    value.clear();
    if (!FindTag(tag))
        return value;
    size_t end = text.find('<', position);
    if (end == std::string::npos)
        end = text.size();
    // Values never reach this length in a file we wrote; the cut keeps hostile input bounded.
    value.assign(text, position, std::min<size_t>(end - position, 1023));
    position = end;
    std::string closing = std::string("/") + tag;
    FindTag(closing.c_str());
    return value;
}

// A damaged or hand-edited file must not hand the game figures that overflow its arithmetic
// (a year times twelve, a turn count plus one); no saved figure comes near these bounds.
constexpr long kMaxSavedInt = 100000000;

void SaveReader::ReadInt(const char* tag, int& out) {
    long number = std::strtol(ReadValue(tag).c_str(), nullptr, 10);
    out = static_cast<int>(std::clamp(number, -kMaxSavedInt, kMaxSavedInt));
}

namespace {

float SafeFloat(const char* text) {
    float number = std::strtof(text, nullptr);
    return std::isfinite(number) ? number : 0.0f;
}

} // namespace

void SaveReader::ReadFloat(const char* tag, float& out) {
    out = SafeFloat(ReadValue(tag).c_str());
}

void SaveReader::ReadBool(const char* tag, bool& out) {
    int flag = 0;
    ReadInt(tag, flag);
    out = flag != 0;
}

void SaveReader::ReadString(const char* tag, std::string& out) {
    out = ReadValue(tag);
}

void SaveReader::ReadList(const char* tag, float* out, int count) {
    const std::string& list = ReadValue(tag);
    size_t start = 0;
    int index = 0;
    while (start < list.size() && index < count) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        out[index++] = SafeFloat(list.substr(start, comma - start).c_str());
        start = comma + 1;
    }
}

std::string SaveReader::PeekValue(const char* tag) const {
    std::string open = std::string("<") + tag + ">";
    size_t at = text.find(open);
    if (at == std::string::npos)
        return std::string();
    at += open.size();
    size_t end = text.find('<', at);
    if (end == std::string::npos)
        return std::string();
    return text.substr(at, std::min<size_t>(end - at, 1023));
}

namespace {

void Progress(const char* text, float advance) {
    GetFrontEnd().ProcessingProgress(text, advance);
}

// The mission the save was made in, read ahead so that content is rebuilt for it.
void LoadSavedMission(const SaveReader& file) {
    std::string missionFile = file.PeekValue("filename");
    CMission& mission = GetMission();
    if (!missionFile.empty() && mission.missionFile != missionFile) {
        mission.Reset();
        mission.SetMissionFile(missionFile);
        mission.Load();
    }
}

// Everything a game holds goes, and the content is read again as a new game reads it; the
// population, the cabinet and the grudges come from the file instead.
void ClearAndReloadContent() {
    SetInstantEffects(true);
    ClearGameAndLoadContent(nullptr);
    SetUpLoadedContent();
    InstallCabinetConnections();
    LoadPressureGroups();
    LoadAttacks();
    GetCynicism().ResetCynicism();
    GetManifesto().Clear();
}

} // namespace

LoadResult LoadGame(const std::string& name) {
    SaveReader r;
    if (!r.OpenSave(name))
        return LoadResult::NotOpened;
    GetFrontEnd().ShowProcessingScreen();
    Progress("Clearing old data", 0.05f);
    LoadSavedMission(r);
    ClearAndReloadContent();

    Progress("Loading data", 0.1f);
    std::string version;
    bool readable = r.FindTag("xml") && r.FindTag("header");
    r.ReadString("version", version);
    if (!readable || !r.FindTag("/header")) {
        GetFrontEnd().ProcessingDone();
        return LoadResult::Damaged;
    }
    if (version != kSaveGameVersion)
        Log("Save game version and game version are possibly incompatible");

    ReadFinancesSection(r);
    ReadMissionSection(r);
    Progress("Loading voters", 0.2f);
    ReadVotersSection(r);
    Progress("Loading policies", 0.3f);
    ReadNodeSections(r);
    ReadMinistersSection(r);
    // The network is ordered as a new game orders it once its population and cabinet exist; the
    // grudges then follow every other node in the order they were raised, as grudges raised in
    // play do. Ordered after them instead, they would sort ahead of the events and dilemmas they
    // are named after and be found in their place.
    OrderNeuronsByType();
    ReadGameStateSections(r);

    Progress("updating calculations", 0.1f);
    // Values come from the file as they were shown; processing the network here would move
    // them a turn on, so only the switches of a running game are restored.
    SetInstantEffects(false);
    GetFrontEnd().ProcessingDone();
    return r.MissedTag() ? LoadResult::Damaged : LoadResult::Loaded;
}
