#include "panel/control_panel.h"

#include <new>

#include "bridge/engine_bridge.h"

namespace evoplug::panel {
namespace {

constexpr const char* kSelectionNames[] = {"MinMaxSubst", "Tournament",    "Neighbour",
                                           "MinMaxCross", "RouletteWheel", "Excentric"};
constexpr const char* kCrossbreedNames[] = {"love marriage", "elite", "enrichment", "plebs",
                                            "hedonism"};
constexpr const char* kGeneNames[] = {"ColorR", "Alpha", "Ambient", "Movement"};
// Replaces the first gene label in the controller group (0xF6 is the umlaut).
constexpr char kGreeting[] =
    "Hallo, Sch\xF6"
    "nheit";

constexpr const char* kSlotNames[kControllerRows] = {"Slot0", "Slot1", "Slot2", "Slot3", "Slot4",
                                                     "Slot5", "Slot6", "Slot7", "Slot8"};
constexpr const char* kSlotTextNames[kControllerRows] = {"Str0", "Str1", "Str2", "Str3", "Str4",
                                                         "Str5", "Str6", "Str7", "Str8"};

// Marker x, row 0 below the panel's top, rows, step between rows.
constexpr int32_t kSettingsRadioPlacement[4] = {386, 13, 3, 20};

int32_t* lookupNumber(const char* name) { return static_cast<int32_t*>(bridge::lookupVar(name)); }

template <size_t N>
void append(NameList& list, const char* const (&names)[N]) {
    for (const char* name : names) list.push_back(MString(name));
}

// Null when the group cannot be allocated; the lists are copied in here so
// that their copy fails the same way.
OptionGroup* buildGroup(void* const* texts, int32_t textCount, void* const* slots,
                        int32_t slotCount, void* panel, const OptionLists& lists, void* radio,
                        const int32_t* placement) {
    try {
        return new OptionGroup(texts, textCount, slots, slotCount, panel, lists, radio, placement);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

void interfaceInit() {
    ScriptBindings& b = bindings;
    b.numElem = lookupNumber("num_elem");
    b.stringLength = lookupNumber("stringlength");
    b.mutation = lookupNumber("mutation");
    b.crossover = lookupNumber("crossover");
    b.average = lookupNumber("average");
    b.minimal = lookupNumber("minimal");
    b.maximal = lookupNumber("maximal");
    b.smallArray = lookupNumber("smallarray");
    b.bigArray = lookupNumber("bigarray");
    b.chromosom = lookupNumber("chromosom");
    b.bigIterator = lookupNumber("big_iterator");
    b.actionString = bridge::lookupVar("actionstring");
    b.modelName = bridge::lookupVar("modelname");
    for (int i = 0; i < kControllerRows; ++i) b.slots[i] = bridge::lookupVar(kSlotNames[i]);
    for (int i = 0; i < kControllerRows; ++i) b.slotTexts[i] = bridge::lookupVar(kSlotTextNames[i]);
    b.controller = bridge::lookupVar("Controller");
    b.settingsRows[kSelectionRow] = bridge::lookupVar("selection");
    b.settingsRows[kCrossbreedRow] = bridge::lookupVar("crossbreed");
    b.settingsTexts[kSelectionRow] = bridge::lookupVar("selStr");
    b.settingsTexts[kCrossbreedRow] = bridge::lookupVar("crossStr");
    b.evolutionSettings = bridge::lookupVar("EvolutionSettings");
    b.radioButton = bridge::lookupVar("RadioButton");
    b.calculateFitness = bridge::lookupScriptFunction("CalculateFitness");
}

void wdlSyntax() {
    ScriptBindings& b = bindings;
    b.camera = bridge::lookupVar("camera");
    b.player = bridge::lookupVar("player");
    b.you = bridge::lookupVar("you");
    b.mouseX = lookupNumber("mouse_pos.x");
    b.mouseY = lookupNumber("mouse_pos.y");
    b.entRemove = bridge::engineFunction<abi::EntRemoveFn>(abi::kEntRemoveName);
    b.entCreate = bridge::engineFunction<abi::EntCreateFn>(abi::kEntCreateName);
}

// A second call appends every name again and builds fresh groups over the
// grown lists; the earlier groups are left allocated, since engine strings
// may still point at texts they handed out.
void initPopulation() {
    append(SelectionNames, kSelectionNames);
    append(CrossbreedNames, kCrossbreedNames);
    settingsLists.push_back(SelectionNames);
    settingsLists.push_back(CrossbreedNames);
    settingsGroup = buildGroup(bindings.settingsTexts, kSettingsRows, bindings.settingsRows,
                               kSettingsRows, bindings.evolutionSettings, settingsLists,
                               bindings.radioButton, kSettingsRadioPlacement);

    append(GeneNames, kGeneNames);
    controllerLists.push_back(GeneNames);
    // The group's copy and the global list are renamed apart.
    controllerLists.front().front() = kGreeting;
    GeneNames.front() = "Was anderes";
    controllerGroup =
        buildGroup(bindings.slotTexts, kControllerRows, bindings.slots, kControllerRows,
                   bindings.controller, controllerLists, nullptr, nullptr);
}

void selectRadio(int32_t row) {
    if (settingsGroup != nullptr) settingsGroup->PlaceRadio(row);
}

void selectCommand(int32_t row, int32_t direction) {
    if (settingsGroup != nullptr) settingsGroup->Step(row, direction);
}

void controlPanelCommand(int32_t row, int32_t direction) {
    if (controllerGroup != nullptr) controllerGroup->Step(row, direction);
}

void toggleControlPanel() {
    if (creationCount == 1 && controllerGroup != nullptr) controllerGroup->Toggle();
}

}  // namespace evoplug::panel
