#include "simulation.h"

#include <algorithm>
#include <ctime>
#include <stdexcept>

#include "engine.h"
#include "level.h"
#include "plugin.h"

namespace evolve {
namespace {

namespace abi = evoplug::abi;
namespace host = evoplug::host;

// The plug-in seeds its generator from whole seconds; a clock of our own
// makes runs repeatable while still giving every generation a new second.
int64_t virtualSeconds = 0;
int64_t virtualClock() { return virtualSeconds; }

void requireExports(const host::Plugin& plugin, const std::string& path) {
    const host::Exports& e = plugin.exports();
    std::vector<std::pair<const char*, bool>> needed = {
        {"A5_DLLAPI", e.A5_DLLAPI != nullptr},
        {"InterfaceInit", e.InterfaceInit != nullptr},
        {"WDL_syntax", e.WDL_syntax != nullptr},
        {"init_population", e.init_population != nullptr},
        {"init_Ortavia", e.init_Ortavia != nullptr},
        {"SelectCommand", e.SelectCommand != nullptr},
        {"CreateGenotype", e.CreateGenotype != nullptr},
        {"evolution", e.evolution != nullptr},
        {"SetRuntimeClock", e.SetRuntimeClock != nullptr},
    };
    std::string missing;
    for (const auto& [name, present] : needed)
        if (!present) missing += (missing.empty() ? "" : ", ") + std::string(name);
    if (!missing.empty())
        throw std::runtime_error("plug-in " + path + " lacks the exports " + missing);
}

int channel(int32_t engineVar) { return std::clamp(abi::toInt(engineVar), 0, 255); }

double fitness(int32_t scriptValue) { return scriptValue / double(abi::kOne) / 1000.0; }

}  // namespace

Simulation::Simulation(const Options& options, bool freshCopy)
    : engine_(std::make_unique<host::Engine>()), individuals_(options.individuals) {
    host::Plugin::Options loading;
    loading.freshCopy = freshCopy;
    loading.requireAll = false;  // only the exports a level drives matter here
    plugin_ = host::Plugin::load(options.plugin, loading);
    requireExports(*plugin_, options.plugin);

    host::LevelSettings settings;
    settings.individuals = options.individuals;
    settings.mutation = options.mutation;
    settings.crossover = options.crossover;
    settings.target = options.target;
    level_ = std::make_unique<host::Level>(*engine_, settings);

    virtualSeconds = options.clock ? *options.clock : static_cast<int64_t>(std::time(nullptr));
    plugin_->exports().SetRuntimeClock(&virtualClock);
    level_->startUp(*plugin_);

    // The panel's step buttons: row 0 chooses the selection, row 1 the
    // crossbreed, each starting at entry 0.
    const host::Exports& e = plugin_->exports();
    for (int k = 0; k < options.selection; ++k) e.SelectCommand(abi::fromInt(0), abi::fromInt(1));
    for (int k = 0; k < options.crossbreed; ++k) e.SelectCommand(abi::fromInt(1), abi::fromInt(1));
    engine_->setCallLogging(false);  // long runs would keep every fitness call
    e.CreateGenotype();
}

Simulation::~Simulation() {
    if (plugin_ && plugin_->exports().SetRuntimeClock) plugin_->exports().SetRuntimeClock(nullptr);
}

void Simulation::step() {
    ++virtualSeconds;
    plugin_->exports().evolution(0, 0);
    ++generation_;
}

Stats Simulation::stats() const {
    return {fitness(*engine_->var("average")), fitness(*engine_->var("minimal")),
            fitness(*engine_->var("maximal"))};
}

std::vector<Rgb> Simulation::colours() const {
    std::vector<Rgb> result;
    if (generation_ == 0) {
        for (const int32_t* words : engine_->entityRecords())
            result.push_back({channel(words[abi::entity::kGene0]),
                              channel(words[abi::entity::kGene1]),
                              channel(words[abi::entity::kGene2])});
        return result;
    }
    const int32_t* genes = engine_->var("bigarray");
    for (int i = 0; i < individuals_; ++i)
        result.push_back(
            {channel(genes[3 * i]), channel(genes[3 * i + 1]), channel(genes[3 * i + 2])});
    return result;
}

std::vector<Point> Simulation::positions() const {
    std::vector<Point> result;
    for (const int32_t* words : engine_->entityRecords())
        result.push_back({words[abi::entity::kPosition] / double(abi::kOne),
                          words[abi::entity::kPosition + 1] / double(abi::kOne)});
    return result;
}

}  // namespace evolve
