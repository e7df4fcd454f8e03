// Sends the plug-in's console report to a file while keeping the terminal.
//
// The plug-in writes through the process's own std::cout, so only a swap of
// descriptor 1 separates its report from ours. Our own output goes through
// `terminal()`, which stays on the original descriptor 1.
#pragma once

#include <cstdio>
#include <string>

namespace evolve {

class ReportRedirect {
  public:
    // An empty path leaves the report on the terminal. Throws
    // std::runtime_error when the file cannot be opened.
    explicit ReportRedirect(const std::string& reportPath);
    ~ReportRedirect();
    ReportRedirect(const ReportRedirect&) = delete;
    ReportRedirect& operator=(const ReportRedirect&) = delete;

    FILE* terminal() const { return terminal_; }
    // A line of our own between parts of the report.
    void note(const std::string& line);

  private:
    int savedFd_ = -1;
    FILE* terminal_ = stdout;
};

}  // namespace evolve
