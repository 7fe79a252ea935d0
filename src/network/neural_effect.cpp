#include "network/neural_effect.h"

#include "base/debug_log.h"
#include "network/network_state.h"
#include "network/neuron.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <new>
#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define EFFECT_POOL_POISON(address, size) ASAN_POISON_MEMORY_REGION((address), (size))
#define EFFECT_POOL_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION((address), (size))
#else
#define EFFECT_POOL_POISON(address, size) ((void)(address), (void)(size))
#define EFFECT_POOL_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

bool g_instantEffects = false;
bool g_gameRunning = true;

namespace {

// Fixed-size slots carved from large blocks. A freed slot goes on a list and is the next one
// handed out; the blocks go back to the heap only when DeleteAllEffects finds no link alive, so
// a game that makes and breaks single links never pays for a block. Blocks are one huge page
// each, aligned to it, and asked to be backed by huge pages: a large population's links are then
// mapped in a hundred faults rather than fifty thousand. Under the address sanitizer free slots
// are poisoned, so a link used after it was destroyed is still caught.
class EffectPool {
public:
    void* Allocate() {
        if (freeList) {
            Slot* slot = freeList;
            EFFECT_POOL_UNPOISON(slot, sizeof(Slot));
            freeList = slot->next;
            ++live;
            return slot;
        }
        if (blocks.empty() || usedInLast == kSlotsPerBlock) {
            void* memory = ::operator new(kBlockBytes, std::align_val_t(kBlockBytes));
            madvise(memory, kBlockBytes, MADV_HUGEPAGE);
            EFFECT_POOL_POISON(memory, kBlockBytes);
            blocks.push_back(static_cast<Slot*>(memory));
            usedInLast = 0;
        }
        Slot* slot = blocks.back() + usedInLast;
        ++usedInLast;
        EFFECT_POOL_UNPOISON(slot, sizeof(Slot));
        ++live;
        return slot;
    }

    void Release(void* memory) {
        Slot* slot = static_cast<Slot*>(memory);
        slot->next = freeList;
        freeList = slot;
        EFFECT_POOL_POISON(slot, sizeof(Slot));
        --live;
    }

    // Hands every block back once no link lives in them.
    void Trim() {
        if (live != 0)
            return;
        for (Slot* block : blocks) {
            EFFECT_POOL_UNPOISON(block, kBlockBytes);
            ::operator delete(block, std::align_val_t(kBlockBytes));
        }
        std::vector<Slot*>().swap(blocks);
        freeList = nullptr;
        usedInLast = 0;
    }

private:
    union Slot {
        Slot* next;
        alignas(NeuralEffect) unsigned char bytes[sizeof(NeuralEffect)];
    };
    static constexpr size_t kBlockBytes = size_t{2} << 20;
    static constexpr size_t kSlotsPerBlock = kBlockBytes / sizeof(Slot);

    std::vector<Slot*> blocks;
    Slot* freeList = nullptr;
    size_t usedInLast = 0;
    size_t live = 0;
};

// A push writes inputTarget and reads inertialDrag of every outgoing link; with slots at a
// multiple of 32 bytes from a block's aligned start, the pair never spans two cache lines.
static_assert(sizeof(NeuralEffect) % 32 == 0, "link slots keep a 32-byte rhythm");
static_assert(offsetof(NeuralEffect, inputTarget) / 32 ==
                  (offsetof(NeuralEffect, inertialDrag) + sizeof(uint32_t) - 1) / 32,
              "a push touches one cache line of a link");

// Never destroyed: a neuron that outlives the program's statics may still free its links.
EffectPool& Pool() {
    static EffectPool* pool = new EffectPool();
    return *pool;
}

void RemoveFrom(std::vector<NeuralEffect*>& list, NeuralEffect* effect) {
    // Links that die during play are mostly recent ones, so look from the back.
    auto found = std::find(list.rbegin(), list.rend(), effect);
    if (found != list.rend())
        list.erase(std::next(found).base());
}
} // namespace

NeuralEffect::NeuralEffect(Neuron* source, Neuron* target, const char* formula, float scale,
                           float initialInput) {
    ASSERT(source != nullptr);
    ASSERT(target != nullptr);
    change = 0.0f;
    inertialDrag = 0;
    firstUpdate = true;
    SetFormula(formula);
    this->scale = scale;
    this->target = target;
    this->source = source;
    input = initialInput;
    inputTarget = initialInput;
    Network().effects.push_back(this);
    output = 0.0f;
    inertia = 1;
    if (source)
        source->AddOutput(this);
    if (target)
        target->AddInput(this);
}

