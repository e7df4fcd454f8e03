#include "options.h"

#include <gtest/gtest.h>

namespace evolve {
namespace {

Options parse(std::vector<std::string> args) { return parseOptions(args, "default.so"); }

std::string failure(std::vector<std::string> args) {
    try {
        parse(args);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(OptionsTest, DefaultsMatchTheDocumentedOnes) {
    Options o = parse({});
    EXPECT_EQ(o.individuals, 50);
    EXPECT_EQ(o.mutation, 100);
    EXPECT_EQ(o.crossover, 5);
    EXPECT_EQ(selectionNames()[o.selection], "Tournament");
    EXPECT_EQ(crossbreedNames()[o.crossbreed], "elite");
    EXPECT_EQ(o.generations, 100);
    EXPECT_EQ(o.target, (std::array<int, 3>{255, 255, 177}));
    EXPECT_FALSE(o.clock.has_value());
    EXPECT_EQ(o.out, "evolve-out");
    EXPECT_EQ(o.plugin, "default.so");
}

TEST(OptionsTest, EveryOptionIsTaken) {
    Options o = parse({"--individuals",
                       "200",
                       "--mutation",
                       "1000",
                       "--crossover",
                       "100",
                       "--selection",
                       "Excentric",
                       "--crossbreed",
                       "love marriage",
                       "--generations",
                       "7",
                       "--target",
                       "0,12,255",
                       "--clock",
                       "0",
                       "--out",
                       "here",
                       "--plugin",
                       "p.so",
                       "--report-to-terminal",
                       "--compare"});
    EXPECT_EQ(o.individuals, 200);
    EXPECT_EQ(o.mutation, 1000);
    EXPECT_EQ(o.crossover, 100);
    EXPECT_EQ(o.selection, 5);
    EXPECT_EQ(o.crossbreed, 0);
    EXPECT_EQ(o.generations, 7);
    EXPECT_EQ(o.target, (std::array<int, 3>{0, 12, 255}));
    EXPECT_EQ(o.clock, 0);
    EXPECT_EQ(o.out, "here");
    EXPECT_EQ(o.plugin, "p.so");
    EXPECT_TRUE(o.reportToTerminal);
    EXPECT_TRUE(o.compare);
}

TEST(OptionsTest, CrossoverRangeFollowsIndividualsWhateverTheOrder) {
    EXPECT_EQ(parse({"--crossover", "10", "--individuals", "20"}).crossover, 10);
    EXPECT_NE(failure({"--crossover", "11", "--individuals", "20"}).find("range 0..10"),
              std::string::npos);
    // The default of 5 pairs cannot exceed a small population.
    EXPECT_EQ(parse({"--individuals", "3"}).crossover, 1);
}

TEST(OptionsTest, RejectsValuesOutsideTheirRangeNamingIt) {
    EXPECT_NE(failure({"--individuals", "0"}).find("range 1..200"), std::string::npos);
    EXPECT_NE(failure({"--individuals", "201"}).find("range 1..200"), std::string::npos);
    EXPECT_NE(failure({"--mutation", "-1"}).find("range 0..1000"), std::string::npos);
    EXPECT_NE(failure({"--generations", "0"}).find("range 1.."), std::string::npos);
    EXPECT_NE(failure({"--target", "0,256,0"}).find("range 0..255"), std::string::npos);
    EXPECT_NE(failure({"--clock", "-5"}).find("range 0.."), std::string::npos);
    EXPECT_NE(failure({"--individuals", "99999999999999999999"}).find("out of range"),
              std::string::npos);
}

TEST(OptionsTest, RejectsMalformedValues) {
    for (auto bad : {"", "12x", "1.5", " 3", "+3", "ten"})
        EXPECT_NE(failure({"--individuals", bad}).find("whole number"), std::string::npos) << bad;
    for (auto bad : {"1,2", "1,2,3,4", "1,2,", ",1,2", "1;2;3"})
        EXPECT_NE(failure({"--target", bad}), "(accepted)") << bad;
    EXPECT_NE(failure({"--generations"}).find("needs a value"), std::string::npos);
    EXPECT_NE(failure({"--out", ""}), "(accepted)");
}

TEST(OptionsTest, UnknownNamesAreRejectedWithTheValidOnesListed) {
    EXPECT_NE(failure({"--colour"}).find("unknown option \"--colour\""), std::string::npos);
    EXPECT_NE(failure({"Tournament"}).find("unknown option"), std::string::npos);
    std::string selection = failure({"--selection", "tournament"});
    for (const auto& name : selectionNames())
        EXPECT_NE(selection.find("\"" + name + "\""), std::string::npos) << name;
    std::string crossbreed = failure({"--crossbreed", "love"});
    for (const auto& name : crossbreedNames())
        EXPECT_NE(crossbreed.find("\"" + name + "\""), std::string::npos) << name;
}

TEST(OptionsTest, UsageNamesEveryOptionAndStrategy) {
    std::string text = usage("evolve");
    for (auto option : {"--individuals", "--mutation", "--crossover", "--selection", "--crossbreed",
                        "--generations", "--target", "--clock", "--out", "--plugin",
                        "--report-to-terminal", "--compare", "--help"})
        EXPECT_NE(text.find(option), std::string::npos) << option;
    for (const auto& name : crossbreedNames()) EXPECT_NE(text.find(name), std::string::npos);
    EXPECT_TRUE(parse({"--help"}).help);
}

}  // namespace
}  // namespace evolve
