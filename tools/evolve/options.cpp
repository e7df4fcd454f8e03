#include "options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <sstream>

namespace evolve {
namespace {

constexpr int kMaxIndividuals = EVOPLUG_MAX_INDIVIDUALS;
constexpr int kMaxGenerations = 1000000;
constexpr int kMaxSeeds = 1000;
// Where usage() starts an option's help, and its right margin.
constexpr size_t kHelpColumn = 21, kHelpWidth = 79;

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "\"" : ", \"") + name + "\"";
    return text;
}

// `text` from `column` on, its words wrapped to kHelpWidth.
std::string wrapped(const std::string& text, size_t column) {
    std::istringstream words(text);
    std::string result, word;
    bool lineStarted = false;
    for (size_t at = column; words >> word; at += word.size(), lineStarted = true) {
        if (lineStarted && at + 1 + word.size() > kHelpWidth) {
            result += "\n" + std::string(kHelpColumn, ' ');
            at = kHelpColumn;
        } else if (lineStarted) {
            result += ' ';
            ++at;
        }
        result += word;
    }
    return result + "\n";
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

std::string range(int64_t low, int64_t high, const std::string& why) {
    return " (range " + std::to_string(low) + ".." + std::to_string(high) +
           (why.empty() ? "" : ": " + why) + ")";
}

// Whole text must be a decimal integer within [low, high]; `why` explains the range.
int64_t integer(const std::string& option, const std::string& text, int64_t low, int64_t high,
                const std::string& why = "") {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error == std::errc::invalid_argument || ptr != end)
        throw UsageError(option + " expects a whole number" + range(low, high, why) + ", got \"" +
                         text + "\"");
    if (error == std::errc::result_out_of_range || value < low || value > high)
        throw UsageError(option + " " + text + " is out of range" + range(low, high, why));
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
        rgb[k] =
            static_cast<int>(integer("--target", trimmed(parts[k]), 0, kHighestGene,
                                     "genes take 0.." + std::to_string(kHighestGene) + ", so " +
                                         std::to_string(kHighestGene + 1) + " could never be met"));
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

std::string number(int64_t value) { return std::to_string(value); }

using Reader = std::function<void(Options& o, const std::string& option, const std::string& text)>;
using Repeater = std::function<std::string(const Options& o)>;

// One command-line option: its value, its default, its help and how
// commandLine() repeats it.
struct OptionRow {
    std::string name;       // without "--"
    std::string value;      // what the help calls its value; empty: a switch
    std::string byDefault;  // read as if given when the option is absent; empty: none
    std::string help;       // usage() adds the default
    Reader read;
    Repeater repeat;  // empty, or one that gives "": not repeated
};

Reader whole(int Options::*field, int low, int high, const std::string& why = "") {
    return [=](Options& o, const std::string& option, const std::string& text) {
        o.*field = static_cast<int>(integer(option, text, low, high, why));
    };
}

Repeater shown(int Options::*field) {
    return [=](const Options& o) { return number(o.*field); };
}

const std::vector<OptionRow>& optionRows() {
    using O = Options;
    using S = const std::string&;
    static const std::vector<OptionRow> rows = {
        {"individuals", "N", "50", "population size, 1.." + number(kMaxIndividuals),
         whole(&O::individuals, 1, kMaxIndividuals), shown(&O::individuals)},
        {"mutation", "N", "100", "chance of a mutation per generation, per mille, 0..1000",
         whole(&O::mutation, 0, 1000), shown(&O::mutation)},
        // Checked against --individuals once both are read.
        {"crossover", "N", "5", "matings per generation, 0..individuals/2",
         whole(&O::crossover, 0, kMaxIndividuals / 2, "at most half of --individuals"),
         shown(&O::crossover)},
        {"selection", "NAME", "Tournament", "the selection strategy: " + joined(selectionNames()),
         [](O& o, S option, S text) { o.selection = choice(option, text, selectionNames()); },
         [](const O& o) { return selectionNames()[o.selection]; }},
        {"crossbreed", "NAME", "elite",
         "the crossbreed strategy; only \"elite\" and \"enrichment\" mate, the others run "
         "nothing: " +
             joined(crossbreedNames()),
         [](O& o, S option, S text) { o.crossbreed = choice(option, text, crossbreedNames()); },
         [](const O& o) { return crossbreedNames()[o.crossbreed]; }},
        {"generations", "N", "100", "1.." + number(kMaxGenerations),
         whole(&O::generations, 1, kMaxGenerations), shown(&O::generations)},
        {"target", "R,G,B", number(kHighestGene) + "," + number(kHighestGene) + ",177",
         "colour the level's fitness rewards, 0.." + number(kHighestGene) +
             " each: genes never take " + number(kHighestGene + 1),
         [](O& o, S, S text) { o.target = colour(text); },
         [](const O& o) {
             return number(o.target[0]) + "," + number(o.target[1]) + "," + number(o.target[2]);
         }},
        {"clock", "SECONDS", "",
         "start the plug-in's clock at this second for a reproducible run (default: now); it "
         "advances one second per generation either way",
         [](O& o, S option, S text) { o.clock = integer(option, text, 0, INT64_C(1) << 40); },
         [](const O& o) { return number(o.clock.value_or(0)); }},
        {"out", "DIR", "evolve-out",
         "output folder; a run is built in DIR.partial and replaces DIR when it is done",
         [](O& o, S, S text) {
             if (text.empty()) throw UsageError("--out needs a folder name");
             o.out = text;
         },
         nullptr},
        {"plugin", "PATH", "", "plug-in library to load (default: the one built with this program)",
         [](O& o, S, S text) { o.plugin = text; },
         [](const O& o) { return o.given.count("plugin") ? o.plugin : ""; }},
        {"report", "KIND", "full",
         "report.txt holds the library's own report (full), one line per generation (summary, "
         "the default with --compare), or is not written (none); terminal shows the library's "
         "report here",
         [](O& o, S option, S text) {
             o.report = static_cast<ReportMode>(choice(option, text, reportModeNames()));
         },
         nullptr},
        {"compare", "", "",
         "run every selection x crossbreed pair with these settings, or only those of a given "
         "--selection or --crossbreed; writes compare.txt, .csv and .svg",
         [](O& o, S, S) { o.compare = true; }, nullptr},
        {"seeds", "N", "1",
         "with --compare: N runs per pair on different clocks, ranked by their mean, 1.." +
             number(kMaxSeeds),
         whole(&O::seeds, 1, kMaxSeeds), nullptr},
        {"help", "", "", "this text", [](O& o, S, S) { o.help = true; }, nullptr},
    };
    return rows;
}

}  // namespace

