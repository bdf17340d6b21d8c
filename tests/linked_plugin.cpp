// The plug-in compiled into the test program itself.
#include "plugin_under_test.h"

extern "C" {
int OrrimPluginInit(void);
int OrrimPluginExit(void);
const char* OrrimPluginAbout(void);
const char* OrrimPluginInfo(void);
}

const PluginEntryPoints& plugin_under_test()
{
    static const PluginEntryPoints entry_points{OrrimPluginInit, OrrimPluginExit, OrrimPluginAbout,
                                                OrrimPluginInfo};
    return entry_points;
}
