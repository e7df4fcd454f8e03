#include "bridge/demonstrations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "bridge/engine_bridge.h"
#include "engine.h"
#include "level.h"
#include "runtime/random.h"

namespace evoplug::demo {
namespace {

using host::Engine;
namespace entity = abi::entity;
namespace particle = abi::particle;

class DemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bindings() = Bindings{};
        bridge::attach(engine.interfaceRecord());
    }
    void TearDown() override {
        bridge::attach(nullptr);
        bindings() = Bindings{};
    }

    // The generator's draws, by the runtime's recurrence, from a given state.
    static std::vector<int> drawsFrom(uint32_t state, int count) {
        std::vector<int> draws;
        for (int i = 0; i < count; ++i) {
            state = state * 214013u + 2531011u;
            draws.push_back(static_cast<int>((state >> 16) & 0x7fff));
        }
        return draws;
    }

    Engine engine;
    host::Level level{engine};
};

TEST(DemoSquare, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(square(3072), 9216);
    EXPECT_EQ(square(-1536), 2304);
    EXPECT_EQ(square(512), 256);
    EXPECT_EQ(square(1), 0);         // 1/1024 of a unit, truncated
    EXPECT_EQ(square(-1500), 2197);  // 2197.27 truncated
    // The last x whose square fits, and beyond it.
    EXPECT_EQ(square(1482910), static_cast<int32_t>(1482910LL * 1482910LL / 1024));
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(square(1482911), kMax);
    EXPECT_EQ(square(-1482911), kMax);
    EXPECT_EQ(square(kMax), kMax);
    EXPECT_EQ(square(std::numeric_limits<int32_t>::min()), kMax);
}

TEST_F(DemoTest, EntityAnglesAndNullEntities) {
    int32_t record[entity::kWords] = {};
    for (int i = 0; i < 1024; ++i) nudgeTilt(record);
    EXPECT_EQ(record[entity::kTilt], 5120);
    record[entity::kTilt] = std::numeric_limits<int32_t>::max() - 2;
    EXPECT_EQ(nudgeTilt(record), std::numeric_limits<int32_t>::min() + 2);  // wraps like the engine

    EXPECT_EQ(flipUpsideDown(record), 1024);
    EXPECT_EQ(record[entity::kRoll], 180 * 1024);

    EXPECT_EQ(nudgeTilt(nullptr), 0);
    EXPECT_EQ(flipUpsideDown(nullptr), 0);
    EXPECT_EQ(distAhead(nullptr), 0);
    EXPECT_TRUE(engine.traces().empty());
}

TEST_F(DemoTest, SkyCloudAndCamera) {
    int32_t* sky = engine.var("sky_speed");
    sky[0] = 3 * 1024;
    sky[1] = 7 * 1024;
    EXPECT_EQ(addToSkySpeed(-1024), 1024);
    EXPECT_EQ(sky[0], 2 * 1024);
    EXPECT_EQ(sky[1], 6 * 1024);

    int32_t speeds[2] = {1500, -2500};
    EXPECT_EQ(setCloudSpeed(speeds), 1024);
    EXPECT_EQ(engine.var("cloud_speed")[0], 1500);
    EXPECT_EQ(engine.var("cloud_speed")[1], -2500);
    EXPECT_EQ(setCloudSpeed(nullptr), 0);

    int32_t* camera = engine.var("camera");
    camera[abi::camera::kZoomWord] = 60 * 1024;
    EXPECT_EQ(zoomIn(10 * 1024), 50 * 1024);
    EXPECT_EQ(zoomIn(-30 * 1024), 80 * 1024);
    EXPECT_EQ(camera[abi::camera::kZoomWord], 80 * 1024);
}

TEST_F(DemoTest, MissingVariablesChangeNothing) {
    engine.remove("sky_speed");
    engine.remove("cloud_speed");
    engine.remove("camera");
    int32_t speeds[2] = {1, 2};
    EXPECT_EQ(addToSkySpeed(1024), 0);
    EXPECT_EQ(setCloudSpeed(speeds), 0);
    EXPECT_EQ(zoomIn(1024), 0);
    EXPECT_EQ(speeds[0], 1);
}

