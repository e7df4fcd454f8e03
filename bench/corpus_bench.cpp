// CorpusInit through the loaded plug-in, as the script calls it: one call on
// a registry of n records (with the CorpusReduce that brings it back), and
// the share of one call in growing an empty registry to n records, the
// growth of its storage included. Both should stay flat from 100 to 100,000.
#include <benchmark/benchmark.h>

#include <memory>

#include "plugin.h"

namespace {

using evoplug::host::Plugin;

const Plugin& plugin() {
    static const std::unique_ptr<Plugin> loaded = Plugin::load(EVOPLUG_PLUGIN_PATH);
    return *loaded;
}

void BM_CorpusInitAt(benchmark::State& state) {
    const auto& x = plugin().exports();
    x.ResetPluginState();
    for (int64_t i = 0; i < state.range(0); ++i) x.CorpusInit();
    for (auto _ : state) {
        benchmark::DoNotOptimize(x.CorpusInit());
        x.CorpusReduce();
    }
    x.ResetPluginState();
}
BENCHMARK(BM_CorpusInitAt)->RangeMultiplier(10)->Range(100, 100000);

void BM_CorpusInitGrowingTo(benchmark::State& state) {
    const auto& x = plugin().exports();
    for (auto _ : state) {
        state.PauseTiming();
        x.ResetPluginState();
        state.ResumeTiming();
        for (int64_t i = 0; i < state.range(0); ++i) benchmark::DoNotOptimize(x.CorpusInit());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    x.ResetPluginState();
}
BENCHMARK(BM_CorpusInitGrowingTo)->RangeMultiplier(10)->Range(100, 100000);

}  // namespace

BENCHMARK_MAIN();
