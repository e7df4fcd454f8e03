#include "plugin/plugin_state.h"

#include <iostream>
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

void refuse(const char* call, const char* inside, const char* because) {
    std::cerr << "evoplug: " << call << " called inside " << inside << " is refused: it would "
              << because << ", which " << inside << " is using\n";
}

// For as long as it lives, `user` is the export using the population or one
// of its entities.
class UsingPopulation {
  public:
    UsingPopulation(const char*& user, const char* name) : user_(user), former_(user) {
        user = name;
    }
    ~UsingPopulation() { user_ = former_; }
    UsingPopulation(const UsingPopulation&) = delete;
    UsingPopulation& operator=(const UsingPopulation&) = delete;

  private:
    const char*& user_;
    const char* former_;
};

}  // namespace

PluginState& state() {
    std::unique_ptr<PluginState>& s = current();
    if (!s) s = std::make_unique<PluginState>();
    return *s;
}

void resetState() {
    std::unique_ptr<PluginState>& s = current();
    if (s && s->runningExport() != nullptr) {
        refuse("ResetPluginState", s->runningExport(), "free the state");
        return;
    }
    s.reset();
}

PluginState::Running::Running(PluginState& state, const char* name)
    : state_(state), name_(name), outer_(state.running_) {
    state.running_ = this;
}

PluginState::Running::~Running() { state_.running_ = outer_; }

int32_t PluginState::attach(void* hostInterface) {
    if (hostInterface != nullptr && engineRecord_ != nullptr && hostInterface != engineRecord_) {
        // A5_DLLAPI itself is under way: the exports it would disturb are outside it.
        if (running_ != nullptr && running_->outer_ != nullptr) {
            refuse("A5_DLLAPI with another engine's record", running_->outer_->name_,
                   "drop what was found under the engine");
            return 0;
        }
        forgetEngine();
    }
    if (hostInterface != nullptr) engineRecord_ = hostInterface;
    return engine.attach(hostInterface);
}

void PluginState::forgetEngine() {
    script = {};
    dialog = {};
    explosions = {};
    evolution.forgetEngine();
}

void PluginState::buildPanel() {
    panel.build(script, namesOf(genetic::kSelections), namesOf(genetic::kCrossbreeds));
}

void PluginState::createPopulation() {
    if (populationUser_ != nullptr) {
        refuse("CreateGenotype", populationUser_, "replace the population and its entities");
        return;
    }
    const UsingPopulation use(populationUser_, "CreateGenotype");
    const breeder::Choice choice{
        static_cast<genetic::SelectionKind>(panel.choice(panel::kSelectionRow)),
        static_cast<genetic::CrossbreedKind>(panel.choice(panel::kCrossbreedRow))};
    evolution.createPopulation(geneticContext(), choice);
}

void PluginState::runGeneration() {
    const UsingPopulation use(populationUser_, "evolution");
    evolution.publishAndRunGeneration();
}

int32_t PluginState::distAhead(bridge::EntityRecord entity) {
    const UsingPopulation use(populationUser_, "DistAhead");
    return demo::distAhead(engine, entity);
}

void PluginState::toggleController() {
    if (evolution.hasPopulation() && panel.controller() != nullptr) panel.controller()->toggle();
}

}  // namespace evoplug
