#include "demo/demonstrations.h"

#include <cstddef>
#include <cstring>
#include <limits>

#include "script/script_names.h"

namespace evoplug::demo {
namespace {

using abi::EngineVar;

using bridge::wrappingAdd;
using bridge::wrappingSub;

int32_t saturate(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

constexpr int32_t kTiltStep = 5;  // raw, a two-hundredth of a degree
constexpr int32_t kUpsideDown = abi::fromInt(180);
constexpr int32_t kAheadDistance = abi::fromInt(1000);
// Bits 0, 2 and 13 of the integer: the engine's trace flags for this look-ahead.
constexpr int32_t kAheadTraceMode = abi::fromInt(8197);
constexpr int32_t kExplosionFlags = 0x208900;
constexpr int32_t kExplosionColour = abi::fromInt(255);
constexpr int kFadeFactor = 4;

int32_t engineVarOf(double value) { return static_cast<int32_t>(value * abi::kOne); }

int32_t* number(bridge::EngineLink& engine, script::Name name) {
    return engine.findNumber(script::nameOf(name));
}

}  // namespace

double randomUpTo(runtime::Random& random, float limit) {
    return random.next() * static_cast<double>(limit) / runtime::Random::kMax;
}

int32_t square(int32_t x) {
    double v = x / 1024.0;
    double squared = v * v * 1024.0;
    // Every |x| above about 1448.2 units squares past the EngineVar range.
    if (squared >= 2147483648.0) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(squared);
}

int32_t nudgeTilt(bridge::EntityRecord entity) {
    if (!entity) return 0;
    int32_t& tilt = entity.tilt();
    tilt = wrappingAdd(tilt, kTiltStep);
    return tilt;
}

int32_t flipUpsideDown(bridge::EntityRecord entity) {
    if (!entity) return 0;
    entity.roll() = kUpsideDown;
    return abi::kOne;
}

int32_t distAhead(bridge::EngineLink& engine, bridge::EntityRecord entity) {
    if (!entity) return 0;
    int32_t* traceMode = number(engine, script::TraceMode);
    auto trace = engine.function<abi::engine_function::trace>();
    auto rotate = engine.function<abi::engine_function::vec_rotate>();
    if (traceMode == nullptr || trace == nullptr || rotate == nullptr) return 0;

    int32_t target[3] = {kAheadDistance, 0, 0};
    rotate(target, entity.angles());
    const int32_t* position = entity.position();
    for (int i = 0; i < 3; ++i) target[i] = wrappingAdd(target[i], position[i]);
    *traceMode = kAheadTraceMode;
    return trace(position, target);
}

int32_t zoomIn(bridge::EngineLink& engine, int32_t amount) {
    const auto camera = engine.find<bridge::CameraRecord>(script::nameOf(script::Camera));
    if (!camera) return 0;
    int32_t& zoom = camera.zoom();
    zoom = wrappingSub(zoom, amount);
    return zoom;
}

int32_t addToSkySpeed(bridge::EngineLink& engine, int32_t amount) {
    int32_t* speed = number(engine, script::SkySpeed);
    if (speed == nullptr) return 0;
    speed[0] = wrappingAdd(speed[0], amount);
    speed[1] = wrappingAdd(speed[1], amount);
    return abi::kOne;
}

int32_t setCloudSpeed(bridge::EngineLink& engine, const int32_t* speeds) {
    if (speeds == nullptr) return 0;
    int32_t* speed = number(engine, script::CloudSpeed);
    if (speed == nullptr) return 0;
    speed[0] = speeds[0];
    speed[1] = speeds[1];
    return abi::kOne;
}

int32_t Explosions::explode(bridge::EngineLink& engine, runtime::Random& random,
                            bridge::ParticleRecord particle) {
    if (!particle) return 0;
    if (time_ == nullptr) time_ = number(engine, script::Time);
    if (fadeFunction_ == 0)
        fadeFunction_ = engine.lookupScriptFunction(script::nameOf(script::AlphaFade));
    // Without both, the particle could never fade out: leave it unstarted.
    if (time_ == nullptr || fadeFunction_ == 0) return 0;

    particle.flags() |= kExplosionFlags;
    int32_t* velocity = particle.velocity();
    for (int i = 0; i < 3; ++i) velocity[i] = engineVarOf(randomUpTo(random, 10.0f) - 5.0);
    int32_t* colour = particle.colour();
    colour[2] = 0;
    colour[1] = 0;
    colour[0] = kExplosionColour;
    particle.alpha() = engineVarOf(randomUpTo(random, 50.0f) + 50.0);
    particle.function() = fadeFunction_;
    return 0;
}

int32_t Explosions::fade(bridge::ParticleRecord particle) const {
    if (time_ == nullptr || !particle) return 0;
    int32_t& alpha = particle.alpha();
    // Saturating, so that a long frame can never wrap a faded particle back to
    // opaque.
    alpha = saturate(int64_t{alpha} - int64_t{kFadeFactor} * *time_);
    if (alpha <= 0) particle.life() = 0;
    return 0;
}

int32_t paintScreenWhite(bridge::EngineLink& engine) {
    const bridge::SurfaceRecord surface = engine.surface();
    if (!surface) return 0;
    auto lock = surface.lock();
    auto unlock = surface.unlock();
    if (lock != nullptr) lock();
    // Read after the lock: an engine may place the pixels only while locked.
    uint8_t* pixels = surface.pixels();
    int32_t bytesPerLine = surface.bytesPerLine();
    int32_t width = surface.width();
    int32_t height = surface.height();
    int32_t bytesPerPixel = surface.bytesPerPixel();
    int64_t lineBytes = int64_t{width} * bytesPerPixel;
    // Without pixels, with lines of no or negative size, or with lines wider
    // than their stride (the last would overrun its storage) nothing is
    // written, and no line is visited; the lock is still released.
    bool usable = pixels != nullptr && bytesPerLine > 0 && width >= 0 && bytesPerPixel >= 0 &&
                  lineBytes > 0 && lineBytes <= bytesPerLine;
    for (int32_t line = 0; usable && line < height; ++line) {
        std::memset(pixels + static_cast<size_t>(line) * static_cast<size_t>(bytesPerLine), 0xFF,
                    static_cast<size_t>(lineBytes));
    }
    if (unlock != nullptr) unlock();
    return 0;
}

int32_t beep(const bridge::EngineLink& engine, int32_t count) {
    return engine.callScriptByName(script::nameOf(script::Beeps), count, 0, 0, 0);
}

}  // namespace evoplug::demo
