// Small operations that each show one way a plug-in acts on the engine.
//
// Every operation that receives a record pointer, or looks a name up, answers
// 0 and leaves everything as it was when the pointer is null or the name is
// unknown (or of another kind).
#pragma once

#include <cstdint>

#include "bridge/engine_bridge.h"
#include "runtime/random.h"

namespace evoplug::demo {

// One draw r of the generator scaled to 0 .. limit: r * limit / 32767.
double randomUpTo(runtime::Random& random, float limit);

// The EngineVar of x squared, truncated toward zero; saturates at the largest
// EngineVar instead of overflowing.
int32_t square(int32_t x);
// Adds the raw 5 to the entity's tilt word (wrapping); the new word.
int32_t nudgeTilt(bridge::EntityRecord entity);
// Sets the entity's roll to 180 degrees; 1024.
int32_t flipUpsideDown(bridge::EntityRecord entity);
// Traces from the entity to the point 1000 units ahead along its angles; what
// "trace" returns.
int32_t distAhead(bridge::EngineLink& engine, bridge::EntityRecord entity);
// Lowers the camera's zoom word by amount; the new word.
int32_t zoomIn(bridge::EngineLink& engine, int32_t amount);
// Adds amount to both words of "sky_speed"; 1024.
int32_t addToSkySpeed(bridge::EngineLink& engine, int32_t amount);
// Copies the two speeds into "cloud_speed"; 1024.
int32_t setCloudSpeed(bridge::EngineLink& engine, const int32_t* speeds);
// Paints every pixel of the screen surface white between its lock and unlock
// calls; the bytes past each line's pixels stay as they are.
int32_t paintScreenWhite(bridge::EngineLink& engine);
// Calls the script function "beeps" with the count; its result.
int32_t beep(const bridge::EngineLink& engine, int32_t count);

// The explosion particle: what it binds on first use and keeps from then on.
class Explosions {
  public:
    // Starts an explosion particle: random velocity, colour, transparency and
    // the fade function. Four draws, in the order x, y, z, transparency.
    int32_t explode(bridge::EngineLink& engine, runtime::Random& random,
                    bridge::ParticleRecord particle);
    // Fades the particle by 4 x "time" and ends it once fully transparent.
    int32_t fade(bridge::ParticleRecord particle) const;

  private:
    int32_t* time_ = nullptr;   // the engine variable "time"
    int32_t fadeFunction_ = 0;  // handle of the script function "DLLPart_Alphafade"
};

}  // namespace evoplug::demo
