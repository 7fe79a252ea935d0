#pragma once
// The checks of single cells, links and scripts that every kind of content file shares. Each
// check reports what is wrong, at the file and line it is given, into the list of problems; the
// names a check resolves against are gathered by the checker before any file is checked.

#include "game/content_check.h"

#include <set>
#include <string>
#include <vector>

// The cells of a row (or of a cell holding a list) as the game's tokenizer splits them, quotes
// dropped; a separator at the very end gives a last, empty cell.
std::vector<std::string> SplitContentCells(const std::string& text, char separator = ',');
// The text in single quotes, control characters shown as codes and a long text cut, for messages.
std::string QuoteContent(const std::string& text);

class ContentRules {
public:
    struct Place {
        const std::string& file;
        int line;
    };

    void Report(const std::string& file, int line, const std::string& what);
    // The name of a node: a value, policy, voter group, situation, event, dilemma or fixed node.
    bool Node(const Place& at, const std::string& name, const std::string& role);
    bool Number(const Place& at, const std::string& text, const std::string& role,
                float* value = nullptr);
    bool Whole(const Place& at, const std::string& text, const std::string& role,
               long* value = nullptr);
    void Range(const Place& at, const std::string& text, const std::string& role, float low,
               float high);
    // A shown text: a key must have a text in the strings file; plain words are shown as they
    // stand.
    void Text(const Place& at, const std::string& text, const std::string& role,
              bool required = true);
    void Picture(const Place& at, const std::string& name, const std::string& role);
    void Formula(const Place& at, const std::string& text, const std::string& where);
    void Drag(const Place& at, const std::string& text);
    // "NODE,FORMULA[,DRAG]".
    void Link(const Place& at, const std::string& cell, const std::string& role);
    // A link, or one of _random_,LOW,HIGH, _default_,VALUE and _prereq_,NODE.
    void Influence(const Place& at, const std::string& cell);
    void OneOf(const Place& at, const std::string& text, const std::string& role,
               const std::set<std::string>& allowed, const std::string& kind);
    // One of the seven policy groups; simulation values may also be "HIDDEN".
    void Group(const Place& at, const std::string& text, bool hiddenAllowed = false);
    // Commands separated by semicolons outside double quotes, each as the script runner reads it.
    void Script(const Place& at, const std::string& script, const std::string& where);

protected:
    std::string userDir_; // empty: there is no mods folder
    std::vector<ContentProblem> problems_;
    std::set<std::string> names_; // every node a link or script may name
    std::set<std::string> sliders_;
    std::set<std::string> events_;
    std::set<std::string> situations_;
    std::set<std::string> pressureGroups_;
    std::set<std::string> pictures_; // file names in lower case, folders left off

private:
    void Command(const Place& at, const std::string& command, const std::string& where);
};
