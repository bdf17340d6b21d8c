// The host's selection: surfaces in the Surface and Vertex select modes, the
// objects that hold them in Object mode.
#pragma once

#include "orrim_host.h"

#include <string>
#include <vector>

namespace stand_in {

enum class SelectMode { surface, vertex, object };

const char* select_mode_name(SelectMode mode);
// Reads "surface", "vertex" or "object"; false for anything else.
bool parse_select_mode(const std::string& text, SelectMode& mode);

struct Selection {
    std::vector<Surface*> surfaces;
    std::vector<Object*> objects;

    bool empty() const { return surfaces.empty() && objects.empty(); }
    bool operator==(const Selection& other) const
    {
        return surfaces == other.surfaces && objects == other.objects;
    }
};

// One line per selected item: "object:face" for a surface, the name for an object.
std::vector<std::string> describe(const Selection& selection);

}  // namespace stand_in
