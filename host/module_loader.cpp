#include "module_loader.h"

#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace stand_in {

#if defined(_WIN32)
static void* open_library(const std::string& path, std::string& error)
{
    HMODULE handle = LoadLibraryA(path.c_str());
    if (handle == nullptr)
        error = "Windows error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(handle);
}

static void* find_symbol(void* handle, const char* name)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

static void close_library(void* handle)
{
    FreeLibrary(static_cast<HMODULE>(handle));
}
#else
static void* open_library(const std::string& path, std::string& error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        error = dlerror();
    return handle;
}

static void* find_symbol(void* handle, const char* name)
{
    return dlsym(handle, name);
}

static void close_library(void* handle)
{
    dlclose(handle);
}
#endif

template <typename Function>
static bool resolve(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(find_symbol(handle, name));
    return function != nullptr;
}

bool load_module(const std::string& path, LoadedModule& module, std::string& error)
{
    // Told apart from a file that is there but is no module.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot read the module file " + path;
        return false;
    }
    std::fclose(file);

    std::string reason;
    void* handle = open_library(path, reason);
    if (handle == nullptr) {
        error = path + " is not a module that can be loaded: " + reason;
        return false;
    }

    LoadedModule found;
    found.handle = handle;
    const char* missing = nullptr;
    if (!resolve(handle, "OrrimPluginInit", found.init))
        missing = "OrrimPluginInit";
    else if (!resolve(handle, "OrrimPluginExit", found.exit))
        missing = "OrrimPluginExit";
    else if (!resolve(handle, "OrrimPluginAbout", found.about))
        missing = "OrrimPluginAbout";
    else if (!resolve(handle, "OrrimPluginInfo", found.info))
        missing = "OrrimPluginInfo";
    if (missing != nullptr) {
        close_library(handle);
        error = "the module " + path + " has no entry point " + missing;
        return false;
    }
    module = found;
    return true;
}

void unload_module(LoadedModule& module)
{
    if (module.handle != nullptr)
        close_library(module.handle);
    module = LoadedModule{};
}

const char* module_path_or_override(const char* built_path)
{
    const char* path = std::getenv("PLUGIN_MODULE");
    return path != nullptr ? path : built_path;
}

}  // namespace stand_in

#include "host.h"
#include "plugin_call.h"

namespace stand_in {

bool start_module(Host& host, const std::string& path, LoadedModule& module, std::string& error)
{
    if (!load_module(path, module, error))
        return false;
    ActiveHost scope(host);
    const int status = call_plugin(host, module.init);
    if (status != 0) {
        std::fflush(stdout);
        unload_module(module);
        error = "the plug-in refused to start (OrrimPluginInit returned " + std::to_string(status) + ")";
        return false;
    }
    return true;
}

void stop_module(Host& host, LoadedModule& module)
{
    ActiveHost scope(host);
    call_plugin(host, module.exit);
    unload_module(module);
}

}  // namespace stand_in
