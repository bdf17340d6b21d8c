#include "selection.h"

#include "call_log.h"
#include "host.h"
#include "lists.h"

#include <algorithm>

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

template <typename T>
static void add_once(std::vector<T*>& items, T* item)
{
    if (std::find(items.begin(), items.end(), item) == items.end())
        items.push_back(item);
}

}  // namespace stand_in

using namespace stand_in;

extern "C" void clear_selection(void)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "clear_selection", {});
    host.selection = Selection{};
}

extern "C" void orrim_selection_select_by_surfaces(List* surfaces)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "orrim_selection_select_by_surfaces", {describe_surface_list(surfaces)});
    for (const List* node = surfaces; node != nullptr; node = node->next) {
        Surface* surface = static_cast<Surface*>(node->data);
        if (host.select_mode == SelectMode::object)
            add_once(host.selection.objects, host_surface(surface)->owner);
        else
            add_once(host.selection.surfaces, surface);
    }
}
