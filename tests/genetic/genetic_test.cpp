// The genetic algorithm: rating and statistics, the operators of a
// generation with their draws in order, and the population as the level sees
// it. Genes at total distance d from the target score (765 - d) / 765.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "genetic/evolution.h"
#include "genetic/generation.h"
#include "genetic/operators.h"
#include "support/state_fixture.h"
#include "support/stdout_capture.h"

namespace evoplug::genetic {
namespace {

using evoplug::testing::kClockSeed;
using Ints = std::vector<int32_t>;

// The runtime's recurrence, written out independently of the library.
int draw(uint32_t& state) { return ((state = state * 214013u + 2531011u) >> 16) & 0x7fff; }
uint32_t after(uint32_t seed, int n) {
    while (n-- > 0) draw(seed);
    return seed;
}

Ints allGenes(const Population& pop) {
    Ints all;
    for (const Individual& ind : pop.individuals)
        all.insert(all.end(), ind.genes.begin(), ind.genes.end());
    return all;
}

class GeneticTest : public evoplug::testing::StateTest {
  protected:
    // Built from `config`; given genes (three per individual from 0 on), a
    // statistics pass follows. The reports are dropped.
    std::unique_ptr<Population> make(const Ints& genes = {}) {
        auto pop = std::make_unique<Population>(config, s().geneticContext());
        for (size_t k = 0; k < genes.size(); ++k)
            pop->at(static_cast<int32_t>(k / 3)).genes[k % 3] = genes[k];
        if (!genes.empty()) pop->updateStatistics();
        takeReport();
        return pop;
    }

