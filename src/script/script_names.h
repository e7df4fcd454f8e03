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

enum class Stage : uint8_t {
    Interface,  // bound by InterfaceInit
    Engine,     // bound by WDL_syntax
    AtUse,      // looked up by the export that uses it, each time
};

// The names bound by InterfaceInit and WDL_syntax come first, in lookup order.
// Slots, row texts and the settings rows are consecutive, so a group can hold
// its rows as one run of bindings.
enum Name : uint8_t {
    NumElem,
    StringLength,
    Mutation,
    Crossover,
    Average,
    Minimal,
    Maximal,
    SmallArray,
    BigArray,
    Chromosom,
    ActionString,
    ModelName,
    Slot0,
    Str0 = Slot0 + 9,
    Controller = Str0 + 9,
    SelectionRow,
    CrossbreedRow,
    SelectionText,
    CrossbreedText,
    EvolutionSettings,
    RadioButton,
    CalculateFitness,
    MouseX,
    MouseY,
    EntRemove,
    EntCreate,
    kBoundNames,  // the names above are held in the bindings
    DialogPanel = kBoundNames,
    DialogText,
    FeedbackText,
    DragSwitch,
    CheckDragProcess,
    Camera,
    Time,
    SkySpeed,
    CloudSpeed,
    TraceMode,
    Trace,
    VecRotate,
    Beeps,
    AlphaFade,
    kNameCount
};

constexpr int kControllerRows = 9;
constexpr int kSettingsRows = 2;

struct NameInfo {
    const char* text;
    Need need;
    Stage stage;
    const char* usedBy;  // the exports that read or write it
};

namespace detail {
constexpr const char* kSlots = "ToggleControlPanel";
constexpr const char* kRowTexts = "init_population, ControlPanelCommand";
constexpr const char* kSettingsRows = "init_population";
constexpr const char* kSettingsTexts = "init_population, SelectCommand";
constexpr const char* kRadio = "init_population, SelectRadio";
constexpr bool same(const char* a, const char* b) {
    return *a == *b && (*a == '\0' || same(a + 1, b + 1));
}
}  // namespace detail

inline constexpr NameInfo kNames[] = {
    {"num_elem", Need::Number, Stage::Interface, "CreateGenotype"},
    {"stringlength", Need::Number, Stage::Interface, "CreateGenotype"},
    {"mutation", Need::Number, Stage::Interface, "CreateGenotype"},
    {"crossover", Need::Number, Stage::Interface, "CreateGenotype"},
    {"average", Need::Number, Stage::Interface, "evolution"},
    {"minimal", Need::Number, Stage::Interface, "evolution"},
    {"maximal", Need::Number, Stage::Interface, "evolution"},
    {"smallarray", Need::Array, Stage::Interface, "CreateGenotype, evolution"},
    {"bigarray", Need::Array, Stage::Interface, "evolution"},
    {"chromosom", Need::Number, Stage::Interface, "CreateGenotype, evolution"},
    {"actionstring", Need::String, Stage::Interface, "init_Ortavia"},
    {"modelname", Need::String, Stage::Interface, "CreateGenotype"},
    {"Slot0", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot1", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot2", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot3", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot4", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot5", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot6", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot7", Need::Panel, Stage::Interface, detail::kSlots},
    {"Slot8", Need::Panel, Stage::Interface, detail::kSlots},
    {"Str0", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str1", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str2", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str3", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str4", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str5", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str6", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str7", Need::String, Stage::Interface, detail::kRowTexts},
    {"Str8", Need::String, Stage::Interface, detail::kRowTexts},
    {"Controller", Need::Panel, Stage::Interface, "ToggleControlPanel"},
    {"selection", Need::Panel, Stage::Interface, detail::kSettingsRows},
    {"crossbreed", Need::Panel, Stage::Interface, detail::kSettingsRows},
    {"selStr", Need::String, Stage::Interface, detail::kSettingsTexts},
    {"crossStr", Need::String, Stage::Interface, detail::kSettingsTexts},
    {"EvolutionSettings", Need::Panel, Stage::Interface, detail::kRadio},
    {"RadioButton", Need::Panel, Stage::Interface, detail::kRadio},
    {"CalculateFitness", Need::Function, Stage::Interface, "CreateGenotype, evolution, MyFitness"},
    {"mouse_pos.x", Need::Number, Stage::Engine, "PositionPanel"},
    {"mouse_pos.y", Need::Number, Stage::Engine, "PositionPanel"},
    {abi::kEntRemoveName, Need::EngineFunction, Stage::Engine, "CreateGenotype"},
    {abi::kEntCreateName, Need::EngineFunction, Stage::Engine, "CreateGenotype"},
    {"DialogPanel", Need::Panel, Stage::AtUse,
     "DragPanel, MoveMyPanel, ReleaseMyPanel, PositionPanel"},
    {"DialogText", Need::Panel, Stage::AtUse, "MoveMyPanel, ReleaseMyPanel, PositionPanel"},
    {"FeedbackText", Need::String, Stage::AtUse, "DragPanel, MoveMyPanel, ReleaseMyPanel"},
    {"dragSwitch", Need::Number, Stage::AtUse, "DragPanel, MoveMyPanel, ReleaseMyPanel"},
    {"checkDragProcess", Need::Function, Stage::AtUse, "MoveMyPanel"},
    {"camera", Need::Object, Stage::AtUse, "ZoomIn"},
    {"time", Need::Number, Stage::AtUse, "DLLEffect_Explo, DLLPart_Alphafade"},
    {"sky_speed", Need::Number, Stage::AtUse, "AddToSkySpeed"},
    {"cloud_speed", Need::Number, Stage::AtUse, "SetCloudSpeed"},
    {"trace_mode", Need::Number, Stage::AtUse, "DistAhead"},
    {abi::kTraceName, Need::EngineFunction, Stage::AtUse, "DistAhead"},
    {abi::kVecRotateName, Need::EngineFunction, Stage::AtUse, "DistAhead"},
    {"beeps", Need::Function, Stage::AtUse, "WDLBeep"},
    {"DLLPart_Alphafade", Need::Function, Stage::AtUse, "DLLEffect_Explo"},
};

static_assert(sizeof kNames / sizeof kNames[0] == kNameCount, "one row per name");
static_assert(detail::same(kNames[Slot0 + 8].text, "Slot8") &&
                  detail::same(kNames[Str0].text, "Str0") &&
                  detail::same(kNames[CalculateFitness].text, "CalculateFitness") &&
                  detail::same(kNames[EntCreate].text, "ent_create") &&
                  detail::same(kNames[DialogPanel].text, "DialogPanel") &&
                  detail::same(kNames[AlphaFade].text, "DLLPart_Alphafade"),
              "rows in the order of the names");

inline const char* nameOf(Name n) { return kNames[n].text; }

}  // namespace evoplug::script