TEST_F(DemoTest, DistAheadTracesAThousandUnitsAlongTheAngles) {
    int32_t record[entity::kWords] = {};
    int32_t* position = record + entity::kPosition;
    position[0] = 10 * 1024;
    position[1] = -20 * 1024;
    position[2] = 30 * 1024;
    record[entity::kPan] = 90 * 1024;  // ahead is +y

    EXPECT_EQ(distAhead(record), 1000 * 1024);
    ASSERT_EQ(engine.traces().size(), 1u);
    const host::TraceCall& trace = engine.traces()[0];
    EXPECT_EQ(trace.from, std::vector<int32_t>({10 * 1024, -20 * 1024, 30 * 1024}));
    EXPECT_EQ(trace.to, std::vector<int32_t>({10 * 1024, 980 * 1024, 30 * 1024}));
    EXPECT_EQ(trace.traceMode, 8393728);
    // The entity itself is not moved or turned.
    EXPECT_EQ(position[1], -20 * 1024);
    EXPECT_EQ(record[entity::kPan], 90 * 1024);
}

TEST(DemoDistAhead, NeedsTraceModeTraceAndVecRotate) {
    const std::string missing[] = {"trace_mode", abi::kTraceName, abi::kVecRotateName};
    for (const std::string& name : missing) {
        SCOPED_TRACE(name);
        Engine engine;
        host::Level level{engine};
        bridge::attach(engine.interfaceRecord());
        if (name == "trace_mode")
            engine.remove(name);
        else
            engine.disableEngineFunction(name);
        int32_t record[entity::kWords] = {};
        record[entity::kPan] = 45 * 1024;
        EXPECT_EQ(distAhead(record), 0);
        EXPECT_TRUE(engine.traces().empty());
        if (engine.has("trace_mode")) {
            EXPECT_EQ(*engine.var("trace_mode"), 0);
        }
        EXPECT_EQ(record[entity::kPan], 45 * 1024);
        bridge::attach(nullptr);
    }
}

int32_t velocityOf(int draw) {
    return static_cast<int32_t>((draw * 10.0 / 32767.0 - 5.0) * 1024.0);
}
int32_t alphaOf(int draw) { return static_cast<int32_t>((draw * 50.0 / 32767.0 + 50.0) * 1024.0); }

TEST_F(DemoTest, ExplosionIsPredictedByTheGeneratorState) {
    runtime::generator().seed(1234);
    std::vector<int> draws = drawsFrom(1234, 4);
    int32_t p[particle::kWords] = {};
    p[particle::kFlags] = 0x1;
    EXPECT_EQ(explode(p), 0);
    EXPECT_EQ(p[particle::kFlags], 0x208901);
    EXPECT_EQ(p[particle::kVelocity + 0], velocityOf(draws[0]));
    EXPECT_EQ(p[particle::kVelocity + 1], velocityOf(draws[1]));
    EXPECT_EQ(p[particle::kVelocity + 2], velocityOf(draws[2]));
    EXPECT_EQ(p[particle::kAlpha], alphaOf(draws[3]));
    EXPECT_EQ(p[particle::kColour + 0], 255 * 1024);
    EXPECT_EQ(p[particle::kColour + 1], 0);
    EXPECT_EQ(p[particle::kColour + 2], 0);
    EXPECT_EQ(p[particle::kFunction], engine.handle("DLLPart_Alphafade"));
    EXPECT_NE(p[particle::kFunction], 0);
    EXPECT_EQ(bindings().timeVar, engine.var("time"));
    // The extremes of a draw stay within -5 .. 5 and 50 .. 100 units.
    EXPECT_EQ(velocityOf(0), -5120);
    EXPECT_EQ(velocityOf(32767), 5120);
    EXPECT_EQ(alphaOf(32767), 100 * 1024);
}

TEST_F(DemoTest, ExplosionWithoutItsBindingsLeavesTheParticleAlone) {
    engine.remove("DLLPart_Alphafade");
    runtime::generator().seed(77);
    int32_t p[particle::kWords] = {};
    EXPECT_EQ(explode(p), 0);
    EXPECT_EQ(explode(nullptr), 0);
    EXPECT_TRUE(std::all_of(std::begin(p), std::end(p), [](int32_t w) { return w == 0; }));
    EXPECT_EQ(runtime::generator().state(), 77u);       // no draw taken
    EXPECT_EQ(bindings().timeVar, engine.var("time"));  // what was found stays bound

    int32_t handle = engine.defineFunction("DLLPart_Alphafade",
                                           [](int32_t, int32_t, int32_t, int32_t) { return 0; });
    EXPECT_EQ(explode(p), 0);
    EXPECT_EQ(p[particle::kFunction], handle);
}

