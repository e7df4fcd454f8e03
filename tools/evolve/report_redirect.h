// The plug-in's console report, kept apart from our own terminal output.
//
// The plug-in writes through the process's own std::cout, so only a swap of
// descriptor 1 separates its report from ours. Our own output goes through
// `terminal()`, which stays on the original descriptor 1.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <string>

#include "options.h"
#include "output_files.h"
#include "simulation.h"

namespace evolve {

// About the size of the library's own report of a run: every mating pass
// lists the whole population, a line per individual.
double fullReportBytes(const Options& options);

class ReportRedirect {
  public:
    // Full: the library's report goes into report.txt in `folder`; summary:
    // report.txt gets a line per generation of ours; none: no report.txt;
    // terminal: the library's report is shown. The library's report is read
    // in every mode, for what it says of mutations. Throws WriteError.
    ReportRedirect(ReportMode mode, const std::string& folder);
    // Descriptor 1 back.
    ~ReportRedirect();
    ReportRedirect(const ReportRedirect&) = delete;
    ReportRedirect& operator=(const ReportRedirect&) = delete;

    FILE* terminal() const { return terminal_; }
    // A line of our own: between parts of the library's report, or in a summary.
    void note(const std::string& line);
    // Passes on what the library wrote for the generation just run, adds the
    // summary's line and tells whether the generation mutated. Throws WriteError.
    bool generation(int generation, const Stats& stats);

  private:
    std::string takeLibraryText();

    ReportMode mode_;
    std::string path_;
    int library_ = -1;  // where descriptor 1 points
    off_t taken_ = 0;   // how much of it has been read
    std::unique_ptr<GrowingFile> summary_;
    int savedFd_ = -1;
    FILE* terminal_ = stdout;
};

}  // namespace evolve
