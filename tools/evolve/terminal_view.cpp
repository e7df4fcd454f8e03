#include "terminal_view.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace evolve {
namespace {

constexpr int kPlainBarWidth = 20, kMinBarWidth = 10, kMaxBarWidth = 30;
constexpr size_t kMaxCellsPerLine = 50;  // two columns each
// A generation takes well under a millisecond; paced like this the strip can
// be watched, and a live view never lasts much longer than a few seconds.
constexpr auto kLongestFrame = std::chrono::milliseconds(25);
constexpr auto kLongestShow = std::chrono::milliseconds(2500);

}  // namespace

int colourTerminalColumns(FILE* out) {
    if (std::getenv("NO_COLOR") != nullptr) return 0;
    const char* term = std::getenv("TERM");
    if (term == nullptr || std::strcmp(term, "dumb") == 0 || !::isatty(::fileno(out))) return 0;
    winsize size{};
    if (::ioctl(::fileno(out), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
    return size.ws_col;
}

TerminalView::TerminalView(FILE* out, int generations, int columns)
    : out_(out),
      generations_(generations),
      frame_(
          std::min<std::chrono::steady_clock::duration>(kLongestFrame, kLongestShow / generations)),
      nextFrame_(std::chrono::steady_clock::now()),
      paced_(::isatty(::fileno(out)) != 0) {
    // The widest line without its bar; the last column stays free, as a line
    // that fills it wraps on some terminals.
    const int numbers = static_cast<int>(line(generations, Stats{1, 1, 1, 0, {}}).size());
    const int room = columns - 2 - numbers;  // the bar and its space
    if (room >= kMinBarWidth) {
        barWidth_ = std::min(room, kMaxBarWidth);
        cellsPerLine_ = std::min(kMaxCellsPerLine, static_cast<size_t>(columns - 1) / 2);
    } else {
        barWidth_ = kPlainBarWidth;
    }
}

std::string TerminalView::line(int generation, const Stats& stats) const {
    std::string text;
    if (barWidth_ > 0) {
        const int inner = barWidth_ - 2;
        int filled = static_cast<int>(static_cast<long long>(inner) * generation / generations_);
        text = "[" + std::string(filled, '#') + std::string(inner - filled, '.') + "] ";
    }
    const int digits = static_cast<int>(std::to_string(generations_).size());
    char count[32];
    std::snprintf(count, sizeof count, "%*d/%d", digits, generation, generations_);
    return text + count + "  average " + figure(stats.average) + "  minimal " +
           figure(stats.minimal) + "  maximal " + figure(stats.maximal);
}

void TerminalView::update(int generation, const Stats& stats, const std::vector<Rgb>& population) {
    if (cellsPerLine_ == 0) {
        int every = std::max(1, generations_ / 10);
        if (generation == 1 || generation % every == 0 || generation == generations_)
            std::fprintf(out_, "%s\n", line(generation, stats).c_str());
        std::fflush(out_);
        return;
    }
    if (linesDrawn_ > 0) std::fprintf(out_, "\x1b[%dA", linesDrawn_);
    std::fprintf(out_, "\r\x1b[2K%s\n", line(generation, stats).c_str());
    int lines = 1;
    for (size_t i = 0; i < population.size(); i += cellsPerLine_) {
        std::fputs("\x1b[2K", out_);
        for (size_t k = i; k < population.size() && k < i + cellsPerLine_; ++k) {
            const Rgb& c = population[k];
            std::fprintf(out_, "\x1b[48;2;%d;%d;%dm  ", c.r, c.g, c.b);
        }
        std::fputs("\x1b[0m\n", out_);
        ++lines;
    }
    linesDrawn_ = lines;
    std::fflush(out_);
    if (!paced_) return;
    nextFrame_ += frame_;
    std::this_thread::sleep_until(nextFrame_);
}

void TerminalView::finish() {
    linesDrawn_ = 0;
    std::fflush(out_);
}

}  // namespace evolve
