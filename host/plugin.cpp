#include "plugin.h"

#include <filesystem>

#if defined(__SANITIZE_ADDRESS__)
#define EVOPLUG_HOST_KEEPS_LIBRARIES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define EVOPLUG_HOST_KEEPS_LIBRARIES 1
#endif
#endif

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace evoplug::host {
namespace {

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
#else
void* openLibrary(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) error = dlerror();
    return handle;
}
void* symbol(void* handle, const char* name) { return dlsym(handle, name); }
// Under the leak checker the library stays mapped until the check has run at
// exit, so that a leak inside it is reported under its function's name.
void closeLibrary(void* handle) {
#if !defined(EVOPLUG_HOST_KEEPS_LIBRARIES)
    dlclose(handle);
#else
    (void)handle;
#endif
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

std::unique_ptr<Plugin> Plugin::load(const std::string& path, bool requireAll) {
    if (!std::filesystem::exists(path)) throw std::runtime_error("plug-in not found: " + path);
    std::unique_ptr<Plugin> plugin(new Plugin());
    std::string error;
    plugin->handle_ = openLibrary(path, error);
    if (plugin->handle_ == nullptr)
        throw std::runtime_error("cannot load plug-in " + path + ": " + error);

    Exports& e = plugin->exports_;
#define EVOPLUG_RESOLVE(result, name, params)                                    \
    e.name = reinterpret_cast<decltype(e.name)>(symbol(plugin->handle_, #name)); \
    if (e.name == nullptr) plugin->missing_.push_back(#name);
    EVOPLUG_EXPORTS(EVOPLUG_RESOLVE)
#undef EVOPLUG_RESOLVE

    if (requireAll && !plugin->missing_.empty()) {
        std::string list;
        for (const auto& name : plugin->missing_) list += (list.empty() ? "" : ", ") + name;
        throw std::runtime_error("plug-in " + path + " lacks the exports " + list);
    }
    return plugin;
}

Plugin::~Plugin() {
    if (handle_ != nullptr) closeLibrary(handle_);
}

}  // namespace evoplug::host
