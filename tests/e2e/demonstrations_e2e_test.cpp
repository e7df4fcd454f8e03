#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "plugin_fixture.h"

namespace evoplug::e2e {
namespace {

namespace particle = abi::particle;
namespace entity = abi::entity;

class DemoE2ETest : public PluginTest {
  protected:
    void attach() { ASSERT_EQ(call().A5_DLLAPI(engine.interfaceRecord()), 511); }
};

TEST_F(DemoE2ETest, NothingActsBeforeTheEngineIsHandedOver) {
    int32_t record[entity::kWords] = {};
    EXPECT_EQ(call().PaintScreenWhite(), 0);
    EXPECT_EQ(call().AddToSkySpeed(1024), 0);
    EXPECT_EQ(call().ZoomIn(1024), 0);
    EXPECT_EQ(call().DistAhead(record), 0);
    EXPECT_EQ(call().DLLEffect_Explo(record), 0);
    EXPECT_EQ(engine.locks(), 0);
    EXPECT_TRUE(std::all_of(engine.pixels().begin(), engine.pixels().end(),
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(engine.var("sky_speed")[0], 0);
    EXPECT_TRUE(
        std::all_of(std::begin(record), std::end(record), [](int32_t w) { return w == 0; }));
}

TEST_F(DemoE2ETest, NumbersAndEntityWords) {
    attach();
    EXPECT_EQ(call().Square(3072), 9216);
    EXPECT_EQ(call().Square(std::numeric_limits<int32_t>::min()),
              std::numeric_limits<int32_t>::max());
    EXPECT_EQ(call().bin_extern(), 0);

    int32_t record[entity::kWords] = {};
    record[entity::kTilt] = 7;
    for (int i = 0; i < 1024; ++i) call().CPlusPlayer_main(record);
    EXPECT_EQ(record[entity::kTilt], 7 + 5120);
    record[entity::kTilt] = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(call().CPlusPlayer_main(record), std::numeric_limits<int32_t>::min() + 4);
    EXPECT_EQ(call().FlipUpsideDown(record), 1024);
    EXPECT_EQ(record[entity::kRoll], 184320);

    EXPECT_EQ(call().CPlusPlayer_main(nullptr), 0);
    EXPECT_EQ(call().FlipUpsideDown(nullptr), 0);
    EXPECT_EQ(call().DistAhead(nullptr), 0);
    EXPECT_EQ(call().DLLEffect_Explo(nullptr), 0);
    EXPECT_EQ(call().DLLPart_Alphafade(nullptr), 0);
    EXPECT_EQ(call().SetCloudSpeed(nullptr), 0);
}

TEST_F(DemoE2ETest, SkyCloudCameraAndTheirAbsence) {
    attach();
    int32_t* sky = engine.var("sky_speed");
    EXPECT_EQ(call().AddToSkySpeed(-1024), 1024);
    EXPECT_EQ(sky[0], -1024);
    EXPECT_EQ(sky[1], -1024);
    int32_t speeds[2] = {2048, 4096};
    EXPECT_EQ(call().SetCloudSpeed(speeds), 1024);
    EXPECT_EQ(engine.var("cloud_speed")[1], 4096);
    EXPECT_EQ(call().ZoomIn(-512), 512);
    EXPECT_EQ(engine.var("camera")[abi::camera::kZoomWord], 512);

    for (const char* name : {"sky_speed", "cloud_speed", "camera", "trace_mode"})
        engine.remove(name);
    int32_t record[entity::kWords] = {};
    EXPECT_EQ(call().AddToSkySpeed(1024), 0);
    EXPECT_EQ(call().SetCloudSpeed(speeds), 0);
    EXPECT_EQ(call().ZoomIn(1024), 0);
    EXPECT_EQ(call().DistAhead(record), 0);
    EXPECT_TRUE(engine.traces().empty());
}

TEST_F(DemoE2ETest, DistAheadTracesFromTheEntity) {
    attach();
    int32_t record[entity::kWords] = {};
    record[entity::kPosition + 0] = 5 * 1024;
    record[entity::kPosition + 2] = -3 * 1024;
    record[entity::kPan] = 90 * 1024;  // ahead is +y
    EXPECT_EQ(call().DistAhead(record), 1024000);
    ASSERT_EQ(engine.traces().size(), 1u);
    EXPECT_EQ(engine.traces()[0].from, std::vector<int32_t>({5 * 1024, 0, -3 * 1024}));
    EXPECT_EQ(engine.traces()[0].to, std::vector<int32_t>({5 * 1024, 1000 * 1024, -3 * 1024}));
    EXPECT_EQ(engine.traces()[0].traceMode, 8393728);
}

TEST_F(DemoE2ETest, ExplosionFromTheGeneratorsStartStateAndItsFade) {
    attach();
    // A fresh library copy has never seeded its generator: state 1.
    std::vector<int> draws;
    uint32_t state = 1;
    for (int i = 0; i < 4; ++i) {
        state = state * 214013u + 2531011u;
        draws.push_back(static_cast<int>((state >> 16) & 0x7fff));
    }
    auto velocity = [](int r) { return static_cast<int32_t>((r * 10.0 / 32767.0 - 5.0) * 1024.0); };

    int32_t spent[particle::kWords] = {};
    spent[particle::kLife] = 1;
    spent[particle::kAlpha] = 4096;
    EXPECT_EQ(call().DLLPart_Alphafade(spent), 0);  // not yet bound
    EXPECT_EQ(spent[particle::kAlpha], 4096);
    EXPECT_EQ(spent[particle::kLife], 1);

    int32_t p[particle::kWords] = {};
    p[particle::kFlags] = 0x1;
    p[particle::kColour + 1] = p[particle::kColour + 2] = 99;
    EXPECT_EQ(call().DLLEffect_Explo(p), 0);
    EXPECT_EQ(p[particle::kFlags], 0x208901);
    EXPECT_EQ(p[particle::kVelocity + 0], velocity(draws[0]));
    EXPECT_EQ(p[particle::kVelocity + 1], velocity(draws[1]));
    EXPECT_EQ(p[particle::kVelocity + 2], velocity(draws[2]));
    EXPECT_EQ(p[particle::kAlpha],
              static_cast<int32_t>((draws[3] * 50.0 / 32767.0 + 50.0) * 1024.0));
    EXPECT_EQ(p[particle::kColour], 261120);
    EXPECT_EQ(p[particle::kColour + 1], 0);
    EXPECT_EQ(p[particle::kColour + 2], 0);
    EXPECT_EQ(p[particle::kFunction], engine.handle("DLLPart_Alphafade"));

    ASSERT_EQ(*engine.var("time"), 1024);
    EXPECT_EQ(call().DLLPart_Alphafade(spent), 0);
    EXPECT_EQ(spent[particle::kAlpha], 0);
    EXPECT_EQ(spent[particle::kLife], 0);
}

TEST_F(PluginTest, CorpusExportsCountAsTheScriptSeesThem) {
    EXPECT_EQ(call().CorpusReduce(), 0);
    EXPECT_EQ(call().countup(), 1024);
    EXPECT_EQ(call().CorpusInit(), 1024);
    EXPECT_EQ(call().CorpusInit(), 2048);
    EXPECT_EQ(call().CorpusInit(), 3072);
    EXPECT_EQ(call().countup(), 2048);
    EXPECT_EQ(call().CorpusReduce(), 2048);
    EXPECT_EQ(call().CorpusInit(), 3072);
}

}  // namespace
}  // namespace evoplug::e2e
