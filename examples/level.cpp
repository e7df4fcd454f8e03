// The guide's example level as a program (docs/integration.md, "An example
// level"). The stand-in engine plays the game engine: it holds the level's
// script objects and runs the level's script functions, which are C++
// lambdas here. Everything else is what a level does: declare the objects,
// judge the fitness, start the library, run generations and show them on the
// entities, press the settings panel's buttons.
//
// At the end it checks, from outside, what the guide says the library
// writes back, and exits 1 if anything differs.
//
//   example_level PATH/TO/evoplug.so
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine.h"   // the stand-in engine: script objects and entities
#include "evoplug.h"  // the library's exports, record words and limits
#include "plugin.h"   // loads the library by file, as the engine does

using evoplug::host::Engine;
using evoplug::host::fromInt;
using evoplug::host::toInt;

namespace {

// The colour this level rewards.
const int kTarget[EVOPLUG_GENES] = {254, 254, 177};

void declareObjects(Engine& e) {
    // Settings and results of the genetic algorithm.
    e.defineVar("num_elem", fromInt(20));  // individuals
    e.defineVar("stringlength", fromInt(EVOPLUG_GENES));
    e.defineVar("mutation", fromInt(100));  // per mille per generation
    e.defineVar("crossover", fromInt(5));   // mating pairs
    e.defineVar("average");                 // thousandths, written each generation
    e.defineVar("minimal");
    e.defineVar("maximal");
    e.defineArray("smallarray", EVOPLUG_GENES);  // the genes being judged
    e.defineArray("bigarray", EVOPLUG_GENES * EVOPLUG_MAX_INDIVIDUALS);
    e.defineVar("chromosom");  // the verdict
    e.defineString("actionstring", "entity_wander");
    e.defineString("modelname", "ball.mdl");

    // The control panel.
    for (int i = 0; i < 9; ++i) {
        e.definePanel("Slot" + std::to_string(i));
        e.defineString("Str" + std::to_string(i), "");
    }
    e.definePanel("Controller");
    e.definePanel("selection");
    e.definePanel("crossbreed");
    e.defineString("selStr", "");
    e.defineString("crossStr", "");
    e.definePanel("EvolutionSettings");
    e.definePanel("RadioButton");

    // The dialog.
    e.definePanel("DialogPanel");
    e.definePanel("DialogText");
    e.defineString("FeedbackText", "");
    e.defineVar("dragSwitch", fromInt(1));

    // What every entity does, and the dialog's drag.
    e.defineFunction("entity_wander", [](int32_t, int32_t, int32_t, int32_t) { return 0; });
    e.defineFunction("checkDragProcess", [](int32_t, int32_t, int32_t, int32_t) { return 0; });
}

// The level's fitness, as an engine number: 1 (1024) for the target colour.
int32_t fitnessOf(const int32_t* genes) {
    int distance = 0;
    for (int g = 0; g < EVOPLUG_GENES; ++g) distance += std::abs(toInt(genes[g]) - kTarget[g]);
    return EVOPLUG_ONE - EVOPLUG_ONE * distance / (3 * 254);
}

// A test program may fix the library's clock; one second per generation is
// what a level calling `evolution` once a second sees.
int64_t seconds = 1700000000;
int64_t testClock() { return seconds; }

int failures = 0;
void expect(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "example level: %s\n", what.c_str());
    ++failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: example_level PLUGIN\n");
        return 2;
    }
    const auto plugin = evoplug::host::Plugin::load(argv[1]);
    const evoplug::host::Exports& call = plugin->exports();
    call.ResetPluginState();
    call.SetRuntimeClock(&testClock);

    Engine engine;
    declareObjects(engine);
    // "CalculateFitness": the library writes an individual's genes into
    // "smallarray", calls this, and reads the verdict from "chromosom".
    int32_t* smallarray = engine.var("smallarray");
    int32_t* chromosom = engine.var("chromosom");
    engine.defineFunction("CalculateFitness", [=](int32_t, int32_t, int32_t, int32_t) {
        *chromosom = fitnessOf(smallarray);
        return 0;
    });

    // The level starts: the engine hands over its record, then the script's
    // start-up calls.
    call.A5_DLLAPI(engine.interfaceRecord());
    call.InterfaceInit();
    call.WDL_syntax();
    call.init_population();
    call.init_Ortavia();

    // The player steps the settings panel to "Tournament" and "elite" and
    // the gene label to the next one, then asks for a new population.
    call.SelectCommand(fromInt(0), fromInt(1));
    call.SelectRadio(fromInt(0));
    call.SelectCommand(fromInt(1), fromInt(1));
    call.SelectRadio(fromInt(1));
    call.ControlPanelCommand(fromInt(0), fromInt(1));
    call.CreateGenotype();

    // Once a second: a generation, shown on the entities.
    const int32_t* bigarray = engine.var("bigarray");
    std::vector<int32_t> previous;
    for (int generation = 1; generation <= 10; ++generation) {
        ++seconds;
        previous.assign(bigarray, bigarray + 3 * 20);
        call.evolution(0, 0);
        call.UpdateEntities();
    }
    call.SetRuntimeClock(nullptr);

    // The panel shows the chosen names.
    expect(engine.text("selStr") == "Tournament", "selStr shows " + engine.text("selStr"));
    expect(engine.text("crossStr") == "elite", "crossStr shows " + engine.text("crossStr"));
    expect(engine.text("Str0") == "Alpha", "Str0 shows " + engine.text("Str0"));

    // "maximal" is 1000 x the best fitness of the population the last call
    // started from, whose genes the call before left in "bigarray".
    int32_t best = 0;
    for (int i = 0; i < 20; ++i) best = std::max(best, fitnessOf(&previous[3 * i]));
    const double maximal = *engine.var("maximal") / double(EVOPLUG_ONE);
    expect(std::abs(maximal - 1000.0 * best / EVOPLUG_ONE) < 0.01,
           "maximal is " + std::to_string(maximal) + " thousandths");
    expect(*engine.var("minimal") <= *engine.var("average"), "minimal above average");
    expect(*engine.var("average") <= *engine.var("maximal"), "average above maximal");

    // Every entity shows its individual's genes as "bigarray" holds them:
    // gene 0 in word 23, gene 1 in 22, gene 2 in 21.
    const std::vector<int32_t*> entities = engine.entityRecords();
    expect(entities.size() == 20, std::to_string(entities.size()) + " entities");
    for (size_t i = 0; i < entities.size(); ++i) {
        const int32_t* genes = &bigarray[3 * i];
        expect(entities[i][EVOPLUG_ENTITY_GENE0] == genes[0] &&
                   entities[i][EVOPLUG_ENTITY_GENE1] == genes[1] &&
                   entities[i][EVOPLUG_ENTITY_GENE2] == genes[2],
               "entity " + std::to_string(i) + " does not show its genes");
        for (int g = 0; g < EVOPLUG_GENES; ++g)
            expect(genes[g] >= 0 && genes[g] <= fromInt(EVOPLUG_HIGHEST_GENE),
                   "a gene out of range");
    }

    call.ResetPluginState();
    std::printf("example level: %s; best fitness %.4f\n", failures ? "FAILED" : "as the guide says",
                maximal / 1000);
    return failures == 0 ? 0 : 1;
}
