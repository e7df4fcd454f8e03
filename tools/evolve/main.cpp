// Runs the plug-in inside the stand-in engine, as a level would.
#include <cstdio>
#include <exception>
#include <string>

#include "engine.h"
#include "level.h"
#include "plugin.h"

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : EVOPLUG_DEFAULT_PLUGIN;
    try {
        evoplug::host::Plugin::Options options;
        options.requireAll = false;
        auto plugin = evoplug::host::Plugin::load(path, options);
        evoplug::host::Engine engine;
        evoplug::host::Level level(engine);
        int32_t answer = plugin->exports().A5_DLLAPI(engine.interfaceRecord());
        std::printf("loaded %s\nA5_DLLAPI answered %d\n", path.c_str(), answer);
        for (const auto& name : plugin->missing())
            std::printf("not yet exported: %s\n", name.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "evolve: %s\n", e.what());
        return 2;
    }
    return 0;
}
