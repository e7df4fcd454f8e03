#include "options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "genetic/population.h"
#include "genetic/strategies.h"

namespace evolve {
namespace {

using evoplug::genetic::kMaxIndividuals;
constexpr int kMaxGenerations = 1000000;
constexpr int kMaxSeeds = 1000;
// The plug-in draws genes from 0..254.
constexpr int kHighestGene = 254;

const std::vector<std::string> kOptionNames = {
    "--individuals", "--mutation", "--crossover", "--selection", "--crossbreed",
    "--generations", "--target",   "--clock",     "--seeds",     "--out",
    "--plugin",      "--report",   "--compare",   "--help"};

template <typename Table>
std::vector<std::string> namesOf(const Table& table) {
    std::vector<std::string> names;
    for (const auto& strategy : table) names.emplace_back(strategy.name);
    return names;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "\"" : ", \"") + name + "\"";
    return text;
}

// The names as a list under an option's text, wrapped to fit 80 columns.
std::string wrapped(const std::vector<std::string>& names) {
    const std::string indent(21, ' ');
    std::string text = indent, line;
    for (size_t i = 0; i < names.size(); ++i) {
        std::string item = "\"" + names[i] + "\"" + (i + 1 < names.size() ? "," : "");
        if (!line.empty() && indent.size() + line.size() + 1 + item.size() > 79)
            text += line + "\n" + indent, line.clear();
        line += (line.empty() ? "" : " ") + item;
    }
    return text + line + "\n";
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Edits (insert, delete, replace a character) that turn a into b.
size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The nearest name when `text` looks like a slip of the keyboard.
std::string suggestion(const std::string& text, const std::vector<std::string>& names) {
    std::string best;
    size_t bestDistance = SIZE_MAX;
    for (const auto& name : names) {
        size_t d = editDistance(lower(text), lower(name));
        if (d <= 1 + name.size() / 4 && d < bestDistance) best = name, bestDistance = d;
    }
    return best.empty() ? "" : " (did you mean \"" + best + "\"?)";
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// Whole text must be a decimal integer within [low, high]; `why` explains the range.
int64_t integer(const std::string& option, const std::string& text, int64_t low, int64_t high,
                const std::string& why = "") {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    std::string range = " (range " + std::to_string(low) + ".." + std::to_string(high) +
                        (why.empty() ? "" : ": " + why) + ")";
    if (text.empty() || error == std::errc::invalid_argument || ptr != end)
        throw UsageError(option + " expects a whole number" + range + ", got \"" + text + "\"");
    if (error == std::errc::result_out_of_range || value < low || value > high)
        throw UsageError(option + " " + text + " is out of range" + range);
    return value;
}

// Index of `name` in `names`, whatever its case.
int choice(const std::string& option, const std::string& name,
           const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i)
        if (lower(names[i]) == lower(name)) return static_cast<int>(i);
    throw UsageError("unknown " + option.substr(2) + " \"" + name + "\"" + suggestion(name, names) +
                     "; valid names: " + joined(names));
}

std::array<int, 3> colour(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 3)
        throw UsageError("--target expects R,G,B (each 0.." + std::to_string(kHighestGene) +
                         "), got \"" + text + "\"");
    std::array<int, 3> rgb{};
    for (int k = 0; k < 3; ++k)
        rgb[k] = static_cast<int>(integer("--target", trimmed(parts[k]), 0, kHighestGene,
                                          "genes take 0..254, so 255 could never be met"));
    return rgb;
}

// A word the shell passes on unchanged.
std::string quoted(const std::string& word) {
    const char* plain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_./,:=+-";
    if (!word.empty() && word.find_first_not_of(plain) == std::string::npos) return word;
    std::string text = "'";
    for (char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

}  // namespace

const std::vector<std::string>& selectionNames() {
    static const std::vector<std::string> names = namesOf(evoplug::genetic::kSelections);
    return names;
}

const std::vector<std::string>& crossbreedNames() {
    static const std::vector<std::string> names = namesOf(evoplug::genetic::kCrossbreeds);
    return names;
}

const std::vector<std::string>& reportModeNames() {
    static const std::vector<std::string> names = {"full", "summary", "none", "terminal"};
    return names;
}

Options parseOptions(const std::vector<std::string>& args, const std::string& defaultPlugin) {
    Options o;
    o.plugin = defaultPlugin;
    std::optional<std::string> crossover;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        std::optional<std::string> attached;  // --name=value
        if (size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos)
            attached = arg.substr(equals + 1), arg.resize(equals);
        auto value = [&]() -> std::string {
            if (attached) return *attached;
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if ((arg == "--help" || arg == "-h" || arg == "--compare") && attached)
            throw UsageError(arg + " takes no value");
        if (arg.rfind("--", 0) == 0) o.given.insert(arg.substr(2));
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--individuals") {
            o.individuals = static_cast<int>(integer(arg, value(), 1, kMaxIndividuals));
        } else if (arg == "--mutation") {
            o.mutation = static_cast<int>(integer(arg, value(), 0, 1000));
        } else if (arg == "--crossover") {
            crossover = value();  // its range depends on --individuals
        } else if (arg == "--selection") {
            o.selection = choice(arg, value(), selectionNames());
        } else if (arg == "--crossbreed") {
            o.crossbreed = choice(arg, value(), crossbreedNames());
        } else if (arg == "--generations") {
            o.generations = static_cast<int>(integer(arg, value(), 1, kMaxGenerations));
        } else if (arg == "--target") {
            o.target = colour(value());
        } else if (arg == "--clock") {
            o.clock = integer(arg, value(), 0, INT64_C(1) << 40);
        } else if (arg == "--seeds") {
            o.seeds = static_cast<int>(integer(arg, value(), 1, kMaxSeeds));
        } else if (arg == "--out") {
            o.out = value();
            if (o.out.empty()) throw UsageError("--out needs a folder name");
        } else if (arg == "--plugin") {
            o.plugin = value();
        } else if (arg == "--report") {
            o.report = static_cast<ReportMode>(choice(arg, value(), reportModeNames()));
        } else if (arg == "--compare") {
            o.compare = true;
        } else {
            throw UsageError("unknown option \"" + arg + "\"" + suggestion(arg, kOptionNames) +
                             "; see --help");
        }
    }
    const int most = o.individuals / 2;
    if (crossover)
        o.crossover = static_cast<int>(
            integer("--crossover", *crossover, 0, most,
                    "at most half of --individuals " + std::to_string(o.individuals)));
    else
        o.crossover = std::min(o.crossover, most);
    if (o.given.count("seeds") && !o.compare) throw UsageError("--seeds needs --compare");
    return o;
}

std::string commandLine(const std::string& program, const Options& o) {
    const auto& t = o.target;
    std::string text = quoted(program);
    auto add = [&](const std::string& name, const std::string& value) {
        text += " --" + name + " " + quoted(value);
    };
    add("clock", std::to_string(o.clock.value_or(0)));
    add("individuals", std::to_string(o.individuals));
    add("mutation", std::to_string(o.mutation));
    add("crossover", std::to_string(o.crossover));
    add("selection", selectionNames()[o.selection]);
    add("crossbreed", crossbreedNames()[o.crossbreed]);
    add("generations", std::to_string(o.generations));
    add("target", std::to_string(t[0]) + "," + std::to_string(t[1]) + "," + std::to_string(t[2]));
    if (o.given.count("plugin")) add("plugin", o.plugin);
    return text;
}

std::string usage(const std::string& program) {
    std::ostringstream text;
    text << "usage: " << program << " [options]\n"
         << "Evolves a population in the stand-in engine through the plug-in and writes\n"
         << "fitness.csv, fitness.svg, level.svg, index.html and report.txt into the\n"
         << "output folder. Options take their value as --name VALUE or --name=VALUE;\n"
         << "names of strategies and report kinds may be written in any case.\n\n"
         << "  --individuals N    population size, 1.." << kMaxIndividuals << " (default 50)\n"
         << "  --mutation N       chance of a mutation per generation, per mille, 0..1000\n"
         << "                     (default 100)\n"
         << "  --crossover N      matings per generation, 0..individuals/2 (default 5)\n"
         << "  --selection NAME   the selection strategy (default \"Tournament\"):\n"
         << wrapped(selectionNames())
         << "  --crossbreed NAME  the crossbreed strategy (default \"elite\"); only \"elite\"\n"
         << "                     and \"enrichment\" mate, the others run nothing:\n"
         << wrapped(crossbreedNames()) << "  --generations N    1.." << kMaxGenerations
         << " (default 100)\n"
         << "  --target R,G,B     colour the level's fitness rewards, 0.." << kHighestGene
         << " each: genes\n"
         << "                     never take 255 (default 254,254,177)\n"
         << "  --clock SECONDS    start the plug-in's clock at this second for a\n"
         << "                     reproducible run (default: now); it advances one\n"
         << "                     second per generation either way\n"
         << "  --out DIR          output folder (default evolve-out)\n"
         << "  --plugin PATH      plug-in library to load (default: the one built\n"
         << "                     with this program)\n"
         << "  --report KIND      report.txt holds the library's own report (full, the\n"
         << "                     default), one line per generation (summary), or is not\n"
         << "                     written (none); terminal shows the library's report here\n"
         << "  --compare          run every selection x crossbreed pair with these\n"
         << "                     settings, or only those of a given --selection or\n"
         << "                     --crossbreed; writes compare.txt, .csv and .svg\n"
         << "  --seeds N          with --compare: N runs per pair on different clocks,\n"
         << "                     ranked by their mean, 1.." << kMaxSeeds << " (default 1)\n"
         << "  --help             this text\n\n"
         << "Ctrl-C stops after the current generation and writes what is done.\n"
         << "Exit status: 0 done, 1 an unforeseen fault, 2 bad input, 3 plug-in could not be\n"
         << "loaded, 4 output could not be written, 130 interrupted (Ctrl-C), 143 stopped\n"
         << "(SIGTERM).\n";
    return text.str();
}

}  // namespace evolve
