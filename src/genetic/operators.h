// The operators of one generation: mutation, selection and crossbreeding.
//
// All work in place on a population: individuals keep their index and entity,
// only genes change. Random choices come from the population's generator in
// the order each operator documents.
#pragma once

#include <cstdint>

#include "genetic/population.h"

namespace evoplug::genetic {

// ---- Mutation
// With a chance of mutationRate per mille, gives one gene of one individual a
// fresh value and rates that individual again.
void mutate(Population& pop);

// ---- Selection
// Writes the header, then runs the strategy; other kinds change nothing.
void select(Population& pop, SelectionKind kind);
void copyIndividual(Population& pop, int32_t donor, int32_t receiver);
void crossInto(Population& pop, int32_t donor, int32_t receiver);
void tournamentRound(Population& pop, int32_t contender, int32_t reference);
void neighbourSelection(Population& pop, int32_t receiver);
void rouletteWheel(Population& pop);
void excentricSelection(Population& pop);
float excentricity(const Population& pop, int32_t i);

// ---- Crossbreeding
enum class Mating : int32_t { Exchange = 1, Enrich = 2 };
// Mates the weakest pairs of the last ranking by the strategy.
void crossbreed(Population& pop, CrossbreedKind kind);
void matingPass(Population& pop, Mating method);
void mate(Population& pop, Mating method, int32_t pairNumber);
// Sorts the ranking and lists it on the report.
void sortFitnessList(Population& pop);
void exchangeGenes(Population& pop, int32_t a, int32_t b);
void enrich(Population& pop, int32_t a, int32_t b);
void averageGene(Population& pop, int32_t x, int32_t y, int32_t g);

}  // namespace evoplug::genetic
