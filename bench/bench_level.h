// A level as the engine runs it, for measurements: the plug-in loaded by
// file, the standard level started up, the strategies chosen on the panel,
// a population created and the host's call log off. The clock stands still,
// so every run draws the same numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "engine.h"
#include "level.h"
#include "plugin.h"

namespace evoplug::bench {

struct BenchSettings {
    int individuals = 200;
    int selection = 0;
    int crossbreed = 0;
    // Pairs per mating pass; -1 takes the largest sound value, individuals / 2.
    int crossover = -1;
    int mutation = 1000;
};

inline int64_t standingClock() { return 1234567; }

class BenchLevel {
  public:
    explicit BenchLevel(const BenchSettings& s) {
        plugin_ = host::Plugin::load(EVOPLUG_PLUGIN_PATH);
        // From load state, whatever an earlier level chose on its panel.
        plugin_->exports().ResetPluginState();
        host::LevelSettings settings;
        settings.individuals = s.individuals;
        settings.mutation = s.mutation;
        settings.crossover = s.crossover < 0 ? s.individuals / 2 : s.crossover;
        level_ = std::make_unique<host::Level>(engine_, settings);
        engine_.setCallLogging(false);
        plugin_->exports().SetRuntimeClock(&standingClock);
        level_->begin(*plugin_, s.selection, s.crossbreed);
    }
    ~BenchLevel() { plugin_->exports().SetRuntimeClock(nullptr); }
    BenchLevel(const BenchLevel&) = delete;
    BenchLevel& operator=(const BenchLevel&) = delete;

    const host::Exports& exports() const { return plugin_->exports(); }
    host::Engine& engine() { return engine_; }

  private:
    host::Engine engine_;
    std::unique_ptr<host::Level> level_;
    std::unique_ptr<host::Plugin> plugin_;
};

// Records what a generation writes: the text between flushes, and whether a
// flush ends each piece.
class Recorder : public std::streambuf {
  public:
    std::vector<std::pair<std::string, bool>> pieces{{std::string(), false}};

  protected:
    int overflow(int c) override {
        if (c != traits_type::eof()) pieces.back().first += static_cast<char>(c);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        pieces.back().first.append(s, static_cast<size_t>(n));
        return n;
    }
    int sync() override {
        pieces.back().second = true;
        pieces.emplace_back();
        return 0;
    }
};

}  // namespace evoplug::bench
