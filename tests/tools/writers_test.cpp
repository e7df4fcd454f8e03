// The charts and the live view, from fixed numbers.
#include <gtest/gtest.h>

#include <regex>

#include "charts.h"
#include "terminal_view.h"

namespace evolve {
namespace {

TEST(ChartsTest, OneGenerationAndEqualCurvesShowOnAnAxisToOneAndComparisonsStartAtZero) {
    const Stats equal{0.3, 0.3, 0.3, 0, {}};
    for (long generations : {1, 4}) {
        SCOPED_TRACE(::testing::Message() << generations << " generations");
        const std::string svg = fitnessSvg(std::vector<Stats>(size_t(generations), equal), "t");
        EXPECT_NE(svg.find(">1.0</text>"), std::string::npos);
        // Each curve through every point, narrower than those under it; one point: dots.
        std::regex curve("<polyline [^>]*stroke-width=\"([0-9.]+)\" points=\"([^\"]*)\"");
        std::vector<std::smatch> curves(std::sregex_iterator(svg.begin(), svg.end(), curve), {});
        ASSERT_EQ(curves.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(std::count(curves[i][2].first, curves[i][2].second, ','), generations) << i;
            EXPECT_LT(std::stod(curves[i][1]), i > 0 ? std::stod(curves[i - 1][1]) : 99) << i;
        }
        EXPECT_EQ(svg.find("<circle") != std::string::npos, generations == 1);
    }
    EXPECT_NE(compareSvg({{5, {0}, {0.9, 0.8}, {0.95, 0.95}}}, "t").find(">0.0</text>"),
              std::string::npos);
}

TEST(TerminalViewTest, LiveLinesFitTheTerminalAndANarrowerOneGetsPlainLines) {
    const std::vector<Rgb> population(200, Rgb{1, 2, 3});
    const Stats stats{0.123456, 0.1, 1, 0, {}};
    for (auto [columns, live] : {std::pair{80, true}, {140, true}, {60, false}, {0, false}}) {
        char* text = nullptr;
        size_t size = 0;
        FILE* out = ::open_memstream(&text, &size);
        TerminalView view(out, 1000000, columns);
        view.update(999999, stats, population);
        std::fflush(out);
        const long firstFrame = std::count(text, text + size, '\n');
        view.update(1000000, stats, population);
        std::fclose(out);
        const std::string shown(text, size);
        std::free(text);
        EXPECT_EQ(shown.find('\x1b') != std::string::npos, live) << columns;
        if (!live) continue;
        // The redraw climbs back over every line of the frame before.
        EXPECT_NE(shown.find("\x1b[" + std::to_string(firstFrame) + "A"), std::string::npos);
        std::istringstream lines(
            std::regex_replace(shown, std::regex("\x1b\\[[0-9;]*[A-Za-z]|\r"), ""));
        for (std::string line; std::getline(lines, line);) EXPECT_LT(int(line.size()), columns);
    }
}

}  // namespace
}  // namespace evolve
