// The scene the orrim program uses when it is given no file.
#pragma once

#include "scene.h"

namespace stand_in {

void build_builtin_scene(Scene& scene);

}  // namespace stand_in
