// The plug-in's console report, kept apart from our own terminal output.
//
// The plug-in writes through the process's own std::cout, so only a swap of
// descriptor 1 separates its report from ours. Our own output goes through
// `terminal()`, which stays on the original descriptor 1.
#pragma once

#include <cstdio>
#include <string>

#include "options.h"
#include "simulation.h"

namespace evolve {

// About the size of the library's own report of a run: every mating pass
// lists the whole population, a line per individual.
double fullReportBytes(const Options& options);

class ReportRedirect {
  public:
    // Full: the plug-in's report goes into `reportPath`, under a temporary
    // name until commit(). Summary and none: it is dropped. Terminal: it
    // stays on the terminal. Throws WriteError.
    ReportRedirect(ReportMode mode, const std::string& reportPath);
    // Descriptor 1 back; an uncommitted report is removed.
    ~ReportRedirect();
    ReportRedirect(const ReportRedirect&) = delete;
    ReportRedirect& operator=(const ReportRedirect&) = delete;

    FILE* terminal() const { return terminal_; }
    // A line of our own: between parts of a full report, or in a summary.
    void note(const std::string& line);
    // The summary's line for a generation.
    void generation(int generation, const Stats& stats);
    // The report file appears as it stands; with none or terminal an earlier
    // run's report goes, so the folder holds one run. Throws WriteError.
    void commit();

  private:
    ReportMode mode_;
    std::string path_, temporary_, summary_;
    int savedFd_ = -1;
    FILE* terminal_ = stdout;
};

}  // namespace evolve
