#include "undo.h"

#include "call_log.h"
#include "host.h"
#include "plugin_call.h"

namespace stand_in {

bool undo(Host& host)
{
    if (host.undo_history.empty())
        return false;
    host.selection = host.undo_history.back().before;
    host.undo_history.pop_back();
    return true;
}

}  // namespace stand_in

using namespace stand_in;

extern "C" void add_undoable_change_selection(const char* description)
{
    Host& host = active_host();
    check_host_state(host, "add_undoable_change_selection");
    if (tracing(host))
        record_call(host, "add_undoable_change_selection", {description});
    host.undo_history.push_back(UndoStep{description, host.selection});
}
