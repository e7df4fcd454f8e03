// The genetic algorithm: the closeness evaluators, the statistics pass, and
// the operators' edges that the strategy transcripts, which fix every draw
// of a run, do not reach. Genes at total distance d from the target score
// (765 - d) / 765.
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "genetic/closeness.h"
#include "genetic/operators.h"
#include "genetic/ranking_listing.h"
#include "support/output_capture.h"
#include "support/state_fixture.h"

namespace evoplug::genetic {
namespace {

using evoplug::testing::after;
using evoplug::testing::kClockSeed;
using Ints = std::vector<int32_t>;

Ints allGenes(const Population& pop) {
    Ints all;
    for (const Individual& ind : pop.individuals)
        all.insert(all.end(), ind.genes.begin(), ind.genes.end());
    return all;
}

// Answers the fitness the test chose for each index and notes whom it rated.
struct Chosen {
    std::vector<float> fitness;
    mutable Ints rated;

    Evaluator evaluator() const {
        return {[](const void* self, const Genes&, int32_t i) {
                    const auto& chosen = *static_cast<const Chosen*>(self);
                    chosen.rated.push_back(i);
                    return chosen.fitness[static_cast<size_t>(i)];
                },
                this};
    }
};

class GeneticTest : public evoplug::testing::StateTest {
  protected:
    // Built from `config`, judged by `evaluator`; given genes (three per
    // individual from 0 on), a statistics pass follows. The reports are dropped.
    std::unique_ptr<Population> make(const Ints& genes = {}) {
        auto pop = std::make_unique<Population>(config, s().geneticContext(), evaluator);
        for (size_t k = 0; k < genes.size(); ++k)
            pop->at(static_cast<int32_t>(k / 3)).genes[k % 3] = genes[k];
        if (!genes.empty()) pop->updateStatistics();
        takeReport();
        chosen.rated.clear();
        return pop;
    }

