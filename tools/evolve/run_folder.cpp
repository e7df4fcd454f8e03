#include "run_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "output_files.h"

namespace evolve {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const std::string& what, int error) {
    throw WriteError(what + ": " + std::strerror(error));
}

// `out` with the last part named, so that the folders beside it can be.
fs::path named(const std::string& out) {
    std::string text = out;
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    fs::path path = fs::path(text).lexically_normal();
    std::error_code error, absent;
    // A link is followed: its folder is the one replaced.
    const bool link = fs::is_symlink(fs::symlink_status(path, absent));
    if (link || path.filename() == "." || path.filename() == "..")
        path = fs::weakly_canonical(fs::absolute(path), error);
    if (error) throw WriteError("cannot use output folder " + out + ": " + error.message());
    if (!path.has_filename()) throw WriteError("cannot replace " + out + ": name a folder in it");
    return path;
}

// Throws unless `folder` is absent or holds nothing but what a run writes, as
// the whole folder is replaced.
void checkReplaceable(const std::string& folder) {
    static const std::set<std::string> runFiles = {"fitness.csv", "fitness.svg", "level.svg",
                                                   "index.html",  "report.txt",  "compare.txt",
                                                   "compare.csv", "compare.svg"};
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder, error);
    if (!fs::exists(status)) return;
    if (!fs::is_directory(status)) throw WriteError(folder + " is not a folder");
    fs::directory_iterator entry(folder, error), end;
    for (; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!entry->is_regular_file() || runFiles.count(name) == 0)
            throw WriteError(folder + " holds " + name +
                             ", which evolve did not write: name a new or empty folder");
    }
    if (error) throw WriteError("cannot read " + folder + ": " + error.message());
}

// A descriptor holding the lock at `path`. Throws WriteError naming the run
// that holds it.
int lock(const std::string& path, const std::string& out) {
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) fail("cannot lock " + out + " with " + path, errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            char pid[24] = {};
            const bool named = ::pread(fd, pid, sizeof pid - 1, 0) > 0;
            ::close(fd);
            if (error != EWOULDBLOCK) fail("cannot lock " + out + " with " + path, error);
            throw WriteError(out + " is in use by another run of evolve" +
                             (named ? " (process " + std::string(pid) + ")" : ""));
        }
        // The run before may have removed the file between our open and lock.
        struct stat opened {
        }, current{};
        if (::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &current) == 0 &&
            opened.st_dev == current.st_dev && opened.st_ino == current.st_ino)
            return fd;
        ::close(fd);
    }
}

}  // namespace

RunFolder::RunFolder(const std::string& out) {
    const fs::path path = named(out);
    out_ = path.string();
    partial_ = out_ + ".partial";
    lockPath_ = (path.parent_path() / ("." + path.filename().string() + ".lock")).string();
    std::error_code error;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
    if (error) throw WriteError("cannot create output folder " + out_ + ": " + error.message());
    lock_ = lock(lockPath_, out_);
    try {
        checkReplaceable(out_);
        checkReplaceable(partial_);
        fs::remove_all(partial_, error);
        if (!error) fs::create_directory(partial_, error);
        if (error) throw WriteError("cannot create " + partial_ + ": " + error.message());
        const std::string pid = std::to_string(::getpid());
        if (::ftruncate(lock_, 0) != 0 || ::pwrite(lock_, pid.data(), pid.size(), 0) < 0)
            fail("cannot write " + lockPath_, errno);
    } catch (...) {
        ::unlink(lockPath_.c_str());
        ::close(lock_);
        throw;
    }
}

RunFolder::~RunFolder() {
    // Removed while still held: a run that opened it meanwhile sees it go.
    ::unlink(lockPath_.c_str());
    ::close(lock_);
}

void RunFolder::publish() {
    std::error_code error;
    if (::renameat2(AT_FDCWD, partial_.c_str(), AT_FDCWD, out_.c_str(), RENAME_EXCHANGE) == 0) {
        fs::remove_all(partial_, error);  // now the run before
    } else if (errno == ENOENT) {
        if (std::rename(partial_.c_str(), out_.c_str()) != 0)
            fail("cannot rename " + partial_, errno);
    } else if (errno == EINVAL || errno == ENOSYS) {
        // No atomic swap here: the run before steps aside first.
        const std::string before = out_ + ".before";
        if (std::rename(out_.c_str(), before.c_str()) != 0 ||
            std::rename(partial_.c_str(), out_.c_str()) != 0)
            fail("cannot replace " + out_ + " with " + partial_, errno);
        fs::remove_all(before, error);
    } else {
        fail("cannot replace " + out_ + " with " + partial_, errno);
    }
    if (error)
        throw WriteError("cannot remove the run before in " + partial_ + ": " + error.message());
}

}  // namespace evolve
