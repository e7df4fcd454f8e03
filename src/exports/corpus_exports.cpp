#include "exports/exports.h"
#include "exports/guard.h"

using evoplug::guarded;
using evoplug::PluginState;

int32_t CorpusInit() {
    return guarded(__func__, [](PluginState& s) { return s.corpus.grow(); });
}
int32_t CorpusReduce() {
    return guarded(__func__, [](PluginState& s) { return s.corpus.shrink(); });
}
int32_t countup() {
    return guarded(__func__, [](PluginState& s) { return s.corpus.countUp(); });
}
