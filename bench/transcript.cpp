// Writes everything a level can observe of one run of the plug-in, so that
// two builds can be compared byte for byte (bench/compare-builds).
//
//   transcript PLUGIN INDIVIDUALS SELECTION CROSSBREED CROSSOVER GENERATIONS
//
// The clock advances by a second at most generations and stands at every
// third, so runs within one second are covered too. What is written: the
// report with its flush points, the script's variables and arrays, every
// entity's words, the texts of every string, the panels' words, the corpus
// counts and one particle.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "bench_level.h"

namespace {

namespace host = evoplug::host;

int64_t seconds = 1700000000;
int64_t steppedClock() { return seconds; }

class Transcript {
  public:
    Transcript(host::Engine& engine, int individuals)
        : engine_(engine), individuals_(individuals) {}

    // Runs `calls` with the report recorded, then writes what the level sees.
    template <typename Calls>
    void step(const char* title, Calls calls) {
        evoplug::bench::Recorder recorder;
        std::streambuf* previous = std::cout.rdbuf(&recorder);
        calls();
        std::cout.rdbuf(previous);
        std::printf("== %s\n", title);
        for (const auto& [text, flushed] : recorder.pieces)
            std::printf("%s%s", text.c_str(), flushed ? "<flush>" : "");
        std::printf("\n%s", extra.c_str());
        extra.clear();
        observe();
    }

    // More of what a step observed, written after its report.
    std::string extra;

    // A level showing the evolution calls UpdateEntities after `evolution`.
    // Builds without it must give the same transcript, so its effect is
    // checked against "bigarray" (a line only when they disagree) and then
    // taken back.
    void checkUpdateEntities(const host::Exports& call) {
        if (call.UpdateEntities == nullptr) return;
        const std::vector<int32_t*> entities = engine_.entityRecords();
        std::vector<int32_t> before;
        for (const int32_t* e : entities) before.insert(before.end(), e + 21, e + 24);
        const int32_t written = call.UpdateEntities();
        const int32_t* genes = engine_.var("bigarray");
        bool agree = written == host::fromInt(static_cast<int32_t>(entities.size()));
        for (size_t i = 0; i < entities.size(); ++i)
            for (int g = 0; g < 3; ++g)
                agree = agree && entities[i][EVOPLUG_ENTITY_GENE0 - g] == genes[3 * i + g];
        if (!agree) extra += "UpdateEntities disagrees with bigarray\n";
        for (size_t i = 0; i < entities.size(); ++i)
            std::copy_n(before.begin() + 3 * static_cast<long>(i), 3, entities[i] + 21);
    }

  private:
    void numbers(const char* name, int count) {
        std::printf("%s", name);
        const int32_t* v = engine_.var(name);
        for (int i = 0; i < count; ++i) std::printf(" %d", v[i]);
        std::printf("\n");
    }
    void observe() {
        for (const char* name : {"average", "minimal", "maximal", "chromosom", "dragSwitch"})
            numbers(name, 1);
        numbers("smallarray", 3);
        numbers("bigarray", 3 * individuals_);
        std::printf("entities");
        for (const int32_t* e : engine_.entityRecords())
            for (int w : {4, 5, 6, 7, 8, 9, 21, 22, 23}) std::printf(" %d", e[w]);
        std::printf("\n");
        std::vector<std::string> strings = {"selStr", "crossStr", "FeedbackText", "modelname",
                                            "actionstring"};
        for (int i = 0; i < 9; ++i) strings.push_back("Str" + std::to_string(i));
        for (const std::string& s : strings)
            std::printf("%s [%s]\n", s.c_str(), engine_.text(s).c_str());
        std::vector<std::string> panels = {"Controller",        "selection",   "crossbreed",
                                           "EvolutionSettings", "RadioButton", "DialogPanel",
                                           "DialogText"};
        for (int i = 0; i < 9; ++i) panels.push_back("Slot" + std::to_string(i));
        for (const std::string& p : panels) {
            const int32_t* words = engine_.panel(p);
            std::printf("%s %d %d %d\n", p.c_str(), words[5], words[6], words[10]);
        }
    }

    host::Engine& engine_;
    int individuals_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr,
                     "usage: transcript PLUGIN INDIVIDUALS SELECTION CROSSBREED CROSSOVER "
                     "GENERATIONS\n");
        return 2;
    }
    const int individuals = std::atoi(argv[2]);
    const int selection = std::atoi(argv[3]);
    const int crossbreed = std::atoi(argv[4]);
    const int crossover = std::atoi(argv[5]);
    const int generations = std::atoi(argv[6]);

    auto plugin = host::Plugin::load(argv[1], false);
    const host::Exports& call = plugin->exports();
    call.ResetPluginState();
    call.SetRuntimeClock(&steppedClock);
    host::Engine engine;
    host::LevelSettings settings;
    settings.individuals = individuals;
    settings.mutation = 500;
    settings.crossover = crossover;
    host::Level level(engine, settings);
    *engine.var("dragSwitch") = host::kOne;
    *engine.var("mouse_pos.x") = host::fromInt(120);
    *engine.var("mouse_pos.y") = host::fromInt(80);
    Transcript t(engine, individuals);

    t.step("start", [&] {
        level.begin(*plugin, selection, crossbreed);
        call.SelectRadio(host::kOne);
        call.ControlPanelCommand(0, host::kOne);
        call.ToggleControlPanel();
    });
    for (int g = 1; g <= generations; ++g) {
        if (g % 3 != 0) ++seconds;
        t.step("generation", [&] {
            call.evolution(0, 0);
            t.checkUpdateEntities(call);
        });
    }
    t.step("dialog", [&] {
        call.DragPanel();
        call.MoveMyPanel();
        call.DragPanel();
        call.PositionPanel(host::kOne);
        call.ReleaseMyPanel();
    });
    int32_t particle[32] = {};
    particle[3] = 1;
    t.step("corpus and particle", [&] {
        std::string& out = t.extra;
        out += "corpus";
        for (int k = 0; k < 3; ++k) out += " " + std::to_string(call.CorpusInit());
        out += " " + std::to_string(call.CorpusReduce());
        out += " countup " + std::to_string(call.countup()) + "\nparticle";
        call.DLLEffect_Explo(particle);
        call.DLLPart_Alphafade(particle);
        for (int w : {3, 7, 8, 9, 12, 13, 19, 21, 22, 23}) out += " " + std::to_string(particle[w]);
        out += "\n";
    });
    t.step("new population", [&] { call.CreateGenotype(); });
    call.SetRuntimeClock(nullptr);
    call.ResetPluginState();
    std::fflush(stdout);
    return 0;
}
