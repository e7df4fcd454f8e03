#include "plugin.h"

#include <atomic>
#include <filesystem>

#if defined(__SANITIZE_ADDRESS__)
#define EVOPLUG_HOST_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define EVOPLUG_HOST_LEAK_CHECK 1
#endif
#endif
#if defined(EVOPLUG_HOST_LEAK_CHECK) && !defined(_WIN32)
#include <sanitizer/lsan_interface.h>
#else
#undef EVOPLUG_HOST_LEAK_CHECK
#endif

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace evoplug::host {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
void* openLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr)
        error = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(module);
}
void* symbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void closeLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
long processId() { return static_cast<long>(GetCurrentProcessId()); }
#else
void* openLibrary(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) error = dlerror();
    return handle;
}
void* symbol(void* handle, const char* name) { return dlsym(handle, name); }
void closeLibrary(void* handle) { dlclose(handle); }
long processId() { return static_cast<long>(getpid()); }
#endif

std::string privateCopy(const std::string& path) {
    static std::atomic<int> counter{0};
    fs::path source(path);
    fs::path target =
        fs::temp_directory_path() / ("evoplug-" + std::to_string(processId()) + "-" +
                                     std::to_string(counter++) + source.extension().string());
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    return target.string();
}

#if defined(EVOPLUG_HOST_LEAK_CHECK)
// Under the leak checker every loaded plug-in stays mapped, and its private
// copy stays on disk, until the check has run at exit: a leak inside the
// plug-in is then reported, and matched against the suppressions, by function
// name instead of as an unknown module.
struct KeptCopies {
    std::vector<std::string> files;
    ~KeptCopies() {
        __lsan_do_leak_check();
        for (const auto& file : files) {
            std::error_code ignored;
            fs::remove(file, ignored);
        }
    }
};
KeptCopies& keptCopies() {
    static KeptCopies kept;
    return kept;
}
#endif

}  // namespace

const std::vector<std::string>& exportNames() {
    static const std::vector<std::string> names = {
#define EVOPLUG_EXPORT_NAME(result, name, params) #name,
        EVOPLUG_EXPORTS(EVOPLUG_EXPORT_NAME)
#undef EVOPLUG_EXPORT_NAME
    };
    return names;
}

std::unique_ptr<Plugin> Plugin::load(const std::string& path, const Options& options) {
    if (!fs::exists(path)) throw std::runtime_error("plug-in not found: " + path);
#if defined(EVOPLUG_HOST_LEAK_CHECK)
    keptCopies();  // outlives every plug-in loaded after it
#endif
    std::unique_ptr<Plugin> plugin(new Plugin());
    std::string file = path;
    if (options.freshCopy) {
        file = privateCopy(path);
        plugin->copyPath_ = file;
    }
    std::string error;
    plugin->handle_ = openLibrary(file, error);
    if (plugin->handle_ == nullptr)
        throw std::runtime_error("cannot load plug-in " + path + ": " + error);

    Exports& e = plugin->exports_;
#define EVOPLUG_RESOLVE(result, name, params)                                    \
    e.name = reinterpret_cast<decltype(e.name)>(symbol(plugin->handle_, #name)); \
    if (e.name == nullptr) plugin->missing_.push_back(#name);
    EVOPLUG_EXPORTS(EVOPLUG_RESOLVE)
#undef EVOPLUG_RESOLVE

    if (options.requireAll && !plugin->missing_.empty()) {
        std::string list;
        for (const auto& name : plugin->missing_) list += (list.empty() ? "" : ", ") + name;
        throw std::runtime_error("plug-in " + path + " lacks the export(s): " + list);
    }
    return plugin;
}

Plugin::~Plugin() {
#if defined(EVOPLUG_HOST_LEAK_CHECK)
    (void)&closeLibrary;
    if (!copyPath_.empty()) keptCopies().files.push_back(copyPath_);
#else
    if (handle_ != nullptr) closeLibrary(handle_);
    if (!copyPath_.empty()) {
        std::error_code ignored;
        fs::remove(copyPath_, ignored);
    }
#endif
}

}  // namespace evoplug::host
