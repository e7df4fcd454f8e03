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
    void bind(Stage stage, const bridge::EngineLink& engine);

    int32_t* number(Name n) const { return static_cast<int32_t*>(cells_[n]); }
    bridge::StringRecord string(Name n) const { return bridge::StringRecord(cells_[n]); }
    // Where the binding is kept, so that a holder sees later rebinds; a run of
    // consecutive names is an array.
    void* const* cell(Name n) const { return &cells_[n]; }
    int32_t handle(Name n) const {
        return static_cast<int32_t>(reinterpret_cast<intptr_t>(cells_[n]));
    }
    template <typename Fn>
    Fn engineFunction(Name n) const {
        return reinterpret_cast<Fn>(cells_[n]);
    }

  private:
    std::array<void*, kBoundNameCount> cells_{};
};

// Checks every name of the table (and the function "actionstring" names)
// against what the engine holds now: one line per missing or mistyped name
// to `errors`. Binds nothing. Returns the number of problems.
int checkWiring(const bridge::EngineLink& engine, std::ostream& errors);

}  // namespace evoplug::script
