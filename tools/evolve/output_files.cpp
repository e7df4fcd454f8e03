#include "output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace evolve {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& path, int error) {
    throw WriteError("cannot write " + path + ": " + std::strerror(error));
}

// 0, or the errno of the write that failed.
int writeAll(int fd, const std::string& content) {
    for (size_t done = 0; done < content.size();) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n >= 0)
            done += static_cast<size_t>(n);
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

}  // namespace

void writeFile(const std::string& path, const std::string& content) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fail(path, errno);
    int error = writeAll(fd, content);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0) return;
    ::unlink(path.c_str());
    fail(path, error);
}

GrowingFile::GrowingFile(const std::string& path)
    : path_(path), fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644)) {
    if (fd_ < 0) fail(path_, errno);
}

GrowingFile::~GrowingFile() { ::close(fd_); }

void GrowingFile::add(const std::string& text) {
    if (int error = writeAll(fd_, text)) {
        (void)!::ftruncate(fd_, size_);  // no part of a row
        fail(path_, error);
    }
    size_ += static_cast<off_t>(text.size());
    const auto now = std::chrono::steady_clock::now();
    if (now - synced_ < std::chrono::seconds(1)) return;
    if (::fdatasync(fd_) != 0) fail(path_, errno);
    synced_ = now;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / name).string();
}

std::string xmlEscape(const std::string& text) {
    std::string result;
    for (char c : text) {
        switch (c) {
            case '&':
                result += "&amp;";
                break;
            case '<':
                result += "&lt;";
                break;
            case '>':
                result += "&gt;";
                break;
            case '"':
                result += "&quot;";
                break;
            case '\'':
                result += "&apos;";
                break;
            default:
                result += c;
        }
    }
    return result;
}

}  // namespace evolve
