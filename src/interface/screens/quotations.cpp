#include "interface/screens/quotations.h"

#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/random.h"
#include "base/tokenizer.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kMaxLine = 1023;
// Anything this short cannot hold a quotation and its author.
constexpr size_t kMinRowLength = 8;

std::string StripLineEnd(const char* line) {
    size_t length = std::strlen(line);
    while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r'))
        --length;
    return std::string(line, length);
}

} // namespace

void QuotationTable::LoadFile(const std::string& path) {
    FILE* file = OpenDataFile(path, "rb");
    if (!file)
        return;
    char line[kMaxLine + 1];
    while (std::fgets(line, sizeof line, file)) {
        std::string row = StripLineEnd(line);
        if (row.size() <= kMinRowLength || row[0] != '#')
            continue;
        CTokenizer cells(row);
        cells.NextToken();
        Quotation quote;
        quote.text = cells.NextString();
        quote.author = "-" + cells.NextString();
        if (quote.text.size() > kMaxLine)
            quote.text.resize(kMaxLine);
        quotes_.push_back(std::move(quote));
    }
    std::fclose(file);
}

void QuotationTable::Load() {
    quotes_.clear();
    LoadFile("data/quotes.csv");
    if (!GetUserDir().empty())
        LoadFile(GetUserDir() + "/mods/data/quotes.csv");
    index_ = static_cast<int>(RandomFloat(0.0f, static_cast<float>(Count() - 1)));
    if (index_ < 0 || index_ >= Count())
        index_ = 0;
}

void QuotationTable::Next() {
    ++index_;
    if (index_ >= Count())
        index_ = 0;
}

const Quotation* QuotationTable::Current() const {
    if (index_ < 0 || index_ >= Count())
        return nullptr;
    return &quotes_[index_];
}

QuotationTable& GetQuotations() {
    static QuotationTable table;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        // A seed from the command line makes a whole game replayable; only without one does the
        // clock decide.
        if (!IsRandomSeeded()) {
            auto now = std::chrono::steady_clock::now().time_since_epoch();
            SeedRandom(static_cast<uint32_t>(
                std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
        }
        table.Load();
    }
    return table;
}
