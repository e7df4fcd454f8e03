// The records and calls shared by the engine and the plug-in.
//
// This is the one place where record word indices, type codes and call
// signatures are written down; the plug-in and the stand-in host both include
// it. Two kinds of record exist:
//   - records that hold pointers are arrays of pointer-wide words (uintptr_t);
//     a number kept in such a word is the word's value read as int32_t;
//   - records that hold only numbers are arrays of 32-bit words (int32_t).
// On the engine's own 32-bit target both words are 32 bits wide.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define EVOPLUG_CDECL __cdecl
#else
#define EVOPLUG_CDECL
#endif

namespace evoplug::abi {

// A signed 32-bit fixed-point number with 10 fraction bits.
using EngineVar = int32_t;
using Word = uintptr_t;

constexpr int kFractionBits = 10;
constexpr EngineVar kOne = 1 << kFractionBits;

// Whole part (arithmetic shift right by 10).
constexpr int32_t toInt(EngineVar v) { return v >> kFractionBits; }
// Integer to EngineVar; computed unsigned so large values wrap instead of
// overflowing.
constexpr EngineVar fromInt(int32_t i) {
    return static_cast<EngineVar>(static_cast<uint32_t>(i) << kFractionBits);
}

// ---- Calls ----------------------------------------------------------------

// Slot 0: the script object of that name, or null. Owned by the engine.
using LookupFn = void*(EVOPLUG_CDECL*)(const char* name);
// Slot 1: an engine function by name (one of the signatures below), or null.
using LookupFunctionFn = void*(EVOPLUG_CDECL*)(const char* name);
// Slot 4: calls the script function `handle` with four EngineVars and returns
// its EngineVar result. Handle 0 is not a function: the engine returns 0.
using CallFn = int32_t(EVOPLUG_CDECL*)(int32_t handle, int32_t a, int32_t b, int32_t c, int32_t d);

// Engine functions, fetched through slot 1 by these names.
constexpr const char* kEntCreateName = "ent_create";
constexpr const char* kEntRemoveName = "ent_remove";
constexpr const char* kVecRotateName = "vec_rotate";
constexpr const char* kTraceName = "trace";
// A new entity record; the engine copies the position.
using EntCreateFn = void*(EVOPLUG_CDECL*)(const void* modelStringRecord, const int32_t* position3,
                                          int32_t actionHandle);
using EntRemoveFn = int32_t(EVOPLUG_CDECL*)(void* entity);
// Turns vector3 in place by the three angles.
using VecRotateFn = int32_t(EVOPLUG_CDECL*)(int32_t* vector3, const int32_t* angles3);
// EngineVar distance along the traced line.
using TraceFn = int32_t(EVOPLUG_CDECL*)(const int32_t* from3, const int32_t* to3);
// The screen surface's lock and unlock functions.
using SurfaceFn = void(EVOPLUG_CDECL*)(void);

// ---- Host interface record (pointer-wide words) -----------------------------
namespace host {
constexpr int kReserved = 0;       // may carry a version number
constexpr int kFunctionTable = 1;  // -> engine function table
constexpr int kSurface = 2;        // -> screen surface record
constexpr int kUnused = 3;         // stored, never used
constexpr int kSecondTable = 4;    // -> a table whose slot 2 is copied, never used
constexpr int kSecondTableSlot = 2;
constexpr int kWords = 5;
}  // namespace host

// ---- Engine function table (pointer-wide words) -----------------------------
namespace table {
constexpr int kLookup = 0;
constexpr int kLookupFunction = 1;
constexpr int kCall = 4;
constexpr int kWords = 5;
}  // namespace table

// ---- Script object (pointer-wide words) -------------------------------------
namespace object {
constexpr int kData0 = 0;
constexpr int kData1 = 1;
constexpr int kType = 2;
constexpr int kWords = 3;
}  // namespace object

// Type codes of script objects, and which data word each one uses.
namespace type {
constexpr int32_t kNumber = 1;    // word 0 -> EngineVar (two for the two-word variables)
constexpr int32_t kArray = 2;     // word 0 -> first EngineVar
constexpr int32_t kString = 3;    // word 1 -> string record
constexpr int32_t kObject = 4;    // word 0 -> 32-bit-word record ("camera", "player", "you")
constexpr int32_t kFunction = 6;  // word 0 = the handle itself
constexpr int32_t kPanel = 9;     // word 1 -> panel record
}  // namespace type

// The data word that `lookupVar` returns for a type code.
constexpr int dataWordFor(int32_t typeCode) {
    return (typeCode == type::kString || typeCode == type::kPanel) ? object::kData1
                                                                   : object::kData0;
}

// ---- String record (pointer-wide words) -------------------------------------
// Words 0-2 belong to the engine. Word 3 is the NUL-terminated Windows-1252
// text; the plug-in may point it at text it allocated and never frees.
namespace string {
constexpr int kText = 3;
constexpr int kWords = 4;
}  // namespace string

// ---- Screen surface record (pointer-wide words) -----------------------------
namespace surface {
constexpr int kPixels = 0;  // uint8_t* first pixel byte
constexpr int kBytesPerLine = 1;
constexpr int kWidth = 2;
constexpr int kHeight = 3;
constexpr int kBytesPerPixel = 4;
constexpr int kLock = 5;    // SurfaceFn, called before the pixels are written
constexpr int kUnlock = 6;  // SurfaceFn, called after
constexpr int kWords = 7;
}  // namespace surface

// ---- Number-only records (32-bit words) -------------------------------------
namespace entity {
constexpr int kPosition = 4;  // x, y, z: words 4-6
constexpr int kAngles = 7;    // three angles: words 7-9
constexpr int kPan = 7;
constexpr int kTilt = 8;
constexpr int kRoll = 9;
constexpr int kGene2 = 21;  // gene 2 goes into word 21
constexpr int kGene1 = 22;
constexpr int kGene0 = 23;  // gene 0 goes into word 23
constexpr int kWords = 32;
}  // namespace entity

namespace particle {
constexpr int kLife = 3;       // 0 ends the particle
constexpr int kVelocity = 7;   // words 7-9
constexpr int kFunction = 12;  // script function handle
constexpr int kFlags = 13;
constexpr int kAlpha = 19;   // transparency
constexpr int kColour = 21;  // words 21-23, as on entities
constexpr int kWords = 32;
}  // namespace particle

namespace panel {
constexpr int kPosX = 5;
constexpr int kPosY = 6;
constexpr int kWord10 = 10;  // set by the drag logic while a move is under way
constexpr int kWords = 16;
}  // namespace panel

namespace camera {
constexpr int kZoomWord = 18;
constexpr int kWords = 32;
}  // namespace camera

// ---- Layout pins ----------------------------------------------------------
// Every named word, checked for 32-bit and 64-bit pointer-wide words on every
// build, so a 64-bit build also proves the engine's own 32-bit layout.
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
EVOPLUG_PIN_NUMBER(panel, kWord10, 10);
EVOPLUG_PIN_NUMBER(camera, kZoomWord, 18);

#undef EVOPLUG_PIN_WORD
#undef EVOPLUG_PIN_NUMBER

#if defined(_WIN32) && !defined(_WIN64)
static_assert(kWordSize == 4, "the engine's own target has 32-bit words throughout");
#endif

}  // namespace evoplug::abi
