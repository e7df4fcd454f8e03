#include "plugin/plugin_state.h"

#include <memory>

namespace evoplug {
namespace {

std::unique_ptr<PluginState>& current() {
    static std::unique_ptr<PluginState> state;
    return state;
}

template <typename Table>
panel::NameList namesOf(const Table& table) {
    panel::NameList names;
    for (const auto& strategy : table) names.emplace_back(strategy.name);
    return names;
}

}  // namespace

PluginState& state() {
    std::unique_ptr<PluginState>& s = current();
    if (!s) s = std::make_unique<PluginState>();
    return *s;
}

void resetState() { current().reset(); }

void PluginState::buildPanel() {
    panel.build(script, namesOf(genetic::kSelections), namesOf(genetic::kCrossbreeds));
}

void PluginState::createPopulation() {
    const genetic::Choice choice{
        static_cast<genetic::SelectionKind>(panel.choice(panel::kSelectionRow)),
        static_cast<genetic::CrossbreedKind>(panel.choice(panel::kCrossbreedRow))};
    evolution.createPopulation(geneticContext(), choice);
}

void PluginState::toggleController() {
    if (evolution.hasPopulation() && panel.controller() != nullptr) panel.controller()->toggle();
}

}  // namespace evoplug