const std::vector<std::string>& selectionNames() {
#define EVOLVE_SELECTION_NAME(number, id, name) name,
    static const std::vector<std::string> names = {EVOPLUG_SELECTIONS(EVOLVE_SELECTION_NAME)};
#undef EVOLVE_SELECTION_NAME
    return names;
}

const std::vector<std::string>& crossbreedNames() {
#define EVOLVE_CROSSBREED_NAME(number, id, name, passes) name,
    static const std::vector<std::string> names = {EVOPLUG_CROSSBREEDS(EVOLVE_CROSSBREED_NAME)};
#undef EVOLVE_CROSSBREED_NAME
    return names;
}

int matingPasses(int crossbreed) {
#define EVOLVE_CROSSBREED_PASSES(number, id, name, passes) passes,
    static const int passes[] = {EVOPLUG_CROSSBREEDS(EVOLVE_CROSSBREED_PASSES)};
#undef EVOLVE_CROSSBREED_PASSES
    return passes[crossbreed];
}

const std::vector<std::string>& reportModeNames() {
    static const std::vector<std::string> names = {"full", "summary", "none", "terminal"};
    return names;
}

Options parseOptions(const std::vector<std::string>& args, const std::string& defaultPlugin) {
    Options o;
    o.plugin = defaultPlugin;
    for (const OptionRow& row : optionRows())
        if (!row.byDefault.empty()) row.read(o, "--" + row.name, row.byDefault);
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i] == "-h" ? "--help" : args[i];
        std::optional<std::string> attached;  // --name=value
        if (size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos)
            attached = arg.substr(equals + 1), arg.resize(equals);
        auto row = std::find_if(optionRows().begin(), optionRows().end(),
                                [&](const OptionRow& r) { return "--" + r.name == arg; });
        if (row == optionRows().end()) {
            std::vector<std::string> names;
            for (const OptionRow& r : optionRows()) names.push_back("--" + r.name);
            throw UsageError("unknown option \"" + arg + "\"" + suggestion(arg, names) +
                             "; see --help");
        }
        if (row->value.empty() && attached) throw UsageError(arg + " takes no value");
        if (!row->value.empty() && !attached && i + 1 >= args.size())
            throw UsageError(arg + " needs a value");
        o.given.insert(row->name);
        row->read(o, arg, row->value.empty() ? "" : attached ? *attached : args[++i]);
    }
    const int most = o.individuals / 2;
    if (!o.given.count("crossover"))
        o.crossover = std::min(o.crossover, most);
    else if (o.crossover > most)
        throw UsageError("--crossover " + number(o.crossover) + " is out of range" +
                         range(0, most, "at most half of --individuals " + number(o.individuals)));
    if (o.compare && !o.given.count("report")) o.report = ReportMode::Summary;
    if (o.given.count("seeds") && !o.compare) throw UsageError("--seeds needs --compare");
    return o;
}

std::string commandLine(const std::string& program, const Options& o) {
    std::string text = quoted(program);
    for (const OptionRow& row : optionRows()) {
        const std::string value = row.repeat ? row.repeat(o) : "";
        if (!value.empty()) text += " --" + row.name + " " + quoted(value);
    }
    return text;
}

std::string usage(const std::string& program) {
    std::string text =
        "usage: " + program + " [options]\n" +
        "Evolves a population in the stand-in engine through the plug-in and writes\n"
        "fitness.csv, fitness.svg, level.svg, index.html and report.txt into the\n"
        "output folder. Options take their value as --name VALUE or --name=VALUE;\n"
        "names of strategies and report kinds may be written in any case.\n\n";
    for (const OptionRow& row : optionRows()) {
        std::string left = "  --" + row.name + (row.value.empty() ? "" : " " + row.value) + " ";
        if (left.size() < kHelpColumn) left.resize(kHelpColumn, ' ');
        text +=
            left +
            wrapped(row.help + (row.byDefault.empty() ? "" : " (default " + row.byDefault + ")"),
                    left.size());
    }
    return text +
           "\nCtrl-C (or SIGTERM) stops after the current generation, a second one at once.\n"
           "A run that stops early leaves DIR as it was and its own files in DIR.partial.\n"
           "Exit status: 0 done, 1 an unforeseen fault, 2 bad input, 3 plug-in could not be\n"
           "loaded, 4 output could not be written or DIR is in use by another run,\n"
           "130 interrupted (Ctrl-C), 143 stopped (SIGTERM).\n";
}

}  // namespace evolve
