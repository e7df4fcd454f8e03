// Command-line settings of `evolve` and their parser.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace evolve {

// The panel's option lists, in the order its step buttons walk them.
const std::vector<std::string>& selectionNames();
const std::vector<std::string>& crossbreedNames();

struct Options {
    int individuals = 50;
    int mutation = 100;  // per mille
    int crossover = 5;   // pairs
    int selection = 1;   // index into selectionNames()
    int crossbreed = 1;  // index into crossbreedNames()
    int generations = 100;
    std::array<int, 3> target = {255, 255, 177};
    std::optional<int64_t> clock;  // first second of the virtual clock
    std::string out = "evolve-out";
    std::string plugin;
    bool reportToTerminal = false;
    bool compare = false;
    bool help = false;
};

// Bad command line; the message is meant for the user as it stands.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Throws UsageError. `defaultPlugin` fills `plugin` when --plugin is absent.
Options parseOptions(const std::vector<std::string>& args, const std::string& defaultPlugin);

std::string usage(const std::string& program);

}  // namespace evolve
