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
    int32_t started[particle::kWords] = {};
    explode(started);
    *engine.var("time") = 1024;
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
    // Every pixel byte holds `pixel`, every padding byte its mark.
    bool holds(uint8_t pixel) const {
        for (int i = 0; i < kHeight * kStride; ++i)
            if (pixels[i] != (i % kStride < kWidth * kBytesPerPixel ? pixel : 0x5A)) return false;
        return true;
    }
    const std::vector<uint8_t>& pixels = engine.pixels();
    abi::Word* surface = engine.surfaceRecord();
};

TEST_F(PaintTest, PaintsEachLineBetweenLockAndUnlock) {
    bool untouchedAtLock = false, paintedAtUnlock = false;
    engine.onLock = [&] { untouchedAtLock = holds(0); };
    engine.onUnlock = [&] { paintedAtUnlock = holds(0xFF); };
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_TRUE(untouchedAtLock);
    EXPECT_TRUE(paintedAtUnlock);
    EXPECT_TRUE(holds(0xFF));
    EXPECT_EQ(engine.locks(), 1);
    EXPECT_EQ(engine.unlocks(), 1);
}

TEST_F(PaintTest, MissingLockOrUnlockIsSkipped) {
    surface[abi::surface::kLock] = 0;
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_TRUE(holds(0xFF));
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
        EXPECT_TRUE(holds(0));
        surface[c.word] = saved;
    }
    EXPECT_EQ(engine.locks(), 0);
    bridge::attach(nullptr);
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_TRUE(holds(0));
    EXPECT_EQ(engine.locks(), 0);
}

}  // namespace
}  // namespace evoplug::demo
