// Runs the evolve program as a user would: as a process, judged by its exit
// status, its messages and the files it leaves.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

namespace {

namespace fs = std::filesystem;

bool has(const std::string& text, const std::string& pattern) {
    return std::regex_search(text, std::regex(pattern));
}

class EvolveProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(::mkdtemp(dir.data()), nullptr); }
    void TearDown() override { fs::remove_all(dir); }

    // evolve --out dir/out `args`, with its output in dir/stdout and dir/stderr.
    pid_t start(const std::string& args, const std::string& out = "out") {
        const std::string command = "exec " EVOLVE_COMMAND " --out " + dir + "/" + out + " " +
                                    args + " >" + dir + "/stdout 2>" + dir + "/stderr";
        const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
        pid_t pid = -1;
        ::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ);
        return pid;
    }
    static int finish(pid_t pid) {
        int status = 0;
        return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int run(std::string args, std::string out = "out") { return finish(start(args, out)); }
    std::string read(const std::string& file) {  // a file, or every file of a folder
        const std::string path = dir + "/" + file;
        std::ifstream in(path, std::ios::binary);
        if (!fs::is_directory(path)) return {std::istreambuf_iterator<char>(in), {}};
        std::string all = std::to_string(fs::last_write_time(path).time_since_epoch().count());
        for (const auto& entry : fs::directory_iterator(path))
            all += entry.path().string() + read(file + "/" + entry.path().filename().string());
        return all;
    }

    std::string dir = (fs::temp_directory_path() / "evolve-test-XXXXXX").string();
};

TEST_F(EvolveProgramTest, EachFailureHasItsStatusAndReasonAndLeavesTheFormerRunAlone) {
    ASSERT_EQ(run("--generations 2 --report summary"), 0);
    EXPECT_TRUE(
        has(read("out/report.txt"), "^(generation \\d: average [^\n]* best \\d+,\\d+,\\d+\n){2}$"));
    const std::string before = read("out"), library = NOT_A_PLUGIN_PATH;
    std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"--generation=5", 2, "\"--generation\" (did you mean \"--generations\"?)"},
        {"--selection tournamnet", 2, "(did you mean \"Tournament\"?); valid names: \"MinMaxSubst"},
        {"--crossover=5 --individuals=8", 2, "(range 0..4: at most half of --individuals 8)"},
        {"--target 255,255,177", 2, "--target 255 is out of range (range 0..254: genes take"},
        {"--plugin typo.so", 3, "plug-in not found: typo.so"},
        {"--plugin " + library, 3, library + " lacks the exports A5_DLLAPI"},
        {"--out " + dir + "/out/fitness.csv/in", 4, "fitness.csv/in: Not a directory"}};
    for (const auto& [args, status, says] : cases) {
        EXPECT_EQ(run(args), status) << says;
        const std::string err = read("stderr");
        EXPECT_TRUE(err.rfind("evolve: ", 0) == 0 && err.find(says) != std::string::npos) << err;
    }
    EXPECT_EQ(read("out"), before);
    EXPECT_TRUE(run("--help") == 0 && has(read("stdout"), "130 interrupted"));
}

TEST_F(EvolveProgramTest, CsvRowOneIsThePictureBeforeGenerationOneAndThePageRepeatsTheRun) {
    ASSERT_EQ(run("--clock=1000 --individuals=17 --crossover 3 --generations 12 --selection "
                  "tournament --crossbreed 'LOVE marriage' --target ' 0, 0 ,0'"),
              0);
    const std::string csv = read("out/fitness.csv"), page = read("out/index.html");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 13);
    EXPECT_EQ(std::system(("xmllint --noout " + dir + "/out/*.svg").c_str()), 0);

    // Row 1's spread and best genome: the population drawn "before generation 1".
    std::smatch row, map, command;
    ASSERT_TRUE(
        std::regex_search(csv, row, std::regex("\n1,[0-9.,]+,([0-9.]+),(\\d+,\\d+,\\d+)\n")));
    const std::string level = read("out/level.svg");
    ASSERT_TRUE(
        std::regex_search(level, map, std::regex("before generation 1<[\\s\\S]*generation 12<")));
    double n = 0, sum = 0, squares = 0, top = -1;
    std::string best, first = map.str();
    const std::regex fill("rgb\\((\\d+),(\\d+),(\\d+)\\)");
    for (std::sregex_iterator c(first.begin(), first.end(), fill), end; c != end; ++c, ++n) {
        double f = 1 - (std::stoi((*c)[1]) + std::stoi((*c)[2]) + std::stoi((*c)[3])) / 765.0;
        sum += f, squares += f * f;
        if (f > top) top = f, best = c->str();
    }
    EXPECT_NEAR(std::sqrt(squares / n - sum * sum / n / n), std::stod(row[1]), 1e-6);
    EXPECT_EQ(best, "rgb(" + row[2].str() + ")");

    ASSERT_TRUE(std::regex_search(page, command, std::regex("<pre>\\S+([^<]*)</pre>")));
    const std::string again = std::regex_replace(command[1].str(), std::regex("&apos;"), "'");
    ASSERT_EQ(run(again + " --report none", "again"), 0);
    EXPECT_EQ(read("again/fitness.csv"), csv);
    EXPECT_FALSE(fs::exists(dir + "/again/report.txt"));
}

TEST_F(EvolveProgramTest, ASignalStopsAfterTheGenerationAndWritesWhatIsDone) {
    for (auto [signal, status] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        fs::remove(dir + "/stdout");
        const pid_t pid = start("--individuals 200 --crossover 100 --generations 1000000");
        // The first generation's line shows the run is under way.
        for (int wait = 0; wait < 3000 && !has(read("stdout"), " 1/1000000"); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::kill(pid, signal);
        EXPECT_EQ(finish(pid), status);
        const std::string csv = read("out/fitness.csv"), err = read("stderr");
        const long done = std::count(csv.begin(), csv.end(), '\n') - 1;
        EXPECT_TRUE(done > 0 &&
                    has(read("out/index.html"),
                        "Interrupted after generation " + std::to_string(done) + " of 1000000"));
        std::smatch said;  // the size told beforehand, against what each generation wrote
        ASSERT_TRUE(std::regex_search(err, said, std::regex("report.txt .* about ([0-9.]+) GB")));
        EXPECT_NEAR(std::stod(said[1]) * 1e3, fs::file_size(dir + "/out/report.txt") / done, 20e3);
    }
}

TEST_F(EvolveProgramTest, CompareHonoursASelectionRanksByTheMeanAndRowsIdenticalPairsTogether) {
    ASSERT_EQ(run("--compare --selection Tournament --seeds 2 --clock 5000 --individuals 12 "
                  "--generations 8 --report none"),
              0);
    const std::string table = read("out/compare.txt");
    // One row per crossbreed that mates and one for the rest, best mean first.
    const std::string row = "\nTournament +(elite|enrichment|\\(no mating\\)) +([0-9.]+) [^\n]*";
    std::smatch rows;
    ASSERT_TRUE(std::regex_search(
        table, rows,
        std::regex("^[^\n]*" + row + row + row +
                   "\n\\(no mating\\): love marriage, plebs, hedonism run no crossbreeding"
                   "[^\n]*\nMeans over 2 runs[^\n]*\n$")))
        << table;
    EXPECT_TRUE(std::stod(rows[2]) >= std::stod(rows[4]) &&
                std::stod(rows[4]) >= std::stod(rows[6]));
}

}  // namespace
