// Binding: each field of the bindings holds the object of its own name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/engine_bridge.h"
#include "engine.h"
#include "level.h"
#include "panel/control_panel.h"

namespace evoplug::panel {
namespace {

TEST(StartUp, EachBindingHoldsTheObjectOfItsName) {
    host::Engine engine;
    host::Level level{engine};
    bridge::attach(engine.interfaceRecord());
    interfaceInit();
    wdlSyntax();
    const ScriptBindings& b = bindings;
    const std::vector<const void*> ints = {
        b.numElem,    b.stringLength, b.mutation,  b.crossover,   b.average, b.minimal, b.maximal,
        b.smallArray, b.bigArray,     b.chromosom, b.bigIterator, b.mouseX,  b.mouseY};
    std::vector<const void*> fields = {
        b.actionString, b.modelName, b.controller, b.evolutionSettings,
        b.radioButton,  b.camera,    b.player,     b.you};
    fields.insert(fields.begin(), ints.begin(), ints.end());
    fields.insert(fields.end(),
                  {b.settingsRows[0], b.settingsRows[1], b.settingsTexts[0], b.settingsTexts[1]});
    std::vector<std::string> names = {
        "num_elem",     "stringlength",      "mutation",    "crossover",    "average",
        "minimal",      "maximal",           "smallarray",  "bigarray",     "chromosom",
        "big_iterator", "mouse_pos.x",       "mouse_pos.y", "actionstring", "modelname",
        "Controller",   "EvolutionSettings", "RadioButton", "camera",       "player",
        "you",          "selection",         "crossbreed",  "selStr",       "crossStr"};
    for (int i = 0; i < kControllerRows; ++i) {
        fields.insert(fields.end(), {b.slots[i], b.slotTexts[i]});
        names.insert(names.end(), {"Slot" + std::to_string(i), "Str" + std::to_string(i)});
    }
    ASSERT_EQ(fields.size(), names.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_NE(fields[i], nullptr) << names[i];
        EXPECT_EQ(fields[i], bridge::lookupVar(names[i].c_str())) << names[i];
    }
    EXPECT_EQ(b.calculateFitness, engine.handle("CalculateFitness"));
    EXPECT_EQ(reinterpret_cast<void*>(b.entCreate),
              host::Engine::lookupFunctionEntry(abi::kEntCreateName));
    EXPECT_EQ(reinterpret_cast<void*>(b.entRemove),
              host::Engine::lookupFunctionEntry(abi::kEntRemoveName));

    engine.remove("CalculateFitness");  // binding again picks up what the script changed
    interfaceInit();
    EXPECT_EQ(bindings.calculateFitness, 0);
    bindings = ScriptBindings{};
    bridge::attach(nullptr);
}

}  // namespace
}  // namespace evoplug::panel
