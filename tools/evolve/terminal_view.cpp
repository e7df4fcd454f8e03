#include "terminal_view.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace evolve {
namespace {

constexpr int kBarWidth = 30;
constexpr int kMaxCellsPerLine = 50;
// A generation takes well under a millisecond; paced like this the strip can
// be watched, and a live view never lasts much longer than a few seconds.
constexpr auto kLongestFrame = std::chrono::milliseconds(25);
constexpr auto kLongestShow = std::chrono::milliseconds(2500);

// Two columns per cell; a line that wrapped would spoil the redraw.
size_t cellsPerLine(FILE* out) {
    winsize size{};
    if (::ioctl(::fileno(out), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return kMaxCellsPerLine;
    return static_cast<size_t>(std::clamp(size.ws_col / 2 - 1, 1, kMaxCellsPerLine));
}

}  // namespace

bool isColourTerminal(FILE* out) {
    if (std::getenv("NO_COLOR") != nullptr) return false;
    const char* term = std::getenv("TERM");
    if (term == nullptr || std::strcmp(term, "dumb") == 0) return false;
    return ::isatty(::fileno(out)) != 0;
}

TerminalView::TerminalView(FILE* out, int generations, bool live)
    : out_(out),
      generations_(generations),
      live_(live),
      frame_(
          std::min<std::chrono::steady_clock::duration>(kLongestFrame, kLongestShow / generations)),
      nextFrame_(std::chrono::steady_clock::now()) {}

std::string TerminalView::bar(int generation, const Stats& stats) const {
    int filled = static_cast<int>(static_cast<long long>(kBarWidth) * generation / generations_);
    std::string text = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "]";
    char numbers[120];
    std::snprintf(numbers, sizeof numbers,
                  " generation %d/%d  average %.4f  minimal %.4f  maximal %.4f", generation,
                  generations_, stats.average, stats.minimal, stats.maximal);
    return text + numbers;
}

void TerminalView::update(int generation, const Stats& stats, const std::vector<Rgb>& population) {
    if (!live_) {
        int every = generations_ >= 10 ? generations_ / 10 : 1;
        if (generation % every == 0 || generation == generations_)
            std::fprintf(out_, "%s\n", bar(generation, stats).c_str());
        std::fflush(out_);
        return;
    }
    if (linesDrawn_ > 0) std::fprintf(out_, "\x1b[%dA", linesDrawn_);
    std::fprintf(out_, "\r\x1b[2K%s\n", bar(generation, stats).c_str());
    int lines = 1;
    size_t perLine = cellsPerLine(out_);
    for (size_t i = 0; i < population.size(); i += perLine) {
        std::fputs("\x1b[2K", out_);
        for (size_t k = i; k < population.size() && k < i + perLine; ++k) {
            const Rgb& c = population[k];
            std::fprintf(out_, "\x1b[48;2;%d;%d;%dm  ", c.r, c.g, c.b);
        }
        std::fputs("\x1b[0m\n", out_);
        ++lines;
    }
    linesDrawn_ = lines;
    std::fflush(out_);
    nextFrame_ += frame_;
    std::this_thread::sleep_until(nextFrame_);
}

void TerminalView::finish() {
    linesDrawn_ = 0;
    std::fflush(out_);
}

}  // namespace evolve
