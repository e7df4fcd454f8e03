// The files evolve writes, from fixed numbers, and the checker of their XML.
#include <gtest/gtest.h>

#include <regex>

#include "charts.h"
#include "compare.h"
#include "csv_writer.h"
#include "level_map.h"
#include "tools/xml_check.h"

namespace evolve {
namespace {

using test::xmlProblem;

// Every match of `pattern` in `text`, each as its groups.
std::vector<std::smatch> matches(const std::string& text, const std::string& pattern) {
    std::regex re(pattern);
    return {std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()};
}

TEST(XmlCheckTest, AcceptsWellFormedAndFindsEachKindOfFault) {
    for (const char* good :
         {"<?xml version=\"1.0\"?>\n<a x=\"1\" y='2'><b/>t &amp; &#60; &#x3c;</a>",
          "<a><!-- <not a tag> --><b c=\"&quot;\" d=\"x=y\"></b></a>"})
        EXPECT_EQ(xmlProblem(good), "") << good;
    // Crossed tags, unclosed, two roots, unquoted, run together, repeated, '<' in
    // a value, bare '&', unknown entity, bad reference, stray '>', text outside
    // the root, attribute in an end tag, no root.
    for (const char* bad :
         {"<a><b></a>", "<a>", "<a></a><b/>", "<a x=1/>", "<a x=\"1\"y=\"2\"/>",
          "<a x=\"1\" x=\"2\"/>", "<a x=\"<\"/>", "<a>fish & chips</a>", "<a>&nbsp;</a>",
          "<a x=\"&#xg;\"/>", "<a>1 > 0</a>", "text<a/>", "<a></a x=\"1\">", ""})
        EXPECT_NE(xmlProblem(bad), "") << bad;
}

const std::vector<Stats> kHistory = {{0.5, 0.25, 0.75}, {0.625, 0.5, 0.875}, {0.7, 0.6, 1.0}};

TEST(WritersTest, PicturesStayWellFormedWhateverTheirText) {
    const std::string title = "<Tournament> & \"elite\" 'x'";
    std::vector<CompareRow> rows = {{0, 0, 0.9, 0.8, 0.7}, {5, 4, 0.2, 0.1, 0.0}};
    for (const std::string& svg :
         {fitnessSvg(kHistory, title), fitnessSvg({}, title), fitnessSvg({{1, 1, 1}}, title),
          compareSvg(rows, title),
          levelSvg({{0, 0}}, {{1, 2, 3}}, {{4, 5, 6}}, 9, {255, 255, 177})})
        EXPECT_EQ(xmlProblem(svg), "") << svg;
    EXPECT_NE(compareSvg(rows, title).find("love marriage"), std::string::npos);
}

TEST(WritersTest, FitnessCsvCountsGenerationsFromOneAndTheChartDrawsACurvePerStatistic) {
    EXPECT_EQ(fitnessCsv(kHistory),
              "generation,average,minimal,maximal\n1,0.500000,0.250000,0.750000\n"
              "2,0.625000,0.500000,0.875000\n3,0.700000,0.600000,1.000000\n");
    std::string svg = fitnessSvg(kHistory, "t");
    for (auto word : {">generation<", ">fitness", ">average<", ">minimal<", ">maximal<"})
        EXPECT_NE(svg.find(word), std::string::npos) << word;
    auto curves = matches(svg, "<polyline[^>]*points=\"([^\"]*)\"");
    ASSERT_EQ(curves.size(), 3u);
    for (const auto& curve : curves)  // through every generation
        EXPECT_EQ(std::count(curve[1].first, curve[1].second, ','), 3) << curve[1];
}

TEST(WritersTest, LevelMapIsSeenFromAboveWithNorthUp) {
    // North-west and south-east corners; the last generation is drawn to the right.
    std::string svg = levelSvg({{-400, 400}, {400, -400}}, {{10, 20, 30}, {40, 50, 60}},
                               {{70, 80, 90}, {100, 110, 120}}, 5, {1, 2, 3});
    auto found =
        matches(svg, "<circle cx=\"([-0-9.]+)\" cy=\"([-0-9.]+)\"[^>]*fill=\"rgb\\(([0-9,]+)\\)\"");
    ASSERT_EQ(found.size(), 4u);
    std::vector<double> x, y;
    for (const auto& circle : found)
        x.push_back(std::stod(circle[1])), y.push_back(std::stod(circle[2]));
    EXPECT_TRUE(x[0] < x[1] && x[1] < x[2] && y[0] < y[1] && y[0] == y[2]) << svg;
    EXPECT_EQ(found[0][3].str() + " " + found[3][3].str(), "10,20,30 100,110,120");
}

TEST(CompareTest, RankingPutsTheBestFinalAverageFirstAndTheTableAlignsColumns) {
    std::vector<CompareRow> order =
        ranked({{0, 0, 0.90, 0.70, 0.5}, {1, 4, 0.95, 0.80, 0.6}, {5, 0, 0.99, 0.80, 0.6}});
    // Equal averages go by the best fitness.
    EXPECT_EQ(std::vector<int>({order[0].selection, order[1].selection, order[2].selection}),
              std::vector<int>({5, 1, 0}));
    const std::string table = compareTable(order);
    auto lines = matches(table, "([^\n]*)\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[1].str().find("Excentric"), std::string::npos);
    EXPECT_NE(lines[2].str().find("hedonism"), std::string::npos);
    for (const auto& line : lines) EXPECT_EQ(line.length(), lines[0].length()) << line.str();
    EXPECT_EQ(lines[1].str().find("0.9900"), lines[2].str().find("0.9500"));
}

}  // namespace
}  // namespace evolve
