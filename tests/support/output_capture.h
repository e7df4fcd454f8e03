// Takes a descriptor (standard output unless told otherwise) while alive, so
// that whatever any stream of the process writes there lands in a temporary
// file.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

namespace evoplug::testing {

class OutputCapture {
  public:
    explicit OutputCapture(int descriptor = 1) : descriptor_(descriptor) {
        std::fflush(nullptr);
        if (file_ == nullptr) {
            text_ = "(output not captured: no temporary file)";
            return;
        }
        saved_ = dup(descriptor_);
        dup2(fileno(file_), descriptor_);
    }
    ~OutputCapture() { stop(); }
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Gives the descriptor back and returns what reached it. Nothing is flushed
    // first: what a writer left in a buffer is missing, as it would be for
    // the reader at the other end. A failure reported after this shows.
    std::string stop() {
        if (file_ == nullptr) return text_;
        dup2(saved_, descriptor_);
        close(saved_);
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;) text_ += static_cast<char>(c);
        std::fclose(file_);
        file_ = nullptr;
        return text_;
    }

  private:
    int descriptor_;
    std::FILE* file_ = std::tmpfile();
    int saved_ = -1;
    std::string text_;
};

}  // namespace evoplug::testing
