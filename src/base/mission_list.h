#pragma once
// The countries a new game can start from: the missions of "data/missions" and of the user
// folder's "mods/data/missions", each named by its file's stem ("USA" for "USA.txt"), the name
// the runner's --new takes and a saved game's mission record keeps.

#include <string>
#include <vector>

struct MissionChoice {
    std::string name;    // the file's stem
    std::string file;    // the path MissionFile gives for name
    std::string country; // the mission's own name for its country; the stem when it has none
    bool modded = false;
};

// The default mission first, then the other standard missions and then the mods' missions, each
// in file-name order. A mod mission whose stem a standard one already has is left out: the
// standard file would be the one loaded under that name.
std::vector<MissionChoice> ListMissions(const std::string& userDir);
