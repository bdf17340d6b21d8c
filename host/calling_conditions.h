// The conditions a host calls a plug-in in. A real host does not promise the
// processor's default floating-point state, nor more than 4-byte stack
// alignment on 32-bit x86 Windows.
#pragma once

#include "floating_point_state.h"

#include <optional>

namespace stand_in {

struct CallingConditions {
    // The state the host is in when it calls the plug-in; when empty, the
    // one it happens to run in.
    std::optional<FloatingPointState> floating_point;
    // How many bytes (4, 8 or 12) the stack is off 16-byte alignment at the
    // call; 32-bit x86 only.
    int stack_misalignment = 0;
};

}  // namespace stand_in
