// How every subsystem reaches the engine: lookups by name and calls.
//
// Until the engine has handed over its interface record, every lookup yields
// null (or handle 0) and every call returns 0 without reaching anything.
#pragma once

#include <cstdint>

#include "bridge/engine_records.h"
#include "bridge/host_interface.h"

namespace evoplug::bridge {

using abi::EngineVar;

bool accepts(Kind kind, int32_t typeCode);

class EngineLink {
  public:
    // Stores the engine's interface record and copies of the table slots the
    // plug-in calls; an earlier record is forgotten. Answers 511.
    int32_t attach(void* hostInterface);
    bool attached() const { return lookup_ != nullptr; }

    // The data pointer of the named script object of the given kind: word 1
    // for strings and panels, word 0 for every other kind. Null when the name
    // is unknown or of another kind, so that a data word is never misused.
    // What is found can be written, so finding takes a non-const link.
    void* find(const char* name, Kind kind);
    int32_t* findNumber(const char* name) {
        return static_cast<int32_t*>(find(name, Kind::Number));
    }
    // A string, panel or camera record of that name.
    template <typename Record>
    Record find(const char* name) {
        return Record(find(name, Record::kKind));
    }
    // The text of the named string; null when there is none.
    const char* text(const char* name) const;
    // The type code of the named object; 0 when the name is unknown.
    int32_t typeOf(const char* name) const;

    // The handle of the named script function; 0 for any other kind of object.
    int32_t lookupScriptFunction(const char* name) const;
    // An engine function by name, or null.
    void* lookupEngineFunction(const char* name) const;
    // The engine function F of abi::engine_function, with its signature.
    template <typename F>
    typename F::Fn function() const {
        return reinterpret_cast<typename F::Fn>(lookupEngineFunction(F::kName));
    }

    // Calls a script function through the engine; handle 0 is passed on.
    int32_t callScriptFunction(int32_t handle, int32_t a, int32_t b, int32_t c, int32_t d) const;
    int32_t callScriptByName(const char* name, int32_t a, int32_t b, int32_t c, int32_t d) const;

    // The screen surface record handed over with the interface record, or null.
    SurfaceRecord surface() { return SurfaceRecord(surface_); }

  private:
    abi::Word* object(const char* name) const;
    void* dataOf(const char* name, Kind kind) const;

    // The three table slots are copied when the record arrives: the engine
    // promises nothing about its table afterwards. Words 3 and the second
    // table's slot 2 are kept as the engine expects, never used.
    abi::LookupFn lookup_ = nullptr;
    abi::LookupFunctionFn lookupFunction_ = nullptr;
    abi::CallFn call_ = nullptr;
    abi::Word* surface_ = nullptr;
    abi::Word word3_ = 0;
    abi::Word secondTableSlot2_ = 0;
};

}  // namespace evoplug::bridge
