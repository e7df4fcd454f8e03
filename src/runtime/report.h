// The progress report on the console stream (descriptor 1).
//
// The report is printed inside the engine's frame, so a piece is collected in
// a local buffer and handed to the stream in one write; numbers are written
// as the stream's default format writes them (floats with six significant
// digits, the shorter of fixed and exponent notation).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>

namespace evoplug::runtime {

// Room for any int32 or float as written here.
constexpr size_t kNumberChars = 16;

// Each writes into `out` and returns the length.
size_t formatInt(int32_t value, char* out);
size_t formatFloat(float value, char* out);

class Report {
  public:
    Report();  // on std::cout
    // Another stream (tests, hosts); null restores std::cout.
    void redirect(std::ostream* out);

    void write(const char* text, size_t length);
    void flush();

    // One piece of the report, written when it goes out of scope.
    class Line {
      public:
        explicit Line(Report& report) : report_(report) {}
        ~Line() { send(); }
        Line(const Line&) = delete;
        Line& operator=(const Line&) = delete;

        Line& operator<<(const char* text);
        Line& operator<<(int32_t value);
        Line& operator<<(float value);

      private:
        void send();
        void reserve(size_t n);

        Report& report_;
        size_t used_ = 0;
        char buffer_[256];
    };
    Line line() { return Line(*this); }

  private:
    std::ostream* out_;
};

}  // namespace evoplug::runtime
