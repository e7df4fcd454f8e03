// Costs of the text type: the search and trim operations over growing texts
// (expected linear), and the short-text operations the control panel uses.
#include <benchmark/benchmark.h>

#include "text/mstring.h"

namespace {

using evoplug::MString;

// n characters of a repeating pattern that contains no "needle".
MString Haystack(int n) {
    MString s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('a' + i % 10);
    return s;
}

void BM_FindText(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    MString s = Haystack(n - 6);
    s += "needle";
    for (auto _ : state) benchmark::DoNotOptimize(s.Find("needle", 0));
    state.SetComplexityN(n);
}
BENCHMARK(BM_FindText)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

void BM_ReverseFind(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    MString s = Haystack(n);
    for (auto _ : state) benchmark::DoNotOptimize(s.ReverseFind("cde"));
    state.SetComplexityN(n);
}
BENCHMARK(BM_ReverseFind)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

// Every tenth character is replaced; the copy is made outside the timing.
void BM_Replace(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const MString source = Haystack(n);
    for (auto _ : state) {
        state.PauseTiming();
        MString s(source);
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.Replace("d", "XY"));
        state.PauseTiming();
        s.Clear();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_Replace)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

// Removes one trailing blank and puts it back (appending is constant time).
void BM_TrimRight(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    MString s = Haystack(n - 1);
    s += ' ';
    for (auto _ : state) {
        s.TrimRight(' ');
        s += ' ';
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_TrimRight)->RangeMultiplier(10)->Range(100, 10000)->Complexity(benchmark::oN);

void BM_PanelConstructLiteral(benchmark::State& state) {
    for (auto _ : state) {
        MString s("Selektion: Tournament");
        benchmark::DoNotOptimize(&s);
    }
}
BENCHMARK(BM_PanelConstructLiteral);

void BM_PanelAppendInt(benchmark::State& state) {
    for (auto _ : state) {
        MString s("Generation ");
        s += 123456;
        benchmark::DoNotOptimize(&s);
    }
}
BENCHMARK(BM_PanelAppendInt);

void BM_PanelToCString(benchmark::State& state) {
    const MString s("Selektion: Tournament");
    for (auto _ : state) {
        char* text = s.ToCString(0);
        benchmark::DoNotOptimize(text);
        delete[] text;
    }
}
BENCHMARK(BM_PanelToCString);

void BM_PanelCopy(benchmark::State& state) {
    const MString s("Selektion: Tournament");
    for (auto _ : state) {
        MString copy(s);
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(BM_PanelCopy);

}  // namespace

BENCHMARK_MAIN();
