#include "simulation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "engine.h"
#include "level.h"
#include "plugin.h"

namespace evolve {
namespace {

namespace host = evoplug::host;

// The plug-in seeds its generator from whole seconds; a clock of our own
// makes runs repeatable while still giving every generation a new second.
int64_t virtualSeconds = 0;
int64_t virtualClock() { return virtualSeconds; }

int channel(int32_t engineVar) { return std::clamp(host::toInt(engineVar), 0, 255); }

double fitness(int32_t scriptValue) { return scriptValue / double(host::kOne) / 1000.0; }

}  // namespace

std::string figure(double fitness) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", fitness);
    return text;
}

int wiringProblems(const host::Plugin& plugin) {
    host::Engine engine;
    host::Level level(engine);
    const host::Exports& e = plugin.exports();
    e.ResetPluginState();
    e.A5_DLLAPI(engine.interfaceRecord());
    const int problems = host::toInt(e.CheckBindings());
    e.ResetPluginState();
    return problems;
}

Simulation::Simulation(const host::Plugin& plugin, const Options& options)
    : engine_(std::make_unique<host::Engine>()),
      plugin_(plugin),
      individuals_(options.individuals) {
    const host::Exports& e = plugin_.exports();
    // Every run starts from the library's load state, whatever ran before.
    e.ResetPluginState();

    host::LevelSettings settings;
    settings.individuals = options.individuals;
    settings.mutation = options.mutation;
    settings.crossover = options.crossover;
    settings.target = options.target;
    level_ = std::make_unique<host::Level>(*engine_, settings);

    virtualSeconds = options.clock ? *options.clock : static_cast<int64_t>(std::time(nullptr));
    e.SetRuntimeClock(&virtualClock);
    engine_->setCallLogging(false);  // long runs would keep every fitness call
    level_->begin(plugin_, options.selection, options.crossbreed);
}

Simulation::~Simulation() { plugin_.exports().SetRuntimeClock(nullptr); }

Stats Simulation::step() {
    Stats stats = judge();
    ++virtualSeconds;
    plugin_.exports().evolution(0, 0);
    ++generation_;
    stats.average = fitness(*engine_->var("average"));
    stats.minimal = fitness(*engine_->var("minimal"));
    stats.maximal = fitness(*engine_->var("maximal"));
    return stats;
}

Stats Simulation::judge() const {
    const std::vector<Rgb> population = colours();
    Stats stats{0, 1, -1, 0, {}};
    double sum = 0, squares = 0;
    for (const Rgb& c : population) {
        const double f = level_->verdictOf(c.r, c.g, c.b) / double(host::kOne);
        sum += f;
        squares += f * f;
        stats.minimal = std::min(stats.minimal, f);
        if (f > stats.maximal) stats.maximal = f, stats.best = c;
    }
    const double n = static_cast<double>(population.size());
    stats.average = sum / n;
    stats.stddev = std::sqrt(std::max(0.0, squares / n - stats.average * stats.average));
    return stats;
}

std::vector<Rgb> Simulation::colours() const {
    plugin_.exports().UpdateEntities();
    std::vector<Rgb> result;
    for (const int32_t* words : engine_->entityRecords())
        result.push_back({channel(words[EVOPLUG_ENTITY_GENE0]),
                          channel(words[EVOPLUG_ENTITY_GENE1]),
                          channel(words[EVOPLUG_ENTITY_GENE2])});
    return result;
}

std::vector<Point> Simulation::positions() const {
    std::vector<Point> result;
    for (const int32_t* words : engine_->entityRecords())
        result.push_back({words[EVOPLUG_ENTITY_POSITION] / double(host::kOne),
                          words[EVOPLUG_ENTITY_POSITION + 1] / double(host::kOne)});
    return result;
}

}  // namespace evolve
