#include "bridge/engine_bridge.h"

namespace evoplug::bridge {
namespace {

using abi::Word;

// What the engine handed over; the single place the bridge keeps its state.
// The three slots are copied when the record arrives: the engine promises
// nothing about its table afterwards.
struct EngineLink {
    Word* record = nullptr;
    Word* functionTable = nullptr;
    abi::LookupFn lookup = nullptr;
    abi::LookupFunctionFn lookupFunction = nullptr;
    abi::CallFn call = nullptr;
    Word* surface = nullptr;
    Word word3 = 0;
    Word secondTableSlot2 = 0;
};
EngineLink link;

Word* findObject(const char* name) {
    if (link.lookup == nullptr || name == nullptr) return nullptr;
    return static_cast<Word*>(link.lookup(name));
}

}  // namespace

int32_t attach(void* hostInterface) {
    link = EngineLink{};
    link.record = static_cast<Word*>(hostInterface);
    if (link.record != nullptr) {
        link.functionTable = reinterpret_cast<Word*>(link.record[abi::host::kFunctionTable]);
        if (const Word* table = link.functionTable) {
            link.lookup = reinterpret_cast<abi::LookupFn>(table[abi::table::kLookup]);
            link.lookupFunction =
                reinterpret_cast<abi::LookupFunctionFn>(table[abi::table::kLookupFunction]);
            link.call = reinterpret_cast<abi::CallFn>(table[abi::table::kCall]);
        }
        link.surface = reinterpret_cast<Word*>(link.record[abi::host::kSurface]);
        link.word3 = link.record[abi::host::kUnused];
        auto* second = reinterpret_cast<Word*>(link.record[abi::host::kSecondTable]);
        if (second != nullptr) link.secondTableSlot2 = second[abi::host::kSecondTableSlot];
    }
    return 511;
}

bool attached() { return link.functionTable != nullptr; }

void* lookupVar(const char* name) {
    Word* object = findObject(name);
    if (object == nullptr) return nullptr;
    auto type = static_cast<int32_t>(object[abi::object::kType]);
    return reinterpret_cast<void*>(object[abi::dataWordFor(type)]);
}

int32_t lookupScriptFunction(const char* name) {
    Word* object = findObject(name);
    if (object == nullptr) return 0;
    if (static_cast<int32_t>(object[abi::object::kType]) != abi::type::kFunction) return 0;
    return static_cast<int32_t>(object[abi::object::kData0]);
}

void* lookupEngineFunction(const char* name) {
    if (link.lookupFunction == nullptr || name == nullptr) return nullptr;
    return link.lookupFunction(name);
}

int32_t callScriptFunction(int32_t handle, int32_t a, int32_t b, int32_t c, int32_t d) {
    if (link.call == nullptr) return 0;
    return link.call(handle, a, b, c, d);
}

int32_t callScriptByName(const char* name, int32_t a, int32_t b, int32_t c, int32_t d) {
    return callScriptFunction(lookupScriptFunction(name), a, b, c, d);
}

const Word* surfaceRecord() { return link.surface; }

}  // namespace evoplug::bridge
