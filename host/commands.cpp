#include "commands.h"

#include "call_log.h"
#include "host.h"
#include "plugin_call.h"

namespace stand_in {

static const std::string command_prefix = "orrim ";

Outcome run_command(Host& host, const std::string& name)
{
    // A later registration of the same name replaces the earlier one.
    for (auto command = host.commands.rbegin(); command != host.commands.rend(); ++command) {
        if (command->name == name) {
            ActiveHost scope(host);
            call_plugin(host, command->handler);
            return {true, ""};
        }
    }
    return {false, "unknown command \"" + name + "\""};
}

Outcome run_command_string(Host& host, const std::string& command_string)
{
    if (command_string.compare(0, command_prefix.size(), command_prefix) != 0)
        return {false, "command string \"" + command_string + "\" does not start with \"orrim \""};
    return run_command(host, command_string.substr(command_prefix.size()));
}

Outcome choose_menu_item(Host& host, const std::string& label)
{
    for (const MenuItem& item : host.tools_menu) {
        if (item.label == label)
            return run_command_string(host, item.command);
    }
    return {false, "the Tools menu has no item \"" + label + "\""};
}

}  // namespace stand_in

using namespace stand_in;

extern "C" void orrim_add_command(const char* name, command_handler handler)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "orrim_add_command", {name, address_of(reinterpret_cast<const void*>(handler))});
    host.commands.push_back(RegisteredCommand{name, handler});
}

extern "C" void orrim_add_tools_menu_item(const char* label, const char* command, const char* description)
{
    Host& host = active_host();
    if (tracing(host))
        record_call(host, "orrim_add_tools_menu_item", {label, command, description});
    host.tools_menu.push_back(MenuItem{label, command, description});
}
