// Declarations of every export: the public header's. The plug-in's targets
// define EVOPLUG_BUILDING_LIBRARY, which exports them.
#pragma once

#include "bridge/host_interface.h"
