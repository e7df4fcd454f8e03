// The script's objects that the start-up exports bind by name, and the check
// of a level's wiring.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>

#include "bridge/engine_bridge.h"
#include "script/script_names.h"

namespace evoplug::script {

class Bindings {
  public:
    // Looks up every name of the stage, in table order, and keeps what it
    // finds; an object of another kind counts as missing (null, handle 0).
    void bind(Stage stage, bridge::EngineLink& engine);

    // Writing the script's variables and records takes non-const bindings.
    const int32_t* number(Name n) const { return numbers_[n]; }
    int32_t* number(Name n) { return numbers_[n]; }
    const char* text(Name n) const { return strings_[n] ? strings_[n].text() : nullptr; }
    int32_t handle(Name n) const { return handles_[n]; }
    // The engine function F of abi::engine_function, if it is a bound name.
    template <typename F>
    typename F::Fn engineFunction() const {
        constexpr int n = indexOf(F::kName);
        static_assert(n < kBoundNameCount, "a bound engine function");
        return reinterpret_cast<typename F::Fn>(engineFunctions_[n]);
    }

    // Where a binding is kept, so that a holder sees later rebinds; a run of
    // consecutive names is an array.
    const bridge::StringRecord* stringCell(Name n) { return &strings_[n]; }
    const bridge::PanelRecord* panelCell(Name n) { return &panels_[n]; }

    // What the name is bound to as the engine answered it (a handle as its
    // value), whatever its kind.
    const void* raw(Name n) const;

  private:
    // One row per bound name in each; only the row of the name's kind is used.
    template <typename T>
    using Cells = std::array<T, kBoundNameCount>;
    Cells<int32_t*> numbers_{};
    Cells<bridge::StringRecord> strings_{};
    Cells<bridge::PanelRecord> panels_{};
    Cells<int32_t> handles_{};
    Cells<void*> engineFunctions_{};  // typed by engineFunction<F>()
};

// The kind of script object that meets the need.
bridge::Kind kindOf(Need need);

// Checks every name of the table (and the function "actionstring" names)
// against what the engine holds now: one line per missing or mistyped name
// to `errors`. Binds nothing. Returns the number of problems.
int checkWiring(const bridge::EngineLink& engine, std::ostream& errors);

}  // namespace evoplug::script
