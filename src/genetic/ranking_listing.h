// The ranking as the crossbreeding step lists it on the report,
// "fitness\t\tindex\n" a line, each line flushed on its own.
#pragma once

#include <cstdint>
#include <vector>

#include "genetic/population.h"
#include "runtime/report.h"

namespace evoplug::genetic {

// Every mating of a step lists the same ranking, so the text of the last one
// listed is kept and formatted again only when the ranking changed.
class RankingListing {
  public:
    RankingListing();
    void print(runtime::Report& report, const IndexedList& ranking);

  private:
    void format(const IndexedList& ranking);

    IndexedList ranking_;         // what `text_` lists
    std::vector<char> text_;      // the lines, each ending in '\n'
    std::vector<uint32_t> ends_;  // where each line ends in `text_`
};

}  // namespace evoplug::genetic
