#include "panel/control_panel.h"

namespace evoplug::panel {
namespace {

constexpr const char* kGeneNames[] = {"ColorR", "Alpha", "Ambient", "Movement"};
// Replaces the first gene label in the controller group (0xF6 is the umlaut).
constexpr char kGreeting[] =
    "Hallo, Sch\xF6"
    "nheit";
constexpr RadioPlacement kSettingsRadio = {386, 13, 20};

GroupRecords settingsRecords(script::Bindings& b) {
    return {b.stringCell(script::SelectionText), b.panelCell(script::SelectionRow),
            script::kSettingsRows, b.panelCell(script::EvolutionSettings),
            b.panelCell(script::RadioButton)};
}

GroupRecords controllerRecords(script::Bindings& b) {
    return {b.stringCell(script::Str0), b.panelCell(script::Slot0), script::kControllerRows,
            b.panelCell(script::Controller), nullptr};
}

}  // namespace

void ControlPanel::build(script::Bindings& script, const NameList& selectionNames,
                         const NameList& crossbreedNames) {
    // Everything is built aside first and taken over at the end.
    NameList selection = selectionNames_;
    selection.insert(selection.end(), selectionNames.begin(), selectionNames.end());
    NameList crossbreed = crossbreedNames_;
    crossbreed.insert(crossbreed.end(), crossbreedNames.begin(), crossbreedNames.end());
    OptionLists settingsLists = settingsLists_;
    settingsLists.push_back(selection);
    settingsLists.push_back(crossbreed);
    auto settings =
        std::make_unique<OptionGroup>(settingsRecords(script), settingsLists, kSettingsRadio);

    NameList genes = geneNames_;
    for (const char* name : kGeneNames) genes.emplace_back(name);
    OptionLists controllerLists = controllerLists_;
    controllerLists.push_back(genes);
    // The group's copy and the list itself are renamed apart.
    controllerLists.front().front() = kGreeting;
    genes.front() = "Was anderes";
    auto controller =
        std::make_unique<OptionGroup>(controllerRecords(script), controllerLists, RadioPlacement{});

    selectionNames_.swap(selection);
    crossbreedNames_.swap(crossbreed);
    geneNames_.swap(genes);
    settingsLists_.swap(settingsLists);
    controllerLists_.swap(controllerLists);
    settings_ = std::move(settings);
    controller_ = std::move(controller);
    settings_->start();
    controller_->start();
}

}  // namespace evoplug::panel