TEST_F(DemoTest, FadeEndsTheParticleOnceTransparent) {
    int32_t p[particle::kWords] = {};
    p[particle::kLife] = 1;
    p[particle::kAlpha] = 4096;
    EXPECT_EQ(alphaFade(p), 0);  // not yet bound: nothing happens
    EXPECT_EQ(p[particle::kAlpha], 4096);
    EXPECT_EQ(p[particle::kLife], 1);

    int32_t started[particle::kWords] = {};
    explode(started);
    *engine.var("time") = 1024;
    EXPECT_EQ(alphaFade(p), 0);
    EXPECT_EQ(p[particle::kAlpha], 0);
    EXPECT_EQ(p[particle::kLife], 0);

    p[particle::kLife] = 1;
    p[particle::kAlpha] = 5000;
    alphaFade(p);
    EXPECT_EQ(p[particle::kAlpha], 904);
    EXPECT_EQ(p[particle::kLife], 1);
    EXPECT_EQ(alphaFade(nullptr), 0);

    // Far below zero the value saturates instead of wrapping back to opaque.
    p[particle::kAlpha] = std::numeric_limits<int32_t>::min() + 100;
    alphaFade(p);
    EXPECT_EQ(p[particle::kAlpha], std::numeric_limits<int32_t>::min());
    EXPECT_EQ(p[particle::kLife], 0);
}

class PaintTest : public DemoTest {
  protected:
    static constexpr int kWidth = 5, kHeight = 3, kBytesPerPixel = 2, kStride = 14;
    void SetUp() override {
        DemoTest::SetUp();
        engine.setSurface(kWidth, kHeight, kBytesPerPixel, kStride);
        // Padding marked so that a stray write shows.
        for (int line = 0; line < kHeight; ++line)
            for (int i = kWidth * kBytesPerPixel; i < kStride; ++i)
                engine.pixels()[line * kStride + i] = 0x5A;
    }
    bool untouched() const {
        for (int line = 0; line < kHeight; ++line)
            for (int i = 0; i < kStride; ++i)
                if (pixels[line * kStride + i] != (i < kWidth * kBytesPerPixel ? 0 : 0x5A))
                    return false;
        return true;
    }
    bool painted() const {
        for (int line = 0; line < kHeight; ++line)
            for (int i = 0; i < kStride; ++i)
                if (pixels[line * kStride + i] != (i < kWidth * kBytesPerPixel ? 0xFF : 0x5A))
                    return false;
        return true;
    }
    const std::vector<uint8_t>& pixels = engine.pixels();
    abi::Word* surface = engine.surfaceRecord();
};

TEST_F(PaintTest, PaintsEachLineBetweenLockAndUnlock) {
    bool untouchedAtLock = false, paintedAtUnlock = false;
    engine.onLock = [&] { untouchedAtLock = untouched(); };
    engine.onUnlock = [&] { paintedAtUnlock = painted(); };
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_TRUE(untouchedAtLock);
    EXPECT_TRUE(paintedAtUnlock);
    EXPECT_TRUE(painted());
    EXPECT_EQ(engine.locks(), 1);
    EXPECT_EQ(engine.unlocks(), 1);
}

TEST_F(PaintTest, MissingLockOrUnlockIsSkipped) {
    surface[abi::surface::kLock] = 0;
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_TRUE(painted());
    EXPECT_EQ(engine.unlocks(), 1);
    surface[abi::surface::kUnlock] = 0;
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_EQ(engine.locks(), 0);
    EXPECT_EQ(engine.unlocks(), 1);
}

TEST_F(PaintTest, UnusableSurfacesAreNotWritten) {
    struct Case {
        int word;
        abi::Word value;
    };
    const Case cases[] = {
        {abi::surface::kPixels, 0},
        {abi::surface::kWidth, 0},
        {abi::surface::kHeight, static_cast<abi::Word>(-1)},
        {abi::surface::kBytesPerPixel, 0},
        {abi::surface::kBytesPerLine, static_cast<abi::Word>(-kStride)},
        {abi::surface::kBytesPerLine, kWidth * kBytesPerPixel - 1},  // lines would overlap
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        abi::Word saved = surface[c.word];
        surface[c.word] = c.value;
        EXPECT_EQ(paintScreenWhite(), 0);
        EXPECT_TRUE(untouched());
        surface[c.word] = saved;
    }
    EXPECT_EQ(engine.locks(), 0);
    bridge::attach(nullptr);
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_TRUE(untouched());
    EXPECT_EQ(engine.locks(), 0);
}

}  // namespace
}  // namespace evoplug::demo
