// evolve: tries the plug-in's genetic algorithm with chosen settings and
// strategies in the stand-in engine, before it goes into a game.
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "charts.h"
#include "compare.h"
#include "csv_writer.h"
#include "html_writer.h"
#include "level_map.h"
#include "options.h"
#include "output_files.h"
#include "plugin.h"
#include "report_redirect.h"
#include "run_folder.h"
#include "simulation.h"
#include "stop_signal.h"
#include "terminal_view.h"

namespace evolve {
namespace {

namespace host = evoplug::host;

enum Status { kDone = 0, kFault = 1, kBadInput = 2, kNoPlugin = 3, kNotWritten = 4 };
// Past this, a full report is worth a word before the run.
constexpr double kLargeReport = 10e6;

std::string strategyTitle(const Options& o) {
    return selectionNames()[o.selection] + " / " + crossbreedNames()[o.crossbreed];
}

std::string size(double bytes) {
    const char* units[] = {"bytes", "kB", "MB", "GB", "TB"};
    int unit = 0;
    for (; bytes >= 1000 && unit < 4; ++unit) bytes /= 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%.3g %s", bytes, units[unit]);
    return text;
}

void evolveOnce(const host::Plugin& plugin, const Options& options, const std::string& folder,
                const std::string& command, ReportRedirect& report) {
    FILE* terminal = report.terminal();
    // With the report on the same terminal, in-place redraws would tear it.
    TerminalView view(terminal, options.generations,
                      options.report == ReportMode::Terminal ? 0 : colourTerminalColumns(terminal));
    GrowingFile csv(joinPath(folder, "fitness.csv"));
    csv.add(fitnessCsvHeader());
    RunResult run =
        runEvolution(plugin, options, [&](const Simulation& simulation, const Stats& s) {
            const bool mutated = report.generation(simulation.generation(), s);
            csv.add(fitnessCsvRow(simulation.generation(), s, mutated));
            view.update(simulation.generation(), s, simulation.colours());
            return mutated;
        });
    view.finish();
    const int done = static_cast<int>(run.history.size());
    const std::string cut = done < options.generations ? " (interrupted)" : "";

    writeFile(joinPath(folder, "fitness.svg"),
              fitnessSvg(run.history,
                         "Fitness the level script received: " + strategyTitle(options) + cut));
    writeFile(joinPath(folder, "level.svg"),
              levelSvg(run.positions, run.firstColours, run.lastColours, done, options.target));
    writeFile(joinPath(folder, "index.html"),
              indexHtml(options, run, command, options.given.count("clock") > 0));
    if (!cut.empty())
        std::fprintf(terminal, "interrupted after generation %d of %d\n", done,
                     options.generations);
    const Rgb& best = run.last.best;
    std::fprintf(
        terminal, "best after generation %d: %d,%d,%d, fitness %s; %d of %d generations mutated\n",
        done, best.r, best.g, best.b, figure(run.last.maximal).c_str(), run.mutations, done);
}

void compareAll(const host::Plugin& plugin, const Options& options, const std::string& folder,
                ReportRedirect& report) {
    FILE* terminal = report.terminal();
    // A counter rewritten in place only makes sense on a terminal.
    bool counter = options.report != ReportMode::Terminal && ::isatty(::fileno(terminal));
    GrowingFile csv(joinPath(folder, "compare.csv"));
    csv.add(compareCsvHeader(options.generations));
    std::vector<CompareRow> pairs = comparedPairs(options);
    std::vector<CompareRow> rows = runComparison(
        plugin, options, pairs,
        [&](const Options& run, int index, int runs) {
            report.note("=== " + strategyTitle(run) + ", clock " + std::to_string(*run.clock) +
                        " ===");
            if (!counter) return;
            std::fprintf(terminal, "\rrun %d/%d: %-30s", index + 1, runs,
                         strategyTitle(run).c_str());
            std::fflush(terminal);
        },
        [&](int generation, const Stats& stats) { return report.generation(generation, stats); },
        [&](const CompareRow& row) { csv.add(compareCsvRow(row)); });
    if (counter) std::fprintf(terminal, "\r%60s\r", "");
    std::vector<CompareRow> best = ranked(rows);
    std::string table = compareTable(best);
    if (rows.size() < pairs.size())
        table += "Interrupted: " + std::to_string(rows.size()) + " of " +
                 std::to_string(pairs.size()) + " rows done.\n";
    writeFile(joinPath(folder, "compare.txt"), table);
    std::string runs =
        options.seeds > 1 ? ", mean of " + std::to_string(options.seeds) + " runs" : "";
    writeFile(joinPath(folder, "compare.svg"),
              compareSvg(best, "Strategies after " + std::to_string(options.generations) +
                                   " generations" + runs));
    std::fputs(table.c_str(), terminal);
}

// Says how large a full report will grow when that is worth knowing.
void warnOfLargeReport(const Options& options) {
    if (options.report != ReportMode::Full) return;
    std::vector<CompareRow> runs = {{options.selection, {options.crossbreed}, {}, {}}};
    if (options.compare) runs = comparedPairs(options);
    double bytes = 0;
    for (const CompareRow& row : runs) {
        Options run = options;
        run.crossbreed = row.crossbreeds.front();
        bytes += options.seeds * fullReportBytes(run);
    }
    if (bytes > kLargeReport)
        std::fprintf(stderr,
                     "evolve: report.txt will take about %s (--report summary or none keeps it "
                     "small)\n",
                     size(bytes).c_str());
}

int run(int argc, char** argv) {
    catchStopSignals();
    std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    try {
        options = parseOptions(args, EVOPLUG_DEFAULT_PLUGIN);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "evolve: %s\n", e.what());
        return kBadInput;
    }
    if (options.help) {
        std::fputs(usage("evolve").c_str(), stdout);
        return kDone;
    }
    if (!options.clock) options.clock = static_cast<int64_t>(std::time(nullptr));