    // Six individuals, genes 0 .. 254, no mutation, no mating.
    PopulationConfig config{6, 0, 255, 0, 0};
    const Closeness closeness;
    Chosen chosen;
    Evaluator evaluator = geneCloseness(closeness);
    runtime::Random& random = s().random;
};

TEST(Closeness, ScoresTheDistanceToTheTarget) {
    // Per gene 1 - distance / 255, so distance 1 scores 764 / 765 overall;
    // the mean rates the truncated gene mean (62 / 3 = 20) against the first target.
    const Closeness closeness;
    const Evaluator genes = geneCloseness(closeness), mean = meanCloseness(closeness);
    const std::tuple<const Evaluator*, Genes, float> cases[] = {
        {&genes, {255, 255, 177}, 1.0f},         {&genes, {254, 255, 177}, 764 / 765.0f},
        {&genes, {255, 255, 178}, 764 / 765.0f}, {&genes, {0, 255, 432}, 1 / 3.0f},
        {&mean, {10, 20, 32}, 20 / 255.0f},      {&mean, {300, 300, 301}, 1 - 45 / 255.0f}};
    for (const auto& [evaluator, values, fitness] : cases)
        EXPECT_FLOAT_EQ((*evaluator)(values, 0), fitness) << values[0] << " " << values[2];
}

TEST_F(GeneticTest, StatisticsPassReseedsAndKeepsTheFirstOfEquals) {
    // Best and worst need a strict improvement on 0.0 and 1.0: the first of
    // equals wins, and with nobody above 0.0 or below 1.0 the pass before's stays.
    const struct {
        const char* name;
        std::vector<float> fitness;
        int32_t best, worst;
        float average;
    } passes[] = {
        {"all 1", {1, 1, 1, 1}, 0, 3, 1.0f},
        {"spread", {0.5f, 0.75f, 0.75f, 0.25f}, 1, 3, 0.5625f},
        {"all 0", {0, 0, 0, 0}, 1, 0, 0.0f},
    };
    config.popSize = 4;
    chosen.fitness = {0.5f, 0.75f, 0.75f, 0.25f};
    evaluator = chosen.evaluator();
    // Means truncate: 510 / 4 and 354 / 4.
    auto pop = make({0, 0, 0, 255, 255, 177, 0, 0, 0, 255, 255, 177});
    for (const auto& pass : passes) {
        SCOPED_TRACE(pass.name);
        chosen.fitness = pass.fitness;
        takeReport();
        random.seed(99);
        pop->updateStatistics();
        const Statistics& statistics = pop->statistics();
        EXPECT_EQ(statistics.best, pass.best);
        EXPECT_EQ(statistics.worst, pass.worst);
        EXPECT_EQ(statistics.average, pass.average);
        EXPECT_EQ(statistics.geneMeans, (Genes{127, 127, 88}));
        EXPECT_EQ(random.state(), kClockSeed);
    }
    EXPECT_EQ(takeReport(), "MaxFitnesst 0 MinFitness  0\nAverage Fitness ist 0 \n");
}

// A new population's first pass has no pass before it to keep.
TEST_F(GeneticTest, AFirstPassThatNobodyBeatsLeavesBestAndWorstAtIndexZero) {
    evaluator = chosen.evaluator();
    for (float all : {0.0f, 1.0f}) {
        chosen.fitness.assign(6, all);
        const auto fresh = make();
        EXPECT_EQ(fresh->statistics().best, 0) << all;
        EXPECT_EQ(fresh->statistics().worst, 0) << all;
    }
}

TEST_F(GeneticTest, RouletteWheelGivesBelowAverageATenPercentChanceAtADonorAbove) {
    // Average 0.5: 0 and 3 are donors, 2 neither gives nor receives.
    chosen.fitness = {1.0f, 0.125f, 0.5f, 0.875f, 0.25f, 0.25f};
    evaluator = chosen.evaluator();
    Ints genes = {255, 255, 177, 0, 0, 0, 128, 128, 128, 250, 250, 170, 5, 5, 5, 10, 10, 10};
    auto pop = make(genes);
    // Seed 22: 1 draws 110 % 100 = 10 and misses; 4 draws 14808 % 100 = 8, then
    // donor entry 21034 % 2 = 0 (individual 0), cut 0, heads; 5 draws 32649, misses.
    random.seed(22);
    select(*pop, SelectionKind::RouletteWheel);
    std::copy(genes.begin(), genes.begin() + 3, genes.begin() + 12);
    EXPECT_EQ(allGenes(*pop), genes);
    EXPECT_EQ(chosen.rated, Ints{4});
    EXPECT_EQ(random.state(), after(22, 6));
    // Rated down since the pass, all are below the average and nobody above:
    // each still draws its chance, and 3 (26500 % 100 = 0) hits with nobody to take from.
    chosen.fitness.assign(6, 0.0f);
    for (int32_t i = 0; i < 6; ++i) pop->rate(i);
    random.seed(1);
    select(*pop, SelectionKind::RouletteWheel);
    EXPECT_EQ(allGenes(*pop), genes);
    EXPECT_EQ(random.state(), after(1, 6));
    // A draw of 9 (seed 83: 309) still hits: donor, cut and toss follow.
    config.popSize = 2;
    chosen.fitness = {0.0f, 0.5f};
    pop = make({0, 0, 0, 255, 255, 177});
    random.seed(83);
    select(*pop, SelectionKind::RouletteWheel);
    EXPECT_EQ(random.state(), after(83, 4));
}

TEST_F(GeneticTest, ExcentricCopiesTheMostExcentricAtOrAboveAverageIntoTheWorst) {
    // Means 999, 0 and 1 / 2 = 0; total deviations 999 and 1000: whole thousands 0 and 1.
    config = {2, 0, 3000, 0, 0};
    chosen.fitness = {0.5f, 0.5f};
    evaluator = chosen.evaluator();
    auto pop = make({0, 0, 0, 1998, 0, 1});
    EXPECT_EQ(excentricity(*pop, 0), 0.0f);
    EXPECT_EQ(excentricity(*pop, 1), 1.0f);
    // Means 867, 867, 854; excentricities 3, 2, 1, 0, 0, 1. The worst (0) is the
    // most excentric but below average: 1 is copied.
    config.popSize = 6;
    chosen.fitness = {0.0f, 0.75f, 0.5f, 0.5f, 0.5f, 0.5f};
    pop = make(
        {1999, 1999, 1999, 0, 0, 0, 1400, 1400, 1400, 850, 850, 850, 700, 700, 700, 255, 255, 177});
    select(*pop, SelectionKind::Excentric);
    EXPECT_EQ(pop->at(0).genes, (Genes{0, 0, 0}));
    // Converged: all at the average and excentricity 0, so the last (3) goes
    // into the worst (0), which is rated twice.
    config.popSize = 4;
    chosen.fitness.assign(4, 0.5f);
    pop = make({255, 245, 177, 245, 255, 177, 255, 245, 177, 245, 255, 177});
    select(*pop, SelectionKind::Excentric);
    EXPECT_EQ(pop->at(0).genes, (Genes{245, 255, 177}));
    EXPECT_EQ(chosen.rated, (Ints{0, 0}));
}

TEST(RankingListing, FlushesEachLineAndListsAChangedRankingAnew) {
    testing::OutputCapture out;
    runtime::Report report;
    RankingListing listing;
    const IndexedList first = {{3, 0.105882f}, {4, 0.733333f}};
    IndexedList second = first;
    second[1].value = 0.75f;  // the same order
    listing.print(report, first);
    listing.print(report, second);
    EXPECT_EQ(out.stop(), "0.105882\t\t3\n0.733333\t\t4\n0.105882\t\t3\n0.75\t\t4\n");
}

}  // namespace
}  // namespace evoplug::genetic
