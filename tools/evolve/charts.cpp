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

    // The axis reaches 1, the target colour itself, and its ticks meet it.
    double low = history.empty() ? 0 : 0.9;
    for (const Stats& s : history) low = std::min({low, s.average, s.minimal, s.maximal});
    const double high = 1, yStep = niceStep(high - low, 5);
    low = std::floor(low / yStep + 1e-9) * yStep;
    double last = std::max<double>(static_cast<double>(history.size()), 1);
    auto px = [&](double generation) { return left + (right - left) * generation / last; };
    auto py = [&](double f) { return bottom - (bottom - top) * (f - low) / (high - low); };

    std::string svg = header(width, height);
    svg += text(width / 2.0, 28, title, "text-anchor=\"middle\" font-size=\"16\"");
    // Grid, ticks and labels.
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
    svg +=
        text((left + right) / 2, bottom + 45,
             "generation (each point: the population it started from)", "text-anchor=\"middle\"");
    svg +=
        text(20, (top + bottom) / 2, "fitness (1 = target colour)",
             "text-anchor=\"middle\" transform=\"rotate(-90 20 " + num((top + bottom) / 2) + ")\"");

    // Curves, widest first, so that equal ones still show as nested bands;
    // a run of one generation gets a dot per curve. The legend follows.
    struct Curve {
        const char* name;
        const char* colour;
        double width;
        double Stats::*value;
    };
    const Curve curves[] = {{"maximal", kMaximalColour, 6, &Stats::maximal},
                            {"average", kAverageColour, 3.5, &Stats::average},
                            {"minimal", kMinimalColour, 1.5, &Stats::minimal}};
    double legendY = top + 10;
    for (const Curve& curve : curves) {
        const std::string stroke = "stroke=\"" + std::string(curve.colour) + "\" stroke-width=\"" +
                                   num(curve.width) + "\"";
        std::string points;
        for (size_t g = 0; g < history.size(); ++g)
            points +=
                num(px(static_cast<double>(g + 1))) + "," + num(py(history[g].*curve.value)) + " ";
        svg += "<polyline fill=\"none\" " + stroke + " points=\"" + points + "\"/>\n";
        if (history.size() == 1)
            svg += "<circle cx=\"" + num(px(1)) + "\" cy=\"" + num(py(history[0].*curve.value)) +
                   "\" r=\"" + num(curve.width) + "\" fill=\"" + curve.colour + "\"/>\n";
        svg += line(right + 20, legendY, right + 50, legendY, stroke);
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
    auto px = [&](double f) { return left + (right - left) * f; };

    std::string svg = header(width, height);
    svg += text(width / 2.0, 24, title, "text-anchor=\"middle\" font-size=\"16\"");
    // Legend.
    svg += "<rect x=\"" + num(left) + "\" y=\"34\" width=\"14\" height=\"8\" fill=\"" +
           kMaximalColour + "\"/>\n";
    svg += text(left + 20, 42, "best fitness reached");
    svg += "<rect x=\"" + num(left + 180) + "\" y=\"34\" width=\"14\" height=\"8\" fill=\"" +
           kAverageColour + "\"/>\n";
    svg += text(left + 200, 42, "average fitness at the end, with its spread");

    const double step = 0.2;
    for (double f = 0; f <= 1 + step / 1000; f += step) {
        svg += line(px(f), top, px(f), bottom, "stroke=\"#e4e4e4\"");
        svg += text(px(f), bottom + 18, label(f, step), "text-anchor=\"middle\"");
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const CompareRow& row = rows[i];
        const double y = top + rowHeight * i, average = mean(row.finalAverage);
        const double deviation = spread(row.finalAverage);
        svg +=
            text(left - 8, y + 15, selectionNames()[row.selection] + " / " + crossbreedLabel(row),
                 "text-anchor=\"end\"");
        svg += "<rect x=\"" + num(left) + "\" y=\"" + num(y + 3) + "\" width=\"" +
               num(px(mean(row.best)) - left) + "\" height=\"7\" fill=\"" + kMaximalColour +
               "\"/>\n";
        svg += "<rect x=\"" + num(left) + "\" y=\"" + num(y + 11) + "\" width=\"" +
               num(px(average) - left) + "\" height=\"7\" fill=\"" + kAverageColour + "\"/>\n";
        if (deviation > 0)
            svg += line(px(average - deviation), y + 14.5, px(average + deviation), y + 14.5,
                        "stroke=\"black\"");
    }
    svg += line(left, top, left, bottom, "stroke=\"black\"");
    svg += line(left, bottom, right, bottom, "stroke=\"black\"");
    svg += text((left + right) / 2, bottom + 42, "fitness (1 = target colour)",
                "text-anchor=\"middle\"");
    svg += "</svg>\n";
    return svg;
}

}  // namespace evolve
