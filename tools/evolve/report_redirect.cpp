#include "report_redirect.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "output_files.h"

namespace evolve {

double fullReportBytes(const Options& o) {
    const int passes = matingPasses(o.crossbreed);
    double digits = 0;
    for (int i = 0; i < o.individuals; ++i) digits += std::to_string(i).size();
    // "fitness\t\tindex\n" per individual, then "Jetzt ist der Vektor sortiert\n";
    // the rest of a generation's report is about 190 bytes.
    const double listing = 30 + o.individuals * 10.9 + digits;
    return 200 + o.generations * (190 + double(o.crossover) * passes * listing);
}

ReportRedirect::ReportRedirect(ReportMode mode, const std::string& folder)
    : mode_(mode), path_(joinPath(folder, "report.txt")) {
    if (mode == ReportMode::Summary) summary_ = std::make_unique<GrowingFile>(path_);
    if (mode == ReportMode::Full) {
        library_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    } else {
        // Read and emptied after every generation, for its word on mutation.
        std::string scratch = joinPath(folder, ".report-XXXXXX");
        library_ = ::mkostemp(scratch.data(), O_APPEND | O_CLOEXEC);
        if (library_ >= 0) ::unlink(scratch.c_str());
    }
    if (library_ < 0) throw WriteError("cannot write " + path_ + ": " + std::strerror(errno));
    std::cout.flush();
    std::fflush(stdout);
    savedFd_ = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
    if (savedFd_ >= 0) terminal_ = ::fdopen(savedFd_, "w");
    if (savedFd_ < 0 || terminal_ == nullptr || ::dup2(library_, STDOUT_FILENO) < 0) {
        int error = errno;
        ::close(library_);
        if (terminal_ != nullptr && terminal_ != stdout)
            std::fclose(terminal_);
        else if (savedFd_ >= 0)
            ::close(savedFd_);
        throw WriteError("cannot redirect the report: " + std::string(std::strerror(error)));
    }
}

ReportRedirect::~ReportRedirect() {
    std::cout.flush();
    std::fflush(stdout);
    std::fflush(terminal_);
    ::dup2(savedFd_, STDOUT_FILENO);
    std::fclose(terminal_);  // closes savedFd_
    ::close(library_);
}

void ReportRedirect::note(const std::string& line) {
    if (summary_) summary_->add(line + "\n");
    if (mode_ == ReportMode::Summary || mode_ == ReportMode::None) return;
    std::cout.flush();
    std::fprintf(stdout, "%s\n", line.c_str());
}

std::string ReportRedirect::takeLibraryText() {
    const std::string report = mode_ == ReportMode::Full ? path_ : "the report";
    std::cout.flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || std::cout.bad()) {
        // The library's stream keeps no reason for a failed write: a byte more finds it.
        const int error = ::write(library_, "\n", 1) < 0 ? errno : EIO;
        throw WriteError("cannot write " + report + ": " + std::strerror(error));
    }
    struct stat file {};
    if (::fstat(library_, &file) != 0)
        throw WriteError("cannot read " + report + ": " + std::strerror(errno));
    std::string text(static_cast<size_t>(file.st_size - taken_), '\0');
    for (size_t done = 0; done < text.size();) {
        ssize_t n = ::pread(library_, &text[done], text.size() - done, taken_ + off_t(done));
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n == 0 || errno != EINTR)
            throw WriteError("cannot read the report back: " +
                             std::string(std::strerror(n == 0 ? EIO : errno)));
    }
    taken_ = file.st_size;
    if (mode_ != ReportMode::Full && ::ftruncate(library_, 0) == 0) taken_ = 0;
    if (mode_ == ReportMode::Terminal) std::fwrite(text.data(), 1, text.size(), terminal_);
    return text;
}

bool ReportRedirect::generation(int generation, const Stats& s) {
    const bool mutated =
        takeLibraryText().find("Hallo Mutation ergibt neue Fitness ") != std::string::npos;
    if (summary_)
        summary_->add("generation " + std::to_string(generation) + ": average " +
                      figure(s.average) + " minimal " + figure(s.minimal) + " maximal " +
                      figure(s.maximal) + " stddev " + figure(s.stddev) + " best " +
                      std::to_string(s.best.r) + "," + std::to_string(s.best.g) + "," +
                      std::to_string(s.best.b) + (mutated ? " mutated" : "") + "\n");
    return mutated;
}

}  // namespace evolve
