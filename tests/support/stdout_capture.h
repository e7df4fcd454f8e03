// Takes descriptor 1 while alive, so that whatever any stream of the process
// writes there lands in a temporary file.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

namespace evoplug::testing {

class StdoutCapture {
  public:
    StdoutCapture() {
        std::fflush(stdout);
        if (file_ == nullptr) {
            text_ = "(standard output not captured: no temporary file)";
            return;
        }
        saved_ = dup(1);
        dup2(fileno(file_), 1);
    }
    ~StdoutCapture() { stop(); }
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Gives descriptor 1 back and returns what reached it. Nothing is flushed
    // first: what a writer left in a buffer is missing, as it would be for
    // the reader at the other end. A failure reported after this shows.
    std::string stop() {
        if (file_ == nullptr) return text_;
        dup2(saved_, 1);
        close(saved_);
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;) text_ += static_cast<char>(c);
        std::fclose(file_);
        file_ = nullptr;
        return text_;
    }

  private:
    std::FILE* file_ = std::tmpfile();
    int saved_ = -1;
    std::string text_;
};

}  // namespace evoplug::testing
