// Reads a Wavefront OBJ file into a scene: each o or g group becomes an object
// under the world, each face a surface of face type with its vertices in file
// order (no triangulation), each line element a surface of line type.
#pragma once

#include "scene.h"

#include <istream>
#include <string>

namespace stand_in {

// On a malformed line returns false with an error that names the line, and
// leaves the scene as it was given.
bool read_obj(std::istream& in, const std::string& file_name, Scene& scene, std::string& error);
bool read_obj_file(const std::string& path, Scene& scene, std::string& error);

}  // namespace stand_in
