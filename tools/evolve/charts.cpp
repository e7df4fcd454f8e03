#include "charts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "output_files.h"

namespace evolve {
namespace {

const char* const kAverageColour = "#1f6fb4";
const char* const kMinimalColour = "#d62728";
const char* const kMaximalColour = "#2c9f2c";

std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

// 1, 2 or 5 times a power of ten, about `span / count`.
double niceStep(double span, int count) {
    double raw = span / count;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

std::string label(double value, double step) {
    char text[32];
    int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string text(double x, double y, const std::string& content, const std::string& extra = "") {
    return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"" + (extra.empty() ? "" : " " + extra) +
           ">" + xmlEscape(content) + "</text>\n";
}

std::string line(double x1, double y1, double x2, double y2, const std::string& style) {
    return "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" +
           num(y2) + "\" " + style + "/>\n";
}

std::string header(int width, int height) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
           std::to_string(width) + " " + std::to_string(height) +
           "\" font-family=\"sans-serif\" font-size=\"12\">\n"
           "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
}

}  // namespace

std::string fitnessSvg(const std::vector<Stats>& history, const std::string& title) {
    const int width = 760, height = 440;
    const double left = 70, right = 600, top = 50, bottom = 380;

    double low = 1, high = 0;
    for (const Stats& s : history) {
        low = std::min({low, s.average, s.minimal, s.maximal});
        high = std::max({high, s.average, s.minimal, s.maximal});
    }
    if (history.empty()) low = 0, high = 1;
    low = std::floor(low * 10) / 10;
    high = std::max(std::ceil(high * 10) / 10, low + 0.1);
    double last = std::max<double>(static_cast<double>(history.size()), 1);
    auto px = [&](double generation) { return left + (right - left) * generation / last; };
    auto py = [&](double f) { return bottom - (bottom - top) * (f - low) / (high - low); };

    std::string svg = header(width, height);
    svg += text(width / 2.0, 28, title, "text-anchor=\"middle\" font-size=\"16\"");
    // Grid, ticks and labels.
    double yStep = niceStep(high - low, 5);
    for (double f = low; f <= high + yStep / 1000; f += yStep) {
        svg += line(left, py(f), right, py(f), "stroke=\"#e4e4e4\"");
        svg += text(left - 8, py(f) + 4, label(f, yStep), "text-anchor=\"end\"");
    }
    double xStep = std::max(1.0, niceStep(last, 8));
    for (double g = 0; g <= last + 1e-9; g += xStep) {
        svg += line(px(g), bottom, px(g), bottom + 5, "stroke=\"black\"");
        svg += text(px(g), bottom + 20, label(g, xStep), "text-anchor=\"middle\"");
    }
    svg += line(left, bottom, right, bottom, "stroke=\"black\"");
    svg += line(left, top, left, bottom, "stroke=\"black\"");
    svg += text((left + right) / 2, bottom + 45, "generation", "text-anchor=\"middle\"");
    svg +=
        text(20, (top + bottom) / 2, "fitness (1 = target colour)",
             "text-anchor=\"middle\" transform=\"rotate(-90 20 " + num((top + bottom) / 2) + ")\"");

    // Curves, then the legend in the same order.
    struct Curve {
        const char* name;
        const char* colour;
        double Stats::*value;
    };
    const Curve curves[] = {{"maximal", kMaximalColour, &Stats::maximal},
                            {"average", kAverageColour, &Stats::average},
                            {"minimal", kMinimalColour, &Stats::minimal}};
    double legendY = top + 10;
    for (const Curve& curve : curves) {
        std::string points;
        for (size_t g = 0; g < history.size(); ++g)
            points +=
                num(px(static_cast<double>(g + 1))) + "," + num(py(history[g].*curve.value)) + " ";
        svg += "<polyline fill=\"none\" stroke=\"" + std::string(curve.colour) +
               "\" stroke-width=\"2\" points=\"" + points + "\"/>\n";
        svg += line(right + 20, legendY, right + 50, legendY,
                    "stroke=\"" + std::string(curve.colour) + "\" stroke-width=\"2\"");
        svg += text(right + 58, legendY + 4, curve.name);
        legendY += 22;
    }
    svg += "</svg>\n";
    return svg;
}

std::string compareSvg(const std::vector<CompareRow>& rows, const std::string& title) {
    const double left = 230, right = 700, top = 60, rowHeight = 22;
    const int width = 760;
    const int height = static_cast<int>(top + rowHeight * rows.size() + 60);
    const double bottom = top + rowHeight * rows.size();

    double low = 1;
    for (const CompareRow& row : rows) low = std::min({low, row.best, row.finalAverage});
    low = std::max(0.0, std::floor(low * 10) / 10 - 0.1);
    auto px = [&](double f) { return left + (right - left) * (f - low) / (1 - low); };

    std::string svg = header(width, height);
    svg += text(width / 2.0, 24, title, "text-anchor=\"middle\" font-size=\"16\"");
    // Legend.
    svg += "<rect x=\"" + num(left) + "\" y=\"34\" width=\"14\" height=\"8\" fill=\"" +
           kMaximalColour + "\"/>\n";
    svg += text(left + 20, 42, "best fitness reached");
    svg += "<rect x=\"" + num(left + 180) + "\" y=\"34\" width=\"14\" height=\"8\" fill=\"" +
           kAverageColour + "\"/>\n";
    svg += text(left + 200, 42, "average fitness at the end");

    double step = niceStep(1 - low, 5);
    for (double f = low; f <= 1 + step / 1000; f += step) {
        svg += line(px(f), top, px(f), bottom, "stroke=\"#e4e4e4\"");
        svg += text(px(f), bottom + 18, label(f, step), "text-anchor=\"middle\"");
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const CompareRow& row = rows[i];
        double y = top + rowHeight * i;
        svg += text(left - 8, y + 15,
                    selectionNames()[row.selection] + " / " + crossbreedNames()[row.crossbreed],
                    "text-anchor=\"end\"");
        svg += "<rect x=\"" + num(left) + "\" y=\"" + num(y + 3) + "\" width=\"" +
               num(std::max(0.0, px(row.best) - left)) + "\" height=\"7\" fill=\"" +
               kMaximalColour + "\"/>\n";
        svg += "<rect x=\"" + num(left) + "\" y=\"" + num(y + 11) + "\" width=\"" +
               num(std::max(0.0, px(row.finalAverage) - left)) + "\" height=\"7\" fill=\"" +
               kAverageColour + "\"/>\n";
    }
    svg += line(left, top, left, bottom, "stroke=\"black\"");
    svg += line(left, bottom, right, bottom, "stroke=\"black\"");
    svg += text((left + right) / 2, bottom + 42, "fitness (1 = target colour)",
                "text-anchor=\"middle\"");
    svg += "</svg>\n";
    return svg;
}

}  // namespace evolve