    // Nothing in the output folder is touched before the plug-in is in.
    std::unique_ptr<host::Plugin> plugin;
    try {
        plugin = host::Plugin::load(options.plugin);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "evolve: %s\n", e.what());
        return kNoPlugin;
    }
    // A wiring problem may touch nothing the run uses, and the run's own
    // figures then show what suffers: say so, and go on.
    if (int problems = wiringProblems(*plugin))
        std::fprintf(stderr,
                     "evolve: the plug-in reports %d wiring problem(s) with the standard level "
                     "(above); figures that depend on them may be wrong\n",
                     problems);
    warnOfLargeReport(options);

    std::unique_ptr<RunFolder> folder;
    int status = kFault;
    try {
        folder = std::make_unique<RunFolder>(options.out);
        {
            ReportRedirect report(options.report, folder->partial());
            if (options.compare)
                compareAll(*plugin, options, folder->partial(), report);
            else
                evolveOnce(*plugin, options, folder->partial(), commandLine(argv[0], options),
                           report);
        }
        if (stopSignal() == 0) {
            folder->publish();
            if (options.compare)
                std::printf("written: %s, compare.csv, compare.svg\n",
                            joinPath(folder->out(), "compare.txt").c_str());
            else
                std::printf("pictures: %s (fitness.svg, level.svg)\n",
                            joinPath(folder->out(), "index.html").c_str());
            return kDone;
        }
        // The shell's convention for a program ended by a signal.
        status = 128 + stopSignal();
    } catch (const WriteError& e) {
        std::fprintf(stderr, "evolve: %s\n", e.what());
        status = kNotWritten;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "evolve: %s\n", e.what());
    }
    if (folder)
        std::fprintf(stderr, "evolve: %s is as it was; what this run did is in %s\n",
                     folder->out().c_str(), folder->partial().c_str());
    return status;
}

}  // namespace
}  // namespace evolve

int main(int argc, char** argv) { return evolve::run(argc, argv); }
