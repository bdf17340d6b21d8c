// Reads a Wavefront OBJ file into a scene: each o or g group becomes an object
// under the world, each face a surface of face type with its vertices in file
// order (no triangulation), each line or point element a surface of a type
// that is not measured. Free-form geometry and display attributes carry no
// polygon: they are skipped, and counted in a warning.
#pragma once

#include "scene.h"

#include <istream>
#include <string>
#include <string_view>

namespace stand_in {

// On a malformed statement returns false with an error that names its line,
// and leaves the scene as it was given. What was skipped, if anything, goes to
// warning as one line.
bool read_obj_text(std::string_view text, const std::string& file_name, Scene& scene, std::string& error,
                   std::string& warning);
bool read_obj(std::istream& in, const std::string& file_name, Scene& scene, std::string& error);
bool read_obj_file(const std::string& path, Scene& scene, std::string& error, std::string& warning);

}  // namespace stand_in
