// Pointers to the script's objects, bound by name at start-up.
//
// All null (handles 0) when the library is loaded; each is filled by one
// binding export and never cleared. Variables and arrays point at EngineVar
// storage, strings at engine string records, panels at panel records.
#pragma once

#include <cstdint>

#include "bridge/host_interface.h"

namespace evoplug::panel {

constexpr int kControllerRows = 9;
constexpr int kSettingsRows = 2;

struct ScriptBindings {
    // Bound by InterfaceInit, in lookup order.
    int32_t* numElem = nullptr;               // "num_elem"
    int32_t* stringLength = nullptr;          // "stringlength"
    int32_t* mutation = nullptr;              // "mutation"
    int32_t* crossover = nullptr;             // "crossover"
    int32_t* average = nullptr;               // "average"
    int32_t* minimal = nullptr;               // "minimal"
    int32_t* maximal = nullptr;               // "maximal"
    int32_t* smallArray = nullptr;            // "smallarray"
    int32_t* bigArray = nullptr;              // "bigarray"
    int32_t* chromosom = nullptr;             // "chromosom"
    int32_t* bigIterator = nullptr;           // "big_iterator"
    void* actionString = nullptr;             // "actionstring"
    void* modelName = nullptr;                // "modelname"
    void* slots[kControllerRows] = {};        // "Slot0" .. "Slot8"
    void* slotTexts[kControllerRows] = {};    // "Str0" .. "Str8"
    void* controller = nullptr;               // "Controller"
    void* settingsRows[kSettingsRows] = {};   // "selection", "crossbreed"
    void* settingsTexts[kSettingsRows] = {};  // "selStr", "crossStr"
    void* evolutionSettings = nullptr;        // "EvolutionSettings"
    void* radioButton = nullptr;              // "RadioButton"
    int32_t calculateFitness = 0;             // "CalculateFitness" (handle)

    // Bound by WDL_syntax, in lookup order.
    void* camera = nullptr;                // "camera"
    void* player = nullptr;                // "player"
    void* you = nullptr;                   // "you"
    int32_t* mouseX = nullptr;             // "mouse_pos.x"
    int32_t* mouseY = nullptr;             // "mouse_pos.y"
    abi::EntRemoveFn entRemove = nullptr;  // "ent_remove"
    abi::EntCreateFn entCreate = nullptr;  // "ent_create"
};

// The one set of bindings of the library.
extern ScriptBindings bindings;

}  // namespace evoplug::panel
