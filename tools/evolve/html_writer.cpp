#include "html_writer.h"

#include "output_files.h"

namespace evolve {
namespace {

std::string row(const std::string& name, const std::string& value) {
    return "<tr><th>" + xmlEscape(name) + "</th><td>" + xmlEscape(value) + "</td></tr>\n";
}

}  // namespace

std::string indexHtml(const Options& options, bool clockGiven, bool reportInFile) {
    const auto& t = options.target;
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>evolve: " +
        xmlEscape(selectionNames()[options.selection] + " / " +
                  crossbreedNames()[options.crossbreed]) +
        "</title>\n<style>\nbody { font-family: sans-serif; margin: 2em; }\n"
        "th { text-align: left; padding-right: 1em; }\nimg { max-width: 100%; display: block; "
        "margin: 1em 0; }\n</style>\n</head>\n<body>\n<h1>Evolution run</h1>\n<table>\n";
    html += row("individuals", std::to_string(options.individuals));
    html += row("mutation (per mille)", std::to_string(options.mutation));
    html += row("crossover (pairs)", std::to_string(options.crossover));
    html += row("selection", selectionNames()[options.selection]);
    html += row("crossbreed", crossbreedNames()[options.crossbreed]);
    html += row("generations", std::to_string(options.generations));
    html += row("target colour",
                std::to_string(t[0]) + "," + std::to_string(t[1]) + "," + std::to_string(t[2]));
    html += row("clock start (seconds)", std::to_string(options.clock.value_or(0)) +
                                             (clockGiven ? "" : " (the time of the run)"));
    html += row("plug-in", options.plugin);
    html +=
        "</table>\n<h2>Fitness</h2>\n<img src=\"fitness.svg\" alt=\"fitness over the "
        "generations\">\n<h2>Level</h2>\n<img src=\"level.svg\" alt=\"the level from above, "
        "first and last generation\">\n<p>Data: <a href=\"fitness.csv\">fitness.csv</a>";
    if (reportInFile) html += ", the plug-in's report: <a href=\"report.txt\">report.txt</a>";
    html += "</p>\n</body>\n</html>\n";
    return html;
}

}  // namespace evolve
