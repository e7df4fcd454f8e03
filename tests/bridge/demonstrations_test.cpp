// The demonstration operations on a stand-in engine, where the exports' end-to-end
// tests do not reach: boundaries, missing engine parts, the fade and the paint.
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

namespace entity = abi::entity;
namespace particle = abi::particle;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

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
    host::Engine engine;
    host::Level level{engine};
};

TEST(DemoSquare, TruncatesTowardZeroAndSaturates) {
    const int32_t cases[][2] = {
        {3072, 9216},    {-1536, 2304},
        {512, 256},      {1, 0},
        {-1500, 2197},   {1482910, static_cast<int32_t>(1482910LL * 1482910LL / 1024)},
        {1482911, kMax}, {-1482911, kMax},
        {kMax, kMax},    {kMin, kMax}};
    for (const auto& [x, squared] : cases) EXPECT_EQ(square(x), squared) << x;
}

TEST_F(DemoTest, DistAheadTracesFromTheEntityAlongItsPan) {
    int32_t record[entity::kWords] = {};
    record[entity::kPosition + 0] = 5 * 1024;
    record[entity::kPosition + 2] = -3 * 1024;
    record[entity::kPan] = 90 * 1024;  // ahead is +y
    EXPECT_EQ(distAhead(record), 1024000);
    ASSERT_EQ(engine.traces().size(), 1u);
    EXPECT_EQ(engine.traces()[0].from, std::vector<int32_t>({5 * 1024, 0, -3 * 1024}));
    EXPECT_EQ(engine.traces()[0].to, std::vector<int32_t>({5 * 1024, 1000 * 1024, -3 * 1024}));
    EXPECT_EQ(engine.traces()[0].traceMode, 8393728);
}

TEST(DemoDistAhead, NeedsTraceModeTraceAndVecRotate) {
    for (const std::string name : {"trace_mode", abi::kTraceName, abi::kVecRotateName}) {
        SCOPED_TRACE(name);
        host::Engine engine;
        host::Level level{engine};
        bridge::attach(engine.interfaceRecord());
        name == "trace_mode" ? engine.remove(name) : engine.disableEngineFunction(name);
        int32_t record[entity::kWords] = {};
        EXPECT_EQ(distAhead(record), 0);
        EXPECT_TRUE(engine.traces().empty());
        EXPECT_EQ(engine.has("trace_mode") ? *engine.var("trace_mode") : 0, 0);
        bridge::attach(nullptr);
    }
}

TEST_F(DemoTest, ExplosionWaitsForItsFadeFunctionAndTheFadeSaturates) {
    engine.remove("DLLPart_Alphafade");
    runtime::generator().seed(77);
    int32_t p[particle::kWords] = {};
    EXPECT_EQ(explode(p), 0);
    EXPECT_EQ(std::count(p, p + particle::kWords, 0), particle::kWords);
    EXPECT_EQ(runtime::generator().state(), 77u);  // no draw taken
    const int32_t handle = engine.defineFunction("DLLPart_Alphafade", [](auto...) { return 0; });
    explode(p);
    EXPECT_EQ(p[particle::kFunction], handle);

    // 4 x "time" per call; far below zero the value saturates instead of
    // wrapping back to opaque.
    *engine.var("time") = 1024;
    p[particle::kLife] = 1;
    p[particle::kAlpha] = 5000;
    alphaFade(p);
    EXPECT_EQ(p[particle::kAlpha], 904);
    EXPECT_EQ(p[particle::kLife], 1);
    p[particle::kAlpha] = kMin + 100;
    alphaFade(p);
    EXPECT_EQ(p[particle::kAlpha], kMin);
    EXPECT_EQ(p[particle::kLife], 0);
}

class PaintTest : public DemoTest {
  protected:
    static constexpr int kWidth = 5, kHeight = 3, kBytesPerPixel = 2, kStride = 14;
    void SetUp() override {
        DemoTest::SetUp();
        engine.setSurface(kWidth, kHeight, kBytesPerPixel, kStride);
        for (int i = 0; i < kHeight * kStride; ++i)  // padding marked: a stray write shows
            if (i % kStride >= kWidth * kBytesPerPixel) engine.pixels()[i] = 0x5A;
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

TEST_F(PaintTest, PaintsOnlyUsableSurfacesAndEachLineBetweenLockAndUnlock) {
    // No pixels, no width, negative height, no bytes per pixel, negative
    // sizes, and lines that would overlap: nothing written, lock released.
    const std::pair<int, abi::Word> unusable[] = {
        {abi::surface::kPixels, 0},
        {abi::surface::kWidth, 0},
        {abi::surface::kWidth, static_cast<abi::Word>(-1)},
        {abi::surface::kHeight, static_cast<abi::Word>(-1)},
        {abi::surface::kBytesPerPixel, 0},
        {abi::surface::kBytesPerPixel, static_cast<abi::Word>(-2)},
        {abi::surface::kBytesPerLine, static_cast<abi::Word>(-kStride)},
        {abi::surface::kBytesPerLine, kWidth * kBytesPerPixel - 1}};
    int calls = 0;
    for (const auto& [word, value] : unusable) {
        const abi::Word saved = surface[word];
        surface[word] = value;
        paintScreenWhite();
        ++calls;
        EXPECT_TRUE(holds(0)) << word;
        EXPECT_EQ(engine.locks(), calls) << word;
        EXPECT_EQ(engine.unlocks(), calls) << word;
        surface[word] = saved;
    }
    bridge::attach(nullptr);
    paintScreenWhite();
    EXPECT_TRUE(holds(0));
    EXPECT_EQ(engine.locks(), calls);

    bridge::attach(engine.interfaceRecord());
    bool untouchedAtLock = false, paintedAtUnlock = false;
    engine.onLock = [&] { untouchedAtLock = holds(0); };
    engine.onUnlock = [&] { paintedAtUnlock = holds(0xFF); };
    EXPECT_EQ(paintScreenWhite(), 0);
    EXPECT_TRUE(untouchedAtLock && paintedAtUnlock && holds(0xFF));
    surface[abi::surface::kLock] = 0;  // a missing lock or unlock is skipped
    paintScreenWhite();
    surface[abi::surface::kUnlock] = 0;
    paintScreenWhite();
    EXPECT_EQ(engine.locks() - calls, 1);
    EXPECT_EQ(engine.unlocks() - calls, 2);
}

TEST_F(PaintTest, PixelsPlacedByTheLockArePainted) {
    const abi::Word pixelsWord = surface[abi::surface::kPixels];
    surface[abi::surface::kPixels] = 0;
    engine.onLock = [&] { surface[abi::surface::kPixels] = pixelsWord; };
    paintScreenWhite();
    EXPECT_TRUE(holds(0xFF));
}

}  // namespace
}  // namespace evoplug::demo
