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

std::string streamText(float value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

// Compares one value; returns whether the fast formatter settled it.
bool checkFloat(float value) {
    char buffer[kNumberChars];
    const size_t n = formatFloat(value, buffer);
    if (n == 0) return false;
    EXPECT_EQ(std::string(buffer, n), streamText(value)) << std::hexfloat << value;
    return true;
}

uint32_t nextState(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state;
}

TEST(ReportFormat, ScriptVerdictsAreWrittenAsTheStreamWritesThem) {
    // The script answers in EngineVar: multiples of 1/1024, here -4 .. 4.
    int settled = 0;
    for (int k = -4096; k <= 4096; ++k) settled += checkFloat(static_cast<float>(k) / 1024.0f);
    // Only exact ties are left to the stream; they are few among these.
    EXPECT_GT(settled, 7800);
}

TEST(ReportFormat, AveragesAndOtherFloatsAreWrittenAsTheStreamWritesThem) {
    int settled = 0;
    for (int k = 1; k <= 20000; ++k) settled += checkFloat(static_cast<float>(k) / 20001.0f);
    EXPECT_GT(settled, 19900);
    // Random bit patterns over the whole float range.
    uint32_t state = 12345;
    int tried = 0;
    settled = 0;
    for (int i = 0; i < 200000; ++i) {
        const uint32_t bits = nextState(state);
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        ++tried;
        const float magnitude = std::fabs(value);
        if (checkFloat(value) && magnitude >= 1e-4f && magnitude < 1e6f) ++settled;
    }
    EXPECT_GT(tried, 190000);
    // About one pattern in eight lies in 1e-4 .. 1e6, and nearly all of
    // those the formatter settles itself.
    EXPECT_GT(settled, 20000);
}

TEST(ReportFormat, NotationAndRoundingEdges) {
    const float values[] = {0.0f,
                            -0.0f,
                            1.0f,
                            -1.0f,
                            0.5f,
                            0.1f,
                            0.0001f,
                            0.00010001f,
                            9.99999e-5f,
                            1e-5f,
                            123456.0f,
                            999999.0f,
                            999999.5f,
                            999999.4f,
                            1000000.0f,
                            1234567.0f,
                            1e10f,
                            3.4e38f,
                            1.17549435e-38f,
                            0.816406f,
                            0.999999f,
                            0.9999995f,
                            99999.95f,
                            12.5f,
                            0.347656f,
                            65536.0f,
                            16777216.0f,
                            1e-30f,
                            7e37f};
    for (float v : values) checkFloat(v);
    char buffer[kNumberChars];
    // These the formatter settles itself; the comparisons above then count.
    const float settled[] = {0.0f, -0.0f, 1.0f, 0.5f, 0.1f, 1e-5f, 999999.0f, 1000000.0f, 1e10f};
    for (float v : settled) EXPECT_GT(formatFloat(v, buffer), 0u) << v;
    EXPECT_EQ(std::string(buffer, formatFloat(1234567.0f, buffer)), "1.23457e+06");
    EXPECT_EQ(std::string(buffer, formatFloat(0.0001f, buffer)), "0.0001");
    EXPECT_EQ(std::string(buffer, formatFloat(-0.0f, buffer)), "-0");
    // Not finite: the stream's spelling is the platform's.
    EXPECT_EQ(formatFloat(std::numeric_limits<float>::infinity(), buffer), 0u);
    EXPECT_EQ(formatFloat(std::numeric_limits<float>::quiet_NaN(), buffer), 0u);
    // 1/1024 ends in an exact 5 beyond six digits: a tie, left to the stream.
    EXPECT_EQ(formatFloat(1.0f / 1024.0f, buffer), 0u);
}

TEST(ReportFormat, IntegersAsTheStreamWritesThem) {
    const int32_t values[] = {0, 1, -1, 9, 10, 199, 254, 1000, -12345, 2147483647, -2147483647 - 1};
    char buffer[kNumberChars];
    for (int32_t v : values) {
        std::ostringstream out;
        out << v;
        EXPECT_EQ(std::string(buffer, formatInt(v, buffer)), out.str());
    }
}

TEST(ReportFormat, ALineIsTheStreamsOwnBytes) {
    std::ostringstream expected;
    expected << "MaxFitnesst " << 0.816406f << " MinFitness  " << (1.0f / 1024.0f) << "\n"
             << 42 << std::numeric_limits<float>::infinity();
    std::ostringstream out;
    {
        ReportLine line(out);
        line << "MaxFitnesst " << 0.816406f << " MinFitness  ";
        EXPECT_EQ(out.str(), "") << "collected until sent";
        line << (1.0f / 1024.0f) << "\n" << int32_t{42} << std::numeric_limits<float>::infinity();
    }
    EXPECT_EQ(out.str(), expected.str());

    // Longer than the line's buffer: still every byte, in order.
    const std::string longText(1000, 'x');
    std::ostringstream longOut;
    {
        ReportLine line(longOut);
        for (int i = 0; i < 50; ++i) line << 0.25f << " ";
        line << longText.c_str() << int32_t{7};
    }
    std::string longExpected;
    for (int i = 0; i < 50; ++i) longExpected += "0.25 ";
    EXPECT_EQ(longOut.str(), longExpected + longText + "7");
}

TEST(ReportFormat, AStreamWithOtherSettingsWritesItself) {
    std::ostringstream expected;
    expected << std::fixed << std::setprecision(2) << "a " << 0.816406f << " " << 3;
    std::ostringstream out;
    out << std::fixed << std::setprecision(2);
    EXPECT_FALSE(defaultFormat(out));
    ReportLine(out) << "a " << 0.816406f << " " << int32_t{3};
    EXPECT_EQ(out.str(), expected.str());
    EXPECT_EQ(out.str(), "a 0.82 3");
    EXPECT_TRUE(defaultFormat(std::ostringstream{}));
}

}  // namespace
}  // namespace evoplug::genetic
