// Every script object and engine function the library uses, in one table:
// its name, the kind it must be, when it is bound and which exports use it.
// The bindings, the wiring check and the wiring guide all follow this table.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bridge/host_interface.h"

namespace evoplug::script {

// What a name must be. Numbers and arrays accept a number variable or an
// array alike; the distinction documents the use.
enum class Need : uint8_t { Number, Array, String, Panel, Object, Function, EngineFunction };

// When a name is looked up.
enum class Stage : uint8_t { AtInterfaceInit, AtWdlSyntax, AtUse };

// The exports that use a group of names.
namespace users {
constexpr const char* kController = "ToggleControlPanel";
constexpr const char* kRowTexts = "init_population, ControlPanelCommand";
constexpr const char* kSettingsPanels = "init_population";
constexpr const char* kSettingsTexts = "init_population, SelectCommand";
constexpr const char* kRadio = "init_population, SelectRadio";
}  // namespace users

// X(enumerator, text, need, stage, used by). The bound names (every stage
// but AtUse) come first, in lookup order. Slots, row texts and the settings
// rows are consecutive, so a group can hold its rows as one run of bindings.
#define EVOPLUG_SCRIPT_NAMES(X)                                                               \
    X(NumElem, "num_elem", Number, AtInterfaceInit, "CreateGenotype")                         \
    X(StringLength, "stringlength", Number, AtInterfaceInit, "CreateGenotype")                \
    X(Mutation, "mutation", Number, AtInterfaceInit, "CreateGenotype")                        \
    X(Crossover, "crossover", Number, AtInterfaceInit, "CreateGenotype")                      \
    X(Average, "average", Number, AtInterfaceInit, "evolution")                               \
    X(Minimal, "minimal", Number, AtInterfaceInit, "evolution")                               \
    X(Maximal, "maximal", Number, AtInterfaceInit, "evolution")                               \
    X(SmallArray, "smallarray", Array, AtInterfaceInit, "CreateGenotype, evolution")          \
    X(BigArray, "bigarray", Array, AtInterfaceInit, "evolution")                              \
    X(Chromosom, "chromosom", Number, AtInterfaceInit, "CreateGenotype, evolution")           \
    X(ActionString, "actionstring", String, AtInterfaceInit, "init_Ortavia")                  \
    X(ModelName, "modelname", String, AtInterfaceInit, "CreateGenotype")                      \
    X(Slot0, "Slot0", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot1, "Slot1", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot2, "Slot2", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot3, "Slot3", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot4, "Slot4", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot5, "Slot5", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot6, "Slot6", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot7, "Slot7", Panel, AtInterfaceInit, users::kController)                             \
    X(Slot8, "Slot8", Panel, AtInterfaceInit, users::kController)                             \
    X(Str0, "Str0", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str1, "Str1", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str2, "Str2", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str3, "Str3", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str4, "Str4", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str5, "Str5", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str6, "Str6", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str7, "Str7", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Str8, "Str8", String, AtInterfaceInit, users::kRowTexts)                                \
    X(Controller, "Controller", Panel, AtInterfaceInit, users::kController)                   \
    X(SelectionRow, "selection", Panel, AtInterfaceInit, users::kSettingsPanels)              \
    X(CrossbreedRow, "crossbreed", Panel, AtInterfaceInit, users::kSettingsPanels)            \
    X(SelectionText, "selStr", String, AtInterfaceInit, users::kSettingsTexts)                \
    X(CrossbreedText, "crossStr", String, AtInterfaceInit, users::kSettingsTexts)             \
    X(EvolutionSettings, "EvolutionSettings", Panel, AtInterfaceInit, users::kRadio)          \
    X(RadioButton, "RadioButton", Panel, AtInterfaceInit, users::kRadio)                      \
    X(CalculateFitness, "CalculateFitness", Function, AtInterfaceInit,                        \
      "CreateGenotype, evolution, MyFitness")                                                 \
    X(MouseX, "mouse_pos.x", Number, AtWdlSyntax, "PositionPanel")                            \
    X(MouseY, "mouse_pos.y", Number, AtWdlSyntax, "PositionPanel")                            \
    X(EntRemove, abi::engine_function::ent_remove::kName, EngineFunction, AtWdlSyntax,        \
      "CreateGenotype")                                                                       \
    X(EntCreate, abi::engine_function::ent_create::kName, EngineFunction, AtWdlSyntax,        \
      "CreateGenotype")                                                                       \
    X(DialogPanel, "DialogPanel", Panel, AtUse,                                               \
      "DragPanel, MoveMyPanel, ReleaseMyPanel, PositionPanel")                                \
    X(DialogText, "DialogText", Panel, AtUse, "MoveMyPanel, ReleaseMyPanel, PositionPanel")   \
    X(FeedbackText, "FeedbackText", String, AtUse, "DragPanel, MoveMyPanel, ReleaseMyPanel")  \
    X(DragSwitch, "dragSwitch", Number, AtUse, "DragPanel, MoveMyPanel, ReleaseMyPanel")      \
    X(CheckDragProcess, "checkDragProcess", Function, AtUse, "MoveMyPanel")                   \
    X(Camera, "camera", Object, AtUse, "ZoomIn")                                              \
    X(Time, "time", Number, AtUse, "DLLEffect_Explo, DLLPart_Alphafade")                      \
    X(SkySpeed, "sky_speed", Number, AtUse, "AddToSkySpeed")                                  \
    X(CloudSpeed, "cloud_speed", Number, AtUse, "SetCloudSpeed")                              \
    X(TraceMode, "trace_mode", Number, AtUse, "DistAhead")                                    \
    X(Trace, abi::engine_function::trace::kName, EngineFunction, AtUse, "DistAhead")          \
    X(VecRotate, abi::engine_function::vec_rotate::kName, EngineFunction, AtUse, "DistAhead") \
    X(Beeps, "beeps", Function, AtUse, "WDLBeep")                                             \
    X(AlphaFade, "DLLPart_Alphafade", Function, AtUse, "DLLEffect_Explo")

enum Name : uint8_t {
#define EVOPLUG_NAME_ENUMERATOR(name, text, need, stage, usedBy) name,
    EVOPLUG_SCRIPT_NAMES(EVOPLUG_NAME_ENUMERATOR)
#undef EVOPLUG_NAME_ENUMERATOR
};

struct NameInfo {
    const char* text;
    Need need;
    Stage stage;
    const char* usedBy;  // the exports that read or write it
};

inline constexpr NameInfo kNames[] = {
#define EVOPLUG_NAME_ROW(name, text, need, stage, usedBy) {text, Need::need, Stage::stage, usedBy},
    EVOPLUG_SCRIPT_NAMES(EVOPLUG_NAME_ROW)
#undef EVOPLUG_NAME_ROW
};

#undef EVOPLUG_SCRIPT_NAMES

constexpr int kNameCount = sizeof kNames / sizeof kNames[0];

namespace detail {
constexpr int boundNameCount() {
    int count = 0;
    while (count < kNameCount && kNames[count].stage != Stage::AtUse) ++count;
    return count;
}
constexpr bool noBoundNameAfter(int first) {
    for (int n = first; n < kNameCount; ++n)
        if (kNames[n].stage != Stage::AtUse) return false;
    return true;
}
}  // namespace detail

// The names held in the bindings: every name before the first looked up at use.
constexpr int kBoundNameCount = detail::boundNameCount();
static_assert(detail::noBoundNameAfter(kBoundNameCount), "the bound names come first");

// Rows of the controller panel (a slot and its text each), and of the settings
// panel (a row and its text each).
constexpr int kControllerRows = 9;
constexpr int kSettingsRows = 2;
static_assert(Slot8 - Slot0 + 1 == kControllerRows, "one slot per controller row");
static_assert(Str8 - Str0 + 1 == kControllerRows, "one text per controller row");
static_assert(CrossbreedRow - SelectionRow + 1 == kSettingsRows, "one panel per settings row");
static_assert(CrossbreedText - SelectionText + 1 == kSettingsRows, "one text per settings row");

inline const char* nameOf(Name n) { return kNames[n].text; }

// The row whose text is `text`; kNameCount for none.
constexpr int indexOf(const char* text) {
    for (int n = 0; n < kNameCount; ++n) {
        const char* a = kNames[n].text;
        const char* b = text;
        while (*a != '\0' && *a == *b) {
            ++a;
            ++b;
        }
        if (*a == *b) return n;
    }
    return kNameCount;
}

}  // namespace evoplug::script
