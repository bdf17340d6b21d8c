#include "builtin_scene.h"

#include <cmath>

namespace stand_in {

// A small house: flat walls and floor, a roof with one bent panel, a
// degenerate sliver, a wire that is not a face and is not measured, and two
// vent covers lifted at one corner, one just within the tolerance and one
// just beyond it.
void build_builtin_scene(Scene& scene)
{
    Object* house = scene.add_object(scene.world(), "house");
    scene.add_surface(house, face_surface_type, {{0, 0, 0}, {4, 0, 0}, {4, 0, 3}, {0, 0, 3}});  // floor
    scene.add_surface(house, face_surface_type, {{0, 0, 0}, {0, 2, 0}, {4, 2, 0}, {4, 0, 0}});  // wall
    scene.add_surface(house, face_surface_type, {{0, 0, 3}, {4, 0, 3}, {4, 2, 3}, {2, 3, 3}, {0, 2, 3}});

    Object* roof = scene.add_object(house, "roof");
    scene.add_surface(roof, face_surface_type, {{0, 2, 0}, {4, 2, 0}, {4, 3, 1.5f}, {0, 3, 1.5f}});
    // Its far corner sags by a hundredth of a unit.
    scene.add_surface(roof, face_surface_type, {{0, 3, 1.5f}, {4, 3, 1.5f}, {4, 2, 3}, {0, 1.99f, 3}});

    Object* trim = scene.add_object(house, "trim");
    // Three corners on one line give no plane: reported.
    scene.add_surface(trim, face_surface_type, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 0.1f, 0}});
    // A bent wire along the eaves: not a face, so never reported.
    scene.add_surface(trim, line_surface_type, {{0, 2, 0}, {2, 2.5f, 0.5f}, {4, 2, 3}});

    // Two vent covers on the floor, one corner of each lifted.
    Object* vents = scene.add_object(trim, "vents");
    const float within = 0.00001f;                       // just below the tolerance
    const float beyond = std::nextafter(within, 1.0f);  // just above it
    scene.add_surface(vents, face_surface_type, {{1, 0, 1}, {1.5f, 0, 1}, {1.5f, 0, 1.5f}, {1, within, 1.5f}});
    scene.add_surface(vents, face_surface_type, {{2, 0, 1}, {2.5f, 0, 1}, {2.5f, 0, 1.5f}, {2, beyond, 1.5f}});
}

}  // namespace stand_in
