// The report's numbers and lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <utility>

#include "runtime/report.h"

namespace evoplug::runtime {
namespace {

TEST(Report, NumbersAsTheStreamsDefaultFormatWritesThem) {
    // Six significant digits, trailing zeros dropped; exponent form below 1e-4
    // and from 1e6 on, also when rounding carries up to it.
    // clang-format off
    const std::pair<float, const char*> floats[] = {
        {0.0f, "0"}, {-0.0f, "-0"}, {0.5f, "0.5"}, {-2.5f, "-2.5"}, {0.649231f, "0.649231"},
        {0.1234567f, "0.123457"}, {1e-05f, "1e-05"}, {0.0001f, "0.0001"}, {123456.0f, "123456"},
        {999999.5f, "1e+06"}, {123456789.0f, "1.23457e+08"}};
    // clang-format on
    char buffer[kNumberChars];
    for (const auto& [value, text] : floats)
        EXPECT_EQ(std::string(buffer, formatFloat(value, buffer)), text);
    for (const auto& [value, text] :
         {std::pair{INT32_MIN, "-2147483648"}, {INT32_MAX, "2147483647"}, {0, "0"}})
        EXPECT_EQ(std::string(buffer, formatInt(value, buffer)), text);
}

TEST(Report, ALineOfOneCharacterIsWritten) {
    std::ostringstream out;
    Report report;
    report.redirect(&out);
    report.line() << "x";
    EXPECT_EQ(out.str(), "x");
}

}  // namespace
}  // namespace evoplug::runtime
