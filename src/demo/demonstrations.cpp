#include "demo/demonstrations.h"

#include <cstddef>
#include <cstring>
#include <limits>

#include "bridge/engine_records.h"
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

int32_t* number(const bridge::EngineLink& engine, script::Name name) {
    return engine.findNumber(script::nameOf(name));
}

int32_t surfaceInt(const abi::Word* surface, int index) {
    return static_cast<int32_t>(surface[index]);
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

int32_t nudgeTilt(void* entity) {
    if (entity == nullptr) return 0;
    int32_t& tilt = bridge::word(entity, abi::entity::kTilt);
    tilt = wrappingAdd(tilt, kTiltStep);
    return tilt;
}

int32_t flipUpsideDown(void* entity) {
    if (entity == nullptr) return 0;
    bridge::word(entity, abi::entity::kRoll) = kUpsideDown;
    return abi::kOne;
}

int32_t distAhead(const bridge::EngineLink& engine, void* entity) {
    if (entity == nullptr) return 0;
    int32_t* traceMode = number(engine, script::TraceMode);
    auto trace = engine.engineFunction<abi::TraceFn>(abi::kTraceName);
    auto rotate = engine.engineFunction<abi::VecRotateFn>(abi::kVecRotateName);
    if (traceMode == nullptr || trace == nullptr || rotate == nullptr) return 0;

    int32_t target[3] = {kAheadDistance, 0, 0};
    rotate(target, bridge::words(entity, abi::entity::kAngles));
    const int32_t* position = bridge::words(entity, abi::entity::kPosition);
    for (int i = 0; i < 3; ++i) target[i] = wrappingAdd(target[i], position[i]);
    *traceMode = kAheadTraceMode;
    return trace(position, target);
}

int32_t zoomIn(const bridge::EngineLink& engine, int32_t amount) {
    void* camera = engine.find(script::nameOf(script::Camera), bridge::Kind::Object);
    if (camera == nullptr) return 0;
    int32_t& zoom = bridge::word(camera, abi::camera::kZoomWord);
    zoom = wrappingSub(zoom, amount);
    return zoom;
}

int32_t addToSkySpeed(const bridge::EngineLink& engine, int32_t amount) {
    int32_t* speed = number(engine, script::SkySpeed);
    if (speed == nullptr) return 0;
    speed[0] = wrappingAdd(speed[0], amount);
    speed[1] = wrappingAdd(speed[1], amount);
    return abi::kOne;
}

int32_t setCloudSpeed(const bridge::EngineLink& engine, const int32_t* speeds) {
    if (speeds == nullptr) return 0;
    int32_t* speed = number(engine, script::CloudSpeed);
    if (speed == nullptr) return 0;
    speed[0] = speeds[0];
    speed[1] = speeds[1];
    return abi::kOne;
}

int32_t Explosions::explode(const bridge::EngineLink& engine, runtime::Random& random,
                            void* particle) {
    if (particle == nullptr) return 0;
    if (time_ == nullptr) time_ = number(engine, script::Time);
    if (fadeFunction_ == 0)
        fadeFunction_ = engine.lookupScriptFunction(script::nameOf(script::AlphaFade));
    // Without both, the particle could never fade out: leave it unstarted.
    if (time_ == nullptr || fadeFunction_ == 0) return 0;

    bridge::word(particle, abi::particle::kFlags) |= kExplosionFlags;
    int32_t* velocity = bridge::words(particle, abi::particle::kVelocity);
    for (int i = 0; i < 3; ++i) velocity[i] = engineVarOf(randomUpTo(random, 10.0f) - 5.0);
    int32_t* colour = bridge::words(particle, abi::particle::kColour);
    colour[2] = 0;
    colour[1] = 0;
    colour[0] = kExplosionColour;
    bridge::word(particle, abi::particle::kAlpha) = engineVarOf(randomUpTo(random, 50.0f) + 50.0);
    bridge::word(particle, abi::particle::kFunction) = fadeFunction_;
    return 0;
}

int32_t Explosions::fade(void* particle) const {
    if (time_ == nullptr || particle == nullptr) return 0;
    int32_t& alpha = bridge::word(particle, abi::particle::kAlpha);
    // Saturating, so that a long frame can never wrap a faded particle back to
    // opaque.
    alpha = saturate(int64_t{alpha} - int64_t{kFadeFactor} * *time_);
    if (alpha <= 0) bridge::word(particle, abi::particle::kLife) = 0;
    return 0;
}

int32_t paintScreenWhite(const bridge::EngineLink& engine) {
    const abi::Word* surface = engine.surfaceRecord();
    if (surface == nullptr) return 0;
    auto lock = reinterpret_cast<abi::SurfaceFn>(surface[abi::surface::kLock]);
    auto unlock = reinterpret_cast<abi::SurfaceFn>(surface[abi::surface::kUnlock]);
    if (lock != nullptr) lock();
    // Read after the lock: an engine may place the pixels only while locked.
    auto* pixels = reinterpret_cast<uint8_t*>(surface[abi::surface::kPixels]);
    int32_t bytesPerLine = surfaceInt(surface, abi::surface::kBytesPerLine);
    int32_t width = surfaceInt(surface, abi::surface::kWidth);
    int32_t height = surfaceInt(surface, abi::surface::kHeight);
    int32_t bytesPerPixel = surfaceInt(surface, abi::surface::kBytesPerPixel);
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
