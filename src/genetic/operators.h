// The operators of one generation: mutation, selection and crossbreeding.
//
// All work in place on a population: individuals keep their index, only
// genes change. Random choices come from the population's generator in the
// order each operator documents.
#pragma once

#include <cstdint>

#include "genetic/population.h"

namespace evoplug::genetic {

// ---- Mutation
// With a chance of mutationRate per mille, gives one gene of one individual a
// fresh value and rates that individual again.
void mutate(Population& pop);

// ---- Selection
// Writes the header, then runs the strategy's operator; a kind outside the
// list runs none.
void select(Population& pop, SelectionKind kind);
float excentricity(const Population& pop, int32_t i);

// ---- Crossbreeding
// Runs the strategy's mating passes in order, each on the weakest pairs of
// the ranking; a kind outside the list runs none.
void crossbreed(Population& pop, CrossbreedKind kind);
// Per gene, the parent farther from the best individual moves to the mean of
// the two.
void enrich(Population& pop, int32_t a, int32_t b);

}  // namespace evoplug::genetic
