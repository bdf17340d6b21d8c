// Reaches the plug-in the way this test program was built to: linked in, or
// loaded from its module file by the host.
#pragma once

#include "host.h"

// The plug-in's four entry points.
struct PluginEntryPoints {
    int (*init)(void);
    int (*exit)(void);
    const char* (*about)(void);
    const char* (*info)(void);
};

const PluginEntryPoints& plugin_under_test();

// A fresh host with the plug-in started in it, active while it lives.
struct HostWithPlugin {
    stand_in::Host host;
    stand_in::ActiveHost scope{host};

    explicit HostWithPlugin(stand_in::SelectMode mode = stand_in::SelectMode::surface);

    // Chooses "Select non-planar surfaces" from the Tools menu.
    void select_non_planar();
};
