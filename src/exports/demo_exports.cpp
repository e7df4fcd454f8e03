#include "demo/demonstrations.h"
#include "exports/exports.h"
#include "exports/guard.h"

using evoplug::guarded;
using evoplug::PluginState;
namespace demo = evoplug::demo;
using evoplug::bridge::EntityRecord;
using evoplug::bridge::ParticleRecord;

int32_t AddToSkySpeed(int32_t amount) {
    return guarded(__func__, [&](PluginState& s) { return demo::addToSkySpeed(s.engine, amount); });
}
int32_t CPlusPlayer_main(void* entity) { return demo::nudgeTilt(EntityRecord(entity)); }
int32_t DLLEffect_Explo(void* particle) {
    return guarded(__func__, [&](PluginState& s) {
        return s.explosions.explode(s.engine, s.random, ParticleRecord(particle));
    });
}
int32_t DLLPart_Alphafade(void* particle) {
    return guarded(__func__,
                   [&](PluginState& s) { return s.explosions.fade(ParticleRecord(particle)); });
}
int32_t DistAhead(void* entity) {
    return guarded(__func__, [&](PluginState& s) { return s.distAhead(EntityRecord(entity)); });
}
int32_t FlipUpsideDown(void* entity) { return demo::flipUpsideDown(EntityRecord(entity)); }
int32_t PaintScreenWhite() {
    return guarded(__func__, [](PluginState& s) { return demo::paintScreenWhite(s.engine); });
}
int32_t SetCloudSpeed(int32_t* speeds) {
    return guarded(__func__, [&](PluginState& s) { return demo::setCloudSpeed(s.engine, speeds); });
}
int32_t Square(int32_t x) { return demo::square(x); }
int32_t WDLBeep(int32_t count) {
    return guarded(__func__, [&](PluginState& s) { return demo::beep(s.engine, count); });
}
int32_t ZoomIn(int32_t amount) {
    return guarded(__func__, [&](PluginState& s) { return demo::zoomIn(s.engine, amount); });
}
// Shows only that the script can call into the library.
int32_t bin_extern() { return 0; }
