// The operators of one generation: mutation, selection and crossbreeding.
//
// All work in place on a population: individuals keep their index and entity,
// only genes (and some distance entries) change. Random choices come from the
// library generator in the order each operator documents.
#pragma once

#include <cstdint>

#include "genetic/population.h"

namespace evoplug::genetic {

// Selection strategy numbers, in the order of the panel's selection list.
enum SelectionKind : int32_t {
    kMinMaxSubst = 0,
    kTournament = 1,
    kNeighbour = 2,
    kMinMaxCross = 3,
    kRouletteWheel = 4,
    kExcentric = 5,
};

// Crossbreed strategy numbers, in the order of the panel's crossbreed list.
enum CrossbreedKind : int32_t {
    kLoveMarriage = 0,
    kElite = 1,
    kEnrichment = 2,
    kPlebs = 3,
    kHedonism = 4,
};

// Mating methods of `mate`.
constexpr int32_t kExchangeMating = 1;
constexpr int32_t kEnrichMating = 2;

// ---- Mutation
// With a chance of mutationRate per mille, gives one gene of one individual a
// fresh value and rates that individual again.
void mutate(Population& pop);

// ---- Selection
// Writes the header, then runs the strategy `kind`; other kinds change nothing.
void select(Population& pop, int32_t kind);
void copyIndividual(Population& pop, int32_t donor, int32_t receiver);
void crossInto(Population& pop, int32_t donor, int32_t receiver);
void tournamentRound(Population& pop, int32_t contender, int32_t reference);
void neighbourSelection(Population& pop, int32_t receiver);
void rouletteWheel(Population& pop);
void excentricSelection(Population& pop);
void buildExcentricityList(Population& pop);
float excentricity(const Population& pop, int32_t i);
// rand() % n; n >= 1.
int32_t randomBelow(int32_t n);

// ---- Crossbreeding
// Mates the weakest pairs of the last ranking by strategy `kind`.
void crossbreed(Population& pop, int32_t kind);
void matingPass(Population& pop, int32_t method);
void mate(Population& pop, int32_t method, int32_t pairNumber);
void sortFitnessList(Population& pop);
void exchangeGenes(Population& pop, int32_t a, int32_t b);
void enrich(Population& pop, int32_t a, int32_t b);
void averageGene(Population& pop, int32_t x, int32_t y, int32_t g);

}  // namespace evoplug::genetic
