// The demonstration and corpus exports through the loaded plug-in.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

namespace particle = abi::particle;
namespace entity = abi::entity;

using DemoE2ETest = PluginTest;

// Before A5_DLLAPI, with null records or without their variables: 0, nothing written.
TEST_F(DemoE2ETest, NothingActsWithoutItsRecordsOrBeforeTheEngineIsHandedOver) {
    int32_t record[entity::kWords] = {}, speeds[2] = {2048, 4096};
    EXPECT_EQ(call().PaintScreenWhite() | call().AddToSkySpeed(1024) | call().ZoomIn(1024) |
                  call().DistAhead(record) | call().DLLEffect_Explo(record) |
                  call().SetCloudSpeed(speeds),
              0);
    EXPECT_EQ(engine.locks(), 0);
    EXPECT_EQ(*std::max_element(engine.pixels().begin(), engine.pixels().end()), 0);
    EXPECT_EQ(engine.var("sky_speed")[0] | engine.var("cloud_speed")[0] |
                  engine.var("camera")[abi::camera::kZoomWord],
              0);
    EXPECT_EQ(std::count(record, record + entity::kWords, 0), entity::kWords);

    attach();
    EXPECT_EQ(call().CPlusPlayer_main(nullptr) | call().FlipUpsideDown(nullptr) |
                  call().DistAhead(nullptr) | call().DLLEffect_Explo(nullptr) |
                  call().DLLPart_Alphafade(nullptr) | call().SetCloudSpeed(nullptr),
              0);
    for (const char* name : {"sky_speed", "cloud_speed", "camera"}) engine.remove(name);
    EXPECT_EQ(call().AddToSkySpeed(1024) | call().SetCloudSpeed(speeds) | call().ZoomIn(1024), 0);
}

TEST_F(DemoE2ETest, EachExportActsOnItsOwnWords) {
    attach();
    int32_t record[entity::kWords] = {}, speeds[2] = {2048, 4096};
    record[entity::kTilt] = 7;
    for (int i = 0; i < 1024; ++i) call().CPlusPlayer_main(record);
    EXPECT_EQ(record[entity::kTilt], 7 + 5120);
    record[entity::kTilt] = 2147483647;  // wraps as the engine's words do
    EXPECT_EQ(call().CPlusPlayer_main(record), -2147483647 + 3);
    EXPECT_EQ(call().FlipUpsideDown(record), 1024);
    EXPECT_EQ(record[entity::kRoll], 180 * 1024);
    EXPECT_EQ(call().AddToSkySpeed(-1024) + call().SetCloudSpeed(speeds), 2048);
    EXPECT_EQ(call().ZoomIn(-512), 512);
    const int32_t *sky = engine.var("sky_speed"), *cloud = engine.var("cloud_speed");
    EXPECT_EQ(std::vector<int32_t>({sky[0], sky[1], cloud[0], cloud[1],
                                    engine.var("camera")[abi::camera::kZoomWord]}),
              std::vector<int32_t>({-1024, -1024, 2048, 4096, 512}));
}

TEST_F(DemoE2ETest, ExplosionFromTheGeneratorsStartStateAndItsFade) {
    attach();
    // A fresh library copy has never seeded its generator: state 1.
    std::vector<int32_t> draws;
    for (uint32_t i = 0, state = 1; i < 4; ++i) {
        state = state * 214013u + 2531011u;
        draws.push_back(static_cast<int32_t>((state >> 16) & 0x7fff));
    }
    auto scaled = [&](int i, double limit, double add) {
        return static_cast<int32_t>((draws[i] * limit / 32767.0 + add) * 1024.0);
    };
    int32_t spent[particle::kWords] = {};
    spent[particle::kLife] = 1;
    spent[particle::kAlpha] = 4096;
    call().DLLPart_Alphafade(spent);  // "time" is not bound yet
    EXPECT_EQ(spent[particle::kAlpha], 4096);

    int32_t p[particle::kWords] = {};
    p[particle::kFlags] = 0x1;
    p[particle::kColour + 1] = p[particle::kColour + 2] = 99;
    EXPECT_EQ(call().DLLEffect_Explo(p), 0);
    EXPECT_EQ(p[particle::kFlags], 0x208901);
    EXPECT_EQ(std::vector<int32_t>(p + particle::kVelocity, p + particle::kVelocity + 3),
              std::vector<int32_t>({scaled(0, 10, -5), scaled(1, 10, -5), scaled(2, 10, -5)}));
    EXPECT_EQ(p[particle::kAlpha], scaled(3, 50, 50));
    EXPECT_EQ(std::vector<int32_t>(p + particle::kColour, p + particle::kColour + 3),
              std::vector<int32_t>({255 * 1024, 0, 0}));
    EXPECT_EQ(p[particle::kFunction], engine.handle("DLLPart_Alphafade"));

    EXPECT_EQ(call().DLLPart_Alphafade(spent), 0);  // 4 x "time" (1.0)
    EXPECT_EQ(spent[particle::kAlpha] | spent[particle::kLife], 0);
}

TEST_F(PluginTest, CorpusExportsCountAsTheScriptSeesThem) {
    const host::Exports& e = call();
    std::vector<int32_t> counts;  // countup keeps a count of its own
    for (auto count : {e.CorpusReduce, e.countup, e.CorpusInit, e.CorpusInit, e.CorpusInit,
                       e.countup, e.CorpusReduce, e.CorpusInit, e.CorpusReduce, e.CorpusReduce,
                       e.CorpusReduce, e.CorpusReduce, e.CorpusInit})
        counts.push_back(count());
    EXPECT_EQ(counts, std::vector<int32_t>(
                          {0, 1024, 1024, 2048, 3072, 2048, 2048, 3072, 2048, 1024, 0, 0, 1024}));
}

}  // namespace
}  // namespace evoplug::e2e
