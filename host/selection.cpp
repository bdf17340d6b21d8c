#include "selection.h"

#include "call_log.h"
#include "host.h"
#include "plugin_call.h"
#include "lists.h"

#include <unordered_set>

namespace stand_in {

const char* select_mode_name(SelectMode mode)
{
    switch (mode) {
    case SelectMode::surface: return "surface";
    case SelectMode::vertex: return "vertex";
    case SelectMode::object: return "object";
    }
    return "?";
}

bool parse_select_mode(const std::string& text, SelectMode& mode)
{
    for (SelectMode candidate : {SelectMode::surface, SelectMode::vertex, SelectMode::object}) {
        if (text == select_mode_name(candidate)) {
            mode = candidate;
            return true;
        }
    }
    return false;
}

std::vector<std::string> describe(const Selection& selection)
{
    std::vector<std::string> lines;
    for (const Surface* surface : selection.surfaces)
        lines.push_back(describe(surface));
    for (const Object* object : selection.objects)
        lines.push_back(object->name);
    return lines;
}

}  // namespace stand_in

using namespace stand_in;

extern "C" void clear_selection(void)
{
    Host& host = active_host();
    check_host_state(host, "clear_selection");
    if (tracing(host))
        record_call(host, "clear_selection", {});
    host.selection = Selection{};
}

// Adds what is not selected yet, in list order. The lookup is a set, so that
// selecting a million surfaces takes no longer than walking them.
extern "C" void orrim_selection_select_by_surfaces(List* surfaces)
{
    Host& host = active_host();
    check_host_state(host, "orrim_selection_select_by_surfaces");
    if (tracing(host))
        record_call(host, "orrim_selection_select_by_surfaces", {describe_surface_list(surfaces)});
    Selection& selection = host.selection;
    std::unordered_set<const void*> selected(selection.surfaces.begin(), selection.surfaces.end());
    selected.insert(selection.objects.begin(), selection.objects.end());
    for (const List* node = surfaces; node != nullptr; node = node->next) {
        Surface* surface = static_cast<Surface*>(node->data);
        if (host.select_mode == SelectMode::object) {
            Object* owner = host_surface(surface)->owner;
            if (selected.insert(owner).second)
                selection.objects.push_back(owner);
        } else if (selected.insert(surface).second) {
            selection.surfaces.push_back(surface);
        }
    }
}
