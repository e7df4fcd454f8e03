// The control panel's option groups: the strategies for the next population
// on "EvolutionSettings", the gene labels on "Controller".
#pragma once

#include <cstdint>
#include <memory>

#include "panel/option_group.h"
#include "script/script_bindings.h"

namespace evoplug::panel {

// Rows of the settings group.
constexpr int32_t kSelectionRow = 0;
constexpr int32_t kCrossbreedRow = 1;

class ControlPanel {
  public:
    // Appends the names to the lists and builds both groups over copies of
    // them. A second call appends every name again and builds fresh groups
    // over the grown lists (what engine strings show of the earlier groups
    // stays, as every shown text lasts). Without memory nothing changes.
    void build(script::Bindings& script, const NameList& selectionNames,
               const NameList& crossbreedNames);

    // Null until built.
    OptionGroup* settings() const { return settings_.get(); }
    OptionGroup* controller() const { return controller_.get(); }
    // The settings group's choice for a row; 0 until built.
    int32_t choice(int32_t row) const { return settings_ ? settings_->choice(row) : 0; }
    // The buttons' work; nothing until built.
    void stepSettings(int32_t row, int32_t direction) {
        if (settings_) settings_->step(row, direction);
    }
    void stepController(int32_t row, int32_t direction) {
        if (controller_) controller_->step(row, direction);
    }
    void placeRadio(int32_t row) {
        if (settings_) settings_->placeRadio(row);
    }

    const NameList& geneNames() const { return geneNames_; }

  private:
    NameList selectionNames_;
    NameList crossbreedNames_;
    NameList geneNames_;
    OptionLists settingsLists_;
    OptionLists controllerLists_;
    std::unique_ptr<OptionGroup> settings_;
    std::unique_ptr<OptionGroup> controller_;
};

}  // namespace evoplug::panel
