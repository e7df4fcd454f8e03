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

const char* const kLongRun = "--individuals 200 --crossover 100 --generations 1000000";

bool has(const std::string& text, const std::string& pattern) {
    return std::regex_search(text, std::regex(pattern));
}

// Every match of `pattern` in `text`, as `format` writes it.
std::string pick(const std::string& text, const std::string& pattern, const std::string& format) {
    return std::regex_replace(text, std::regex(pattern), format,
                              std::regex_constants::format_no_copy);
}

// What the standard level's script rates genes "r,g,b" against the target
// 0,0,0, in the engine's steps, written as evolve writes every figure.
std::string figure(const std::string& genes) {
    int r = 0, g = 0, b = 0;
    std::sscanf(genes.c_str(), "%d,%d,%d", &r, &g, &b);
    char text[16];
    std::snprintf(text, sizeof text, "%.4f", std::trunc((1 - (r + g + b) / 765.0) * 1024) / 1024);
    return text;
}

class EvolveProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(::mkdtemp(dir.data()), nullptr); }
    void TearDown() override { fs::remove_all(dir); }

    // evolve --out dir/`out` `args`, after the shell runs `setup`; its output
    // in dir/stdout and dir/stderr.
    pid_t start(const std::string& args, const std::string& out = "out",
                const std::string& setup = "") {
        const std::string command = setup + "exec " EVOLVE_COMMAND " --out " + dir + "/" + out +
                                    " " + args + " >" + dir + "/stdout 2>" + dir + "/stderr";
        const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
        pid_t pid = -1;
        ::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ);
        return pid;
    }
    // The exit status, -1 when a signal ended the program.
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
    void await(const std::string& file, const std::string& pattern) {
        for (int wait = 0; wait < 6000 && !has(read(file), pattern); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::string hiddenFiles(const std::string& folder) {
        std::string names;
        for (const auto& entry : fs::directory_iterator(dir + "/" + folder))
            if (entry.path().filename().string()[0] == '.') names += entry.path().string() + " ";
        return names;
    }

    std::string dir = (fs::temp_directory_path() / "evolve-test-XXXXXX").string();
};

TEST_F(EvolveProgramTest, EachFailureHasItsStatusAndReasonAndLeavesTheFormerRunAlone) {
    ASSERT_EQ(run("--generations 2"), 0);
    const std::string before = read("out"), library = NOT_A_PLUGIN_PATH;
    std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"--generation=5", 2, "\"--generation\" (did you mean \"--generations\"?)"},
        {"--selection tournamnet", 2, "(did you mean \"Tournament\"?); valid names: \"MinMaxSubst"},
        {"--crossover=5 --individuals=8", 2, "(range 0..4: at most half of --individuals 8)"},
        {"--target 255,255,177", 2, "--target 255 is out of range (range 0..254: genes take"},
        {"--generations 2 --clock", 2, "--clock needs a value"},
        {"--plugin typo.so", 3, "plug-in not found: typo.so"},
        {"--plugin " + library, 3, library + " lacks the exports A5_DLLAPI"},
        {"--out " + dir + "/out/fitness.csv/in", 4, "fitness.csv/in: Not a directory"},
        {"--out " + dir, 4, ", which evolve did not write: name a new or empty folder"}};
    for (const auto& [args, status, says] : cases) {
        SCOPED_TRACE(args);
        EXPECT_EQ(run(args), status);
        const std::string err = read("stderr");
        EXPECT_EQ(err.rfind("evolve: ", 0), 0u) << err;
        EXPECT_NE(err.find(says), std::string::npos) << err;
    }
    EXPECT_EQ(read("out"), before);
    EXPECT_EQ(run("--help"), 0);
    EXPECT_TRUE(has(read("stdout"), "130 interrupted"));
    EXPECT_FALSE(has(read("stdout"), "[^\n]{80}"));  // wrapped for a terminal
}

