// A module that lacks one of the four entry points, which a host must refuse.
#if defined(_WIN32)
#define EXPORTED extern "C" __declspec(dllexport)
#else
#define EXPORTED extern "C" __attribute__((visibility("default")))
#endif

EXPORTED int OrrimPluginInit(void) { return 0; }
EXPORTED int OrrimPluginExit(void) { return 0; }
EXPORTED const char* OrrimPluginAbout(void) { return "incomplete"; }
