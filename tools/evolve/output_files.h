// The files written into a run's folder.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <stdexcept>
#include <string>

namespace evolve {

// Output that could not be written; the message names the file and the reason.
class WriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes the whole file; one that fails is removed. Throws WriteError.
void writeFile(const std::string& path, const std::string& content);

// A file that grows as the run goes: what add() gets is in the file at once,
// so that even a kill loses none of it, and on the disk within a second.
class GrowingFile {
  public:
    explicit GrowingFile(const std::string& path);  // throws WriteError
    ~GrowingFile();
    GrowingFile(const GrowingFile&) = delete;
    GrowingFile& operator=(const GrowingFile&) = delete;

    void add(const std::string& text);  // throws WriteError

  private:
    std::string path_;
    int fd_;
    off_t size_ = 0;
    std::chrono::steady_clock::time_point synced_;
};

std::string joinPath(const std::string& folder, const std::string& name);

// Text for XML character data and attribute values.
std::string xmlEscape(const std::string& text);

}  // namespace evolve
