// The plug-in loaded from its module file by the host, as a user's host would.
#include "module_loader.h"
#include "plugin_under_test.h"

#include <cstdio>
#include <cstdlib>

const char* plugin_module_path()
{
    return stand_in::module_path_or_override(PLUGIN_MODULE_PATH);
}

static PluginEntryPoints load_plugin()
{
    stand_in::LoadedModule module;
    std::string error;
    if (!stand_in::load_module(plugin_module_path(), module, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }
    // Stays loaded for the whole test program.
    return PluginEntryPoints{module.init, module.exit, module.about, module.info};
}

const PluginEntryPoints& plugin_under_test()
{
    static const PluginEntryPoints entry_points = load_plugin();
    return entry_points;
}
