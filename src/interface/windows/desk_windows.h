#pragma once
// What lands on the player's desk and the moments of the game: the strip of issues on the game
// screen, the dilemma, event, attack, award and game-over windows, the manifesto, and the
// election's count and its aftermath. Each window keeps the names of what it shows, never
// pointers into the game, and looks them up again when it acts.

#include "interface/windows/game_window.h"

#include <string>
#include <vector>

class GUI_ButtonText;
class SIM_Event;
class GUI_Label;
class GUI_Table;
class GUI_TextBlock;

// ---- The issues strip ----------------------------------------------------------------------

// One issue as the strip shows it.
struct DeskIssue {
    int kind = 0;
    // The name of the dilemma, event or situation, or the minister's full name; an announcement
    // event without a name goes by its shown name.
    std::string subject;
    std::string title;
    std::string text;
    std::string icon;
};

// The issues list now: dilemmas first, then the rest in the order they were raised.
std::vector<DeskIssue> CurrentDeskIssues();
// Opens the window an issue leads to: a dilemma or event its own, a situation its details, a
// minister's news the cabinet.
void OpenDeskIssue(const DeskIssue& issue);

class GUI_IssueIcon : public GUI_ButtonBase {
public:
    // kind -1 is the marker that stands for the issues there is no room for.
    explicit GUI_IssueIcon(DeskIssue issue);
    void Draw() override;
    std::string DumpKind() const override { return "issue"; }
    std::string DumpText() const override { return issue.title; }
    void DescribeMore(JsonWriter& json) const override;

    DeskIssue issue;
    // Vertical strips write the title beside the icon, horizontal ones under it.
    bool titleBeside = false;
    // A crowded horizontal strip leaves the titles to the tooltips and gives the room to icons.
    bool showTitle = true;
    float iconSize = 0;
};

// The strip lays itself out in whatever rectangle the game screen gives it. A column gives each
// issue a row 46 design pixels tall with its title beside the icon: 300 x 460 holds ten, which
// is more than a turn brings. A band under 92 tall gives each issue a cell 64 wide with its title
// under the icon; when more issues wait than such cells hold, the cells narrow (to 34, the icons
// smaller and their titles left to the tooltips) until all fit. Issues beyond even that room are
// gathered under a last "+N" marker.
class GUI_IssuesStrip : public GUI_WindowBase {
public:
    GUI_IssuesStrip(float left, float top, float right, float bottom);

    // Rebuilds the icons when the issues list is no longer what they show; true when it did.
    bool Sync();
    // Moves the strip to a band of another size, its icons laid out again for the room there.
    void Place(float left, float top, float right, float bottom);
    const std::vector<DeskIssue>& Shown() const { return shown; }
    // How many issues the strip has room for at once, its cells as narrow as they go.
    int Capacity() const;
    // The length each of so many issues takes along the strip.
    float Pitch(int count) const;
    // A strip less than two rows tall lays its issues out across, titles under the icons.
    bool Horizontal() const;
    std::string DumpKind() const override { return "issuesStrip"; }

protected:
    void UpdateContent() override { Sync(); }
    void DrawBackground() override;

private:
    void Rebuild();
    std::vector<DeskIssue> shown;
};

// ---- Dilemmas, events, attacks, awards, the end --------------------------------------------

class GUI_DilemmaWindow : public GUI_GameWindow {
public:
    explicit GUI_DilemmaWindow(const std::string& dilemmaName);
    void Build() override;
    // Answers with the option (0-based) through the core's action, then closes, whatever the
    // option's script made of it. False when the core refused the answer.
    bool Choose(size_t option);
    void DescribeMore(JsonWriter& json) const override;

    const std::string dilemmaName;

private:
    std::string description;
    std::vector<std::string> optionNames, optionTexts;
};

// An event of the game by name, or an announcement (which has none) by its shown name.
SIM_Event* FindDeskEvent(const std::string& name);