TEST_F(EvolveProgramTest, EveryFigureOfARunAgreesWhereverItIsShownAndThePageRepeatsTheRun) {
    ASSERT_EQ(run("--clock=1056 --mutation 500 --individuals=17 --crossover 3 --generations 12 "
                  "--selection tournament --crossbreed 'LOVE marriage' --target ' 0, 0 ,0' "
                  "--report summary"),
              0);
    const std::string csv = read("out/fitness.csv"), page = read("out/index.html");
    const std::string shown = read("stdout"), summary = read("out/report.txt");
    EXPECT_EQ(std::system(("xmllint --noout " + dir + "/out/*.svg").c_str()), 0);

    // Row 1's spread and best genome: the population drawn "before generation 1".
    std::smatch row, map, command;
    ASSERT_TRUE(
        std::regex_search(csv, row, std::regex("\n1,[0-9.,]+,([0-9.]+),(\\d+,\\d+,\\d+),")));
    const std::string level = read("out/level.svg");
    ASSERT_TRUE(
        std::regex_search(level, map, std::regex("before generation 1<[\\s\\S]*generation 12<")));
    double n = 0, sum = 0, squares = 0, top = -1;
    std::string best, first = map.str();
    const std::regex fill("rgb\\((\\d+,\\d+,\\d+)\\)");
    for (std::sregex_iterator c(first.begin(), first.end(), fill), end; c != end; ++c) {
        const double f = std::stod(figure((*c)[1]));
        n += 1;
        sum += f;
        squares += f * f;
        if (f > top) {
            top = f;
            best = (*c)[1];
        }
    }
    EXPECT_NEAR(std::sqrt(squares / n - sum * sum / n / n), std::stod(row[1]), 5e-5);
    EXPECT_EQ(best, row[2].str());

    // Each generation's figures, and the generations that mutated, agree in
    // the table, the summary and on the terminal; every "maximal" and the
    // page's best are what the level rates their genes.
    const std::string figures = pick(csv, "\n(\\d+),([^,]+),([^,]+),([^,]+),", "$1 $2 $3 $4\n");
    const char* perGeneration = "(\\d+)(/12|:) +average (\\S+) +minimal (\\S+) +maximal (\\S+)";
    EXPECT_EQ(pick(summary, perGeneration, "$1 $3 $4 $5\n"), figures);
    EXPECT_EQ(pick(shown, perGeneration, "$1 $3 $4 $5\n"), figures);
    const std::string mutated = pick(csv, "\n(\\d+),[^\n]*,1(?=\n)", "$1 ");
    EXPECT_EQ(mutated, "2 3 4 ");
    EXPECT_EQ(pick(summary, "generation (\\d+):[^\n]* mutated\n", "$1 "), mutated);
    const std::regex maximal("\n(\\d+),[^,]+,[^,]+,([^,]+),[^,]+,(\\d+,\\d+,\\d+)");
    for (std::sregex_iterator r(csv.begin(), csv.end(), maximal), end; r != end; ++r)
        EXPECT_EQ((*r)[2], figure((*r)[3])) << "row " << (*r)[1];
    const std::string verdict = pick(page, "</span> (\\S+), fitness (\\S+) as", "$1 $2");
    EXPECT_EQ(verdict, pick(shown, "best after generation 12: (\\S+), fitness (\\S+);", "$1 $2"));
    EXPECT_EQ(verdict.substr(verdict.find(' ') + 1), figure(verdict));
    EXPECT_TRUE(has(page, "mutated</th><td>3<"));
    EXPECT_TRUE(has(shown, "; 3 of 12 generations mutated"));
    EXPECT_TRUE(has(shown, "\npictures: " + dir + "/out/index.html"));

    // The page's command repeats the run; the library's own report counts the same mutations.
    ASSERT_TRUE(std::regex_search(page, command, std::regex("<pre>\\S+([^<]*)</pre>")));
    const std::string again = std::regex_replace(command[1].str(), std::regex("&apos;"), "'");
    ASSERT_EQ(run(again + " --report full", "again"), 0);
    EXPECT_EQ(read("again/fitness.csv"), csv);
    EXPECT_EQ(pick(read("again/report.txt"), "Hallo Mutation", "+"), "+++");
}

