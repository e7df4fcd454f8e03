#include "html_writer.h"

#include "output_files.h"

namespace evolve {
namespace {

std::string row(const std::string& name, const std::string& value) {
    return "<tr><th>" + xmlEscape(name) + "</th><td>" + xmlEscape(value) + "</td></tr>\n";
}

std::string rgb(int r, int g, int b) {
    return std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b);
}

}  // namespace

std::string indexHtml(const Options& options, const RunResult& run, const std::string& command,
                      bool clockGiven) {
    const auto& t = options.target;
    const int done = static_cast<int>(run.history.size());
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>evolve: " +
        xmlEscape(selectionNames()[options.selection] + " / " +
                  crossbreedNames()[options.crossbreed]) +
        "</title>\n<style>\nbody { font-family: sans-serif; margin: 2em; }\n"
        "th { text-align: left; padding-right: 1em; }\nimg { max-width: 100%; display: block; "
        "margin: 1em 0; }\n.interrupted { color: #b00; }\n</style>\n</head>\n<body>\n"
        "<h1>Evolution run</h1>\n";
    if (done < options.generations)
        html += "<p class=\"interrupted\">Interrupted after generation " + std::to_string(done) +
                " of " + std::to_string(options.generations) +
                ": everything here covers the generations done.</p>\n";
    html += "<table>\n";
    html += row("individuals", std::to_string(options.individuals));
    html += row("mutation (per mille)", std::to_string(options.mutation));
    html += row("crossover (pairs)", std::to_string(options.crossover));
    html += row("selection", selectionNames()[options.selection]);
    html += row("crossbreed", crossbreedNames()[options.crossbreed]);
    html += row("generations", std::to_string(done));
    html += row("generations that mutated", std::to_string(run.mutations));
    html += row("target colour", rgb(t[0], t[1], t[2]));
    html += row("clock start (seconds)", std::to_string(options.clock.value_or(0)) +
                                             (clockGiven ? "" : " (the time of the run)"));
    html += row("plug-in", options.plugin);
    const Rgb& best = run.last.best;
    html += "</table>\n<p>Best individual after generation " + std::to_string(done) +
            ": genes <span style=\"background: rgb(" + rgb(best.r, best.g, best.b) +
            ")\">&#160;&#160;&#160;&#160;</span> " + rgb(best.r, best.g, best.b) + ", fitness " +
            figure(run.last.maximal) + " as the level's script rates it.</p>\n";
    html += "<p>The same run again:</p>\n<pre>" + xmlEscape(command) + "</pre>\n";
    html +=
        "<h2>Fitness</h2>\n<img src=\"fitness.svg\" alt=\"fitness over the "
        "generations\">\n<h2>Level</h2>\n<img src=\"level.svg\" alt=\"the level from above, "
        "before the first generation and after the last\">\n<p>After the last generation the "
        "entities show what a level calling <code>UpdateEntities()</code> after "
        "<code>evolution</code> shows; without it they keep their first colours.</p>\n<p>Data: <a "
        "href=\"fitness.csv\">fitness.csv</a>";
    if (options.report == ReportMode::Full)
        html += ", the plug-in's report: <a href=\"report.txt\">report.txt</a>";
    if (options.report == ReportMode::Summary)
        html += ", a line per generation: <a href=\"report.txt\">report.txt</a>";
    html += "</p>\n</body>\n</html>\n";
    return html;
}

}  // namespace evolve
