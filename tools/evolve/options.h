// Command-line settings of `evolve` and their parser.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "evoplug.h"

namespace evolve {

// The panel's option lists, in the order its step buttons walk them.
const std::vector<std::string>& selectionNames();
const std::vector<std::string>& crossbreedNames();
// How often a crossbreed mates per generation; 0 for those that never do.
int matingPasses(int crossbreed);
// What --report accepts, in the order of ReportMode.
const std::vector<std::string>& reportModeNames();

// Where the plug-in's own report goes: report.txt as the library writes it,
// report.txt with one line per generation of ours, nowhere, or the terminal.
enum class ReportMode { Full, Summary, None, Terminal };

// Genes take 0..kHighestGene: a target component above it could never be met.
constexpr int kHighestGene = EVOPLUG_HIGHEST_GENE;

// Filled by parseOptions(), defaults included.
struct Options {
    int individuals = 0;
    int mutation = 0;    // per mille
    int crossover = 0;   // pairs
    int selection = 0;   // index into selectionNames()
    int crossbreed = 0;  // index into crossbreedNames()
    int generations = 0;
    std::array<int, 3> target{};
    std::optional<int64_t> clock;  // first second of the virtual clock
    int seeds = 0;                 // --compare: runs per pair, each on its own clock
    std::string out;
    std::string plugin;
    ReportMode report{};
    bool compare = false;
    bool help = false;
    std::set<std::string> given;  // the options named on the command line, without "--"
};

// Bad command line; the message is meant for the user as it stands.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws UsageError. `defaultPlugin` fills `plugin` when --plugin is absent.
Options parseOptions(const std::vector<std::string>& args, const std::string& defaultPlugin);

// A shell command that runs these settings again, clock included.
std::string commandLine(const std::string& program, const Options& options);

std::string usage(const std::string& program);

}  // namespace evolve
