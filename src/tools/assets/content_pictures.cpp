// The pictures that belong to the game's content rather than to its interface: a pictogram tile per
// policy, minister portraits, event and achievement pictures and the country's flag. The content
// files say which pictures exist, so a policy, event or achievement added to them gets its picture
// at the next build; a final check fails the step when any picture the content names is missing.

#include "tools/assets/asset_steps.h"
#include "tools/assets/emblems.h"
#include "tools/assets/glyph_raster.h"
#include "tools/assets/pictogram_choice.h"
#include "tools/assets/portraits.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Portraits per sex. Their file names end up in saved games, so the set only ever grows.
constexpr int kPortraitsPerSex = 10;

// Splits one table row at commas; double quotes group a cell that holds commas.
std::vector<std::string> SplitCells(const std::string& line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            cells.emplace_back();
        else if (c != '\r' && c != '\n')
            cells.back() += c;
    }
    return cells;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The data rows ("#,...") of a table, split into cells.
std::vector<std::vector<std::string>> DataRows(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    if (!in)
        std::fprintf(stderr, "content pictures: cannot read %s\n", path.c_str());
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && line[0] == '#')
            rows.push_back(SplitCells(line));
    return rows;
}

// "name=value" values of one key in an INI-style file, e.g. a mission's flag.
std::string IniValue(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && Trimmed(line.substr(0, eq)) == key)
            return Trimmed(line.substr(eq + 1));
    }
    return {};
}

// Every file name ending in `extension` that a content file mentions, e.g. the events' pictures.
void CollectNamedFiles(const fs::path& folder, const std::string& extension,
                       std::set<std::string>& names) {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        std::ifstream in(it->path());
        std::string word;
        while (in >> word) {
            // Words run together with = , ( ) in scripts and settings; cut them there.
            size_t start = 0;
            for (size_t i = 0; i <= word.size(); ++i) {
                if (i == word.size() || word[i] == '=' || word[i] == ',' || word[i] == '(' ||
                    word[i] == ')' || word[i] == ';' || word[i] == '"') {
                    const std::string piece = word.substr(start, i - start);
                    if (piece.size() > extension.size() &&
                        piece.compare(piece.size() - extension.size(), extension.size(),
                                      extension) == 0)
                        names.insert(piece);
                    start = i + 1;
                }
            }
        }
    }
}

struct Writer {
    std::string bitmaps;
    std::set<std::string> written; // file names, as the game looks them up
    bool ok = true;

    template <typename Save>
    void Write(const std::string& folder, const std::string& name, Save save) {
        const std::string path = bitmaps + "/" + (folder.empty() ? "" : folder + "/") + name;
        if (save(path))
            written.insert(name);
        else
            ok = false;
    }
};

void MakePolicyTiles(Writer& out, GlyphRaster& symbols, const std::string& dataDir) {
    // The setup table names the policy table relative to the game's root folder.
    const std::string named = IniValue(dataDir + "/data.ini", "policies");
    const std::string path = named.empty() ? dataDir + "/simulation/policies.csv"
                                           : (fs::path(dataDir).parent_path() / named).string();
    int count = 0, byGroup = 0;
    std::map<uint32_t, std::string> firstWithGlyph;
    for (const auto& cells : DataRows(path)) {
        if (cells.size() < 11 || Trimmed(cells[1]).empty())
            continue;
        const std::string name = Trimmed(cells[1]), group = Trimmed(cells[10]);
        bool matched = false;
        uint32_t glyph = art::PolicyGlyph(name, group, &matched);
        const art::GroupLook look = art::LookOfGroup(group);
        if (!symbols.HasGlyph(glyph)) {
            std::fprintf(stderr, "content pictures: the symbol font lacks U+%X for %s\n", glyph,
                         name.c_str());
            glyph = look.fallbackGlyph;
            matched = false;
        }
        byGroup += matched ? 0 : 1;
        // Two policies with one picture are hard to tell apart on the main screen.
        const auto [earlier, fresh] = firstWithGlyph.emplace(glyph, name);
        if (!fresh)
            std::printf("content pictures: %s shares its pictogram with %s\n", name.c_str(),
                        earlier->second.c_str());
        const Canvas tile = art::PolicyTile(symbols, glyph, look);
        out.Write("policies", "icons_" + name + ".dds",
                  [&](const std::string& p) { return SaveDds(tile, p); });
        ++count;
    }
    std::printf("content pictures: %d policy pictograms (%d by their group's emblem)\n", count,
                byGroup);
}

