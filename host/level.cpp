#include "level.h"

#include <cmath>
#include <cstdlib>

namespace evoplug::host {

Level::Level(Engine& engine, const LevelSettings& settings) : engine_(engine) {
    Engine& e = engine_;
    // Settings and results of the genetic algorithm.
    e.defineVar("num_elem");
    e.defineVar("stringlength");
    e.defineVar("mutation");
    e.defineVar("crossover");
    e.defineVar("average");
    e.defineVar("minimal");
    e.defineVar("maximal");
    int32_t* genes = e.defineArray("smallarray", 8);
    e.defineArray("bigarray", kBigArraySize);
    int32_t* verdict = e.defineVar("chromosom");
    e.defineVar("big_iterator");
    e.defineString("actionstring", "");
    e.defineString("modelname", "");

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
    e.definePanel("EvolutionSettings")[EVOPLUG_PANEL_POS_Y] = fromInt(200);
    e.definePanel("RadioButton");
    e.definePanel("DialogPanel");
    e.definePanel("Feedmeback");  // the standard level's; the library never looks it up
    e.definePanel("DialogText");
    e.defineString("FeedbackText", "");
    e.defineVar("dragSwitch");
    e.defineFunction("checkDragProcess", [](int32_t, int32_t, int32_t, int32_t) { return 0; });

    // Engine variables and objects.
    e.defineObject("camera");
    e.defineObject("player");
    e.defineObject("you");
    e.defineVar("mouse_pos.x");
    e.defineVar("mouse_pos.y");
    e.defineVar("time", kOne);
    e.defineVar("sky_speed", 0, 2);
    e.defineVar("cloud_speed", 0, 2);
    e.defineVar("trace_mode");

    // Script functions.
    // A compiled script reaches its variables directly, not by name; storage
    // outlives remove(), so the pointers stay valid.
    e.defineFunction("CalculateFitness",
                     [this, genes, verdict](int32_t, int32_t, int32_t, int32_t) {
                         *verdict = verdictOf(toInt(genes[0]), toInt(genes[1]), toInt(genes[2]));
                         return 0;
                     });
    e.defineFunction("beeps", [](int32_t count, int32_t, int32_t, int32_t) { return count; });
    e.defineFunction("DLLPart_Alphafade", [](int32_t, int32_t, int32_t, int32_t) { return 0; });
    apply(settings);
}

void Level::apply(const LevelSettings& settings) {
    settings_ = settings;
    Engine& e = engine_;
    *e.var("num_elem") = fromInt(settings.individuals);
    *e.var("stringlength") = fromInt(settings.genes);
    *e.var("mutation") = fromInt(settings.mutation);
    *e.var("crossover") = fromInt(settings.crossover);
    e.setText("modelname", settings.model);
    e.setText("actionstring", settings.action);
    if (!e.has(settings.action))
        e.defineFunction(settings.action, [](int32_t, int32_t, int32_t, int32_t) { return 0; });
}

double Level::fitnessOf(int g0, int g1, int g2) const {
    const auto& t = settings_.target;
    int distance = std::abs(g0 - t[0]) + std::abs(g1 - t[1]) + std::abs(g2 - t[2]);
    return 1.0 - distance / (3.0 * 255.0);
}

int32_t Level::verdictOf(int g0, int g1, int g2) const {
    return static_cast<int32_t>(fitnessOf(g0, g1, g2) * kOne);
}

void Level::startUp(const Plugin& plugin) {
    plugin->A5_DLLAPI(engine_.interfaceRecord());
    plugin->InterfaceInit();
    plugin->WDL_syntax();
    plugin->init_population();
    plugin->init_Ortavia();
}

void Level::begin(const Plugin& plugin, int selection, int crossbreed) {
    startUp(plugin);
    for (int k = 0; k < selection; ++k) plugin->SelectCommand(fromInt(0), fromInt(1));
    for (int k = 0; k < crossbreed; ++k) plugin->SelectCommand(fromInt(1), fromInt(1));
    plugin->CreateGenotype();
}

}  // namespace evoplug::host
