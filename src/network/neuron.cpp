#include "network/neuron.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/tokenizer.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/random_neuron.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_set>

namespace {

// Never destroyed: neurons freed late at process exit must still find the list.
std::vector<NeuronGoneListener>& GoneListeners() {
    static auto* listeners = new std::vector<NeuronGoneListener>();
    return *listeners;
}

// Keywords of the influence texts that do not name a source neuron.
const char kRandomKeyword[] = "_random_";
const char kDefaultKeyword[] = "_default_";
const char kPrereqKeyword[] = "_prereq_";
const char kPlainFormula[] = "0+(1.0*x)";

void CopyName(char (&field)[kNeuronNameSize], const char* text) {
    if (!text)
        text = "";
    size_t length = std::min(std::strlen(text), static_cast<size_t>(kNeuronNameSize - 1));
    std::memcpy(field, text, length);
    field[length] = '\0';
}

// The C library's conversions of a field copied into a fixed buffer first, so over-long fields
// are cut exactly as the loaders' buffers would cut them.
float FieldToFloat(const std::string& field, size_t maxChars) {
    return std::strtof(field.substr(0, maxChars).c_str(), nullptr);
}
} // namespace

Neuron::Neuron() {
    std::fill(history, history + kNeuronHistoryLength, 0.5f);
    NetworkState& network = Network();
    if (network.tearingDown && network.destroyed)
        network.destroyed->erase(this);
    network.neurons.push_back(this);
}

Neuron::~Neuron() {
    ReleaseLinks();
    NetworkState& network = Network();
    if (!network.tearingDown) {
        const std::vector<NeuronGoneListener>& listeners = GoneListeners();
        for (size_t i = 0; i < listeners.size(); ++i)
            listeners[i](this);
    }
    if (network.tearingDown && network.destroyed) {
        network.destroyed->insert(this);
        return;
    }
    std::vector<Neuron*>& neurons = network.neurons;
    neurons.erase(std::remove(neurons.begin(), neurons.end(), this), neurons.end());
}

void Neuron::ReleaseLinks() {
    if (g_gameRunning) {
        // Each link also leaves the other end's list and the link registry as it goes. A link
        // from this neuron to itself leaves the inputs while the outputs are cleared.
        std::vector<NeuralEffect*> doomed;
        doomed.swap(outputs);
        for (NeuralEffect* effect : doomed)
            delete effect;
        doomed.clear();
        doomed.swap(inputs);
        for (NeuralEffect* effect : doomed)
            delete effect;
    }
    std::vector<NeuralEffect*>().swap(outputs);
    std::vector<NeuralEffect*>().swap(inputs);
    std::vector<Neuron*>().swap(prerequisites);
}

void Neuron::ResetHistory() {
    std::fill(history, history + kNeuronHistoryLength, value);
}

bool Neuron::AcceptsInput(NeuralEffect*) {
    return true;
}

float Neuron::Process() {
    value = (combineMode == kCombineProduct) ? 1.0f : 0.0f;
    int count = 0;
    for (NeuralEffect* effect : inputs) {
        if (!effect->IsSourceActive() || !AcceptsInput(effect))
            continue;
        if (combineMode == kCombineProduct)
            value = value * effect->GetOutput();
        else
            value = value + effect->GetOutput();
        ++count;
    }
    if (count > 1 && combineMode == kCombineAverage)
        value = value / static_cast<float>(count);
    value = baseOffset + value;
    if (!AllPrerequisitesActive())
        value = 0.0f;
    if (value < minValue)
        value = minValue;
    if (value > maxValue)
        value = maxValue;
    PushToOutputs();
    return value;
}

void Neuron::UpdateHistory() {
    std::memmove(history + 1, history, sizeof(float) * (kNeuronHistoryLength - 1));
    float latest = GetValue();
    if (latest < -1.0f)
        latest = -1.0f;
    if (latest > 1.0f)
        latest = 1.0f;
    history[0] = latest;
}

void Neuron::PushToOutputs() {
    // Nothing in the push changes this neuron, so its value is read once: a voter group hands it
    // to every voter.
    const float now = GetValue();
    for (NeuralEffect* effect : outputs) {
        uint32_t drag = std::min(effect->inertialDrag, kMaxInertialDrag);
        if (drag == 0) {
            effect->inputTarget = now;
            continue;
        }
        float sum = 0.0f;
        for (int i = static_cast<int>(drag); i >= 0; --i)
            sum = sum + history[i];
        effect->SetInputTarget(sum / static_cast<float>(drag + 1));
    }
    inputsSorted = false;
}