    // Six individuals, genes 0 .. 254, no mutation, no mating, rated by closeness.
    PopulationConfig config{6, 0, 255, 0, 0, FitnessKind::GeneCloseness};
    runtime::Random& random = s().random;
};

// 0 is the best and 1 the worst.
const Ints kSpread = {250, 250, 170, 0,   0,  0,  100, 120, 140,
                      30,  200, 90,  240, 10, 60, 128, 128, 128};

TEST_F(GeneticTest, RatingScoresClosenessToTheTarget) {
    // Per gene 1 - distance / 255, so distance 1 scores 764 / 765 overall;
    // MeanCloseness rates the truncated gene mean (62 / 3 = 20) against the first target.
    constexpr auto genes = FitnessKind::GeneCloseness, mean = FitnessKind::MeanCloseness;
    const std::tuple<FitnessKind, Genes, float> cases[] = {
        {genes, {255, 255, 177}, 1.0f},         {genes, {254, 255, 177}, 764 / 765.0f},
        {genes, {255, 255, 178}, 764 / 765.0f}, {genes, {0, 255, 432}, 1 / 3.0f},
        {mean, {10, 20, 32}, 20 / 255.0f},      {mean, {300, 300, 301}, 1 - 45 / 255.0f}};
    for (const auto& [kind, values, fitness] : cases) {
        config.fitnessKind = kind;
        auto pop = make();
        pop->at(0).genes = values;
        EXPECT_FLOAT_EQ(pop->rate(0), fitness) << values[0] << " " << values[2];
    }
}

TEST_F(GeneticTest, StatisticsPassReseedsAndKeepsTheFirstOfEquals) {
    // {0, 0, 0} scores 78 / 765 and {0, 0, 432} 0; means truncate (510 / 4, 354 / 4).
    // Nobody beats a best of 0.0 or a worst of 1.0: those stay where they were (2).
    const std::pair<Ints, Ints> cases[] = {
        {{0, 0, 0, 255, 255, 177, 0, 0, 0, 255, 255, 177}, {1, 0, 127, 127, 88}},
        {{0, 0, 432, 0, 0, 432, 0, 0, 432, 0, 0, 432}, {2, 0, 0, 0, 432}},
        {{255, 255, 177, 255, 255, 177, 255, 255, 177, 255, 255, 177}, {0, 2, 255, 255, 177}}};
    // Unwired, all score 0; at the target, all 1: the first is best and worst.
    for (auto kind : {FitnessKind::Script, FitnessKind::MeanCloseness}) {
        config = {4, 255, 256, 0, 0, kind};
        EXPECT_EQ(std::pair(make()->bestIndex, make()->worstIndex), std::pair(0, 0));
    }
    config = {4, 0, 255, 0, 0, FitnessKind::GeneCloseness};
    for (const auto& [genes, bestWorstMeans] : cases) {
        auto pop = make(genes);
        pop->bestIndex = pop->worstIndex = 2;
        random.seed(99);
        pop->updateStatistics();
        const Genes& m = pop->geneMeans;
        EXPECT_EQ(
            std::pair(random.state(), Ints{pop->bestIndex, pop->worstIndex, m[0], m[1], m[2]}),
            std::pair(kClockSeed, bestWorstMeans));
    }
}

TEST(Thousandths, TruncatedAndHeldAtTheInt32Limits) {
    // x 1000 x 1024: 0.1234567f gives 126419.66, 2097.151f exactly 2147482500
    // and 2097.152f 2147483750, beyond int32.
    // clang-format off
    const std::pair<float, int32_t> cases[] = {
        {0.5f, 512000}, {0.1234567f, 126419}, {-0.1234567f, -126419}, {2097.151f, 2147482500},
        {2097.152f, INT32_MAX}, {-2097.152f, INT32_MIN}, {NAN, 0}};
    // clang-format on
    for (const auto& [fitness, var] : cases) EXPECT_EQ(thousandthsVar(fitness), var) << fitness;
}

TEST_F(GeneticTest, MutationDrawsPerMilleThenGeneThenIndividualThenValue) {
    // Seed 907 draws 3000, 24428, 3881, 4374: 3000 % 1000 = 0, then gene 2 of
    // individual 5 becomes 39. Seed 0 draws 38, then gene 0 of 4 becomes 142.
    // From all genes 177, those score (177 + 177 + 117) and (142 + 177 + 255) / 765.
    const std::tuple<int32_t, uint32_t, int32_t, int32_t, const char*> cases[] = {
        {0, 907, -1, 0, "\nKeine Mutation\n"},
        {1, 907, 17, 39, "Hallo Mutation ergibt neue Fitness 0.615686"},
        {39, 0, 12, 142, "Hallo Mutation ergibt neue Fitness 0.750327"}};
    for (const auto& [rate, seed, gene, value, text] : cases) {
        config.mutationRate = rate;
        Ints genes(18, 177);
        auto pop = make(genes);
        if (gene >= 0) genes[static_cast<size_t>(gene)] = value;
        random.seed(seed);
        mutate(*pop);
        EXPECT_EQ(std::tuple(takeReport(), allGenes(*pop), random.state()),
                  std::tuple(text, genes, after(seed, gene < 0 ? 1 : 4)));
    }
}

TEST_F(GeneticTest, SelectionWritesTheHeaderThenRunsTheStrategyOnTheWorst) {
    // Kinds 6 and -1 select nothing; only MinMaxSubst and Tournament rate the
    // worst again. MinMaxCross: seeds 6, 7, 1, 2, 11 cut at 1, 1, 2, 0, 2 and
    // toss heads (the genes from the cut on), tails (up to it), heads, tails,
    // tails. Tournament: seed 192 draws contenders 5, 1, 1, 2, 1, 5, 5, 2, 1, 1,
    // each followed by three challengers % 255 held against the best (0); 1
    // keeps 251 when 249 comes, as far from 250, and ends at {251, 205, 219}.
    const std::tuple<int32_t, uint32_t, int, Genes, int32_t> cases[] = {
        {6, 5, 0, {0, 0, 0}, -1},        {-1, 5, 0, {0, 0, 0}, -1},
        {0, 5, 0, {250, 250, 170}, 748}, {1, 192, 40, {251, 205, 219}, 669},
        {3, 6, 2, {0, 250, 170}, -1},    {3, 7, 2, {250, 250, 0}, -1},
        {3, 1, 2, {0, 0, 170}, -1},      {3, 2, 2, {250, 0, 0}, -1},
        {3, 11, 2, {250, 250, 170}, -1}};
    for (const auto& [kind, seed, draws, genes, score] : cases) {
        auto pop = make(kSpread);
        const float worst = pop->at(1).fitness;
        random.seed(seed);
        select(*pop, static_cast<SelectionKind>(kind));
        EXPECT_EQ(takeReport(), "\nHallo Selektion\n\nMax Fitness 0 = 250\nMin Fitness 0 = 0\n");
        EXPECT_EQ(std::tuple(pop->at(0).genes, pop->at(1).genes, random.state()),
                  std::tuple(Genes{250, 250, 170}, genes, after(seed, draws)));
        EXPECT_FLOAT_EQ(pop->at(1).fitness, score < 0 ? worst : score / 765.0f) << kind;
    }
}

TEST_F(GeneticTest, NeighbourCrossesTheLowestOtherIndividualIntoTheWorst) {
    // The worst is 1. Lowest besides it: 2 and 3 alike (2 is taken), then 0,
    // then nobody below 1.0 (no draw). Seed 6 cuts at 1, heads: genes 1 and 2.
    config.popSize = 4;
    for (const auto& [genes, crossed] :
         {std::pair{Ints{250, 250, 170, 0, 0, 0, 100, 110, 100, 110, 100, 100}, true},
          {Ints{100, 110, 100, 0, 0, 0, 250, 250, 170, 200, 200, 150}, true},
          {Ints{255, 255, 177, 0, 0, 0, 255, 255, 177, 255, 255, 177}, false}}) {
        auto pop = make(genes);
        random.seed(6);
        select(*pop, SelectionKind::Neighbour);
        EXPECT_EQ(
            std::tuple(pop->at(1).genes, random.state()),
            crossed ? std::tuple(Genes{0, 110, 100}, after(6, 2)) : std::tuple(Genes{0, 0, 0}, 6u));
        EXPECT_FLOAT_EQ(pop->at(1).fitness, (crossed ? 110 + 178 : 78) / 765.0f);
    }
}

TEST_F(GeneticTest, RouletteWheelGivesBelowAverageATenPercentChanceAtADonorAbove) {
    auto pop = make({255, 255, 177, 0, 0, 0, 128, 128, 128, 250, 250, 170, 5, 5, 5, 10, 10, 10});
    pop->averageFitness = pop->at(2).fitness;  // 2 neither gives nor receives
    // Seed 22: 1 draws 110 % 100 = 10 and misses; 4 draws 14808 % 100 = 8, then
    // donor entry 21034 % 2 = 0 (individual 0), cut 0, heads; 5 draws 32649, misses.
    random.seed(22);
    select(*pop, SelectionKind::RouletteWheel);
    EXPECT_EQ(allGenes(*pop), (Ints{255, 255, 177, 0, 0, 0, 128, 128, 128, 250, 250, 170, 255, 255,
                                    177, 10, 10, 10}));
    EXPECT_EQ(std::pair(pop->at(4).fitness, random.state()), std::pair(1.0f, after(22, 6)));
    // All below, no donor: each still draws its chance, and 3 (26500 % 100 = 0)
    // hits with nobody to take from.
    const Ints before = allGenes(*pop);
    pop->averageFitness = 2.0f;
    random.seed(1);
    rouletteWheel(*pop);
    EXPECT_EQ(std::pair(allGenes(*pop), random.state()), std::pair(before, after(1, 6)));
    // A draw of 9 (seed 83: 309) still hits: donor, cut and toss follow.
    config.popSize = 2;
    pop = make({0, 0, 0, 255, 255, 177});
    random.seed(83);
    rouletteWheel(*pop);
    EXPECT_EQ(random.state(), after(83, 4));
}

TEST_F(GeneticTest, ExcentricCopiesTheMostExcentricAtOrAboveAverageIntoTheWorst) {
    // Means 999, 0 and 1 / 2 = 0; total deviations 999 and 1000: whole thousands 0 and 1.
    config = {2, 0, 3000, 0, 0, FitnessKind::GeneCloseness};
    auto pop = make({0, 0, 0, 1998, 0, 1});
    EXPECT_EQ(std::pair(excentricity(*pop, 0), excentricity(*pop, 1)), std::pair(0.0f, 1.0f));
    // Means 867, 867, 854; excentricities 3, 2, 1, 0, 0, 1. The worst (0) is the
    // most excentric but below average: 1 is copied.
    config.popSize = 6;
    pop = make(
        {1999, 1999, 1999, 0, 0, 0, 1400, 1400, 1400, 850, 850, 850, 700, 700, 700, 255, 255, 177});
    select(*pop, SelectionKind::Excentric);
    EXPECT_EQ(pop->at(0).genes, (Genes{0, 0, 0}));
    // Converged: all at the average and excentricity 0, so the last (3) goes into 0.
    config.popSize = 4;
    pop = make({255, 245, 177, 245, 255, 177, 255, 245, 177, 245, 255, 177});
    pop->averageFitness = pop->at(0).fitness;
    select(*pop, SelectionKind::Excentric);
    EXPECT_EQ(pop->at(0).genes, (Genes{245, 255, 177}));
}

TEST_F(GeneticTest, CrossbreedingMatesTheWeakestPairsOfTheLastRanking) {
    // Ranks 0 to 4 (weakest first) are individuals 3, 1, 0, 2, 4 with genes
    // 40 r + 7 (r % 2) + g, scoring 81, 222, 321, 462 and 561 / 765.
    const Ints ranked = {80, 81, 82, 47, 48, 49, 127, 128, 129, 0, 1, 2, 160, 161, 162};
    config.popSize = 5;
    // Only elite and enrichment mate; the transcripts show the others leave all alone.
    for (int kind : {0, 1, 2, 3, 4}) EXPECT_EQ(mates(CrossbreedKind(kind)), kind == 1 || kind == 2);
    config.crossoverCount = 9;  // two pairs fit
    auto pop = make(ranked);
    random.seed(0);
    crossbreed(*pop, CrossbreedKind::Elite);
    const std::string ranks = "0.105882\t\t3\n0.290196\t\t1\n0.419608\t\t0\n0.603922\t\t2\n";
    const std::string sorted = "Jetzt ist der Vektor sortiert",
                      listing = ranks + "0.733333\t\t4\n" + sorted;
    EXPECT_EQ(takeReport(), listing + listing + listing + listing);
    EXPECT_EQ(random.state(), after(0, 2)) << "one phase per exchange";
    // Exchange: (3, 1) swap gene 1 (phase 38 % 2 = 0), (0, 2) genes 0 and 2
    // (7719 % 2 = 1); both are rated. Enrichment then moves whichever of a pair
    // is farther from 4 halfway to the other, truncating.
    EXPECT_EQ(allGenes(*pop),
              (Ints{127, 104, 129, 47, 24, 49, 103, 128, 105, 23, 48, 25, 160, 161, 162}));
    for (const auto& [i, score] : {std::pair{3, 128}, {1, 175}, {0, 415}, {2, 368}})
        EXPECT_FLOAT_EQ(pop->at(i).fitness, score / 765.0f) << i;
    // Each line is flushed; a changed ranking is listed anew, even in the same order.
    s().report.redirect(nullptr);
    testing::CoutCapture out;
    pop->fitnessList[4].value = 0.75f;
    sortFitnessList(*pop);
    EXPECT_EQ(out.text(), ranks + "0.75\t\t4\n" + sorted);
    EXPECT_EQ(out.flushes, 5);
    // On a tie in distance the fitter moves; on a tie in fitness b counts as fitter.
    pop = make({200, 10, 50, 100, 101, 60, 150, 100, 50});
    pop->bestIndex = 2;
    pop->at(0).fitness = pop->at(1).fitness = 0.5f;
    enrich(*pop, 0, 1);  // gene 0: b moves; gene 1: a is farther; gene 2: b is
    EXPECT_EQ(std::tuple(pop->at(0).genes, pop->at(1).genes, pop->at(0).fitness),
              std::tuple(Genes{200, 55, 50}, Genes{150, 101, 55}, 0.5f));
}

class EvolutionTest : public testing::StateTest {
  protected:
    EvolutionTest() { bind(); }
    void set(const char* name, int32_t value) { *engine.var(name) = abi::fromInt(value); }
};

TEST_F(EvolutionTest, BuiltFromTheSettingsShownAsEntitiesAndRunAGenerationAtATime) {
    Evolution& evolution = s().evolution;
    const Context context = s().geneticContext();
    evolution.runGeneration();  // no population: nothing
    EXPECT_EQ(std::tuple(takeReport(), engine.var("bigarray")[0], evolution.hasPopulation()),
              std::tuple("", 0, false));
    s().random.seed(99);
    evolution.bindAction(context);
    EXPECT_EQ(s().random.state(), kClockSeed) << "init_Ortavia seeds";
    set("num_elem", 7);
    set("mutation", 1000);
    set("crossover", 3);
    evolution.createPopulation(context, {SelectionKind::Tournament, CrossbreedKind::Elite});
    EXPECT_EQ(takeReport().rfind("MaxFitnesst ", 0), 0u);
    const Population& pop = *evolution.population();
    EXPECT_EQ(std::tuple(pop.config.mutationRate, pop.config.crossoverCount, pop.config.selection,
                         pop.config.crossbreed),
              std::tuple(1000, 3, SelectionKind::Tournament, CrossbreedKind::Elite));
    // The population's own record draws three, its genes 21, then each entity
    // x, y, z. The level rates in 1024ths.
    uint32_t genes = after(kClockSeed, 3), place = after(kClockSeed, 3 + 3 * 7);
    ASSERT_EQ(engine.entityRecords().size(), 7u);
    for (int32_t i = 0; i < 7; ++i) {
        const int32_t* e = engine.entityRecords()[static_cast<size_t>(i)];
        const int g0 = draw(genes) % 255, g1 = draw(genes) % 255, g2 = draw(genes) % 255;
        const int x = draw(place) % 800 - 400, y = draw(place) % 800 - 400,
                  z = draw(place) % 90 - 15;
        EXPECT_EQ((Ints{e[4], e[5], e[6], e[23], e[22], e[21]}),
                  (Ints{x * 1024, y * 1024, z * 1024, g0 * 1024, g1 * 1024, g2 * 1024}));
        EXPECT_EQ(std::tuple(engine.entity(e)->model, engine.entity(e)->action, pop.at(i).fitness),
                  std::tuple("ball.mdl", engine.handle("ent_wander"),
                             level.verdictOf(g0, g1, g2) / 1024.0f));
    }
    EXPECT_EQ(s().random.state(), place);

    const std::tuple<int32_t, int32_t, const char*> refusals[] = {
        {201, 3, "num_elem ist 201, erlaubt sind 1 bis 200"},
        {0, 3, "num_elem ist 0, erlaubt sind 1 bis 200"},
        {7, 4, "stringlength ist 4, erlaubt ist nur 3"},
        {-1, 3, "num_elem ist nicht gebunden"}};
    for (const auto& [size, length, why] : refusals) {
        set("num_elem", size);
        set("stringlength", length);
        if (size < 0) engine.remove("num_elem");
        s().script.bind(script::Stage::Interface, s().engine);
        evolution.createPopulation(context, {});
        EXPECT_EQ(takeReport(), "Fehler: " + std::string(why) + "; keine neue Population\n");
        engine.restore("num_elem");
    }
    EXPECT_EQ(std::tuple(evolution.population(), engine.entitiesCreated(), engine.liveEntities()),
              std::tuple(&pop, size_t{7}, size_t{7}));

    engine.clearCalls();
    rateByScript(context);  // MyFitness: one call while the function is bound, none after
    engine.remove("CalculateFitness");
    s().script.bind(script::Stage::Interface, s().engine);
    rateByScript(context);
    for (int32_t size : {200, 1}) {  // a new population replaces the old one's entities
        set("num_elem", size);
        evolution.createPopulation(context, {});
        EXPECT_EQ(engine.liveEntities(), static_cast<size_t>(size));
    }
    EXPECT_EQ(engine.calls().size(), 1u);
}

}  // namespace
}  // namespace evoplug::genetic
