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

TEST(XmlCheckTest, AcceptsWellFormedDocuments) {
    EXPECT_EQ(
        xmlProblem("<?xml version=\"1.0\"?>\n<a x=\"1\" y='2'><b/>t &amp; &#60; &#x3c;</a>\n"), "");
    EXPECT_EQ(xmlProblem("<a><!-- <not a tag> --><b c=\"&quot;\"></b></a>"), "");
}

TEST(XmlCheckTest, FindsEachKindOfFault) {
    for (const char* bad : {
             "<a><b></a>",            // crossed tags
             "<a>",                   // unclosed
             "<a></a><b/>",           // two roots
             "<a x=1/>",              // unquoted attribute
             "<a x=\"1\"y=\"2\"/>",   // attributes run together
             "<a x=\"1\" x=\"2\"/>",  // repeated attribute
             "<a x=\"<\"/>",          // '<' in attribute
             "<a>fish & chips</a>",   // bare ampersand
             "<a>&nbsp;</a>",         // entity XML does not know
             "<a x=\"&#xg;\"/>",      // bad character reference
             "<a>1 > 0</a>",          // stray '>'
             "text<a/>",              // text outside the root
             "",                      // no root
         })
        EXPECT_NE(xmlProblem(bad), "") << bad;
}

std::vector<Stats> someHistory() {
    return {{0.5, 0.25, 0.75}, {0.625, 0.5, 0.875}, {0.7, 0.6, 1.0}};
}

TEST(WritersTest, FitnessCsvHasOneRowPerGenerationCountedFromOne) {
    EXPECT_EQ(fitnessCsv(someHistory()),
              "generation,average,minimal,maximal\n"
              "1,0.500000,0.250000,0.750000\n"
              "2,0.625000,0.500000,0.875000\n"
              "3,0.700000,0.600000,1.000000\n");
}

TEST(WritersTest, PicturesStayWellFormedWhateverTheirText) {
    const std::string title = "<Tournament> & \"elite\"";
    EXPECT_EQ(xmlProblem(fitnessSvg(someHistory(), title)), "");
    EXPECT_EQ(xmlProblem(fitnessSvg({}, title)), "");
    EXPECT_EQ(xmlProblem(fitnessSvg({{1, 1, 1}}, title)), "");
    std::vector<CompareRow> rows = {{0, 0, 0.9, 0.8, 0.7}, {5, 4, 0.2, 0.1, 0.0}};
    EXPECT_EQ(xmlProblem(compareSvg(rows, title)), "");
    EXPECT_NE(compareSvg(rows, title).find("love marriage"), std::string::npos);
    EXPECT_EQ(xmlProblem(levelSvg({{0, 0}}, {{1, 2, 3}}, {{4, 5, 6}}, 9, {255, 255, 177})), "");
}

TEST(WritersTest, FitnessChartLabelsAxesAndLegend) {
    std::string svg = fitnessSvg(someHistory(), "t");
    for (auto word : {">generation<", ">fitness", ">average<", ">minimal<", ">maximal<"})
        EXPECT_NE(svg.find(word), std::string::npos) << word;
    // One curve per statistic, each through every generation.
    std::regex polyline("<polyline[^>]*points=\"([^\"]*)\"");
    int curves = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), polyline);
         it != std::sregex_iterator(); ++it, ++curves) {
        std::string points = (*it)[1];
        EXPECT_EQ(std::count(points.begin(), points.end(), ','), 3);
    }
    EXPECT_EQ(curves, 3);
}

TEST(WritersTest, LevelMapIsSeenFromAboveWithNorthUp) {
    // Two entities: north-west corner and south-east corner of the level.
    std::vector<Point> at = {{-400, 400}, {400, -400}};
    std::vector<Rgb> colours = {{10, 20, 30}, {40, 50, 60}};
    std::vector<Rgb> later = {{70, 80, 90}, {100, 110, 120}};
    std::string svg = levelSvg(at, colours, later, 5, {1, 2, 3});
    std::regex circle(
        "<circle cx=\"([-0-9.]+)\" cy=\"([-0-9.]+)\"[^>]*fill=\"rgb\\(([0-9,]+)\\)\"");
    std::vector<std::smatch> found;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), circle);
         it != std::sregex_iterator(); ++it)
        found.push_back(*it);
    ASSERT_EQ(found.size(), 4u);
    auto x = [&](int k) { return std::stod(found[k][1]); };
    auto y = [&](int k) { return std::stod(found[k][2]); };
    EXPECT_LT(x(0), x(1));
    EXPECT_LT(y(0), y(1));  // larger level y is nearer the top
    EXPECT_LT(x(1), x(2));  // the last generation is drawn to the right
    EXPECT_DOUBLE_EQ(y(0), y(2));
    EXPECT_EQ(found[0][3], "10,20,30");
    EXPECT_EQ(found[3][3], "100,110,120");
}

TEST(CompareTest, RankingPutsTheBestFinalAverageFirstAndTableAlignsColumns) {
    std::vector<CompareRow> rows = {
        {0, 0, 0.90, 0.70, 0.5}, {1, 4, 0.95, 0.80, 0.6}, {5, 0, 0.99, 0.80, 0.6}};
    std::vector<CompareRow> order = ranked(rows);
    EXPECT_EQ(order[0].selection, 5);  // equal average, higher best
    EXPECT_EQ(order[1].selection, 1);
    EXPECT_EQ(order[2].selection, 0);

    std::string table = compareTable(order);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = table.find('\n', start)) != std::string::npos;
         start = end + 1)
        lines.push_back(table.substr(start, end - start));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[1].find("Excentric"), std::string::npos);
    EXPECT_NE(lines[2].find("hedonism"), std::string::npos);
    for (const auto& line : lines) EXPECT_EQ(line.size(), lines[0].size()) << line;
    EXPECT_EQ(lines[1].find("0.9900"), lines[2].find("0.9500"));
}

}  // namespace
}  // namespace evolve
