#include "floating_point_state.h"

#include <cstdio>

namespace stand_in {

namespace {

// SSE control and status register.
constexpr std::uint32_t sse_default = 0x1f80;  // all exceptions masked, to nearest
constexpr std::uint32_t sse_flush_to_zero = 0x8000;
constexpr std::uint32_t sse_denormals_are_zero = 0x0040;
constexpr std::uint32_t sse_round_up = 0x4000;
constexpr std::uint32_t sse_round_toward_zero = 0x6000;
constexpr std::uint32_t sse_exception_masks = 0x1f80;
constexpr std::uint32_t sse_inexact_and_underflow_flags = 0x0030;

// x87 control word.
constexpr std::uint16_t x87_default = 0x037f;  // all masked, double extended, to nearest
constexpr std::uint16_t x87_precision_bits = 0x0300;
constexpr std::uint16_t x87_round_toward_zero = 0x0c00;
constexpr std::uint16_t x87_exception_flags = 0x003f;
constexpr std::uint16_t x87_inexact_flag = 0x0020;

// The environment that fnstenv stores and fldenv loads, in its 32-bit form.
struct X87Environment {
    std::uint16_t control, reserved0;
    std::uint16_t status, reserved1;
    std::uint32_t rest[5];
};
static_assert(sizeof(X87Environment) == 28, "x87 environment layout");

}  // namespace

FloatingPointState read_floating_point_state()
{
    FloatingPointState state{};
    std::uint16_t status = 0;
    asm volatile("stmxcsr %0" : "=m"(state.sse_csr));
    asm volatile("fnstcw %0" : "=m"(state.x87_control));
    asm volatile("fnstsw %0" : "=m"(status));
    state.x87_flags = status & x87_exception_flags;
    return state;
}

void write_floating_point_state(const FloatingPointState& state)
{
    asm volatile("ldmxcsr %0" : : "m"(state.sse_csr));
    X87Environment environment;
    asm volatile("fnstenv %0" : "=m"(environment));
    environment.control = state.x87_control;
    // Clears the summary and stack-fault bits with the flags: no exception
    // is left pending.
    environment.status = std::uint16_t((environment.status & ~0x00ff) | (state.x87_flags & x87_exception_flags));
    asm volatile("fldenv %0" : : "m"(environment));
}

std::string describe(const FloatingPointState& state)
{
    char text[64];
    std::snprintf(text, sizeof text, "SSE %04x, x87 control %04x, x87 flags %02x", unsigned(state.sse_csr),
                  unsigned(state.x87_control), unsigned(state.x87_flags));
    return text;
}

const std::vector<NamedFloatingPointState>& hostile_floating_point_states()
{
    static const std::vector<NamedFloatingPointState> states = {
        // As fast-math start-up code leaves it; with flags the host has
        // raised already, which must still be there afterwards.
        {"flush_to_zero_denormals_are_zero",
         {sse_default | sse_flush_to_zero | sse_denormals_are_zero | sse_inexact_and_underflow_flags, x87_default,
          x87_inexact_flag}},
        {"flush_to_zero_denormals_are_zero_toward_zero",
         {sse_default | sse_flush_to_zero | sse_denormals_are_zero | sse_round_toward_zero, x87_default, 0}},
        {"round_up", {sse_default | sse_round_up, x87_default, 0}},
        {"x87_single_precision", {sse_default, std::uint16_t(x87_default & ~x87_precision_bits), 0}},
        {"x87_single_precision_toward_zero",
         {sse_default, std::uint16_t((x87_default & ~x87_precision_bits) | x87_round_toward_zero), x87_inexact_flag}},
        // A host that traps on floating-point exceptions.
        {"exceptions_unmasked", {sse_default & ~sse_exception_masks, x87_default, 0}},
    };
    return states;
}

}  // namespace stand_in
