#include "output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace evolve {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what, int error) {
    throw WriteError(what + ": " + std::strerror(error));
}

}  // namespace

void prepareOutputFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw WriteError("cannot create output folder " + folder + ": " + error.message());
    writeFile(joinPath(folder, ".evolve-probe"), "");
    fs::remove(joinPath(folder, ".evolve-probe"), error);
}

void writeFile(const std::string& path, const std::string& content) {
    const std::string temporary = temporaryName(path);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fail("cannot write " + path, errno);
    int error = 0;
    for (size_t done = 0; done < content.size() && error == 0;) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n >= 0)
            done += static_cast<size_t>(n);
        else if (errno != EINTR)
            error = errno;
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail("cannot write " + path, error);
    }
    replaceFile(temporary, path);
}

std::string temporaryName(const std::string& path) {
    fs::path p(path);
    return (p.parent_path() / ("." + p.filename().string() + "." + std::to_string(::getpid())))
        .string();
}

void replaceFile(const std::string& temporary, const std::string& path) {
    if (std::rename(temporary.c_str(), path.c_str()) == 0) return;
    int error = errno;
    ::unlink(temporary.c_str());
    fail("cannot write " + path, error);
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
