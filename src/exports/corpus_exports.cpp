#include "corpus/corpus.h"
#include "exports/exports.h"

using namespace evoplug;

int32_t CorpusInit() { return corpus::grow(); }
int32_t CorpusReduce() { return corpus::shrink(); }
int32_t countup() { return corpus::countUp(); }
