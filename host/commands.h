// Named commands and the Tools menu whose items run them.
#pragma once

#include "orrim_host.h"

#include <string>

namespace stand_in {

struct Host;

struct RegisteredCommand {
    std::string name;
    command_handler handler;
};

struct MenuItem {
    std::string label;
    std::string command;  // "orrim" followed by a command name
    std::string description;
};

struct Outcome {
    bool ok;
    std::string error;
};

Outcome run_command(Host& host, const std::string& name);
Outcome run_command_string(Host& host, const std::string& command_string);
Outcome choose_menu_item(Host& host, const std::string& label);

}  // namespace stand_in