// Opening the window is reading the event: OpenEvent runs its viewing script once per opening.
class GUI_EventWindow : public GUI_GameWindow {
public:
    explicit GUI_EventWindow(const std::string& eventName);
    void Build() override;

    const std::string eventName;

private:
    std::string headline, text, picture;
};

class GUI_AttackWindow : public GUI_GameWindow {
public:
    explicit GUI_AttackWindow(const std::string& attackName);
    void Build() override;

    const std::string attackName;
};

class GUI_AchievementAwardWindow : public GUI_GameWindow {
public:
    explicit GUI_AchievementAwardWindow(const std::string& achievementKey);
    void Build() override;

    const std::string achievementKey;
};

class GUI_GameOverWindow : public GUI_GameWindow {
public:
    // Title and text are text keys or plain words.
    GUI_GameOverWindow(const std::string& titleText, const std::string& bodyText);
    void Build() override;

    const std::string text;
};

// ---- The manifesto -------------------------------------------------------------------------

class GUI_ManifestoWindow : public GUI_GameWindow {
public:
    GUI_ManifestoWindow();
    void Build() override;
    void Refresh() override;
    // The pledge on offer that the pledge button would make; empty when none is chosen.
    const std::string& Selected() const { return selected; }
    void Select(const std::string& targetName);
    // Pledges the chosen option through the core's action; false (with a note) when refused.
    bool PledgeSelected();
    const GUI_Table& Offers() const { return *offers; }
    const GUI_Table& Pledges() const { return *pledges; }
    const GUI_ButtonText& PledgeButton() const { return *pledgeButton; }

private:
    void FillOffers();
    void FillPledges();

    GUI_Table* offers = nullptr;
    GUI_Table* pledges = nullptr;
    GUI_ButtonText* pledgeButton = nullptr;
    GUI_TextBlock* when = nullptr;
    std::string selected;
};

// ---- The election --------------------------------------------------------------------------

// The count of an election voter by voter on the window's own clock: a step when the window
// opens and then whenever more than kCountStepMs have passed, each counting kVotersPerCountStep
// voters; when the last voter is counted the result is declared, once.
class GUI_ElectionResultsWindow : public GUI_GameWindow {
public:
    static constexpr unsigned kCountStepMs = 10;

    GUI_ElectionResultsWindow();
    void Build() override;
    // One tick of the clock at the given time of the frame clock; true when it counted.
    bool Tick(unsigned nowMs);
    bool Declared() const { return declared; }
    int Steps() const { return steps; }
    // Closes the count and opens what the result meant.
    void SeeResults();
    void DescribeMore(JsonWriter& json) const override;
    // The frame, then the bar of the votes counted so far.
    void Draw() override;

protected:
    // The count, and the fireworks of a clear victory.
    void UpdateContent() override;
    // The fireworks end with the window.
    void OnClose() override;

private:
    void ShowTotals();
    void Declare();

    bool started = false;
    bool declared = false;
    unsigned lastStepMs = 0;
    int steps = 0;
    int voterCount = 0;
    GUI_Label *counted = nullptr, *turnout = nullptr, *forPlayer = nullptr,
              *forOpposition = nullptr, *abstained = nullptr;
    GUI_TextBlock* result = nullptr;
    GUI_ButtonText* seeResults = nullptr;
};

// What the election meant: shares by voter group, turnout, the groups that moved most since the
// last election, and whether the game goes on. Its one button finishes the election.
class GUI_PostElectionWindow : public GUI_GameWindow {
public:
    GUI_PostElectionWindow();
    void Build() override;
    // The player's answer: the game goes on after a won election with terms left, otherwise it
    // ends and the main menu follows.
    void Finish();
    const GUI_Table& Groups() const { return *groups; }

private:
    GUI_Table* groups = nullptr;
};

// Turns back from now to the approval a voter group had at the last election (or when the
// government took office, for the first one), kept within the remembered history.
int TurnsSinceLastElection();
void OpenPostElection();
