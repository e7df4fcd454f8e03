// One generation through the engine, for every selection strategy and the
// crossbreed kinds 0 ("love marriage", no listing), 1 ("elite") and 2
// ("enrichment"), both with the largest sound "crossover"; beside it, the
// output floor: the bytes and flushes of one generation written without the
// algorithm. Also CreateGenotype, and the engine's own entity creation.
//
// The plug-in's report goes to /dev/null (descriptor 1); the results go to
// the terminal through a copy of the original descriptor.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "bench_level.h"

namespace {
using evoplug::bench::BenchLevel;
using evoplug::bench::BenchSettings;
using evoplug::bench::Recorder;
namespace host = evoplug::host;

BenchSettings settingsOf(const benchmark::State& state) {
    BenchSettings s;
    s.individuals = static_cast<int>(state.range(0));
    s.selection = static_cast<int>(state.range(1));
    s.crossbreed = static_cast<int>(state.range(2));
    return s;
}

void BM_Generation(benchmark::State& state) {
    BenchLevel level(settingsOf(state));
    for (auto _ : state) level.exports().evolution(0, 0);
    state.SetComplexityN(state.range(0));
}

// The same bytes, lines and flushes as a generation, written through
// std::cout without the algorithm.
void BM_OutputFloor(benchmark::State& state) {
    Recorder recorder;
    {
        BenchLevel level(settingsOf(state));
        level.exports().evolution(0, 0);  // past the first generation
        std::streambuf* previous = std::cout.rdbuf(&recorder);
        level.exports().evolution(0, 0);
        std::cout.rdbuf(previous);
    }
    size_t bytes = 0;
    for (const auto& piece : recorder.pieces) bytes += piece.first.size();
    for (auto _ : state) {
        for (const auto& [text, flush] : recorder.pieces) {
            std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
            if (flush) std::cout.flush();
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["flushes"] = static_cast<double>(recorder.pieces.size() - 1);
}

void GenerationArgs(benchmark::internal::Benchmark* b) {
    for (int kind : {0, 1, 2})
        for (int selection = 0; selection < 6; ++selection)
            for (int individuals : {10, 50, 200}) b->Args({individuals, selection, kind});
}
BENCHMARK(BM_Generation)->Apply(GenerationArgs);

void FloorArgs(benchmark::internal::Benchmark* b) {
    for (int kind : {0, 1, 2})
        for (int selection = 0; selection < 6; ++selection) b->Args({200, selection, kind});
}
BENCHMARK(BM_OutputFloor)->Apply(FloorArgs);

// Each call removes the previous population's entities and creates new ones.
void BM_CreateGenotype(benchmark::State& state) {
    BenchSettings s;
    s.individuals = static_cast<int>(state.range(0));
    BenchLevel level(s);
    for (auto _ : state) level.exports().CreateGenotype();
}
BENCHMARK(BM_CreateGenotype)->Arg(200);

// The engine's share of CreateGenotype: as many ent_create and ent_remove
// calls, without the plug-in.
void BM_HostEntities(benchmark::State& state) {
    host::Engine engine;
    auto create =
        reinterpret_cast<evoplug_ent_create_fn>(host::Engine::lookupFunctionEntry("ent_create"));
    auto remove =
        reinterpret_cast<evoplug_ent_remove_fn>(host::Engine::lookupFunctionEntry("ent_remove"));
    static const char model[] = "ball.mdl";
    host::Word record[EVOPLUG_STRING_WORDS] = {};
    record[EVOPLUG_STRING_TEXT] = reinterpret_cast<host::Word>(model);
    const int32_t position[3] = {0, 0, 0};
    std::vector<void*> entities(static_cast<size_t>(state.range(0)));
    for (auto& e : entities) e = create(record, position, 0);
    for (auto _ : state) {
        for (auto& e : entities) {
            remove(e);
            e = create(record, position, 0);
        }
    }
}
BENCHMARK(BM_HostEntities)->Arg(200);

// Writes to a descriptor: the terminal the program started with.
class DescriptorBuffer : public std::streambuf {
  public:
    explicit DescriptorBuffer(int fd) : fd_(fd) {}

  protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return 0;
        const char ch = static_cast<char>(c);
        return ::write(fd_, &ch, 1) == 1 ? c : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::streamsize done = 0;
        while (done < n) {
            const ssize_t w = ::write(fd_, s + done, static_cast<size_t>(n - done));
            if (w <= 0) break;
            done += w;
        }
        return done;
    }

  private:
    int fd_;
};

}  // namespace

int main(int argc, char** argv) {
    std::fflush(stdout);
    const int terminal = ::dup(1);
    const int null = ::open("/dev/null", O_WRONLY);
    if (terminal < 0 || null < 0 || ::dup2(null, 1) < 0) {
        std::perror("evolution_bench: cannot send the report to /dev/null");
        return 1;
    }
    ::close(null);
    DescriptorBuffer buffer(terminal);
    std::ostream results(&buffer);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // Colours only for a terminal, judged by the descriptor the results go to.
    benchmark::ConsoleReporter reporter(::isatty(terminal) != 0
                                            ? benchmark::ConsoleReporter::OO_ColorTabular
                                            : benchmark::ConsoleReporter::OO_Tabular);
    reporter.SetOutputStream(&results);
    reporter.SetErrorStream(&results);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
