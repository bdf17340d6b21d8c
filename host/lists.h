// The host's list functions. Nodes are allocated by list_add_item_head and
// freed by list_free; the items they hold are never the list's to free.
#pragma once

#include "orrim_host.h"

#include <string>

namespace stand_in {

// Nodes made by list_add_item_head and not yet freed, over the whole process.
long live_list_nodes();

// "[a:1, b:2]" for a list of surfaces, in list order.
std::string describe_surface_list(const List* head);

}  // namespace stand_in
