#include "host.h"

#include <cstdio>
#include <cstdlib>

namespace stand_in {

static Host* active = nullptr;

Host& active_host()
{
    if (active == nullptr) {
        std::fprintf(stderr, "orrim: a host function was called with no host running\n");
        std::abort();
    }
    return *active;
}

ActiveHost::ActiveHost(Host& host) : previous_(active)
{
    active = &host;
}

ActiveHost::~ActiveHost()
{
    active = previous_;
}

}  // namespace stand_in

using namespace stand_in;

extern "C" double orrim_get_version_number(void)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "orrim_get_version_number", {});
    return host.version;
}

extern "C" Object* orrim_get_world(void)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "orrim_get_world", {});
    return host.scene.world();
}

extern "C" List* orrim_object_get_surfacelist(Object* object)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "orrim_object_get_surfacelist", {object->name});
    return object->surfaces;
}

extern "C" List* object_get_kids(Object* object)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "object_get_kids", {object->name});
    return object->kids;
}

// The plug-in asks once for every surface: recording the call stays out of
// the common path, so that an untraced query costs what a plain getter does.
[[gnu::noinline]] static void record_type_query(Host& host, Surface* surface)
{
    record_call(host, "surface_get_type", {describe(surface)});
}

extern "C" int surface_get_type(Surface* surface)
{
    Host& host = active_host();
    if (tracing(host))
        record_type_query(host, surface);
    return host_surface(surface)->type;
}
