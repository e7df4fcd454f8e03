// Loads the plug-in as the engine does: by file, exports by exact name.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "exports/export_list.h"

#if defined(_WIN32) && !defined(_WIN64)
#define EVOPLUG_HOST_CDECL __cdecl
#else
#define EVOPLUG_HOST_CDECL
#endif

namespace evoplug::host {

// One typed pointer per export; null when the library lacks it.
struct Exports {
#define EVOPLUG_EXPORT_POINTER(result, name, params) \
    result(EVOPLUG_HOST_CDECL* name) params = nullptr;
    EVOPLUG_EXPORTS(EVOPLUG_EXPORT_POINTER)
#undef EVOPLUG_EXPORT_POINTER
};

// The names of every export, in list order.
const std::vector<std::string>& exportNames();

class Plugin {
  public:
    struct Options {
        // Load a private copy of the file, so that each load starts from the
        // library's load-time state (a second load of one path would share it).
        bool freshCopy = false;
        // Fail when any listed export is missing.
        bool requireAll = true;
    };

    // Throws std::runtime_error naming the file or the missing exports.
    static std::unique_ptr<Plugin> load(const std::string& path, const Options& options);
    static std::unique_ptr<Plugin> load(const std::string& path) { return load(path, Options{}); }
    ~Plugin();

    const Exports& exports() const { return exports_; }
    const Exports* operator->() const { return &exports_; }
    const std::vector<std::string>& missing() const { return missing_; }

  private:
    Plugin() = default;
    void* handle_ = nullptr;
    std::string copyPath_;
    Exports exports_;
    std::vector<std::string> missing_;
};

}  // namespace evoplug::host