void Neuron::SnapInputs() {
    for (NeuralEffect* effect : inputs) {
        if (!effect->IsSourceActive() || !AcceptsInput(effect))
            continue;
        effect->SetInputTarget(effect->source->GetValue());
        effect->SetInputNow(effect->inputTarget);
    }
}

bool Neuron::AllPrerequisitesActive() {
    for (Neuron* prerequisite : prerequisites) {
        if (!prerequisite->IsActive())
            return false;
    }
    return true;
}

void Neuron::SortInputsByStrength() {
    if (inputsSorted)
        return;
    struct Ranked {
        NeuralEffect* effect;
        float strength;
    };
    std::vector<Ranked> placed;
    placed.reserve(inputs.size());
    for (NeuralEffect* effect : inputs) {
        Ranked entry{effect, std::fabs(effect->GetOutput())};
        // Before the first placed link that is not stronger, so the later of equals leads.
        auto at = std::find_if(placed.begin(), placed.end(), [&](const Ranked& other) {
            return !(other.strength > entry.strength);
        });
        placed.insert(at, entry);
    }
    for (size_t i = 0; i < placed.size(); ++i)
        inputs[i] = placed[i].effect;
    inputsSorted = true;
}

Neuron* Neuron::FindInputSourceGrudge(const char* grudgeName) {
    if (!grudgeName)
        return nullptr;
    for (NeuralEffect* effect : inputs) {
        Neuron* from = effect->source;
        if (from && from->typeCode == NeuronType::Grudge &&
            std::strcmp(from->name, grudgeName) == 0)
            return from;
    }
    return nullptr;
}

void Neuron::AddEffect(const char* text) {
    if (!text || !std::strchr(text, ','))
        return;
    CTokenizer fields(text);
    std::string targetName = fields.NextToken();
    std::string formula = fields.NextToken();
    int drag = fields.AtEnd() ? 0 : fields.NextInt();

    Neuron* to = FindNeuron(targetName.c_str());
    if (!to) {
        char message[512];
        std::snprintf(message, sizeof message, "Failed to find %s for %s,", targetName.c_str(),
                      name);
        REPORT_WARNING(message);
        return;
    }
    NeuralEffect* effect = new NeuralEffect(this, to, formula.c_str(), 1.0f, 0.5f);
    if (drag != 0)
        effect->SetInertialDrag(drag);
}

void Neuron::AddInfluence(const char* text) {
    if (!text || std::strlen(text) < 3)
        return;
    if (!std::strchr(text, ',')) {
        REPORT_ERROR("missing comma");
        return;
    }
    CTokenizer fields(text);
    std::string first = fields.NextToken();

    if (first == kRandomKeyword) {
        float low = FieldToFloat(fields.NextToken(), 31);
        float high = FieldToFloat(fields.NextToken(), 31);
        SIM_RandomNeuron* noise = new SIM_RandomNeuron(low, high);
        new NeuralEffect(noise, this, kPlainFormula, 1.0f, 1.0f);
        return;
    }
    if (first == kDefaultKeyword) {
        SetBaseOffset(std::strtof(fields.NextToken().c_str(), nullptr));
        return;
    }
    if (first == kPrereqKeyword) {
        std::string prerequisiteName = fields.NextToken().substr(0, 127);
        Neuron* prerequisite = FindNeuron(prerequisiteName.c_str());
        ASSERT(prerequisite != nullptr);
        if (prerequisite)
            prerequisites.push_back(prerequisite);
        return;
    }

    std::string formula = fields.NextToken();
    int drag = fields.AtEnd() ? 0 : fields.NextInt();
    Neuron* from = FindNeuron(first.c_str());
    if (!from) {
        char message[512];
        std::snprintf(message, sizeof message, "failed to find event influence %s", first.c_str());
        REPORT_WARNING(message);
        return;
    }
    NeuralEffect* effect = new NeuralEffect(from, this, formula.c_str(), 1.0f, 1.0f);
    if (drag != 0)
        effect->SetInertialDrag(drag);
}

void Neuron::SetName(const char* text) {
    CopyName(name, text);
}

void Neuron::SetGuiName(const char* text) {
    CopyName(guiName, text);
}

namespace {
// No type (nullopt) passes over nothing.
Neuron* FindNeuronPassingOver(const char* wanted, std::optional<NeuronType> passedOver) {
    if (!wanted || std::strlen(wanted) < 3)
        return nullptr;
    for (Neuron* neuron : Network().neurons) {
        if (neuron->typeCode != passedOver && std::strcmp(neuron->name, wanted) == 0)
            return neuron;
    }
    REPORT_WARNING("Failed to find neuron");
    return nullptr;
}
} // namespace

Neuron* FindNeuron(const char* wanted) {
    return FindNeuronPassingOver(wanted, std::nullopt);
}

