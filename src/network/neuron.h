#pragma once
// Neuron: the common base of every node of the simulation network. A neuron holds one value per
// turn and a history of past values, and is joined to other neurons by NeuralEffect links. All
// live neurons sit in the registry of the game in play (network/network_state.h), which owns them
// and fixes their processing order.

#include <cstdint>
#include <string>
#include <vector>

class NeuralEffect;
class GUI_IconBase;
class CGlobalEconomy;

// Concrete class of a neuron, stored in typeCode. The numbers are fixed: the state document
// writes them, and the network is ordered by them.
enum class NeuronType : int32_t {
    Plain = 0, // plain named neurons and the global economy
    Voter = 1,
    Situation = 2,
    SimVal = 3,
    Dilemma = 4,
    VoterType = 5,
    Random = 6,
    Grudge = 7,
    Policy = 8,
    Player = 9,
    Event = 10,
    VoterFrequency = 11,
    Minister = 12,
};
constexpr int32_t kNeuronTypeCount = 13;
constexpr int32_t NeuronTypeCode(NeuronType type) {
    return static_cast<int32_t>(type);
}

// How the outputs of a neuron's inputs are combined (combineMode).
constexpr int32_t kCombineAverage = 0;
constexpr int32_t kCombineSum = 1;
constexpr int32_t kCombineProduct = 2;

constexpr int kNeuronHistoryLength = 33;
constexpr int kNeuronNameSize = 64; // 63 significant characters and the terminator

class Neuron {
public:
    Neuron();
    // With gameRunning on, destroys every attached link first; always leaves the registry.
    virtual ~Neuron();
    Neuron(const Neuron&) = delete;
    Neuron& operator=(const Neuron&) = delete;

    // Fills the whole history with the current value.
    virtual void ResetHistory();
    // Combines the inputs into this turn's value, clamps it and pushes it to the outputs.
    virtual float Process();
    virtual void EndOfTurn() {}
    virtual float GetValue() { return value; }
    virtual bool IsActive() { return active; }
    virtual bool AcceptsInput(NeuralEffect* effect);

    // Effect multipliers that a link reads from its source only when the source is a policy
    // (typeCode NeuronType::Policy); the policy class supplies the real figures.
    virtual float PolicyImplementation() const { return 1.0f; }
    virtual float PolicyMinisterFactor() const { return 1.0f; }

    // Shifts the history one turn back and stores the current value, bounded to -1 … 1.
    void UpdateHistory();
    // Hands this neuron's value (or its average over a link's drag) to every outgoing link.
    void PushToOutputs();
    // Moves every admitted input straight to its source's value, bypassing inertia.
    void SnapInputs();
    bool AllPrerequisitesActive();
    // Orders inputs by the strength of their output, strongest first; kept until the next push.
    void SortInputsByStrength();
    Neuron* FindInputSourceGrudge(const char* grudgeName);

    // Content link texts: "TARGET,FORMULA[,DRAG]" from the source side, and from the target side
    // "SOURCE,FORMULA[,DRAG]", "_random_,LOW,HIGH", "_default_,VALUE" or "_prereq_,NAME".
    void AddEffect(const char* text);
    void AddInfluence(const char* text);
    void AddEffect(const std::string& text) { AddEffect(text.c_str()); }
    void AddInfluence(const std::string& text) { AddInfluence(text.c_str()); }

    void SetBaseOffset(float offset) { baseOffset = offset; }
    void SetName(const char* text);
    void SetGuiName(const char* text);
    void SetName(const std::string& text) { SetName(text.c_str()); }
    void SetGuiName(const std::string& text) { SetGuiName(text.c_str()); }

    // Called only by the NeuralEffect constructor.
    void AddOutput(NeuralEffect* effect) { outputs.push_back(effect); }
    void AddInput(NeuralEffect* effect) { inputs.push_back(effect); }

    // A neuron that lives inside another object (a member, or one element of an array) must be
    // marked so that DeleteAllNeurons leaves its destruction to that owner.
    void MarkEmbedded() { embedded = true; }
    bool IsEmbedded() const { return embedded; }

    float value = 0.0f;
    std::vector<NeuralEffect*> outputs;
    std::vector<NeuralEffect*> inputs;
    bool active = true;
    char name[kNeuronNameSize] = {};
    char guiName[kNeuronNameSize] = {};
    std::vector<Neuron*> prerequisites;
    bool inputsSorted = false;
    GUI_IconBase* icon = nullptr;
    NeuronType typeCode = NeuronType::Plain;
    int32_t combineMode = kCombineSum;
    float history[kNeuronHistoryLength];
    float baseOffset = 0.0f;
    bool hidden = false;
    bool keepsHistory = true;
    float minValue = -1.0f;
    float maxValue = 1.0f;

private:
    // Destroys or forgets the attached links as the gameRunning switch demands and empties the
    // link and prerequisite lists.
    void ReleaseLinks();
    friend void DeleteAllNeurons();

    bool embedded = false;
};

// Exact, case-sensitive lookup in registry order. Names under 3 characters give null silently;
// any other miss is reported as a warning.
Neuron* FindNeuron(const char* name);
inline Neuron* FindNeuron(const std::string& name) {
    return FindNeuron(name.c_str());
}
// The same search for readers that only ask (a window naming a node that may have gone): a miss
// is no fault, so nothing is reported. A grudge carries the name of the node it is about, so it is
// found only when nothing else has the name.
Neuron* LookUpNeuron(const std::string& name);
// The same lookup passing over neurons of one type. A grudge carries the name of the node it is
// about, so a search for that node must not land on one of its grudges.
Neuron* FindNeuronNotOfType(const std::string& name, NeuronType passedOver);

// Whoever keeps a pointer to a neuron it does not own (a grudge to its target, an issue to its
// subject) is told when that neuron is destroyed during play, and lets go of it. Nothing is told
// while DeleteAllNeurons tears the whole network down: every such holder goes with it. The
// neuron's own class has already been destroyed when a listener hears of it, so a listener only
// compares the pointer and never reads through it.
using NeuronGoneListener = void (*)(Neuron* neuron);
void AddNeuronGoneListener(NeuronGoneListener listener);
void RemoveNeuronGoneListener(NeuronGoneListener listener);

// The per-turn passes over the registry, in registry order.
void ProcessAllNeurons();
void EndTurnAllNeurons();
void ResetAllHistories();

// Regroups the registry by type for the rest of the game: plain neurons, player sliders,
// policies, random neurons, grudges, the plain neurons a second time, simulation values,
// situations, events, dilemmas, ministers, voter groups, frequency nodes, voters.
void OrderNeuronsByType();

// Destroys every neuron and nulls the named-neuron pointers below.
void DeleteAllNeurons();

// Every live neuron in processing order; plain neurons appear twice once ordered by type.
const std::vector<Neuron*>& AllNeurons();
