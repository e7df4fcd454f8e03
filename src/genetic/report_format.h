// The report's numbers, written the way the console stream writes them but
// without its locale machinery: the report is printed inside the engine's
// frame, and the stream's float formatting costs more than the generation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>

namespace evoplug::genetic {

// Room for any int32 or float in the stream's default format.
constexpr size_t kNumberChars = 32;

// Writes `value` as the stream's default format does (six significant
// digits, the shorter of fixed and exponent notation, trailing zeros
// dropped): the exact value rounded to nearest. Returns the length, or 0
// when the value is not one this formatter settles: infinities, NaN, values
// far from 1, and exact ties between two six-digit results (whose rounding
// is the platform's); the stream must write those.
size_t formatFloat(float value, char* out);
// Writes `value` as a stream of default format does, always: what
// formatFloat does not settle is written by such a stream of our own.
size_t formatFloatAsStream(float value, char* out);
// Writes a decimal integer; returns the length.
size_t formatInt(int32_t value, char* out);

// One piece of the report, collected and handed to the stream in one write.
// When the stream does not have its default format (flags, precision,
// width, locale), every item goes to the stream as it comes, so the bytes
// are always the stream's own.
class ReportLine {
  public:
    explicit ReportLine(std::ostream& out);
    ~ReportLine() { send(); }
    ReportLine(const ReportLine&) = delete;
    ReportLine& operator=(const ReportLine&) = delete;

    ReportLine& operator<<(const char* text);
    ReportLine& operator<<(int32_t value);
    ReportLine& operator<<(float value);
    // Writes what has been collected.
    void send();

  private:
    void reserve(size_t n);

    std::ostream& out_;
    bool direct_;
    size_t used_ = 0;
    char buffer_[256];
};

// Whether the stream writes numbers in its default format, which the
// formatters above reproduce.
bool defaultFormat(const std::ostream& out);

}  // namespace evoplug::genetic
