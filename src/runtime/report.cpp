#include "runtime/report.h"

#include <charconv>
#include <cstring>
#include <iostream>

namespace evoplug::runtime {

size_t formatInt(int32_t value, char* out) {
    return static_cast<size_t>(std::to_chars(out, out + kNumberChars, value).ptr - out);
}

size_t formatFloat(float value, char* out) {
    // The stream's default: the float promoted to double, "%.6g".
    const auto result = std::to_chars(out, out + kNumberChars, static_cast<double>(value),
                                      std::chars_format::general, 6);
    return static_cast<size_t>(result.ptr - out);
}

Report::Report() : out_(&std::cout) {}

void Report::redirect(std::ostream* out) { out_ = out != nullptr ? out : &std::cout; }

void Report::write(const char* text, size_t length) {
    out_->write(text, static_cast<std::streamsize>(length));
}

void Report::flush() { out_->flush(); }

void Report::Line::reserve(size_t n) {
    if (used_ + n > sizeof buffer_) send();
}

Report::Line& Report::Line::operator<<(const char* text) {
    const size_t n = std::strlen(text);
    reserve(n);
    if (n > sizeof buffer_) {
        report_.write(text, n);
        return *this;
    }
    std::memcpy(buffer_ + used_, text, n);
    used_ += n;
    return *this;
}

Report::Line& Report::Line::operator<<(int32_t value) {
    reserve(kNumberChars);
    used_ += formatInt(value, buffer_ + used_);
    return *this;
}

Report::Line& Report::Line::operator<<(float value) {
    reserve(kNumberChars);
    used_ += formatFloat(value, buffer_ + used_);
    return *this;
}

void Report::Line::send() {
    if (used_ == 0) return;
    report_.write(buffer_, used_);
    used_ = 0;
}

}  // namespace evoplug::runtime
