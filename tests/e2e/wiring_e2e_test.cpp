// The wiring guide lists exactly the names the library uses, and the
// stand-in engine's standard level, which follows the guide, passes the
// library's own wiring check.
#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "plugin_fixture.h"
#include "script/script_names.h"

namespace evoplug::e2e {
namespace {

// Every quoted name in the first column of the guide's tables; "Slot0" …
// "Slot8" stands for the nine.
std::set<std::string> namesInTheGuide() {
    std::ifstream guide(std::string(EVOPLUG_SOURCE_DIR) + "/docs/integration.md");
    std::set<std::string> names;
    const std::regex range("^\"([A-Za-z]+)0\" … \"[A-Za-z]+([0-9])\"$");
    const std::regex quoted("\"([^\"]+)\"");
    for (std::string line; std::getline(guide, line);) {
        if (line.rfind("| \"", 0) != 0) continue;
        const std::string cell = line.substr(2, line.find(" |", 2) - 2);
        std::smatch m;
        if (std::regex_match(cell, m, range)) {
            for (int i = 0; i <= std::stoi(m[2]); ++i) names.insert(m[1].str() + std::to_string(i));
            continue;
        }
        for (std::sregex_iterator it(cell.begin(), cell.end(), quoted), end; it != end; ++it)
            names.insert((*it)[1]);
    }
    return names;
}

TEST_F(PluginTest, TheGuideListsEveryNameAndTheStandardLevelPassesTheCheck) {
    std::set<std::string> used;
    for (const auto& info : script::kNames) used.insert(info.text);
    EXPECT_EQ(namesInTheGuide(), used);

    attach();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(call().CheckBindings(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace evoplug::e2e
