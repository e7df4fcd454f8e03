// Typed access to the engine's records at their named words.
#pragma once

#include <cstdint>

#include "bridge/host_interface.h"

namespace evoplug::bridge {

// A 32-bit word of a number-only record (entity, particle, panel, camera).
inline int32_t& word(void* record, int index) { return static_cast<int32_t*>(record)[index]; }
inline int32_t* words(void* record, int index) { return static_cast<int32_t*>(record) + index; }

// Engine words are plain 32-bit registers: sums wrap as they do in the
// engine, computed unsigned to avoid the undefined signed overflow.
inline int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrappingSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// The text of an engine string record.
inline const char* stringText(const void* stringRecord) {
    return reinterpret_cast<const char*>(
        static_cast<const abi::Word*>(stringRecord)[abi::string::kText]);
}
// Points the string at `text`; the engine string keeps it for good.
inline void setStringText(void* stringRecord, const char* text) {
    static_cast<abi::Word*>(stringRecord)[abi::string::kText] = reinterpret_cast<abi::Word>(text);
}

}  // namespace evoplug::bridge
