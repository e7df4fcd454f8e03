// The boundary between the engine and the plug-in.
//
// The engine is not C++: no exception may leave an export. Every export that
// touches the plug-in's state runs its body through `guarded`, which hands it
// the state, marked as under way in the export of that name; whatever the body
// throws (a failed allocation) ends it there, and the export answers 0 with
// the state as the body left it. A body without a result answers 0.
//
// Seven exports do without: `CPlusPlayer_main`, `FlipUpsideDown` and `Square`
// touch only what they are given, `bin_extern`, `TransferChrom` and
// `SendFitnessFunction` only answer 0, and `ResetPluginState` must not build
// the state it is asked to free (it refuses itself while an export runs).
// None of them allocates or throws.
#pragma once

#include <cstdint>
#include <type_traits>

#include "plugin/plugin_state.h"

namespace evoplug {

template <typename Body>
int32_t guarded(const char* name, Body&& body) noexcept {
    try {
        PluginState& s = state();
        const PluginState::Running running(s, name);
        if constexpr (std::is_void_v<decltype(body(s))>) {
            body(s);
            return 0;
        } else {
            return body(s);
        }
    } catch (...) {
        return 0;
    }
}

}  // namespace evoplug
