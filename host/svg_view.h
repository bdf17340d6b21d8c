// The view that redraw_all redraws, drawn to an SVG file: every surface of the
// scene in a fixed oblique projection, the selected ones highlighted.
#pragma once

#include <string>

namespace stand_in {

struct Host;

bool write_view_svg(Host& host, const std::string& path, std::string& error);

}  // namespace stand_in
