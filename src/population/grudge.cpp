#include "population/grudge.h"

#include "base/debug_log.h"
#include "network/neural_effect.h"
#include "population/population_state.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<SIM_Grudge*>& GrudgeList() {
    return Population().grudges;
}

// A connection between layers rather than game state: the government sets it once for every
// game, since the population cannot reach the ministers who hold grudges as boosts.
GrudgeGoneListener g_goneListener = nullptr;

// A grudge only counts while it is further than this from nothing.
constexpr float kFadedBelow = 0.01f;

// Neither the holder nor the target of a grudge is ever another grudge, though an earlier grudge
// about the same node carries that node's name.
Neuron* FindGrudgeEnd(const std::string& name) {
    Neuron* node = FindNeuronNotOfType(name, NeuronType::Grudge);
    ASSERT(node != nullptr);
    return node;
}

// A grudge outlives the node it is about when that node is a minister who leaves the game.
void ForgetGoneTarget(Neuron* gone) {
    for (SIM_Grudge* grudge : GrudgeList()) {
        if (grudge->target == gone)
            grudge->target = nullptr;
    }
}

// Builds the grudge around an existing holder and links it in.
SIM_Grudge* MakeGrudge(Neuron* holder, const std::string& holderName, float value, float decay) {
    auto* grudge = new SIM_Grudge();
    grudge->value = value;
    grudge->decay = decay;
    grudge->ResetHistory();
    grudge->age = 0;
    grudge->holderName = holderName;
    new NeuralEffect(grudge, holder, kGrudgeLinkFormula, 1.0f, 0.0f);
    grudge->PushToOutputs();
    return grudge;
}

} // namespace

SIM_Grudge::SIM_Grudge() {
    typeCode = NeuronType::Grudge;
    static const bool listening = (AddNeuronGoneListener(&ForgetGoneTarget), true);
    (void)listening;
    GrudgeList().push_back(this);
}

SIM_Grudge::~SIM_Grudge() {
    if (g_goneListener)
        g_goneListener(this);
    std::vector<SIM_Grudge*>& list = GrudgeList();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

float SIM_Grudge::Process() {
    PushToOutputs();
    return value;
}

bool SIM_Grudge::Decay() {
    float before = value;
    age += 1;
    value = decay * value;
    if (before > 0.0f)
        return value >= kFadedBelow;
    return value <= -kFadedBelow;
}

SIM_Grudge* CreateGrudge(const std::string& targetName, const std::string& holderName, float value,
                         float decay) {
    Neuron* holder = FindGrudgeEnd(holderName);
    Neuron* target = FindGrudgeEnd(targetName);
    if (!holder || !target)
        return nullptr;
    SIM_Grudge* grudge = MakeGrudge(holder, holderName, value, decay);
    grudge->SetName(targetName);
    grudge->target = target;
    grudge->SetGuiName(target->guiName);
    return grudge;
}

SIM_Grudge* CreateNamedGrudge(const std::string& shownText, const std::string& holderName,
                              float value, float decay) {
    Neuron* holder = FindGrudgeEnd(holderName);
    if (!holder)
        return nullptr;
    SIM_Grudge* grudge = MakeGrudge(holder, holderName, value, decay);
    grudge->SetGuiName(shownText);
    return grudge;
}

SIM_Grudge* CreateInertialGrudge(const std::string& targetName, const std::string& holderName,
                                 float value, float decay, float drag) {
    SIM_Grudge* grudge = CreateGrudge(targetName, holderName, value, decay);
    if (!grudge)
        return nullptr;
    // Scripts hand the drag over as text; a wild figure must not overflow the conversion. The
    // link refuses anything outside 0 … 32 with its own report.
    float bounded = std::isnan(drag) ? 0.0f : std::clamp(drag, -1000.0f, 1000.0f);
    grudge->inertialDrag = static_cast<int32_t>(bounded);
    if (NeuralEffect* link = grudge->Link())
        link->SetInertialDrag(grudge->inertialDrag);
    return grudge;
}

void UpdateAllGrudges() {
    // Walk a copy: nothing here may disturb the order of the real list.
    std::vector<SIM_Grudge*> walk = GrudgeList();
    std::vector<SIM_Grudge*> faded;
    for (SIM_Grudge* grudge : walk) {
        if (!grudge->Decay())
            faded.push_back(grudge);
    }
    for (SIM_Grudge* grudge : faded)
        delete grudge;
}

const std::vector<SIM_Grudge*>& AllGrudges() {
    return GrudgeList();
}

bool IsLiveGrudge(const SIM_Grudge* grudge) {
    if (!grudge)
        return false;
    const std::vector<SIM_Grudge*>& list = GrudgeList();
    return std::find(list.begin(), list.end(), grudge) != list.end();
}

void SetGrudgeGoneListener(GrudgeGoneListener listener) {
    g_goneListener = listener;
}
