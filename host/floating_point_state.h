// The processor's floating-point state as a host leaves it for the code it
// calls: the SSE control and status register and the x87 unit's control
// word and exception flags. A real host may have set any of it otherwise
// than the processor's default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stand_in {

struct FloatingPointState {
    std::uint32_t sse_csr;      // control bits and exception flags
    std::uint16_t x87_control;  // precision, rounding and exception masks
    std::uint16_t x87_flags;    // the six exception flags of the status word

    bool operator==(const FloatingPointState& other) const
    {
        return sse_csr == other.sse_csr && x87_control == other.x87_control && x87_flags == other.x87_flags;
    }
    bool operator!=(const FloatingPointState& other) const { return !(*this == other); }
};

FloatingPointState read_floating_point_state();
void write_floating_point_state(const FloatingPointState& state);

std::string describe(const FloatingPointState& state);

// States that real hosts run in, each of which changes the result of
// arithmetic that relies on the default.
struct NamedFloatingPointState {
    const char* name;
    FloatingPointState state;
};

const std::vector<NamedFloatingPointState>& hostile_floating_point_states();

}  // namespace stand_in
