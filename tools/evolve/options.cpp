#include "options.h"

#include <charconv>
#include <sstream>

namespace evolve {
namespace {

constexpr int kMaxIndividuals = 200;  // the plug-in's entity table
constexpr int kMaxGenerations = 1000000;

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "\"" : ", \"") + name + "\"";
    return text;
}

// Whole text must be a decimal integer within [low, high].
int64_t integer(const std::string& option, const std::string& text, int64_t low, int64_t high) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    std::string range = " (range " + std::to_string(low) + ".." + std::to_string(high) + ")";
    if (text.empty() || error == std::errc::invalid_argument || ptr != end)
        throw UsageError(option + " expects a whole number" + range + ", got \"" + text + "\"");
    if (error == std::errc::result_out_of_range || value < low || value > high)
        throw UsageError(option + " " + text + " is out of range" + range);
    return value;
}

int strategy(const std::string& option, const std::string& name,
             const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    throw UsageError("unknown " + option.substr(2) + " \"" + name +
                     "\"; valid names: " + joined(names));
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
        throw UsageError("--target expects R,G,B (each 0..255), got \"" + text + "\"");
    std::array<int, 3> rgb{};
    for (int k = 0; k < 3; ++k) rgb[k] = static_cast<int>(integer("--target", parts[k], 0, 255));
    return rgb;
}

}  // namespace

const std::vector<std::string>& selectionNames() {
    static const std::vector<std::string> names = {"MinMaxSubst", "Tournament",    "Neighbour",
                                                   "MinMaxCross", "RouletteWheel", "Excentric"};
    return names;
}

const std::vector<std::string>& crossbreedNames() {
    static const std::vector<std::string> names = {"love marriage", "elite", "enrichment", "plebs",
                                                   "hedonism"};
    return names;
}

Options parseOptions(const std::vector<std::string>& args, const std::string& defaultPlugin) {
    Options o;
    o.plugin = defaultPlugin;
    std::optional<std::string> crossover;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--individuals") {
            o.individuals = static_cast<int>(integer(arg, value(), 1, kMaxIndividuals));
        } else if (arg == "--mutation") {
            o.mutation = static_cast<int>(integer(arg, value(), 0, 1000));
        } else if (arg == "--crossover") {
            crossover = value();  // its range depends on --individuals
        } else if (arg == "--selection") {
            o.selection = strategy(arg, value(), selectionNames());
        } else if (arg == "--crossbreed") {
            o.crossbreed = strategy(arg, value(), crossbreedNames());
        } else if (arg == "--generations") {
            o.generations = static_cast<int>(integer(arg, value(), 1, kMaxGenerations));
        } else if (arg == "--target") {
            o.target = colour(value());
        } else if (arg == "--clock") {
            o.clock = integer(arg, value(), 0, INT64_C(1) << 40);
        } else if (arg == "--out") {
            o.out = value();
            if (o.out.empty()) throw UsageError("--out needs a folder name");
        } else if (arg == "--plugin") {
            o.plugin = value();
        } else if (arg == "--report-to-terminal") {
            o.reportToTerminal = true;
        } else if (arg == "--compare") {
            o.compare = true;
        } else {
            throw UsageError("unknown option \"" + arg + "\" (see --help)");
        }
    }
    if (crossover)
        o.crossover = static_cast<int>(integer("--crossover", *crossover, 0, o.individuals / 2));
    else if (o.crossover > o.individuals / 2)
        o.crossover = o.individuals / 2;
    return o;
}

std::string usage(const std::string& program) {
    std::ostringstream text;
    text << "usage: " << program << " [options]\n"
         << "Evolves a population in the stand-in engine through the plug-in and writes\n"
         << "fitness.csv, fitness.svg, level.svg and index.html into the output folder.\n\n"
         << "  --individuals N       population size, 1.." << kMaxIndividuals << " (default 50)\n"
         << "  --mutation N          chance of a mutation per generation, per mille, 0..1000\n"
         << "                        (default 100)\n"
         << "  --crossover N         matings per generation, 0..individuals/2 (default 5)\n"
         << "  --selection NAME      " << joined(selectionNames()) << "\n"
         << "                        (default \"Tournament\")\n"
         << "  --crossbreed NAME     " << joined(crossbreedNames()) << "\n"
         << "                        (default \"elite\")\n"
         << "  --generations N       1.." << kMaxGenerations << " (default 100)\n"
         << "  --target R,G,B        colour the level's fitness rewards, 0..255 each\n"
         << "                        (default 255,255,177)\n"
         << "  --clock SECONDS       start the plug-in's clock at this second for a\n"
         << "                        reproducible run (default: now); it advances one\n"
         << "                        second per generation either way\n"
         << "  --out DIR             output folder (default evolve-out)\n"
         << "  --plugin PATH         plug-in library to load (default: the one built\n"
         << "                        with this program)\n"
         << "  --report-to-terminal  show the plug-in's report here instead of report.txt\n"
         << "  --compare             run every selection x crossbreed pair with these\n"
         << "                        settings; writes compare.txt, .csv and .svg\n"
         << "  --help                this text\n";
    return text.str();
}

}  // namespace evolve
