// Runs the evolve program as a user would: as a process, judged by its exit
// status, its messages and the files it leaves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "options.h"
#include "tools/xml_check.h"

namespace evolve {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void expectAll(const std::string& text, std::initializer_list<std::string> words) {
    for (const auto& word : words) EXPECT_NE(text.find(word), std::string::npos) << word;
}

class EvolveProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "evolve-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    struct Outcome {
        int status;
        std::string out, err;
    };
    // Runs evolve with `args`, and --out dir/out when `out` is given.
    Outcome run(std::vector<std::string> args, const std::string& out = "") {
        if (!out.empty()) args.insert(args.end(), {"--out", (dir / out).string()});
        std::string command = EVOLVE_PROGRAM;
        for (const std::string& arg : args) command += " '" + arg + "'";
        command += " >" + (dir / "stdout").string() + " 2>" + (dir / "stderr").string();
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir / "stdout"),
                slurp(dir / "stderr")};
    }
    std::string csv(const std::string& out, const std::vector<std::string>& args) {
        EXPECT_EQ(run(args, out).status, 0);
        return slurp(dir / out / "fitness.csv");
    }

    fs::path dir;
};

TEST_F(EvolveProgramTest, BadInputExitsWithStatusTwoAndSaysWhy) {
    const std::string file = (dir / "file").string(), libm = "/lib/x86_64-linux-gnu/libm.so.6";
    std::ofstream(file) << "not a library\n";
    std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--speed", "3"}, "unknown option \"--speed\""},
        {{"--selection", "tournament"},
         "\"tournament\"; valid names: \"MinMaxSubst\", \"Tournament\", \"Neighbour\", "
         "\"MinMaxCross\", \"RouletteWheel\", \"Excentric\""},
        {{"--crossbreed", "elitist"},
         "\"elitist\"; valid names: \"love marriage\", \"elite\", \"enrichment\", \"plebs\", "
         "\"hedonism\""},
        {{"--individuals", "0"}, "--individuals 0 is out of range (range 1..200)"},
        {{"--individuals", "99999999999999999999"}, "out of range"},
        {{"--mutation", "1001"}, "--mutation 1001 is out of range (range 0..1000)"},
        {{"--individuals", "8", "--crossover", "5"}, "--crossover 5 is out of range (range 0..4)"},
        {{"--crossover", "11", "--individuals", "20"}, "range 0..10"},  // whatever the order
        {{"--generations", "0"}, "--generations 0 is out of range (range 1..1000000)"},
        {{"--generations"}, "--generations needs a value"},
        {{"--clock", "-5"}, "--clock -5 is out of range (range 0.."},
        {{"--target", "0,0,256"}, "--target 256 is out of range (range 0..255)"},
        {{"--out", ""}, "--out needs a folder name"},
        {{"--plugin", file + ".so", "--out", file + "1"}, "not found: " + file + ".so"},
        {{"--plugin", file, "--out", file + "2"}, "cannot load plug-in " + file},
        {{"--out", file + "/inside"}, "output folder " + file + "/inside"}};
    for (const char* bad : {"", "12x", "1.5", " 3", "+3", "ten"})
        cases.push_back({{"--individuals", bad}, "--individuals expects a whole number"});
    for (const char* bad : {"255,255", "1,2,3,4", "1,2,", ",1,2", "1;2;3"})
        cases.push_back({{"--target", bad}, "--target expects "});
    if (fs::exists(libm))
        cases.push_back({{"--plugin", libm, "--out", file + "3"},
                         libm + " lacks the exports A5_DLLAPI, InterfaceInit"});
    for (const auto& [args, says] : cases) {
        Outcome o = run(args);
        EXPECT_EQ(o.status, 2) << says;
        EXPECT_EQ(o.err.rfind("evolve: ", 0), 0u) << o.err;
        EXPECT_NE(o.err.find(says), std::string::npos) << o.err;
    }
}

