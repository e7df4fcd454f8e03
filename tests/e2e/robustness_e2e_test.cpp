// A script that declares a name as the wrong kind of object, through the
// loaded plug-in: the library must treat it exactly as a missing name, and
// never use its data word (the sanitizer build checks that nothing is
// written into the wrong object's storage). Other bad input, in any order
// and combination, is the exports fuzzer's, whose corpus every test run
// replays.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "plugin_fixture.h"
#include "support/output_capture.h"

namespace evoplug::e2e {
namespace {

using host::fromInt;

int64_t fixedSeconds() { return 4242; }

using Object = std::pair<std::string, int32_t>;  // a name and its type code

// Every object the standard level defines.
const std::vector<Object>& levelObjects() {
    static const auto objects = [] {
        host::Engine engine;
        host::Level level(engine);
        return engine.objects();
    }();
    return objects;
}

bool isNumber(int32_t type) { return type == EVOPLUG_TYPE_NUMBER || type == EVOPLUG_TYPE_ARRAY; }

// Runs a whole level session without the name, or with it of the wrong kind.
// Gives everything the script could see afterwards.
std::string session(const host::Plugin& plugin, const Object& spared, bool wrongKind) {
    const host::Exports& x = plugin.exports();
    x.ResetPluginState();
    x.SetRuntimeClock(&fixedSeconds);
    host::Engine engine;
    host::Level level(engine);
    *engine.var("dragSwitch") = fromInt(1);
    const auto& [name, type] = spared;
    if (!wrongKind)
        engine.remove(name);
    else if (isNumber(type))
        engine.defineString(name, "ent_wander");
    else
        engine.defineVar(name, fromInt(1));  // one word where a record would be
    testing::OutputCapture captured;
    level.startUp(plugin);
    x.CreateGenotype();
    for (int g = 0; g < 3; ++g) x.evolution(0, 0);
    for (int row = 0; row < 2; ++row) x.SelectCommand(fromInt(row), fromInt(1));
    x.ControlPanelCommand(0, fromInt(1));
    x.SelectRadio(fromInt(1));
    for (auto handler : {x.ToggleControlPanel, x.DragPanel, x.MoveMyPanel, x.ReleaseMyPanel})
        handler();
    x.PositionPanel(fromInt(1));
    x.CreateGenotype();
    std::cout.flush();
    std::fflush(stdout);
    std::ostringstream seen;
    seen << captured.stop() << engine.liveEntities() << ' ' << engine.badRemovals() << '\n';
    for (const auto& [other, otherType] : levelObjects()) {
        if (other == name) continue;
        if (otherType == EVOPLUG_TYPE_STRING) seen << engine.text(other) << '\n';
        if (otherType == EVOPLUG_TYPE_PANEL)
            for (int w = 0; w < EVOPLUG_PANEL_WORDS; ++w) seen << engine.panel(other)[w] << ' ';
    }
    for (const char* number : {"average", "minimal", "maximal", "bigarray"})
        if (number != name) seen << *engine.var(number) << ' ';
    return seen.str();
}

// A name declared as the wrong kind of object is treated exactly like a
// missing one: the same session gives the same outcome.
TEST(WrongKindTest, AnObjectOfTheWrongKindIsTreatedAsMissing) {
    const auto plugin = host::Plugin::load(EVOPLUG_PLUGIN_PATH);
    for (const Object& object : levelObjects())
        EXPECT_EQ(session(*plugin, object, true), session(*plugin, object, false)) << object.first;
}

}  // namespace
}  // namespace evoplug::e2e
