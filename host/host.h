// A stand-in for the modelling application that hosts the plug-in: the parts
// of it that a plug-in relies on, and no more.
#pragma once

#include "call_log.h"
#include "calling_conditions.h"
#include "commands.h"
#include "scene.h"
#include "selection.h"
#include "undo.h"

#include <string>
#include <vector>

namespace stand_in {

struct Host {
    double version = 4.0;
    Scene scene;
    SelectMode select_mode = SelectMode::surface;
    Selection selection;
    std::vector<UndoStep> undo_history;
    std::vector<std::string> messages;
    int redraw_count = 0;
    std::vector<RegisteredCommand> commands;
    std::vector<MenuItem> tools_menu;
    std::vector<HostCall>* call_log = nullptr;

    CallingConditions calling;
    // The floating-point state the last call into the plug-in returned in.
    FloatingPointState state_after_call{};
    // Host functions that a command called after its walk, in another
    // floating-point state than the host called it in.
    std::vector<std::string> calls_in_foreign_state;
};

// The host functions a plug-in calls take no host argument: they act on the
// active host. A scope makes a host the active one and restores the one
// before when it ends.
Host& active_host();

// Whether the calls into the host are being recorded.
inline bool tracing(const Host& host)
{
    return host.call_log != nullptr;
}

class ActiveHost {
public:
    explicit ActiveHost(Host& host);
    ~ActiveHost();
    ActiveHost(const ActiveHost&) = delete;
    ActiveHost& operator=(const ActiveHost&) = delete;

private:
    Host* previous_;
};

}  // namespace stand_in
