#include "level_map.h"

#include <algorithm>
#include <cstdio>

#include "output_files.h"

namespace evolve {
namespace {

constexpr double kLevelHalf = 400;  // the level spans -400..400 on x and y
constexpr double kMapSize = 360;
constexpr double kMargin = 40;
constexpr double kTop = 70;

std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

std::string fill(const Rgb& c) {
    return "rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) +
           ")";
}

std::string map(double left, const std::string& title, const std::vector<Point>& positions,
                const std::vector<Rgb>& colours) {
    std::string svg = "<text x=\"" + num(left + kMapSize / 2) + "\" y=\"" + num(kTop - 10) +
                      "\" text-anchor=\"middle\">" + xmlEscape(title) + "</text>\n";
    svg += "<rect x=\"" + num(left) + "\" y=\"" + num(kTop) + "\" width=\"" + num(kMapSize) +
           "\" height=\"" + num(kMapSize) + "\" fill=\"#2a2a2a\" stroke=\"black\"/>\n";
    size_t count = std::min(positions.size(), colours.size());
    for (size_t i = 0; i < count; ++i) {
        // Screen y grows downwards, the level's y upwards.
        double x = left + (positions[i].x + kLevelHalf) / (2 * kLevelHalf) * kMapSize;
        double y = kTop + (kLevelHalf - positions[i].y) / (2 * kLevelHalf) * kMapSize;
        svg += "<circle cx=\"" + num(x) + "\" cy=\"" + num(y) + "\" r=\"6\" fill=\"" +
               fill(colours[i]) + "\" stroke=\"#000\" stroke-width=\"0.5\"/>\n";
    }
    const double below = kTop + kMapSize + 16;
    svg += "<text x=\"" + num(left) + "\" y=\"" + num(below) + "\">-400</text>\n";
    svg += "<text x=\"" + num(left + kMapSize) + "\" y=\"" + num(below) +
           "\" text-anchor=\"end\">400</text>\n";
    svg += "<text x=\"" + num(left + kMapSize / 2) + "\" y=\"" + num(below) +
           "\" text-anchor=\"middle\">x</text>\n";
    return svg;
}

}  // namespace

std::string levelSvg(const std::vector<Point>& positions, const std::vector<Rgb>& first,
                     const std::vector<Rgb>& last, int generations,
                     const std::array<int, 3>& target) {
    const double width = 3 * kMargin + 2 * kMapSize;
    const double height = kTop + kMapSize + 70;
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        num(width) + "\" height=\"" + num(height) + "\" viewBox=\"0 0 " + num(width) + " " +
        num(height) +
        "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<text x=\"" + num(width / 2) +
           "\" y=\"24\" text-anchor=\"middle\" font-size=\"16\">The level from above: "
           "entities in their gene colours</text>\n";
    svg += map(kMargin, "before generation 1", positions, first);
    svg += map(2 * kMargin + kMapSize, "after generation " + std::to_string(generations), positions,
               last);
    const double legendY = kTop + kMapSize + 42;
    svg += "<rect x=\"" + num(kMargin) + "\" y=\"" + num(legendY - 11) +
           "\" width=\"28\" height=\"14\" fill=\"" + fill({target[0], target[1], target[2]}) +
           "\" stroke=\"black\"/>\n";
    svg += "<text x=\"" + num(kMargin + 36) + "\" y=\"" + num(legendY) + "\">target colour " +
           std::to_string(target[0]) + "," + std::to_string(target[1]) + "," +
           std::to_string(target[2]) + "; each side spans -400..400 level units</text>\n";
    svg += "<text x=\"" + num(kMargin) + "\" y=\"" + num(legendY + 20) +
           "\">After: the entities as a level shows them that calls UpdateEntities after "
           "evolution</text>\n";
    svg += "</svg>\n";
    return svg;
}

}  // namespace evolve
