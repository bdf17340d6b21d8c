// Generated scenes for timing the select command: flat patches of quads or of
// larger polygons spread over several hundred objects, with the host's list
// nodes and vertices in the order they were made or scattered.
#pragma once

#include "scene.h"

#include <string>

namespace bench {

enum class Shape { quads, polygons };
enum class Placement { in_order, scattered };

struct ScenePlan {
    Shape shape;
    Placement placement;
    long vertices;    // corners in all, as near to this as whole faces allow
    int objects = 0;  // 0: one per eight faces, at least one and at most 400

    // "quads/scattered/1000000": shape, placement, objects if fixed, vertices.
    std::string name() const;
};

struct SceneSize {
    long objects = 0;
    long faces = 0;
    long vertices = 0;
    long bent_faces = 0;  // faces made non-planar, which the command must find
};

SceneSize build_scene(stand_in::Scene& scene, const ScenePlan& plan);

// An OBJ file of a flat grid of side x side quads on a tilted plane, each
// vertex written once and shared by the faces around it.
std::string grid_obj_text(int side);

}  // namespace bench
