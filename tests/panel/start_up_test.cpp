#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/engine_bridge.h"
#include "engine.h"
#include "level.h"
#include "panel/control_panel.h"

namespace evoplug::panel {
namespace {

const std::string kGreeting =
    "Hallo, Sch\xF6"
    "nheit";

std::vector<std::string> texts(const NameList& list, size_t from = 0) {
    std::vector<std::string> out;
    for (size_t i = from; i < list.size(); ++i) {
        char* copy = list[i].ToCString(0);
        out.push_back(copy ? copy : "");
        delete[] copy;
    }
    return out;
}

class StartUpTest : public ::testing::Test {
  protected:
    void SetUp() override { bridge::attach(engine.interfaceRecord()); }
    void TearDown() override {
        // The groups point into this test's engine.
        settingsGroup = controllerGroup = nullptr;
        bindings = ScriptBindings{};
        bridge::attach(nullptr);
    }
    host::Engine engine;
    host::Level level{engine};
};

// The lookup order is checked end to end; here, that each field holds its
// own object.
TEST_F(StartUpTest, BindingsPointAtTheNamedObjects) {
    interfaceInit();
    wdlSyntax();
    const ScriptBindings& b = bindings;
    EXPECT_EQ(b.numElem, engine.var("num_elem"));
    EXPECT_EQ(b.chromosom, engine.var("chromosom"));
    EXPECT_EQ(b.modelName, engine.stringRecord("modelname"));
    EXPECT_EQ(b.slots[8], engine.panel("Slot8"));
    EXPECT_EQ(b.slotTexts[3], engine.stringRecord("Str3"));
    EXPECT_EQ(b.settingsRows[kCrossbreedRow], engine.panel("crossbreed"));
    EXPECT_EQ(b.settingsTexts[kSelectionRow], engine.stringRecord("selStr"));
    EXPECT_EQ(b.calculateFitness, engine.handle("CalculateFitness"));
    EXPECT_EQ(b.mouseY, engine.var("mouse_pos.y"));
    EXPECT_EQ(reinterpret_cast<void*>(b.entCreate),
              host::Engine::lookupFunctionEntry(abi::kEntCreateName));
    EXPECT_EQ(reinterpret_cast<void*>(b.entRemove),
              host::Engine::lookupFunctionEntry(abi::kEntRemoveName));

    // Binding again picks up what the script changed since.
    engine.remove("CalculateFitness");
    interfaceInit();
    EXPECT_EQ(bindings.calculateFitness, 0);
}

TEST_F(StartUpTest, NameListsAreRenamedApartAndGrowWithEveryCall) {
    interfaceInit();
    // Globals outlive a test in this program: compare with what was there.
    size_t selection0 = SelectionNames.size(), crossbreed0 = CrossbreedNames.size();
    size_t genes0 = GeneNames.size(), settings0 = settingsLists.size();
    size_t controller0 = controllerLists.size();

    initPopulation();
    EXPECT_EQ(texts(SelectionNames, selection0),
              std::vector<std::string>({"MinMaxSubst", "Tournament", "Neighbour", "MinMaxCross",
                                        "RouletteWheel", "Excentric"}));
    EXPECT_EQ(
        texts(CrossbreedNames, crossbreed0),
        std::vector<std::string>({"love marriage", "elite", "enrichment", "plebs", "hedonism"}));
    ASSERT_EQ(settingsLists.size(), settings0 + 2);
    EXPECT_EQ(settingsLists[settings0].size(), selection0 + 6);
    EXPECT_EQ(settingsLists[settings0 + 1].size(), crossbreed0 + 5);
    ASSERT_EQ(controllerLists.size(), controller0 + 1);
    // Only the first entries are renamed, each list on its own.
    EXPECT_TRUE(GeneNames.front() == "Was anderes");
    EXPECT_EQ(texts(GeneNames, genes0 + 1),
              std::vector<std::string>({"Alpha", "Ambient", "Movement"}));
    EXPECT_EQ(texts(controllerLists.front()),
              std::vector<std::string>({kGreeting, "Alpha", "Ambient", "Movement"}));

    OptionGroup* firstSettings = settingsGroup;
    OptionGroup* firstController = controllerGroup;
    ASSERT_NE(firstSettings, nullptr);
    ASSERT_NE(firstController, nullptr);
    EXPECT_EQ(firstSettings->slotCount, 2);
    EXPECT_EQ(firstSettings->radio, engine.panel("RadioButton"));
    EXPECT_EQ(firstController->slotCount, 9);
    EXPECT_EQ(firstController->radio, nullptr);
    EXPECT_EQ(firstController->optionLists.size(), controller0 + 1);

    firstSettings->Step(kSelectionRow, 1);
    initPopulation();
    EXPECT_EQ(SelectionNames.size(), selection0 + 12);
    EXPECT_EQ(GeneNames.size(), genes0 + 8);
    EXPECT_EQ(settingsLists.size(), settings0 + 4);
    ASSERT_EQ(controllerLists.size(), controller0 + 2);
    EXPECT_EQ(controllerLists.back().size(), genes0 + 8);
    // Fresh groups; the first ones are still intact.
    EXPECT_NE(settingsGroup, firstSettings);
    EXPECT_NE(controllerGroup, firstController);
    EXPECT_EQ(firstSettings->choice(kSelectionRow), 1);
    EXPECT_EQ(settingsGroup->choice(kSelectionRow), 0);
    EXPECT_EQ(controllerGroup->optionLists.size(), controller0 + 2);
    EXPECT_EQ(texts(GeneNames, genes0 + 4),
              std::vector<std::string>({"ColorR", "Alpha", "Ambient", "Movement"}));
    EXPECT_EQ(texts(controllerGroup->optionLists[0]).front(), kGreeting);
    EXPECT_EQ(texts(controllerGroup->optionLists[1]).front(), "Was anderes");
}

}  // namespace
}  // namespace evoplug::panel
