// The views: this host draws nothing on screen, it counts the redraws asked for.
#include "call_log.h"
#include "host.h"
#include "plugin_call.h"

using namespace stand_in;

extern "C" void redraw_all(void)
{
    Host& host = active_host();
    check_host_state(host, "redraw_all");
    if (tracing(host))
        record_call(host, "redraw_all", {});
    ++host.redraw_count;
}
