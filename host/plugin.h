// Loads the plug-in as the engine does: by file, exports by exact name.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "evoplug.h"

namespace evoplug::host {

// One typed pointer per export; null when the library lacks it.
struct Exports {
#define EVOPLUG_EXPORT_POINTER(result, name, params) result(EVOPLUG_CDECL* name) params = nullptr;
    EVOPLUG_EXPORTS(EVOPLUG_EXPORT_POINTER)
#undef EVOPLUG_EXPORT_POINTER
};

// The names of every export, in list order.
const std::vector<std::string>& exportNames();

class Plugin {
  public:
    // Throws std::runtime_error naming the file, or the missing exports when
    // `requireAll` is set. Loading a file again shares its state: hosts start
    // afresh with ResetPluginState.
    static std::unique_ptr<Plugin> load(const std::string& path, bool requireAll = true);
    ~Plugin();

    const Exports& exports() const { return exports_; }
    const Exports* operator->() const { return &exports_; }
    const std::vector<std::string>& missing() const { return missing_; }

  private:
    Plugin() = default;
    void* handle_ = nullptr;
    Exports exports_;
    std::vector<std::string> missing_;
};

}  // namespace evoplug::host
