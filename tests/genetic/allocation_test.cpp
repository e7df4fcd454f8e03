// A generation in its steady state must not allocate: the engine calls
// `evolution` every frame.
#include <cstdlib>
#include <new>

#include "genetic/generation.h"
#include "genetic/operators.h"
#include "genetic_test_support.h"

namespace {
size_t allocations = 0;
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace evoplug::genetic::testing {
namespace {

class Discard : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
};

TEST_F(GeneticTest, GenerationsAllocateNothingOnceBuilt) {
    Discard sink;
    std::streambuf* previous = std::cout.rdbuf(&sink);
    for (int32_t selection = 0; selection < 6; ++selection) {
        for (int32_t crossbreed = 0; crossbreed < 5; ++crossbreed) {
            PopulationOptions o;
            o.popSize = 200;
            o.mutationRate = 1000;
            o.crossoverCount = 100;
            o.selectionKind = selection;
            o.crossbreedKind = crossbreed;
            auto pop = makePopulation(o);
            const size_t before = allocations;
            runGenerations(*pop, 3, 0, 0);
            EXPECT_EQ(allocations, before)
                << "selection " << selection << ", crossbreed " << crossbreed;
        }
    }
    std::cout.rdbuf(previous);
}

}  // namespace
}  // namespace evoplug::genetic::testing
