#pragma once
// The quotations shown while a turn is computed: read from the game's table and the user's mods
// table, walked in order from a random starting point.

#include <string>
#include <vector>

struct Quotation {
    std::string text;
    // Already written as "-Name".
    std::string author;
};

class QuotationTable {
public:
    // Reads "data/quotes.csv" and then the user's mods table, replacing what was held; the
    // starting quotation is drawn at random.
    void Load();
    // Moves to the next quotation, back to the first after the last.
    void Next();
    // Null while the table is empty.
    const Quotation* Current() const;
    int Index() const { return index_; }
    int Count() const { return static_cast<int>(quotes_.size()); }

private:
    void LoadFile(const std::string& path);
    std::vector<Quotation> quotes_;
    int index_ = 0;
};

// The one table, loaded on first use; this first use also seeds the random generator from the
// clock unless a seed was chosen already.
QuotationTable& GetQuotations();
