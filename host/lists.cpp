#include "lists.h"

#include "call_log.h"
#include "host.h"
#include "plugin_call.h"

#include <atomic>

namespace stand_in {

static std::atomic<long> live_nodes{0};

long live_list_nodes()
{
    return live_nodes.load();
}

std::string describe_surface_list(const List* head)
{
    std::string text = "[";
    for (const List* node = head; node != nullptr; node = node->next) {
        if (node != head)
            text += ", ";
        text += describe(static_cast<const Surface*>(node->data));
    }
    return text + "]";
}

}  // namespace stand_in

using namespace stand_in;

extern "C" void list_add_item_head(List** head, void* item)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "list_add_item_head", {address_of(head), describe(static_cast<Surface*>(item))});
    *head = new List{item, *head};
    ++live_nodes;
}

extern "C" int list_count(List* head)
{
    Host& host = active_host();
    check_host_state(host, "list_count");
    if (tracing(host))
        record_call(host, "list_count", {describe_surface_list(head)});
    int count = 0;
    for (const List* node = head; node != nullptr; node = node->next)
        ++count;
    return count;
}

// Frees every node and leaves the head null.
extern "C" void list_free(List** head)
{
    Host& host = active_host();
    check_host_state(host, "list_free");
    if (tracing(host))
        record_call(host, "list_free", {address_of(head)});
    List* node = *head;
    while (node != nullptr) {
        List* next = node->next;
        delete node;
        --live_nodes;
        node = next;
    }
    *head = nullptr;
}
