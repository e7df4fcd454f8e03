#include "bridge/demonstrations.h"
#include "exports/exports.h"

using namespace evoplug;

int32_t AddToSkySpeed(int32_t amount) { return demo::addToSkySpeed(amount); }
int32_t CPlusPlayer_main(void* entity) { return demo::nudgeTilt(entity); }
int32_t DLLEffect_Explo(void* particle) { return demo::explode(particle); }
int32_t DLLPart_Alphafade(void* particle) { return demo::alphaFade(particle); }
int32_t DistAhead(void* entity) { return demo::distAhead(entity); }
int32_t FlipUpsideDown(void* entity) { return demo::flipUpsideDown(entity); }
int32_t PaintScreenWhite() { return demo::paintScreenWhite(); }
int32_t SetCloudSpeed(int32_t* speeds) { return demo::setCloudSpeed(speeds); }
int32_t Square(int32_t x) { return demo::square(x); }
int32_t WDLBeep(int32_t count) { return demo::beep(count); }
int32_t ZoomIn(int32_t amount) { return demo::zoomIn(amount); }
// Shows only that the script can call into the library.
int32_t bin_extern() { return 0; }
