#include "report_redirect.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "genetic/strategies.h"
#include "output_files.h"

namespace evolve {

double fullReportBytes(const Options& o) {
    using evoplug::genetic::CrossbreedKind;
    const CrossbreedKind kind = evoplug::genetic::kCrossbreeds[o.crossbreed].kind;
    // Elite exchanges genes, then enriches: two passes.
    const int passes = kind == CrossbreedKind::Elite ? 2 : evoplug::genetic::mates(kind) ? 1 : 0;
    double digits = 0;
    for (int i = 0; i < o.individuals; ++i) digits += std::to_string(i).size();
    // "fitness\t\tindex\n" per individual, then "Jetzt ist der Vektor sortiert\n";
    // the rest of a generation's report is about 190 bytes.
    const double listing = 30 + o.individuals * 10.9 + digits;
    return 200 + o.generations * (190 + double(o.crossover) * passes * listing);
}

ReportRedirect::ReportRedirect(ReportMode mode, const std::string& reportPath)
    : mode_(mode), path_(reportPath) {
    if (mode == ReportMode::Terminal) return;
    if (mode == ReportMode::Full) temporary_ = temporaryName(reportPath);
    const std::string sink = mode == ReportMode::Full ? temporary_ : "/dev/null";
    int report = ::open(sink.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (report < 0) throw WriteError("cannot write " + path_ + ": " + std::strerror(errno));
    std::cout.flush();
    std::fflush(stdout);
    savedFd_ = ::dup(STDOUT_FILENO);
    if (savedFd_ >= 0) terminal_ = ::fdopen(savedFd_, "w");
    if (savedFd_ < 0 || terminal_ == nullptr || ::dup2(report, STDOUT_FILENO) < 0) {
        int error = errno;
        ::close(report);
        if (terminal_ != nullptr && terminal_ != stdout)
            std::fclose(terminal_);
        else if (savedFd_ >= 0)
            ::close(savedFd_);
        savedFd_ = -1;
        terminal_ = stdout;
        if (!temporary_.empty()) ::unlink(temporary_.c_str());
        throw WriteError("cannot redirect the report: " + std::string(std::strerror(error)));
    }
    ::close(report);
}

ReportRedirect::~ReportRedirect() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    if (savedFd_ < 0) return;
    std::cout.flush();
    std::fflush(stdout);
    std::fflush(terminal_);
    ::dup2(savedFd_, STDOUT_FILENO);
    std::fclose(terminal_);  // closes savedFd_
}

void ReportRedirect::note(const std::string& line) {
    if (mode_ == ReportMode::Summary) summary_ += line + "\n";
    if (mode_ == ReportMode::Summary || mode_ == ReportMode::None) return;
    std::cout.flush();
    std::fprintf(stdout, "%s\n", line.c_str());
    std::fflush(stdout);
}

void ReportRedirect::generation(int generation, const Stats& s) {
    if (mode_ != ReportMode::Summary) return;
    char line[160];
    std::snprintf(line, sizeof line,
                  "generation %d: average %.6f minimal %.6f maximal %.6f stddev %.6f best "
                  "%d,%d,%d\n",
                  generation, s.average, s.minimal, s.maximal, s.stddev, s.best.r, s.best.g,
                  s.best.b);
    summary_ += line;
}

void ReportRedirect::commit() {
    if (mode_ == ReportMode::Summary) return writeFile(path_, summary_);
    if (mode_ != ReportMode::Full) {
        ::unlink(path_.c_str());
        return;
    }
    errno = 0;
    std::cout.flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || std::cout.bad())
        throw WriteError("cannot write " + path_ + ": " + std::strerror(errno ? errno : EIO));
    replaceFile(temporary_, path_);
    temporary_.clear();
}

}  // namespace evolve
