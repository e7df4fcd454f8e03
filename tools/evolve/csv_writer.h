// Comma-separated tables of a run and of a comparison, written a row at a time.
#pragma once

#include <string>

#include "compare.h"
#include "simulation.h"

namespace evolve {

// Row g from 1: what the g-th call of `evolution` published, with the
// standard deviation and the best genome of the same population (the one
// generation g started from), and whether generation g mutated.
std::string fitnessCsvHeader();
std::string fitnessCsvRow(int generation, const Stats& stats, bool mutated);

// Each row: a pair's populations after the last generation.
std::string compareCsvHeader(int generations);
std::string compareCsvRow(const CompareRow& row);

}  // namespace evolve
