// Runs the evolve program as a user would: as a process, judged by its exit
// status, its messages and the files it leaves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "plugin.h"
#include "tools/xml_check.h"

namespace evolve {
namespace {

namespace fs = std::filesystem;

const char* const kNotYet =
    "the built plug-in lacks exports evolve drives (genetic algorithm or control panel)";

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

class EvolveProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "evolve-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    Outcome run(std::vector<std::string> args) {
        fs::path out = dir / "stdout", err = dir / "stderr";
        pid_t child = ::fork();
        if (child == 0) {
            int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(o, 1);
            ::dup2(e, 2);
            std::vector<char*> argv = {const_cast<char*>(EVOLVE_PROGRAM)};
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(EVOLVE_PROGRAM, argv.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    }

    // The exports evolve drives come from other parts of the library; until
    // they are built, runs of the real plug-in cannot succeed.
    static bool pluginHasExports() {
        auto plugin = evoplug::host::Plugin::load(EVOPLUG_PLUGIN_PATH, {false, false});
        const auto& e = plugin->exports();
        return e.InterfaceInit && e.WDL_syntax && e.init_population && e.init_Ortavia &&
               e.SelectCommand && e.CreateGenotype && e.evolution && e.SetRuntimeClock;
    }

    fs::path dir;
};

TEST_F(EvolveProgramTest, BadInputExitsWithStatusTwoAndSaysWhy) {
    fs::path file = dir / "plain-file";
    std::ofstream(file) << "not a library\n";
    const std::string all6 =
        "\"MinMaxSubst\", \"Tournament\", \"Neighbour\", \"MinMaxCross\", \"RouletteWheel\", "
        "\"Excentric\"";
    const std::string all5 =
        "\"love marriage\", \"elite\", \"enrichment\", \"plebs\", \"hedonism\"";
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> says;
    };
    const std::vector<Case> cases = {
        {{"--speed", "3"}, {"unknown option \"--speed\""}},
        {{"--selection", "Roulette"}, {"\"Roulette\"", all6}},
        {{"--crossbreed", "elitist"}, {"\"elitist\"", all5}},
        {{"--individuals", "201"}, {"--individuals", "range 1..200"}},
        {{"--mutation", "2000"}, {"--mutation", "range 0..1000"}},
        {{"--individuals", "8", "--crossover", "5"}, {"--crossover", "range 0..4"}},
        {{"--target", "255,255"}, {"--target", "R,G,B"}},
        {{"--target", "0,0,300"}, {"range 0..255"}},
        {{"--generations", "many"}, {"--generations", "whole number"}},
        {{"--plugin", (dir / "gone.so").string(), "--out", (dir / "o1").string()},
         {"not found", (dir / "gone.so").string()}},
        {{"--plugin", file.string(), "--out", (dir / "o2").string()},
         {"cannot load", file.string()}},
        {{"--plugin", "/lib/x86_64-linux-gnu/libm.so.6", "--out", (dir / "o3").string()},
         {"libm.so.6", "lacks the exports", "A5_DLLAPI", "CreateGenotype", "evolution"}},
        {{"--out", (file / "inside").string()}, {"output folder", (file / "inside").string()}},
    };
    for (const Case& c : cases) {
        if (c.args[0] == "--plugin" && c.says[0] == "libm.so.6" &&
            !fs::exists("/lib/x86_64-linux-gnu/libm.so.6"))
            continue;
        Outcome o = run(c.args);
        std::string shown = c.args[0] + " " + c.args[1];
        EXPECT_EQ(o.status, 2) << shown;
        EXPECT_EQ(o.err.rfind("evolve: ", 0), 0u) << shown << ": " << o.err;
        for (const auto& words : c.says)
            EXPECT_NE(o.err.find(words), std::string::npos) << shown << ": " << o.err;
    }
}

TEST_F(EvolveProgramTest, HelpDescribesTheOptionsAndSucceeds) {
    Outcome o = run({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("--compare"), std::string::npos);
    EXPECT_EQ(o.err, "");
}

TEST_F(EvolveProgramTest, AFixedClockMakesTheRunRepeatable) {
    if (!pluginHasExports()) GTEST_SKIP() << kNotYet;
    auto csvOf = [&](const std::string& clock, const std::string& name) {
        fs::path out = dir / name;
        Outcome o = run({"--clock", clock, "--generations", "40", "--out", out.string()});
        EXPECT_EQ(o.status, 0) << o.err;
        return slurp(out / "fitness.csv");
    };
    std::string first = csvOf("1700000000", "a"), again = csvOf("1700000000", "b");
    EXPECT_EQ(first, again);
    EXPECT_NE(first, csvOf("1700003600", "c")) << "the clock must drive the plug-in's numbers";

    std::vector<std::string> rows = lines(first);
    ASSERT_EQ(rows.size(), 41u);
    EXPECT_EQ(rows[0], "generation,average,minimal,maximal");
    for (size_t g = 1; g < rows.size(); ++g) {
        int generation = 0;
        double average = -1, minimal = -1, maximal = -1;
        ASSERT_EQ(std::sscanf(rows[g].c_str(), "%d,%lf,%lf,%lf", &generation, &average, &minimal,
                              &maximal),
                  4)
            << rows[g];
        EXPECT_EQ(generation, static_cast<int>(g));
        EXPECT_LE(0.0, minimal) << rows[g];
        EXPECT_LE(minimal, average) << rows[g];
        EXPECT_LE(average, maximal) << rows[g];
        EXPECT_LE(maximal, 1.0) << rows[g];
    }
}

TEST_F(EvolveProgramTest, TheChosenStrategiesReachThePlugin) {
    if (!pluginHasExports()) GTEST_SKIP() << kNotYet;
    // Same clock, so only the panel's choice can tell the runs apart.
    auto csvOf = [&](const std::string& selection, const std::string& crossbreed) {
        fs::path out = dir / (selection + "-" + crossbreed);
        Outcome o = run({"--clock", "1700000000", "--generations", "20", "--selection", selection,
                         "--crossbreed", crossbreed, "--out", out.string()});
        EXPECT_EQ(o.status, 0) << o.err;
        return slurp(out / "fitness.csv");
    };
    std::string standard = csvOf("Tournament", "elite");
    EXPECT_NE(standard, csvOf("Neighbour", "elite")) << "selection row not stepped";
    EXPECT_NE(standard, csvOf("Tournament", "enrichment")) << "crossbreed row not stepped";
}

TEST_F(EvolveProgramTest, ReportGoesToItsFileAndPicturesAreWellFormed) {
    if (!pluginHasExports()) GTEST_SKIP() << kNotYet;
    fs::path out = dir / "run";
    Outcome o =
        run({"--clock", "1000", "--individuals", "17", "--crossover", "3", "--generations", "12",
             "--selection", "RouletteWheel", "--crossbreed", "hedonism", "--out", out.string()});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(slurp(out / "report.txt").find("Generations Nr"), std::string::npos);
    EXPECT_EQ(o.out.find("Generations Nr"), std::string::npos) << "report leaked into the UI";
    EXPECT_NE(o.out.find("generation 12/12"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find((out / "index.html").string()), std::string::npos) << o.out;
    EXPECT_EQ(o.out.find("\x1b["), std::string::npos) << "no terminal codes into a file";

    for (auto name : {"fitness.svg", "level.svg"})
        EXPECT_EQ(test::xmlProblem(slurp(out / name)), "") << name;
    std::string level = slurp(out / "level.svg");
    size_t circles = 0;
    for (size_t at = level.find("<circle"); at != std::string::npos;
         at = level.find("<circle", at + 1))
        ++circles;
    EXPECT_EQ(circles, 2u * 17u);
    std::string html = slurp(out / "index.html");
    for (auto word : {"fitness.svg", "level.svg", "RouletteWheel", "hedonism", ">17<"})
        EXPECT_NE(html.find(word), std::string::npos) << word;

    Outcome shown = run({"--clock", "1000", "--generations", "3", "--report-to-terminal", "--out",
                         (dir / "shown").string()});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Generations Nr"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "shown" / "report.txt"));
}

TEST_F(EvolveProgramTest, CompareRunsEveryStrategyPair) {
    if (!pluginHasExports()) GTEST_SKIP() << kNotYet;
    fs::path out = dir / "compare";
    Outcome o = run({"--compare", "--clock", "5000", "--individuals", "12", "--generations", "8",
                     "--out", out.string()});
    ASSERT_EQ(o.status, 0) << o.err;
    std::vector<std::string> csv = lines(slurp(out / "compare.csv"));
    ASSERT_EQ(csv.size(), 31u);
    std::set<std::string> pairs;
    for (size_t i = 1; i < csv.size(); ++i)
        pairs.insert(csv[i].substr(0, csv[i].find(',', csv[i].find(',') + 1)));
    EXPECT_EQ(pairs.size(), 30u);
    EXPECT_EQ(lines(slurp(out / "compare.txt")).size(), 31u);
    EXPECT_EQ(test::xmlProblem(slurp(out / "compare.svg")), "");
    EXPECT_NE(o.out.find(slurp(out / "compare.txt")), std::string::npos) << "table is printed";
}

}  // namespace
}  // namespace evolve
