// The library's C++ view of the engine's records and calls, defined from the
// public header so that no word index, type code or signature is written
// twice; the layout pins below check the offsets at both word widths.
#pragma once

#include <cstddef>
#include <cstdint>

#include "evoplug.h"

namespace evoplug::abi {

// A signed 32-bit fixed-point number with 10 fraction bits.
using EngineVar = int32_t;
using Word = uintptr_t;

constexpr int kFractionBits = EVOPLUG_FRACTION_BITS;
constexpr EngineVar kOne = EVOPLUG_ONE;

// Whole part (arithmetic shift right by 10).
constexpr int32_t toInt(EngineVar v) { return v >> kFractionBits; }
// Integer to EngineVar; computed unsigned so large values wrap instead of
// overflowing.
constexpr EngineVar fromInt(int32_t i) {
    return static_cast<EngineVar>(static_cast<uint32_t>(i) << kFractionBits);
}

// ---- Calls ----------------------------------------------------------------

using LookupFn = evoplug_lookup_fn;
using LookupFunctionFn = evoplug_lookup_function_fn;
using CallFn = evoplug_call_fn;
using SurfaceFn = evoplug_surface_fn;

// Each engine function's name and signature, from the one list.
namespace engine_function {
#define EVOPLUG_ABI_ENGINE_FUNCTION(fname, result, params) \
    struct fname {                                         \
        static constexpr const char* kName = #fname;       \
        using Fn = evoplug_##fname##_fn;                   \
    };
EVOPLUG_ENGINE_FUNCTIONS(EVOPLUG_ABI_ENGINE_FUNCTION)
#undef EVOPLUG_ABI_ENGINE_FUNCTION
}  // namespace engine_function

namespace host {
constexpr int kReserved = EVOPLUG_HOST_RESERVED;
constexpr int kFunctionTable = EVOPLUG_HOST_FUNCTION_TABLE;
constexpr int kSurface = EVOPLUG_HOST_SURFACE;
constexpr int kUnused = EVOPLUG_HOST_UNUSED;
constexpr int kSecondTable = EVOPLUG_HOST_SECOND_TABLE;
constexpr int kSecondTableSlot = EVOPLUG_SECOND_TABLE_SLOT;
constexpr int kWords = EVOPLUG_HOST_WORDS;
}  // namespace host

namespace table {
constexpr int kLookup = EVOPLUG_TABLE_LOOKUP;
constexpr int kLookupFunction = EVOPLUG_TABLE_LOOKUP_FUNCTION;
constexpr int kCall = EVOPLUG_TABLE_CALL;
constexpr int kWords = EVOPLUG_TABLE_WORDS;
}  // namespace table

namespace object {
constexpr int kData0 = EVOPLUG_OBJECT_DATA0;
constexpr int kData1 = EVOPLUG_OBJECT_DATA1;
constexpr int kType = EVOPLUG_OBJECT_TYPE;
constexpr int kWords = EVOPLUG_OBJECT_WORDS;
}  // namespace object

namespace type {
constexpr int32_t kNumber = EVOPLUG_TYPE_NUMBER;
constexpr int32_t kArray = EVOPLUG_TYPE_ARRAY;
constexpr int32_t kString = EVOPLUG_TYPE_STRING;
constexpr int32_t kObject = EVOPLUG_TYPE_OBJECT;
constexpr int32_t kFunction = EVOPLUG_TYPE_FUNCTION;
constexpr int32_t kPanel = EVOPLUG_TYPE_PANEL;
}  // namespace type

// The data word that holds a script object's data, by its type code.
constexpr int dataWordFor(int32_t typeCode) {
    return (typeCode == type::kString || typeCode == type::kPanel) ? object::kData1
                                                                   : object::kData0;
}

namespace string {
constexpr int kText = EVOPLUG_STRING_TEXT;
constexpr int kWords = EVOPLUG_STRING_WORDS;
}  // namespace string

namespace surface {
constexpr int kPixels = EVOPLUG_SURFACE_PIXELS;
constexpr int kBytesPerLine = EVOPLUG_SURFACE_BYTES_PER_LINE;
constexpr int kWidth = EVOPLUG_SURFACE_WIDTH;
constexpr int kHeight = EVOPLUG_SURFACE_HEIGHT;
constexpr int kBytesPerPixel = EVOPLUG_SURFACE_BYTES_PER_PIXEL;
constexpr int kLock = EVOPLUG_SURFACE_LOCK;
constexpr int kUnlock = EVOPLUG_SURFACE_UNLOCK;
constexpr int kWords = EVOPLUG_SURFACE_WORDS;
}  // namespace surface

namespace entity {
constexpr int kPosition = EVOPLUG_ENTITY_POSITION;
constexpr int kAngles = EVOPLUG_ENTITY_PAN;
constexpr int kPan = EVOPLUG_ENTITY_PAN;
constexpr int kTilt = EVOPLUG_ENTITY_TILT;
constexpr int kRoll = EVOPLUG_ENTITY_ROLL;
constexpr int kGene2 = EVOPLUG_ENTITY_GENE2;
constexpr int kGene1 = EVOPLUG_ENTITY_GENE1;
constexpr int kGene0 = EVOPLUG_ENTITY_GENE0;
constexpr int kWords = EVOPLUG_ENTITY_WORDS;
}  // namespace entity

namespace particle {
constexpr int kLife = EVOPLUG_PARTICLE_LIFE;
constexpr int kVelocity = EVOPLUG_PARTICLE_VELOCITY;
constexpr int kFunction = EVOPLUG_PARTICLE_FUNCTION;
constexpr int kFlags = EVOPLUG_PARTICLE_FLAGS;
constexpr int kAlpha = EVOPLUG_PARTICLE_ALPHA;
constexpr int kColour = EVOPLUG_PARTICLE_COLOUR;
constexpr int kWords = EVOPLUG_PARTICLE_WORDS;
}  // namespace particle

namespace panel {
constexpr int kPosX = EVOPLUG_PANEL_POS_X;
constexpr int kPosY = EVOPLUG_PANEL_POS_Y;
constexpr int kMoveMarker = EVOPLUG_PANEL_MOVE_MARKER;
constexpr int kWords = EVOPLUG_PANEL_WORDS;
}  // namespace panel

namespace camera {
constexpr int kZoomWord = EVOPLUG_CAMERA_ZOOM;
constexpr int kWords = EVOPLUG_CAMERA_WORDS;
}  // namespace camera

// ---- Layout pins ----------------------------------------------------------
// Every named word's offset, checked by arithmetic at both pointer widths on
// every build: a change to the public header that moves a word fails here.
// This checks the header against itself, not against the engine.
template <typename W, int N>
struct Record {
    W w[N];
};
// One template argument each, so that they fit in offsetof.
template <int N>
using Words32 = Record<uint32_t, N>;
template <int N>
using Words64 = Record<uint64_t, N>;
template <int N>
using Numbers = Record<int32_t, N>;

constexpr size_t kWordSize = sizeof(void*);
static_assert(sizeof(Word) == kWordSize, "pointer records use pointer-wide words");
static_assert(sizeof(EngineVar) == 4, "EngineVar is 32 bits on every target");

// Word `index` of a pointer-wide record lies at `n` words at both widths.
#define EVOPLUG_PIN_WORD(ns, index, n)                                  \
    static_assert(offsetof(Words32<ns::kWords>, w[ns::index]) == (n)*4, \
                  #ns "::" #index " at 32 bits");                       \
    static_assert(offsetof(Words64<ns::kWords>, w[ns::index]) == (n)*8, \
                  #ns "::" #index " at 64 bits")
// Word `index` of a number-only record lies at byte 4 x `n` at any width.
#define EVOPLUG_PIN_NUMBER(ns, index, n) \
    static_assert(offsetof(Numbers<ns::kWords>, w[ns::index]) == (n)*4, #ns "::" #index)

EVOPLUG_PIN_WORD(host, kReserved, 0);
EVOPLUG_PIN_WORD(host, kFunctionTable, 1);
EVOPLUG_PIN_WORD(host, kSurface, 2);
EVOPLUG_PIN_WORD(host, kUnused, 3);
EVOPLUG_PIN_WORD(host, kSecondTable, 4);
static_assert(host::kSecondTableSlot == 2);
EVOPLUG_PIN_WORD(table, kLookup, 0);
EVOPLUG_PIN_WORD(table, kLookupFunction, 1);
EVOPLUG_PIN_WORD(table, kCall, 4);
EVOPLUG_PIN_WORD(object, kData0, 0);
EVOPLUG_PIN_WORD(object, kData1, 1);
EVOPLUG_PIN_WORD(object, kType, 2);
EVOPLUG_PIN_WORD(string, kText, 3);
EVOPLUG_PIN_WORD(surface, kPixels, 0);
EVOPLUG_PIN_WORD(surface, kBytesPerLine, 1);
EVOPLUG_PIN_WORD(surface, kWidth, 2);
EVOPLUG_PIN_WORD(surface, kHeight, 3);
EVOPLUG_PIN_WORD(surface, kBytesPerPixel, 4);
EVOPLUG_PIN_WORD(surface, kLock, 5);
EVOPLUG_PIN_WORD(surface, kUnlock, 6);
EVOPLUG_PIN_NUMBER(entity, kPosition, 4);
EVOPLUG_PIN_NUMBER(entity, kPan, 7);
EVOPLUG_PIN_NUMBER(entity, kTilt, 8);
EVOPLUG_PIN_NUMBER(entity, kRoll, 9);
EVOPLUG_PIN_NUMBER(entity, kGene2, 21);
EVOPLUG_PIN_NUMBER(entity, kGene1, 22);
EVOPLUG_PIN_NUMBER(entity, kGene0, 23);
static_assert(entity::kAngles == entity::kPan);
EVOPLUG_PIN_NUMBER(particle, kLife, 3);
EVOPLUG_PIN_NUMBER(particle, kVelocity, 7);
EVOPLUG_PIN_NUMBER(particle, kFunction, 12);
EVOPLUG_PIN_NUMBER(particle, kFlags, 13);
EVOPLUG_PIN_NUMBER(particle, kAlpha, 19);
EVOPLUG_PIN_NUMBER(particle, kColour, 21);
EVOPLUG_PIN_NUMBER(panel, kPosX, 5);
EVOPLUG_PIN_NUMBER(panel, kPosY, 6);
EVOPLUG_PIN_NUMBER(panel, kMoveMarker, 10);
EVOPLUG_PIN_NUMBER(camera, kZoomWord, 18);

#undef EVOPLUG_PIN_WORD
#undef EVOPLUG_PIN_NUMBER

#if defined(_WIN32) && !defined(_WIN64)
static_assert(kWordSize == 4, "the engine's own target has 32-bit words throughout");
#endif

}  // namespace evoplug::abi