void MakePortraits(Writer& out) {
    char name[32];
    for (int i = 0; i < kPortraitsPerSex; ++i) {
        std::snprintf(name, sizeof name, "f%02d.bmp", i + 1);
        const Canvas female = art::MinisterPortrait(true, i);
        out.Write("ministers/female", name,
                  [&](const std::string& p) { return SaveBmp(female, p); });
        std::snprintf(name, sizeof name, "m%02d.bmp", i + 1);
        const Canvas male = art::MinisterPortrait(false, i);
        out.Write("ministers/male", name, [&](const std::string& p) { return SaveBmp(male, p); });
    }
    const Canvas unknown = art::UnknownMinisterPortrait();
    out.Write("ministers", "minister1.bmp",
              [&](const std::string& p) { return SaveBmp(unknown, p); });
}

void MakeEventPictures(Writer& out, GlyphRaster& symbols, const std::set<std::string>& names) {
    uint32_t seed = 1;
    for (const std::string& name : names) {
        bool matched = false;
        const art::Theme theme = art::EventTheme(name, &matched);
        if (!matched)
            std::printf(
                "content pictures: %s has no theme of its own; drawn with the neutral one\n",
                name.c_str());
        const Canvas picture = art::EventPicture(symbols, theme, seed++);
        out.Write("events", name, [&](const std::string& p) { return SaveJpeg(picture, p, 92); });
    }
}

void MakeAchievementPictures(Writer& out, GlyphRaster& symbols, const std::string& dataDir,
                             std::set<std::string>& named) {
    for (const auto& cells : DataRows(dataDir + "/simulation/achievements.csv")) {
        if (cells.size() < 5 || Trimmed(cells[4]).empty())
            continue;
        const std::string name = Trimmed(cells[4]);
        named.insert(name);
        bool matched = false;
        const art::Theme theme = art::AchievementTheme(name, &matched);
        if (!matched)
            std::printf("content pictures: %s has no pictogram of its own; drawn with a star\n",
                        name.c_str());
        const Canvas medal = art::AchievementMedal(symbols, theme);
        out.Write("achievements", name, [&](const std::string& p) { return SavePng(medal, p); });
    }
}

} // namespace

bool MakeContentPictures(const std::string& dataDir) {
    const std::string fontPath = FindSystemFont("Symbola_hint.ttf");
    GlyphRaster symbols;
    if (fontPath.empty() || !symbols.Open(fontPath))
        return false;

    Writer out;
    out.bitmaps = dataDir + "/bitmaps";
    std::set<std::string> expected;

    MakePolicyTiles(out, symbols, dataDir);
    MakePortraits(out);

    std::set<std::string> eventPictures = {"event_resign.jpg"}; // a resigning minister's event
    CollectNamedFiles(dataDir + "/simulation", ".jpg", eventPictures);
    MakeEventPictures(out, symbols, eventPictures);
    expected.insert(eventPictures.begin(), eventPictures.end());

    MakeAchievementPictures(out, symbols, dataDir, expected);

    const std::pair<const char*, Canvas> flags[] = {
        {"flag_calverra.dds", art::CalverraFlag()},
        {"flag_saltreach.dds", art::SaltreachFlag()},
        {"flag_hollvarn.dds", art::HollvarnFlag()},
        {"flag_kestrava.dds", art::KestravaFlag()},
    };
    for (const auto& flag : flags)
        out.Write("", flag.first, [&](const std::string& p) { return SaveDds(flag.second, p); });
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dataDir + "/missions", ec)) {
        const std::string missionFlag = IniValue(entry.path().string(), "flag");
        if (!missionFlag.empty())
            expected.insert(missionFlag);
    }

    for (const std::string& name : expected) {
        if (!out.written.count(name)) {
            std::fprintf(stderr, "content pictures: the content names %s, which was not drawn\n",
                         name.c_str());
            out.ok = false;
        }
    }
    std::printf("content pictures: %d portraits, %zu event pictures, %zu files in all\n",
                2 * kPortraitsPerSex + 1, eventPictures.size(), out.written.size());
    return out.ok;
}
