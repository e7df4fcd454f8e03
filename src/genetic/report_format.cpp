#include "genetic/report_format.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <ostream>

namespace evoplug::genetic {
namespace {

constexpr int kDigits = 6;  // the stream's default precision
constexpr uint64_t kLowest = 100000;
constexpr uint64_t kPastHighest = 1000000;
constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

bool multiply(uint64_t& x, uint64_t factor) {
    if (factor != 0 && x > kMax / factor) return false;
    x *= factor;
    return true;
}

bool shiftLeft(uint64_t& x, int bits) {
    if (bits >= 64 || (bits > 0 && x > (kMax >> bits))) return false;
    x <<= bits;
    return true;
}

bool powerOfTen(int k, uint64_t& p) {
    p = 1;
    for (int i = 0; i < k; ++i)
        if (!multiply(p, 10)) return false;
    return true;
}

// The six leading decimal digits of m * 2^e as a whole number q scaled by
// 10^(5 - x), rounded to nearest; x is the decimal exponent of the result.
// False when the exact quotient does not fit, or on an exact tie.
bool sixDigits(uint64_t m, int e, int& x, uint64_t& q) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = kDigits - 1 - x;
        uint64_t num = m;
        uint64_t den = 1;
        uint64_t p = 0;
        if (e > 0 && !shiftLeft(num, e)) return false;
        if (e < 0 && !shiftLeft(den, -e)) return false;
        if (!powerOfTen(k >= 0 ? k : -k, p)) return false;
        if (!multiply(k >= 0 ? num : den, p)) return false;
        q = num / den;
        if (q >= kPastHighest) {
            ++x;
            continue;
        }
        if (q < kLowest) {
            --x;
            continue;
        }
        const uint64_t r = num % den;
        if (r == den - r) return false;  // a tie: the platform's rounding decides
        if (r > den - r && ++q == kPastHighest) {
            q = kLowest;
            ++x;
        }
        return true;
    }
    return false;
}

// A stream of default format writing into a caller's buffer.
class ArrayBuffer : public std::streambuf {
  public:
    void point(char* out, size_t size) { setp(out, out + size); }
    size_t used() const { return static_cast<size_t>(pptr() - pbase()); }
};

struct DefaultStream {
    DefaultStream() : stream(&buffer) { stream.imbue(std::locale::classic()); }
    ArrayBuffer buffer;
    std::ostream stream;
};

}  // namespace

size_t formatFloatAsStream(float value, char* out) {
    const size_t n = formatFloat(value, out);
    if (n != 0) return n;
    static DefaultStream own;
    own.buffer.point(out, kNumberChars);
    own.stream.clear();
    own.stream << value;
    return own.buffer.used();
}

size_t formatInt(int32_t value, char* out) {
    char digits[12];
    int n = 0;
    // Negated as unsigned, so the lowest int32 has its magnitude too.
    uint32_t magnitude =
        value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    size_t length = 0;
    if (value < 0) out[length++] = '-';
    while (n > 0) out[length++] = digits[--n];
    return length;
}

size_t formatFloat(float value, char* out) {
    if (!std::isfinite(value)) return 0;
    size_t length = 0;
    if (std::signbit(value)) out[length++] = '-';
    if (value == 0.0f) {
        out[length++] = '0';
        return length;
    }
    int binaryExponent = 0;
    const float fraction = std::frexp(std::fabs(value), &binaryExponent);  // [0.5, 1)
    auto m = static_cast<uint64_t>(std::ldexp(fraction, 24));
    int e = binaryExponent - 24;
    while ((m & 1u) == 0) {
        m >>= 1;
        ++e;
    }
    // The value lies in [2^(b-1), 2^b): a first guess of its decimal exponent
    // (floor((b-1) log10 2)), corrected by sixDigits.
    int x = ((binaryExponent - 1) * 78913) >> 18;
    uint64_t q = 0;
    if (!sixDigits(m, e, x, q)) return 0;

    char d[kDigits];
    for (int i = kDigits - 1; i >= 0; --i) {
        d[i] = static_cast<char>('0' + q % 10);
        q /= 10;
    }
    int significant = kDigits;
    while (significant > 1 && d[significant - 1] == '0') --significant;

    if (x < -4 || x >= kDigits) {
        out[length++] = d[0];
        if (significant > 1) {
            out[length++] = '.';
            for (int i = 1; i < significant; ++i) out[length++] = d[i];
        }
        out[length++] = 'e';
        out[length++] = x < 0 ? '-' : '+';
        const int magnitude = x < 0 ? -x : x;
        if (magnitude >= 100) out[length++] = static_cast<char>('0' + magnitude / 100);
        out[length++] = static_cast<char>('0' + magnitude / 10 % 10);
        out[length++] = static_cast<char>('0' + magnitude % 10);
    } else if (x >= 0) {
        for (int i = 0; i <= x; ++i) out[length++] = d[i];
        if (significant > x + 1) {
            out[length++] = '.';
            for (int i = x + 1; i < significant; ++i) out[length++] = d[i];
        }
    } else {
        out[length++] = '0';
        out[length++] = '.';
        for (int i = -1; i > x; --i) out[length++] = '0';
        for (int i = 0; i < significant; ++i) out[length++] = d[i];
    }
    return length;
}

bool defaultFormat(const std::ostream& out) {
    return out.flags() == (std::ios_base::skipws | std::ios_base::dec) && out.precision() == 6 &&
           out.width() == 0 && out.getloc() == std::locale::classic();
}

ReportLine::ReportLine(std::ostream& out) : out_(out), direct_(!defaultFormat(out)) {}

void ReportLine::reserve(size_t n) {
    if (used_ + n > sizeof buffer_) send();
}

ReportLine& ReportLine::operator<<(const char* text) {
    if (direct_) {
        out_ << text;
        return *this;
    }
    const size_t n = std::strlen(text);
    reserve(n);
    if (n > sizeof buffer_) {
        out_.write(text, static_cast<std::streamsize>(n));
        return *this;
    }
    std::memcpy(buffer_ + used_, text, n);
    used_ += n;
    return *this;
}

ReportLine& ReportLine::operator<<(int32_t value) {
    if (direct_) {
        out_ << value;
        return *this;
    }
    reserve(kNumberChars);
    used_ += formatInt(value, buffer_ + used_);
    return *this;
}

ReportLine& ReportLine::operator<<(float value) {
    if (direct_) {
        out_ << value;
        return *this;
    }
    reserve(kNumberChars);
    used_ += formatFloatAsStream(value, buffer_ + used_);
    return *this;
}

void ReportLine::send() {
    if (used_ == 0) return;
    out_.write(buffer_, static_cast<std::streamsize>(used_));
    used_ = 0;
}

}  // namespace evoplug::genetic
