// Progress of a run on the terminal: a bar with the script's statistics and,
// on a colour terminal, the population as a strip of cells in gene colours.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "simulation.h"

namespace evolve {

// True for a terminal that takes 24-bit colour and cursor movement.
bool isColourTerminal(FILE* out);

class TerminalView {
  public:
    // `live` redraws in place with colours; otherwise plain lines, a few per run.
    TerminalView(FILE* out, int generations, bool live);

    void update(int generation, const Stats& stats, const std::vector<Rgb>& population);
    void finish();

  private:
    std::string bar(int generation, const Stats& stats) const;

    FILE* out_;
    int generations_;
    bool live_;
    int linesDrawn_ = 0;
    std::chrono::steady_clock::duration frame_;
    std::chrono::steady_clock::time_point nextFrame_;
};

}  // namespace evolve