// Whatever ends a run, the folder keeps the run before, and this run's rows
// are in out.partial, whole; a stop that is let finish adds the pictures.
TEST_F(EvolveProgramTest, AnyEndingLeavesTheRunBeforeAndWhatWasDoneBesideIt) {
    ASSERT_EQ(run("--generations 2"), 0);
    const std::string before = read("out");
    const char *started = "^generation", *running = "\n1,";  // in out.partial/fitness.csv
    struct Ending {
        const char* name;
        int signal;
        bool again;  // a second SIGINT once the first is noticed
        const char* moment;
        int status;
        bool pictures;
    };
    const Ending endings[] = {{"SIGINT at the start", SIGINT, false, started, 130, true},
                              {"SIGINT", SIGINT, false, running, 130, true},
                              {"two SIGINTs at the start", SIGINT, true, started, 130, false},
                              {"two SIGINTs", SIGINT, true, running, 130, false},
                              {"SIGTERM", SIGTERM, false, running, 143, true},
                              {"SIGKILL", SIGKILL, false, running, -1, false}};
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        fs::remove_all(dir + "/out.partial");
        const pid_t pid = start(kLongRun);
        await("out.partial/fitness.csv", ending.moment);
        ::kill(pid, ending.signal);
        if (ending.again) {
            await("stderr", "evolve: stopping after this generation");
            ::kill(pid, SIGINT);
        }
        EXPECT_EQ(finish(pid), ending.status);
        EXPECT_EQ(read("out"), before);
        EXPECT_EQ(hiddenFiles("out.partial"), "");
        const std::string csv = read("out.partial/fitness.csv"), err = read("stderr");
        EXPECT_TRUE(has(csv, "^generation[^\n]*\n(\\d+(,[0-9.]+){8}\n)*$")) << csv;
        if (!ending.pictures) continue;
        const long done = std::count(csv.begin(), csv.end(), '\n') - 1;
        EXPECT_TRUE(has(read("out.partial/index.html"),
                        "Interrupted after generation " + std::to_string(done) + " of 1000000"));
        EXPECT_NE(err.find("out is as it was; what this run did is in " + dir + "/out.partial"),
                  std::string::npos);
        std::smatch said;  // the size told beforehand, against what each generation wrote
        ASSERT_TRUE(std::regex_search(err, said, std::regex("report.txt .* about ([0-9.]+) GB")));
        if (done > 0) {
            EXPECT_NEAR(std::stod(said[1]) * 1e3,
                        fs::file_size(dir + "/out.partial/report.txt") / done, 20e3);
        }
    }
}

TEST_F(EvolveProgramTest, ASecondRunIsRefusedTheFolderOfALiveOne) {
    const pid_t live = start(kLongRun);
    await("out.partial/fitness.csv", "\n1,");
    EXPECT_EQ(run("--generations 2"), 4);
    EXPECT_NE(read("stderr").find(dir + "/out is in use by another run of evolve (process " +
                                  std::to_string(live) + ")"),
              std::string::npos);
    ::kill(live, SIGKILL);
    EXPECT_EQ(finish(live), -1);
    // A killed run holds nothing, and nothing of it goes into the next.
    ASSERT_EQ(run("--generations 2 --report none"), 0);
    EXPECT_FALSE(fs::exists(dir + "/out.partial"));
    EXPECT_FALSE(fs::exists(dir + "/out/report.txt"));
}

TEST_F(EvolveProgramTest, AFileSizeLimitIsAWriteErrorAndLeavesNoTemporaries) {
    ASSERT_EQ(run("--generations 2"), 0);
    const std::string before = read("out");
    EXPECT_EQ(finish(start("--generations 1000", "out", "ulimit -f 100; ")), 4);
    EXPECT_EQ(read("stderr").rfind(
                  "evolve: cannot write " + dir + "/out.partial/report.txt: File too large\n", 0),
              0u);
    EXPECT_EQ(read("out"), before);
    EXPECT_EQ(hiddenFiles(""), "");
    EXPECT_EQ(hiddenFiles("out.partial"), "");
}

TEST_F(EvolveProgramTest, CompareRanksWhatTheLastGenerationProducedAndRowsIdenticalPairsTogether) {
    ASSERT_EQ(run("--compare --selection Tournament --seeds 2 --clock 5000 --individuals 12 "
                  "--generations 8"),
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
    EXPECT_GE(std::stod(rows[2]), std::stod(rows[4]));
    EXPECT_GE(std::stod(rows[4]), std::stod(rows[6]));
    EXPECT_TRUE(has(read("out/report.txt"),
                    "^=== Tournament / elite, clock 5000 ===\ngeneration 1: average "));

    // A pair's figures: row 9 of a run one generation longer, and the best up to it.
    const std::string settings =
        "--selection Tournament --crossbreed elite --clock 5000 "
        "--individuals 12 --generations ";
    ASSERT_EQ(run("--compare " + settings + "8", "pair"), 0);
    ASSERT_EQ(run(settings + "9", "nine"), 0);
    const std::string pair = read("pair/compare.csv"), nine = read("nine/fitness.csv");
    std::smatch figures;
    ASSERT_TRUE(std::regex_search(
        pair, figures,
        std::regex("^selection,crossbreed,runs,average_after_generation_8,spread,best_through_"
                   "generation_8\nTournament,elite,1,([0-9.]+),[0-9.]+,([0-9.]+)\n$")))
        << pair;
    EXPECT_TRUE(has(nine, "\n9," + figures[1].str() + ","));
    double best = 0;
    const std::regex maximal("\n\\d+,[^,]+,[^,]+,([^,]+),");
    for (std::sregex_iterator r(nine.begin(), nine.end(), maximal), end; r != end; ++r)
        best = std::max(best, std::stod((*r)[1]));
    EXPECT_EQ(std::stod(figures[2]), best);
}

}  // namespace
