#include "bridge/demonstrations.h"
#include "exports/exports.h"

using namespace evoplug;

int32_t WDLBeep(int32_t count) { return demo::beep(count); }