NeuralEffect::~NeuralEffect() {
    if (g_gameRunning) {
        if (source)
            RemoveFrom(source->outputs, this);
        if (target)
            RemoveFrom(target->inputs, this);
    }
    // The registry is ours and always valid, so leave it even while the network is torn down;
    // DeleteAllEffects empties it before freeing, which makes this a no-op there.
    RemoveFrom(Network().effects, this);
}

void* NeuralEffect::operator new(std::size_t size) {
    if (size != sizeof(NeuralEffect))
        return ::operator new(size);
    return Pool().Allocate();
}

void NeuralEffect::operator delete(void* memory, std::size_t size) {
    if (!memory)
        return;
    if (size != sizeof(NeuralEffect)) {
        ::operator delete(memory);
        return;
    }
    Pool().Release(memory);
}

void NeuralEffect::SetFormula(const char* text) {
    if (!text)
        text = "";
    size_t length = std::min(std::strlen(text), static_cast<size_t>(kFormulaMaxChars));
    std::memcpy(formula, text, length);
    formula[length] = '\0';
    // Links come in long runs of one formula (a voter group's link to every voter), so the last
    // text read is remembered with its result.
    static char lastText[kFormulaMaxChars + 1];
    static ParsedFormula lastParsed;
    static bool haveLast = false;
    if (haveLast && std::strcmp(formula, lastText) == 0) {
        parsed = lastParsed;
        return;
    }
    ParseFormula(formula, parsed);
    std::memcpy(lastText, formula, sizeof lastText);
    lastParsed = parsed;
    haveLast = true;
}

void NeuralEffect::SetInertialDrag(int drag) {
    if (drag < 0 || static_cast<uint32_t>(drag) > kMaxInertialDrag) {
        REPORT_ERROR("Invalid Inertial drag for neural effect");
        return;
    }
    inertialDrag = static_cast<uint32_t>(drag);
}

bool NeuralEffect::ReportOrphan() {
    REPORT_ERROR("Orphan effect");
    return false;
}

void NeuralEffect::SetInputNow(float newInput) {
    input = newInput;
    Recalculate();
}

float NeuralEffect::EvaluateAt(float x) {
    float result = EvaluateAtInput(x) * scale;
    if (source && source->typeCode == NeuronType::Policy)
        result = result * source->PolicyMinisterFactor();
    return result;
}

void NeuralEffect::Update() {
    if (!parsed.usable || (source && source->typeCode == NeuronType::Policy)) {
        UpdateReadByRead();
        return;
    }
    // The parsed formula is a pure function of the input and the source is not a policy, so a
    // read gives the same output until the input moves: the rule's three reads need one
    // evaluation, two when the input steps.
    Recalculate();
    float before = output;
    if (firstUpdate) {
        firstUpdate = false;
        before = 0.0f;
    }
    const float start = input;
    float step = 1.0f / static_cast<float>(inertia);
    if (input < inputTarget) {
        input = input + step;
        if (input > inputTarget)
            input = inputTarget;
    } else if (input > inputTarget) {
        input = input - step;
        if (input < inputTarget)
            input = inputTarget;
    }
    // Compared bit for bit, so that a move between -0 and +0 is still evaluated.
    if (std::memcmp(&start, &input, sizeof input) != 0)
        Recalculate();
    change = std::fabs(output - before);
}

void NeuralEffect::UpdateReadByRead() {
    float before = GetOutput();
    if (firstUpdate) {
        firstUpdate = false;
        before = 0.0f;
    }
    float step = 1.0f / static_cast<float>(inertia);
    if (input < inputTarget) {
        input = input + step;
        if (input > inputTarget)
            input = inputTarget;
    } else if (input > inputTarget) {
        input = input - step;
        if (input < inputTarget)
            input = inputTarget;
    }
    Recalculate();
    float after = GetOutput();
    change = std::fabs(after - before);
}

void UpdateAllEffects() {
    // By index: an update never adds links, but the size is re-read to stay within bounds.
    std::vector<NeuralEffect*>& effects = Network().effects;
    for (size_t i = 0; i < effects.size(); ++i) {
        NeuralEffect* effect = effects[i];
        if (effect->IsSourceActive())
            effect->Update();
    }
}

void RecalculateAllEffects() {
    for (NeuralEffect* effect : Network().effects)
        effect->Recalculate();
}

void DeleteAllEffects() {
    ASSERT(!g_gameRunning);
    std::vector<NeuralEffect*> doomed;
    doomed.swap(Network().effects);
    for (NeuralEffect* effect : doomed)
        delete effect;
    Pool().Trim();
}

const std::vector<NeuralEffect*>& AllEffects() {
    return Network().effects;
}
