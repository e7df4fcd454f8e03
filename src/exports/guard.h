// The boundary between the engine and the plug-in.
//
// The engine is not C++: no exception may leave an export. Every export runs
// its body through `guarded`, which hands it the plug-in's state; whatever
// the body throws (a failed allocation) ends it there, and the export answers
// 0 with the state as the body left it. A body without a result answers 0.
#pragma once

#include <cstdint>
#include <type_traits>

#include "plugin/plugin_state.h"

namespace evoplug {

template <typename Body>
int32_t guarded(Body&& body) noexcept {
    try {
        if constexpr (std::is_void_v<decltype(body(state()))>) {
            body(state());
            return 0;
        } else {
            return body(state());
        }
    } catch (...) {
        return 0;
    }
}

}  // namespace evoplug
