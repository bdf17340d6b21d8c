// The undo history: each step keeps the selection as it was before a change.
#pragma once

#include "selection.h"

#include <string>

namespace stand_in {

struct Host;

struct UndoStep {
    std::string description;
    Selection before;
};

// Restores the selection of the newest step and drops it; false when there
// is nothing to undo.
bool undo(Host& host);

}  // namespace stand_in
