// UpdateEntities shows the evolving population on its entities.
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

// Each entity's gene words, gene 0 first, in the order of "bigarray".
std::vector<int32_t> entityGenes(const host::Engine& engine) {
    std::vector<int32_t> genes;
    for (const int32_t* e : engine.entityRecords())
        for (int w : {EVOPLUG_ENTITY_GENE0, EVOPLUG_ENTITY_GENE1, EVOPLUG_ENTITY_GENE2})
            genes.push_back(e[w]);
    return genes;
}

TEST_F(PluginTest, UpdateEntitiesWritesEveryIndividualsCurrentGenesIntoItsEntity) {
    level.apply({6, 3, 1000, 2});           // every generation mutates
    EXPECT_EQ(call().UpdateEntities(), 0);  // no population yet
    level.begin(*plugin, 0, 1);
    for (int g = 0; g < 5; ++g) call().evolution(0, 0);
    const int32_t* big = engine.var("bigarray");
    const std::vector<int32_t> current(big, big + 18);
    ASSERT_NE(entityGenes(engine), current);  // the entities still show the first genes

    EXPECT_EQ(call().UpdateEntities(), host::fromInt(6));
    EXPECT_EQ(entityGenes(engine), current);

    // Individuals without an entity are skipped.
    engine.setEntityCreationFails(true);
    call().CreateGenotype();
    EXPECT_EQ(call().UpdateEntities(), 0);
}

}  // namespace
}  // namespace evoplug::e2e
