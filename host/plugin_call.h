// How the host calls into a plug-in: in the calling conditions the host is
// set to, noting whether the plug-in gave the host's floating-point state
// back.
#pragma once

#include "host.h"

#include <cstdint>
#include <type_traits>

namespace stand_in {

// Calls function (a plug-in's entry point or command handler, taking no
// arguments) with the stack misaligned by the given number of bytes, and
// returns what it leaves in the result register.
std::uintptr_t call_with_misaligned_stack(void (*function)(void), int misalignment);

// While a call is in progress: the host's state is set as its calling
// conditions say, and afterwards read back and the host's own restored.
class PluginCallScope {
public:
    explicit PluginCallScope(Host& host);
    ~PluginCallScope();
    PluginCallScope(const PluginCallScope&) = delete;
    PluginCallScope& operator=(const PluginCallScope&) = delete;

private:
    Host& host_;
    FloatingPointState own_;
};

// Called by the host functions that a plug-in's command may call only after
// its own work: notes the call when the floating-point state is not the one
// the host called in.
void check_host_state(Host& host, const char* function);

// Calls a plug-in's entry point or command handler in the host's calling
// conditions.
template <typename Result>
Result call_plugin(Host& host, Result (*function)(void))
{
    PluginCallScope scope(host);
    const int misalignment = host.calling.stack_misalignment;
    if (misalignment == 0)
        return function();
    const std::uintptr_t result = call_with_misaligned_stack(reinterpret_cast<void (*)(void)>(function), misalignment);
    if constexpr (std::is_pointer_v<Result>)
        return reinterpret_cast<Result>(result);
    else if constexpr (!std::is_void_v<Result>)
        return static_cast<Result>(result);
}

}  // namespace stand_in
