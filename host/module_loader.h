// Loads a plug-in module from its file and finds its four entry points.
#pragma once

#include <string>

namespace stand_in {

struct LoadedModule {
    void* handle = nullptr;
    int (*init)(void) = nullptr;
    int (*exit)(void) = nullptr;
    const char* (*about)(void) = nullptr;
    const char* (*info)(void) = nullptr;
};

// On failure returns false with the reason in error; nothing stays loaded.
bool load_module(const std::string& path, LoadedModule& module, std::string& error);
void unload_module(LoadedModule& module);

// The module file a program was built to load, or the one the environment
// variable PLUGIN_MODULE names instead.
const char* module_path_or_override(const char* built_path);

}  // namespace stand_in

namespace stand_in {

struct Host;

// Loads the module and calls its OrrimPluginInit in the host. A refused start
// is a failure too: the module is unloaded again.
bool start_module(Host& host, const std::string& path, LoadedModule& module, std::string& error);
// Calls OrrimPluginExit and unloads the module.
void stop_module(Host& host, LoadedModule& module);

}  // namespace stand_in
