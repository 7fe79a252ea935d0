#pragma once
// SIM_Script: the runner of content scripts — events, dilemma options, the tutorial, the play
// guide, the mods' autorun files. A script is a list of commands separated by semicolons, each
// written like a call: Name(arg, arg, ...). Commands link nodes, raise grudges, move money, fire
// events and drive the window; without a window the interface commands are only logged.

#include <functional>
#include <string>
#include <vector>

// Below the user folder.
inline constexpr const char kAutorunScriptPattern[] = "/mods/data/autorun scripts/*.txt";

class SIM_Script {
public:
    static constexpr int kMaxArguments = 6;
    // Lines of a script file are read through a buffer of this size.
    static constexpr size_t kLineCapacity = 1024;

    // Registers the simple (argument-free) commands.
    SIM_Script();

    // A text holding ".txt" anywhere names a script file ("Failed to find %s" when it cannot be
    // opened, and nothing runs); any other text is the script itself.
    void RunScript(const std::string& textOrFile);
    // Runs the text as commands, without looking for a file name in it.
    void RunScriptText(const std::string& script);
    // One command, "Name(arg, ...)", already cut out of its script.
    void ExecuteCommand(const std::string& command);

    // The command being executed and its arguments. Slots a command does not fill keep the
    // texts of an earlier command, as content has always relied on.
    std::string commandName;
    std::string arguments[kMaxArguments];

private:
    struct SimpleCommand {
        const char* name;
        std::function<void()> action;
    };
    bool RunSimpleCommand();
    bool RunArgumentCommand();

    std::vector<SimpleCommand> simpleCommands;
    // How many scripts are running inside one another.
    int nesting = 0;
};

// The script runner of the game in play.
SIM_Script& GetScriptRunner();

void RunScript(const std::string& textOrFile);
// Runs every "*.txt" of the user's autorun folder, in folder order. After a new game's content
// is loaded and after a load.
void RunAutorunScripts();

// Cuts the script at semicolons outside double quotes; the quotes stay, so that the argument
// split can still group what they enclose. The content checker reads scripts the same way.
std::vector<std::string> SplitCommands(const std::string& script);
