// Declarations of every export, from the one list.
#pragma once

#include "bridge/host_interface.h"
#include "exports/export_list.h"

#if defined(_WIN32)
#define EVOPLUG_API __declspec(dllexport)
#else
#define EVOPLUG_API __attribute__((visibility("default")))
#endif

#define EVOPLUG_DECLARE_EXPORT(result, name, params) \
    extern "C" EVOPLUG_API result EVOPLUG_CDECL name params;
EVOPLUG_EXPORTS(EVOPLUG_DECLARE_EXPORT)
#undef EVOPLUG_DECLARE_EXPORT
