// evolve: tries the plug-in's genetic algorithm with chosen settings and
// strategies in the stand-in engine, before it goes into a game.
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <exception>
#include <string>
#include <vector>

#include "charts.h"
#include "compare.h"
#include "csv_writer.h"
#include "html_writer.h"
#include "level_map.h"
#include "options.h"
#include "output_files.h"
#include "report_redirect.h"
#include "simulation.h"
#include "terminal_view.h"

namespace evolve {
namespace {

constexpr int kUsageStatus = 2;

std::string strategyTitle(const Options& o) {
    return selectionNames()[o.selection] + " / " + crossbreedNames()[o.crossbreed];
}

void evolveOnce(const Options& options, bool clockGiven, ReportRedirect& report) {
    FILE* terminal = report.terminal();
    // With the report on the same terminal, in-place redraws would tear it.
    bool live = !options.reportToTerminal && isColourTerminal(terminal);
    TerminalView view(terminal, options.generations, live);
    RunResult run = runEvolution(options, false, [&](const Simulation& simulation) {
        view.update(simulation.generation(), simulation.stats(), simulation.colours());
    });
    view.finish();

    writeFile(joinPath(options.out, "fitness.csv"), fitnessCsv(run.history));
    writeFile(
        joinPath(options.out, "fitness.svg"),
        fitnessSvg(run.history, "Fitness the level script received: " + strategyTitle(options)));
    writeFile(joinPath(options.out, "level.svg"),
              levelSvg(run.positions, run.firstColours, run.lastColours, options.generations,
                       options.target));
    writeFile(joinPath(options.out, "index.html"),
              indexHtml(options, clockGiven, !options.reportToTerminal));
    std::fprintf(terminal, "pictures: %s (fitness.svg, level.svg)\n",
                 joinPath(options.out, "index.html").c_str());
}

void compareAll(const Options& options, ReportRedirect& report) {
    FILE* terminal = report.terminal();
    // A counter rewritten in place only makes sense on a terminal.
    bool counter = !options.reportToTerminal && ::isatty(::fileno(terminal));
    std::vector<CompareRow> rows = runComparison(options, [&](int run, int runs) {
        Options pair = options;
        pair.selection = run / static_cast<int>(crossbreedNames().size());
        pair.crossbreed = run % static_cast<int>(crossbreedNames().size());
        report.note("=== " + strategyTitle(pair) + " ===");
        if (!counter) return;
        std::fprintf(terminal, "\rrun %d/%d: %-30s", run + 1, runs, strategyTitle(pair).c_str());
        std::fflush(terminal);
    });
    if (counter) std::fprintf(terminal, "\r%60s\r", "");
    std::vector<CompareRow> best = ranked(rows);
    std::string table = compareTable(best);
    writeFile(joinPath(options.out, "compare.txt"), table);
    writeFile(joinPath(options.out, "compare.csv"), compareCsv(rows));
    writeFile(joinPath(options.out, "compare.svg"),
              compareSvg(best, "Strategies after " + std::to_string(options.generations) +
                                   " generations"));
    std::fputs(table.c_str(), terminal);
    std::fprintf(terminal, "written: %s, compare.csv, compare.svg\n",
                 joinPath(options.out, "compare.txt").c_str());
}

int run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    try {
        options = parseOptions(args, EVOPLUG_DEFAULT_PLUGIN);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "evolve: %s\n", e.what());
        return kUsageStatus;
    }
    if (options.help) {
        std::fputs(usage("evolve").c_str(), stdout);
        return 0;
    }
    bool clockGiven = options.clock.has_value();
    if (!clockGiven) options.clock = static_cast<int64_t>(std::time(nullptr));

    try {
        prepareOutputFolder(options.out);
        ReportRedirect report(options.reportToTerminal ? "" : joinPath(options.out, "report.txt"));
        if (options.compare)
            compareAll(options, report);
        else
            evolveOnce(options, clockGiven, report);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "evolve: %s\n", e.what());
        return kUsageStatus;
    }
    return 0;
}

}  // namespace
}  // namespace evolve

int main(int argc, char** argv) { return evolve::run(argc, argv); }
