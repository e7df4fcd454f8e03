// A stand-in for the game engine: the records and calls the plug-in uses.
//
// The engine keeps named script objects of every kind, creates and removes
// entities, rotates and traces, owns a screen surface, and calls script
// functions (C++ callables) through its function table. It counts what tests
// need to see. One engine is active at a time: the plain C functions of the
// function table reach it through `Engine::active()`.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "evoplug.h"

namespace evoplug::host {

using EngineVar = int32_t;  // 10 fraction bits
using Word = uintptr_t;     // a word of a record that holds pointers

constexpr EngineVar kOne = EVOPLUG_ONE;
constexpr int32_t toInt(EngineVar v) { return v >> EVOPLUG_FRACTION_BITS; }
// Computed unsigned so that large values wrap, as the engine's do.
constexpr EngineVar fromInt(int32_t i) {
    return static_cast<EngineVar>(static_cast<uint32_t>(i) << EVOPLUG_FRACTION_BITS);
}

// A script function: (a, b, c, d) -> EngineVar.
using ScriptFunction = std::function<int32_t(int32_t, int32_t, int32_t, int32_t)>;

struct ScriptCall {
    int32_t handle;
    std::string name;  // empty for handle 0 or an unknown handle
    int32_t a, b, c, d;
};

struct TraceCall {
    std::vector<int32_t> from, to;
    int32_t traceMode;  // "trace_mode" at the time of the call
};

class Engine {
  public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    static Engine* active();
    // True while one of the engine's entry points runs (a lookup, a script
    // call, an engine function): the engine's own work, not the plug-in's.
    static bool running();

    // The interface record to hand to A5_DLLAPI.
    void* interfaceRecord() { return record_.data(); }

    // ---- Script objects; each returns the storage the plug-in will see.
    // A number variable of `words` consecutive EngineVars.
    int32_t* defineVar(const std::string& name, EngineVar value = 0, int words = 1);
    int32_t* defineArray(const std::string& name, int size);
    // A string record whose text the engine owns until the plug-in re-points it.
    Word* defineString(const std::string& name, const std::string& text);
    int32_t* definePanel(const std::string& name);
    // An engine object such as "camera" (32 words).
    int32_t* defineObject(const std::string& name);
    int32_t defineFunction(const std::string& name, ScriptFunction function);
    // An object of any type code whose two data words are given as they are.
    void defineRaw(const std::string& name, int32_t typeCode, Word data0, Word data1);
    // Gives the named object (defined when missing) another type code and data
    // words in place, as a script that redeclares a name would; nothing is
    // allocated for a name that exists, so it can be done without end.
    void retype(const std::string& name, int32_t typeCode, Word data0, Word data1);
    // Takes the name out of the script: lookups no longer find it. The storage
    // stays until the engine ends, as a real engine's does, so pointers that
    // the plug-in bound earlier never dangle.
    void remove(const std::string& name);
    // Brings the most recently removed object of that name back, at its old
    // storage, unless the name is defined again; false when there is none.
    bool restore(const std::string& name);
    bool has(const std::string& name) const;
    // Every name the script defines now, with its type code, by name.
    std::vector<std::pair<std::string, int32_t>> objects() const;

    // Typed reads of what a test or level defined.
    int32_t* var(const std::string& name);
    int32_t* panel(const std::string& name);
    Word* stringRecord(const std::string& name);
    std::string text(const std::string& name);  // "" when the text pointer is null
    // Gives the string a new text owned by the engine.
    void setText(const std::string& name, const std::string& text);
    int32_t handle(const std::string& name) const;

    // ---- Engine functions ("ent_create", "ent_remove", "vec_rotate", "trace").
    void disableEngineFunction(const std::string& name);
    void enableEngineFunction(const std::string& name);
    // Makes "ent_create" answer null, as an engine out of entities would.
    void setEntityCreationFails(bool fails) { entityCreationFails_ = fails; }

    // ---- Entities.
    struct Entity {
        std::vector<int32_t> words;
        std::string model;
        int32_t action = 0;
        size_t serial = 0;
    };
    size_t liveEntities() const { return entities_.size(); }
    size_t entitiesCreated() const { return created_; }
    size_t entitiesRemoved() const { return removed_; }
    size_t badRemovals() const { return badRemovals_; }
    // Live entities in creation order.
    std::vector<int32_t*> entityRecords() const;
    const Entity* entity(const void* record) const;

    // ---- Script calls through slot 4, in order.
    const std::vector<ScriptCall>& calls() const { return calls_; }
    size_t callsTo(const std::string& name) const;
    void clearCalls() { calls_.clear(); }
    // Long runs turn the log off; the count goes on.
    void setCallLogging(bool on) { logCalls_ = on; }
    size_t callCount() const { return callCount_; }
    const std::vector<TraceCall>& traces() const { return traces_; }
    void clearTraces() { traces_.clear(); }

    // ---- Screen surface.
    void setSurface(int width, int height, int bytesPerPixel, int bytesPerLine);
    std::vector<uint8_t>& pixels() { return pixels_; }
    Word* surfaceRecord() { return surface_.data(); }
    int locks() const { return locks_; }
    int unlocks() const { return unlocks_; }

    // Runs as each call of the plug-in into the engine begins, with the
    // script function's name, the engine function's ("ent_create", ...) or
    // the surface's "lock" or "unlock": what a script or the engine may do
    // there, such as calling the plug-in back.
    std::function<void(std::string_view call)> onCall;

    // C entry points of the function table and the engine functions.
    static void* EVOPLUG_CDECL lookupEntry(const char* name);
    static void* EVOPLUG_CDECL lookupFunctionEntry(const char* name);
    static int32_t EVOPLUG_CDECL callEntry(int32_t handle, int32_t a, int32_t b, int32_t c,
                                           int32_t d);

  private:
    struct Object;
    Object& add(const std::string& name, int32_t typeCode);
    Object* find(const std::string& name) const;

    void* createEntity(const void* modelRecord, const int32_t* position, int32_t action);
    int32_t removeEntity(void* record);
    friend struct EngineFunctions;

    std::vector<Word> record_, table_, secondTable_, surface_;
    std::map<std::string, std::unique_ptr<Object>> objects_;
    std::vector<std::pair<std::string, std::unique_ptr<Object>>> removedObjects_;
    // Handle h is functions_[h - 1]: the call entry finds a function without a
    // search, as an engine's compiled call would.
    struct Function {
        std::string name;
        ScriptFunction body;
    };
    std::deque<Function> functions_;  // stable while a function defines another
    std::set<std::string> disabledFunctions_;
    bool entityCreationFails_ = false;

    std::map<const void*, std::unique_ptr<Entity>> entities_;
    size_t created_ = 0, removed_ = 0, badRemovals_ = 0;

    std::vector<ScriptCall> calls_;
    bool logCalls_ = true;
    size_t callCount_ = 0;
    std::vector<TraceCall> traces_;

    std::vector<uint8_t> pixels_;
    int locks_ = 0, unlocks_ = 0;
};

}  // namespace evoplug::host
