#include "bridge/engine_bridge.h"

namespace evoplug::bridge {

using abi::Word;

bool accepts(Kind kind, int32_t typeCode) {
    switch (kind) {
        case Kind::Number:
            return typeCode == abi::type::kNumber || typeCode == abi::type::kArray;
        case Kind::String:
            return typeCode == abi::type::kString;
        case Kind::Object:
            return typeCode == abi::type::kObject;
        case Kind::Function:
            return typeCode == abi::type::kFunction;
        case Kind::Panel:
            return typeCode == abi::type::kPanel;
    }
    return false;
}

int32_t EngineLink::attach(void* hostInterface) {
    *this = EngineLink{};
    const auto* record = static_cast<const Word*>(hostInterface);
    if (record == nullptr) return 511;
    if (const auto* table = reinterpret_cast<const Word*>(record[abi::host::kFunctionTable])) {
        lookup_ = reinterpret_cast<abi::LookupFn>(table[abi::table::kLookup]);
        lookupFunction_ =
            reinterpret_cast<abi::LookupFunctionFn>(table[abi::table::kLookupFunction]);
        call_ = reinterpret_cast<abi::CallFn>(table[abi::table::kCall]);
    }
    surface_ = reinterpret_cast<Word*>(record[abi::host::kSurface]);
    word3_ = record[abi::host::kUnused];
    if (const auto* second = reinterpret_cast<const Word*>(record[abi::host::kSecondTable]))
        secondTableSlot2_ = second[abi::host::kSecondTableSlot];
    return 511;
}

Word* EngineLink::object(const char* name) const {
    if (lookup_ == nullptr || name == nullptr) return nullptr;
    return static_cast<Word*>(lookup_(name));
}

int32_t EngineLink::typeOf(const char* name) const {
    const Word* o = object(name);
    return o != nullptr ? static_cast<int32_t>(o[abi::object::kType]) : 0;
}

void* EngineLink::dataOf(const char* name, Kind kind) const {
    const Word* o = object(name);
    if (o == nullptr) return nullptr;
    const auto type = static_cast<int32_t>(o[abi::object::kType]);
    if (!accepts(kind, type)) return nullptr;
    return reinterpret_cast<void*>(o[abi::dataWordFor(type)]);
}

void* EngineLink::find(const char* name, Kind kind) { return dataOf(name, kind); }

const char* EngineLink::text(const char* name) const {
    const StringRecord string(dataOf(name, Kind::String));
    return string ? string.text() : nullptr;
}

int32_t EngineLink::lookupScriptFunction(const char* name) const {
    const Word* o = object(name);
    if (o == nullptr || !accepts(Kind::Function, static_cast<int32_t>(o[abi::object::kType])))
        return 0;
    return static_cast<int32_t>(o[abi::object::kData0]);
}

void* EngineLink::lookupEngineFunction(const char* name) const {
    if (lookupFunction_ == nullptr || name == nullptr) return nullptr;
    return lookupFunction_(name);
}

int32_t EngineLink::callScriptFunction(int32_t handle, int32_t a, int32_t b, int32_t c,
                                       int32_t d) const {
    if (call_ == nullptr) return 0;
    return call_(handle, a, b, c, d);
}

int32_t EngineLink::callScriptByName(const char* name, int32_t a, int32_t b, int32_t c,
                                     int32_t d) const {
    return callScriptFunction(lookupScriptFunction(name), a, b, c, d);
}

}  // namespace evoplug::bridge
