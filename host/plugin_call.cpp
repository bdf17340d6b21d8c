#include "plugin_call.h"

#include <cstdio>
#include <cstdlib>

namespace stand_in {

#if defined(__i386__)
std::uintptr_t call_with_misaligned_stack(void (*function)(void), int misalignment)
{
    std::uintptr_t result;
    void* callee = reinterpret_cast<void*>(function);
    int offset = misalignment;
    // esi is preserved by the callee and keeps the stack pointer to return to.
    asm volatile(
        "mov %%esp, %%esi\n\t"
        "and $-16, %%esp\n\t"
        "sub %%ecx, %%esp\n\t"
        "call *%%edx\n\t"
        "mov %%esi, %%esp"
        : "=a"(result), "+d"(callee), "+c"(offset)
        :
        : "esi", "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7");
    return result;
}
#else
std::uintptr_t call_with_misaligned_stack(void (*)(void), int misalignment)
{
    // Elsewhere the calling convention itself keeps the stack aligned.
    std::fprintf(stderr, "orrim: a stack misaligned by %d bytes is only tried on 32-bit x86\n", misalignment);
    std::abort();
}
#endif

PluginCallScope::PluginCallScope(Host& host) : host_(host), own_(read_floating_point_state())
{
    if (host_.calling.floating_point)
        write_floating_point_state(*host_.calling.floating_point);
}

PluginCallScope::~PluginCallScope()
{
    host_.state_after_call = read_floating_point_state();
    write_floating_point_state(own_);
}

void check_host_state(Host& host, const char* function)
{
    if (host.calling.floating_point && read_floating_point_state() != *host.calling.floating_point)
        host.calls_in_foreign_state.push_back(function);
}

}  // namespace stand_in
