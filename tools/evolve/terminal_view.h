// Progress of a run on the terminal: a bar with the script's statistics and,
// live, the population as a strip of cells in gene colours, redrawn in place.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "simulation.h"

namespace evolve {

// The width of `out` when it is a terminal that takes 24-bit colour and
// cursor movement, else 0.
int colourTerminalColumns(FILE* out);

class TerminalView {
  public:
    // Live when `columns` hold the widest line with a bar, so that no line
    // wraps and the redraw finds its start; otherwise plain lines, a few per
    // run (`columns` 0: not a terminal).
    TerminalView(FILE* out, int generations, int columns);

    void update(int generation, const Stats& stats, const std::vector<Rgb>& population);
    void finish();

  private:
    std::string line(int generation, const Stats& stats) const;

    FILE* out_;
    int generations_;
    int barWidth_ = 0;
    size_t cellsPerLine_ = 0;  // 0: plain lines
    int linesDrawn_ = 0;
    std::chrono::steady_clock::duration frame_;
    std::chrono::steady_clock::time_point nextFrame_;
    bool paced_;  // frames wait to be watched, on a terminal only
};

}  // namespace evolve
