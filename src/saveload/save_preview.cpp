#include "saveload/save_preview.h"

#include "saveload/save_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {

// The envelope comes first and is a few hundred bytes; this leaves room for a long country name.
constexpr size_t kEnvelopeBytes = 4096;

// The text between <tag> and </tag> inside the envelope; false when it is not there.
bool LeafText(const std::string& envelope, const std::string& tag, std::string& text) {
    const std::string open = "<" + tag + ">", close = "</" + tag + ">";
    const size_t start = envelope.find(open);
    if (start == std::string::npos)
        return false;
    const size_t from = start + open.size();
    const size_t end = envelope.find(close, from);
    if (end == std::string::npos)
        return false;
    text = envelope.substr(from, end - from);
    return true;
}

} // namespace

SavePreview ReadSavePreview(const std::string& name) {
    SavePreview preview;
    preview.name = name;
    const std::string path = SavePath(name);
    struct stat info {};
    if (stat(path.c_str(), &info) == 0)
        preview.written = info.st_mtime;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return preview;
    std::string envelope(kEnvelopeBytes, '\0');
    envelope.resize(std::fread(&envelope[0], 1, envelope.size(), file));
    std::fclose(file);
    // Only the load data is trusted: a later section could hold tags of the same names.
    const size_t end = envelope.find("</load_data>");
    if (end == std::string::npos)
        return preview;
    envelope.resize(end);
    std::string turn, poll;
    if (!LeafText(envelope, "turn", turn) || !LeafText(envelope, "poll", poll))
        return preview;
    LeafText(envelope, "country", preview.country);
    preview.turn = std::atoi(turn.c_str());
    preview.poll = std::clamp(static_cast<float>(std::atof(poll.c_str())), 0.0f, 1.0f);
    preview.hasDetails = true;
    return preview;
}

std::vector<SavePreview> ListSavePreviews() {
    std::vector<SavePreview> previews;
    for (const std::string& name : ListSaves())
        previews.push_back(ReadSavePreview(name));
    // ListSaves gives them sorted by name, which a stable sort keeps for saves of the same second.
    std::stable_sort(
        previews.begin(), previews.end(),
        [](const SavePreview& a, const SavePreview& b) { return a.written > b.written; });
    return previews;
}
