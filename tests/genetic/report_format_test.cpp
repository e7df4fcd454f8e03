// The report's own number formatting must give the stream's bytes exactly.
#include "genetic/report_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>

namespace evoplug::genetic {
namespace {

// Compares one value with the stream; returns whether the formatter settled it.
bool settles(float value) {
    char buffer[kNumberChars];
    const size_t n = formatFloat(value, buffer);
    std::ostringstream stream;
    stream << value;
    if (n != 0) {
        EXPECT_EQ(std::string(buffer, n), stream.str()) << std::hexfloat << value;
    }
    return n != 0;
}

TEST(ReportFormat, NotableValuesAsTheStreamWritesThem) {
    constexpr float kInf = std::numeric_limits<float>::infinity(), kTie = 0x1p-10f;
    // clang-format off
    const float floats[] = {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 0.1f, 0.0001f, 0.00010001f,
        9.99999e-5f, 1e-5f, 123456.0f, 999999.0f, 999999.5f, 999999.4f, 1000000.0f, 1234567.0f,
        1e10f, 3.4e38f, 1.17549435e-38f, 0.816406f, 0.999999f, 0.9999995f, 99999.95f, 12.5f,
        kTie, 16777216.0f, 1e-30f, 7e37f, kInf};
    // clang-format on
    const int32_t ints[] = {0, -1, 10, 254, -12345, INT32_MAX, INT32_MIN};
    // One line longer than the line's buffer, to a stream in the default
    // format and to one that is not: always the stream's own bytes.
    for (bool fixed : {false, true}) {
        std::ostringstream expected, out;
        if (fixed) expected << std::fixed << std::setprecision(2);
        out.copyfmt(expected);
        EXPECT_EQ(defaultFormat(out), !fixed);
        {
            ReportLine line(out);
            for (float v : floats) line << v << " ", expected << v << " ";
            for (int32_t v : ints) line << v << " ", expected << v << " ";
            if (!fixed) {
                EXPECT_LT(out.str().size(), expected.str().size()) << "collected until sent";
            }
        }
        EXPECT_EQ(out.str(), expected.str()) << (fixed ? "fixed" : "default");
    }
    // Not finite, and exact ties beyond six digits: left to the stream.
    char buffer[kNumberChars];
    for (float v : {kInf, std::numeric_limits<float>::quiet_NaN(), kTie})
        EXPECT_EQ(formatFloat(v, buffer), 0u) << v;
}

TEST(ReportFormat, SweepOfVerdictsAveragesAndRandomBitPatterns) {
    int settled = 0;
    // Script verdicts are multiples of 1/1024; averages are arbitrary fractions.
    for (int k = -4096; k <= 4096; ++k) settled += settles(static_cast<float>(k) / 1024.0f);
    for (int k = 1; k <= 20000; ++k) settled += settles(static_cast<float>(k) / 20001.0f);
    EXPECT_GT(settled, 27700) << "the formatter leaves only ties to the stream";
    uint32_t state = 12345;
    settled = 0;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        float value = 0;
        std::memcpy(&value, &state, sizeof value);
        const float magnitude = std::fabs(value);
        if (std::isfinite(value) && settles(value) && magnitude >= 1e-4f && magnitude < 1e6f)
            ++settled;
    }
    EXPECT_GT(settled, 20000) << "about one pattern in eight lies in 1e-4 .. 1e6";
}

}  // namespace
}  // namespace evoplug::genetic
