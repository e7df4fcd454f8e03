// The demonstrations on the stand-in engine's standard level.
#include "demo/demonstrations.h"

#include <algorithm>

#include "support/state_fixture.h"

namespace evoplug::demo {

using abi::fromInt;
using Words = std::vector<int32_t>;

struct DemoTest : testing::StateTest {
    DemoTest() { attach(); }
    bridge::EngineLink& link = s().engine;
};

TEST_F(DemoTest, EffectsChangeTheirRecordAndDoNothingWithoutIt) {
    using namespace abi::entity;
    int32_t e[kWords] = {}, speeds[2] = {2048, -4096};
    const bridge::EntityRecord entity(e);
    e[kTilt] = INT32_MAX;
    engine.defineFunction("beeps", [](int32_t count, auto...) { return count + 7; });
    const int32_t *sky = engine.var("sky_speed"), *cloud = engine.var("cloud_speed");
    EXPECT_EQ(nudgeTilt(entity), INT32_MIN + 4);
    EXPECT_EQ(e[kTilt], INT32_MIN + 4);
    EXPECT_EQ(flipUpsideDown(entity), 1024);
    EXPECT_EQ(e[kRoll], fromInt(180));
    EXPECT_EQ(zoomIn(link, -512), 512);
    EXPECT_EQ(engine.var("camera")[abi::camera::kZoomWord], 512);
    EXPECT_EQ(addToSkySpeed(link, 1024), 1024);
    EXPECT_EQ(Words(sky, sky + 2), Words({1024, 1024}));
    EXPECT_EQ(setCloudSpeed(link, speeds), 1024);
    EXPECT_EQ(Words(cloud, cloud + 2), Words({2048, -4096}));
    EXPECT_EQ(beep(link, 5), 12);
    // Without their entity, variable or function they do nothing and say so;
    // a particle that could never fade out is not started.
    for (const char* name : {"camera", "sky_speed", "cloud_speed", "DLLPart_Alphafade"})
        engine.remove(name);
    EXPECT_EQ(nudgeTilt({}), 0);
    EXPECT_EQ(flipUpsideDown({}), 0);
    EXPECT_EQ(zoomIn(link, 1), 0);
    EXPECT_EQ(addToSkySpeed(link, 1), 0);
    EXPECT_EQ(setCloudSpeed(link, speeds), 0);
    int32_t p[abi::particle::kWords] = {};
    EXPECT_EQ(Explosions().explode(link, s().random, bridge::ParticleRecord(p)), 0);
    EXPECT_EQ(Words(p, p + abi::particle::kWords), Words(abi::particle::kWords, 0));
}

TEST_F(DemoTest, DistAheadTracesTheLine1000UnitsAheadAlongTheAngles) {
    int32_t e[abi::entity::kWords] = {};
    e[abi::entity::kPosition] = fromInt(5);
    e[abi::entity::kPan] = fromInt(90);  // ahead is +y
    const bridge::EntityRecord entity(e);
    for (const std::string name : {"trace_mode", "trace", "vec_rotate"}) {
        if (name == "trace_mode")
            engine.remove(name);
        else
            engine.disableEngineFunction(name);
        EXPECT_EQ(distAhead(link, entity), 0) << name;
        if (name == "trace_mode")
            engine.restore(name);
        else
            engine.enableEngineFunction(name);
    }
    EXPECT_EQ(distAhead(link, {}), 0);
    EXPECT_EQ(distAhead(link, entity), fromInt(1000));
    ASSERT_EQ(engine.traces().size(), 1u);  // none of the refused ones traced
    const host::TraceCall& t = engine.traces()[0];
    EXPECT_EQ(Words({t.traceMode, t.from[0], t.from[1], t.to[0], t.to[1], t.to[2]}),
              Words({8393728, fromInt(5), 0, fromInt(5), fromInt(1000), 0}));
}

TEST_F(DemoTest, ExplosionDrawsVelocityThenTransparencyAndFadesByFourTimesTime) {
    using namespace abi::particle;
    Explosions explosions;
    int32_t p[kWords];
    const bridge::ParticleRecord particle(p);
    std::fill_n(p, kWords, 1);  // the flags keep this bit; the words checked are all written
    explosions.fade(particle);  // "time" is bound by the first explosion
    EXPECT_EQ(p[kAlpha], 1);
    runtime::Random random, same = random;
    auto draw = [&](int k, int add) { return int32_t((same.next() * k / 32767.0 + add) * 1024); };
    explosions.explode(link, random, particle);
    EXPECT_EQ(Words({p[kVelocity], p[kVelocity + 1], p[kVelocity + 2], p[kAlpha], p[kFlags],
                     p[kFunction], p[kColour], p[kColour + 1], p[kColour + 2]}),
              Words({draw(10, -5), draw(10, -5), draw(10, -5), draw(50, 50), 0x208901,
                     engine.handle("DLLPart_Alphafade"), fromInt(255), 0, 0}));
    // "time" (2.0 or -2.0), alpha before and after, life after: saturating at both ends.
    const int32_t fades[][4] = {{2048, 9000, 808, 1},
                                {2048, 8192, 0, 0},
                                {2048, INT32_MIN + 9, INT32_MIN, 0},
                                {-2048, INT32_MAX - 9, INT32_MAX, 1}};
    for (const auto& [time, before, after, life] : fades) {
        *engine.var("time") = time;
        p[kAlpha] = before;
        p[kLife] = 1;
        explosions.fade(particle);
        EXPECT_EQ(Words({p[kAlpha], p[kLife]}), Words({after, life})) << before;
    }
}

TEST_F(DemoTest, PaintScreenWhiteFillsEachLinesPixelsBetweenLockAndUnlock) {
    // Width, height, bytes per pixel and per line, and whether it can be painted: lines
    // wider than their stride, or of negative width, are left alone; lines without pixels
    // are not even visited, however many the surface claims (its buffer holds three).
    const int surfaces[][5] = {{5, 3, 2, 14, 1}, {5, 3, 2, 10, 1},        {5, 3, 2, 9, 0},
                               {-1, 3, 2, 9, 0}, {0, INT32_MAX, 2, 9, 0}, {5, INT32_MAX, 0, 9, 0}};
    for (const auto& [width, height, bytesPerPixel, stride, usable] : surfaces) {
        SCOPED_TRACE(::testing::Message() << width << " x " << height << " at " << stride);
        engine.setSurface(width, 3, bytesPerPixel, stride);
        engine.surfaceRecord()[abi::surface::kHeight] = static_cast<abi::Word>(height);
        std::vector<uint8_t>& pixels = engine.pixels();
        pixels.assign(pixels.size(), 0x5A);
        std::vector<uint8_t> before = pixels, want = pixels, atLock, atUnlock;
        for (size_t i = 0; usable && i < want.size(); ++i)
            if (int(i) % stride < width * bytesPerPixel) want[i] = 0xFF;
        engine.onCall = [&](std::string_view call) {
            (call == "lock" ? atLock : atUnlock) = pixels;
        };
        EXPECT_EQ(paintScreenWhite(link), 0);
        EXPECT_EQ(atLock, before);
        EXPECT_EQ(atUnlock, want);
    }
}

TEST_F(DemoTest, PaintScreenWhiteWithoutASurfaceLocksNothing) {
    static_cast<abi::Word*>(engine.interfaceRecord())[abi::host::kSurface] = 0;
    attach();
    engine.onCall = [](std::string_view call) { ADD_FAILURE() << call; };
    EXPECT_EQ(paintScreenWhite(link), 0);
}

}  // namespace evoplug::demo