TEST_F(EvolveProgramTest, HelpShowsTheUsageAndSucceeds) {
    Outcome o = run({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: evolve [options]\n", 0), 0u) << o.out;
}

TEST_F(EvolveProgramTest, AFixedClockRepeatsTheRunAndTheStrategiesReachThePlugin) {
    const std::string first = csv("a", {"--clock", "1700000000"});
    EXPECT_EQ(first, csv("b", {"--clock", "1700000000"}));
    EXPECT_TRUE(first != csv("c", {"--clock", "1700003600"})) << "the clock must drive the plug-in";
    // Same clock, so only the panel's choice can tell these apart.
    EXPECT_TRUE(first != csv("d", {"--clock", "1700000000", "--selection", "Neighbour"}));
    EXPECT_TRUE(first != csv("e", {"--clock", "1700000000", "--crossbreed", "enrichment"}));
    expectAll(slurp(dir / "a" / "index.html"),
              {">50<", ">100<", ">5<", ">Tournament<", ">elite<", ">255,255,177<", ">1700000000<"});

    EXPECT_EQ(first.rfind("generation,average,minimal,maximal\n", 0), 0u);
    std::istringstream rows(first.substr(first.find('\n')));
    int generation = 0, expected = 0;
    double avg = -1, min = -1, max = -1;
    for (char comma; rows >> generation >> comma >> avg >> comma >> min >> comma >> max;) {
        EXPECT_EQ(generation, ++expected);
        EXPECT_TRUE(0 <= min && min <= avg && avg <= max && max <= 1) << generation;
    }
    EXPECT_EQ(expected, 100);
}

TEST_F(EvolveProgramTest, ReportGoesToItsFileAndPicturesAreWellFormed) {
    Outcome o = run({"--clock", "1000", "--crossover", "3", "--individuals", "17", "--mutation",
                     "250", "--generations", "12", "--selection", "RouletteWheel", "--crossbreed",
                     "hedonism", "--target", "1,2,3"},
                    "run");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(slurp(dir / "run" / "report.txt").find("Generations Nr"), std::string::npos);
    EXPECT_EQ(o.out.find("Generations Nr"), std::string::npos) << "report leaked into the UI";
    EXPECT_EQ(o.out.find("\x1b["), std::string::npos) << "no terminal codes into a file";
    expectAll(o.out, {"generation 12/12", (dir / "run" / "index.html").string()});
    expectAll(slurp(dir / "run" / "index.html"),
              {"fitness.svg", "level.svg", ">17<", ">250<", ">3<", ">12<", ">RouletteWheel<",
               ">hedonism<", ">1,2,3<", ">1000<"});
    EXPECT_EQ(test::xmlProblem(slurp(dir / "run" / "fitness.svg")), "");
    const std::string level = slurp(dir / "run" / "level.svg");
    EXPECT_EQ(test::xmlProblem(level), "");
    size_t circles = 0;
    for (size_t at = 0; (at = level.find("<circle", at) + 1) != 0;) ++circles;  // npos + 1 is 0
    EXPECT_EQ(circles, 2u * 17u);

    Outcome shown =
        run({"--clock", "1000", "--generations", "3", "--individuals", "3", "--report-to-terminal"},
            "shown");
    EXPECT_NE(shown.out.find("Generations Nr"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "shown" / "report.txt"));
    // The default of 5 pairs is cut down to what 3 individuals allow.
    expectAll(slurp(dir / "shown" / "index.html"), {"crossover (pairs)</th><td>1<"});
}

TEST_F(EvolveProgramTest, CompareRunsEveryStrategyPair) {
    Outcome o = run({"--compare", "--clock", "5000", "--individuals", "12", "--generations", "8"},
                    "compare");
    ASSERT_EQ(o.status, 0) << o.err;
    const std::string csv = slurp(dir / "compare" / "compare.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 31);
    for (const std::string& s : selectionNames())
        for (const std::string& c : crossbreedNames())
            EXPECT_NE(csv.find("\n" + s + "," + c + ","), std::string::npos) << s << " / " << c;
    EXPECT_EQ(test::xmlProblem(slurp(dir / "compare" / "compare.svg")), "");
    const std::string table = slurp(dir / "compare" / "compare.txt");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 31);
    EXPECT_NE(o.out.find(table), std::string::npos) << "the table is printed";
}

}  // namespace
}  // namespace evolve
