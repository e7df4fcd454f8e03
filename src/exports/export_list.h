// The one list of the library's exports: X(result, name, parameters).
//
// The export declarations, the Windows module-definition file and the tests'
// expected export list are all generated from it. Every export is extern "C",
// cdecl, and found by its exact name.
#pragma once

#include <cstdint>

#define EVOPLUG_EXPORTS(X)                                            \
    /* engine bridge */                                               \
    X(int32_t, A5_DLLAPI, (void* hostInterface))                      \
    /* demonstrations */                                              \
    X(int32_t, AddToSkySpeed, (int32_t amount))                       \
    X(int32_t, CPlusPlayer_main, (void* entity))                      \
    X(int32_t, DLLEffect_Explo, (void* particle))                     \
    X(int32_t, DLLPart_Alphafade, (void* particle))                   \
    X(int32_t, DistAhead, (void* entity))                             \
    X(int32_t, FlipUpsideDown, (void* entity))                        \
    X(int32_t, PaintScreenWhite, ())                                  \
    X(int32_t, SetCloudSpeed, (int32_t * speeds))                     \
    X(int32_t, Square, (int32_t x))                                   \
    X(int32_t, WDLBeep, (int32_t count))                              \
    X(int32_t, ZoomIn, (int32_t amount))                              \
    X(int32_t, bin_extern, ())                                        \
    /* genetic algorithm */                                           \
    X(int32_t, CreateGenotype, ())                                    \
    X(int32_t, TransferChrom, ())                                     \
    X(int32_t, init_Ortavia, ())                                      \
    X(int32_t, MyFitness, ())                                         \
    X(int32_t, SendFitnessFunction, ())                               \
    X(int32_t, evolution, (int32_t first, int32_t second))            \
    /* control panel */                                               \
    X(int32_t, InterfaceInit, ())                                     \
    X(int32_t, WDL_syntax, ())                                        \
    X(int32_t, init_population, ())                                   \
    X(int32_t, SelectRadio, (int32_t row))                            \
    X(int32_t, SelectCommand, (int32_t row, int32_t direction))       \
    X(int32_t, ControlPanelCommand, (int32_t row, int32_t direction)) \
    X(int32_t, ToggleControlPanel, ())                                \
    X(int32_t, DragPanel, ())                                         \
    X(int32_t, MoveMyPanel, ())                                       \
    X(int32_t, ReleaseMyPanel, ())                                    \
    X(int32_t, PositionPanel, (int32_t flag))                         \
    /* corpus registry */                                             \
    X(int32_t, CorpusInit, ())                                        \
    X(int32_t, CorpusReduce, ())                                      \
    X(int32_t, countup, ())                                           \
    /* for the level's developer: the wiring, checked */              \
    X(int32_t, CheckBindings, ())                                     \
    /* for hosts only: the clock that seeds the generator, and a */   \
    /* fresh start from load state */                                 \
    X(void, SetRuntimeClock, (int64_t(*seconds)(void)))               \
    X(void, ResetPluginState, ())
