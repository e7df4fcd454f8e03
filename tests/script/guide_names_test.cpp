// The wiring guide lists exactly the names the library uses.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "script/script_names.h"

namespace evoplug::script {
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

TEST(GuideNamesTest, TheGuideListsEveryNameTheLibraryUses) {
    std::set<std::string> used;
    for (const auto& info : kNames) used.insert(info.text);
    EXPECT_EQ(namesInTheGuide(), used);
}

}  // namespace
}  // namespace evoplug::script