Neuron* FindNeuronNotOfType(const std::string& name, NeuronType passedOver) {
    return FindNeuronPassingOver(name.c_str(), passedOver);
}

void AddNeuronGoneListener(NeuronGoneListener listener) {
    std::vector<NeuronGoneListener>& listeners = GoneListeners();
    if (listener && std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

void RemoveNeuronGoneListener(NeuronGoneListener listener) {
    std::vector<NeuronGoneListener>& listeners = GoneListeners();
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

Neuron* LookUpNeuron(const std::string& wanted) {
    if (wanted.size() < 3)
        return nullptr;
    Neuron* grudge = nullptr;
    for (Neuron* neuron : Network().neurons) {
        if (wanted != neuron->name)
            continue;
        if (neuron->typeCode != NeuronType::Grudge)
            return neuron;
        if (!grudge)
            grudge = neuron;
    }
    return grudge;
}

// The passes go by index and re-read the size: a step may create neurons (a voter group raising
// a grudge), which join the end of the registry and are reached in the same pass.
void ProcessAllNeurons() {
    std::vector<Neuron*>& neurons = Network().neurons;
    for (size_t i = 0; i < neurons.size(); ++i)
        neurons[i]->Process();
}

void EndTurnAllNeurons() {
    std::vector<Neuron*>& neurons = Network().neurons;
    for (size_t i = 0; i < neurons.size(); ++i) {
        Neuron* neuron = neurons[i];
        if (neuron->keepsHistory)
            neuron->UpdateHistory();
        neuron->EndOfTurn();
    }
}

void ResetAllHistories() {
    std::vector<Neuron*>& neurons = Network().neurons;
    for (size_t i = 0; i < neurons.size(); ++i)
        neurons[i]->ResetHistory();
}

void OrderNeuronsByType() {
    static const NeuronType kOrder[] = {
        NeuronType::Plain,          NeuronType::Player,    NeuronType::Policy,
        NeuronType::Random,         NeuronType::Grudge,    NeuronType::Plain,
        NeuronType::SimVal,         NeuronType::Situation, NeuronType::Event,
        NeuronType::Dilemma,        NeuronType::Minister,  NeuronType::VoterType,
        NeuronType::VoterFrequency, NeuronType::Voter};
    std::vector<Neuron*>& neurons = Network().neurons;
    std::vector<Neuron*> groups[kNeuronTypeCount];
    std::vector<Neuron*> unknown;
    // Each neuron goes once into its group even when an earlier ordering already lists it twice,
    // so ordering again (after more content is loaded) keeps plain neurons at exactly two entries.
    std::unordered_set<const Neuron*> seen;
    for (Neuron* neuron : neurons) {
        if (!seen.insert(neuron).second)
            continue;
        const int32_t code = NeuronTypeCode(neuron->typeCode);
        if (code >= 0 && code < kNeuronTypeCount)
            groups[code].push_back(neuron);
        else
            unknown.push_back(neuron);
    }
    ASSERT(unknown.empty());
    neurons.clear();
    for (NeuronType type : kOrder) {
        const std::vector<Neuron*>& group = groups[NeuronTypeCode(type)];
        neurons.insert(neurons.end(), group.begin(), group.end());
    }
    // A neuron of no known type would otherwise drop out of every pass and never be freed.
    neurons.insert(neurons.end(), unknown.begin(), unknown.end());
}

void DeleteAllNeurons() {
    NetworkState& network = Network();
    std::vector<Neuron*>& neurons = network.neurons;
    std::unordered_set<const Neuron*> destroyed;
    network.destroyed = &destroyed;
    network.tearingDown = true;
    // Entries are never removed during the walk: a destroyed neuron (and any embedded neuron
    // its owner takes with it) is noted in the set, and its remaining entries are skipped.
    for (size_t i = 0; i < neurons.size(); ++i) {
        Neuron* neuron = neurons[i];
        if (destroyed.count(neuron) || neuron->IsEmbedded())
            continue;
        GetFrontEnd().DebuggerOutput(std::string(neuron->name) + "\n");
        delete neuron;
    }
    network.tearingDown = false;
    network.destroyed = nullptr;

    // What is left are embedded neurons whose owners are not neurons. Their owners free them
    // later, so they only let go of their links and leave the registry now.
    std::vector<Neuron*> remaining;
    remaining.swap(neurons);
    for (Neuron* neuron : remaining) {
        if (destroyed.insert(neuron).second)
            neuron->ReleaseLinks();
    }

    network.winningNeuron = nullptr;
    network.debtNeuron = nullptr;
    network.securityNeuron = nullptr;
    network.globalEconomy = nullptr;
}

const std::vector<Neuron*>& AllNeurons() {
    return Network().neurons;
}
