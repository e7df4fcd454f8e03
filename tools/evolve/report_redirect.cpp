#include "report_redirect.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <stdexcept>

namespace evolve {

ReportRedirect::ReportRedirect(const std::string& reportPath) {
    if (reportPath.empty()) return;
    int report = ::open(reportPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (report < 0)
        throw std::runtime_error("cannot write " + reportPath + ": " + std::strerror(errno));
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
        throw std::runtime_error("cannot redirect the report: " +
                                 std::string(std::strerror(error)));
    }
    ::close(report);
}

ReportRedirect::~ReportRedirect() {
    if (savedFd_ < 0) return;
    std::cout.flush();
    std::fflush(stdout);
    std::fflush(terminal_);
    ::dup2(savedFd_, STDOUT_FILENO);
    std::fclose(terminal_);  // closes savedFd_
}

void ReportRedirect::note(const std::string& line) {
    std::cout.flush();
    std::fprintf(stdout, "%s\n", line.c_str());
    std::fflush(stdout);
}

}  // namespace evolve
