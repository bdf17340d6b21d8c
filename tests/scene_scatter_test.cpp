#include "scene.h"

#include <gtest/gtest.h>

#include <sstream>

using stand_in::Scene;

namespace {

// The scene as a plug-in reads it: objects in pre-order, each with its
// surfaces, their vertex counts and the coordinates behind every corner.
void read_object(const Object* object, std::ostringstream& out)
{
    out << " " << object->name << " {";
    for (const List* node = object->surfaces; node; node = node->next) {
        const Surface* surface = static_cast<const Surface*>(node->data);
        out << " [" << surface->vertex_count << ":";
        for (const List* corner = surface->vertices; corner; corner = corner->next) {
            const Vertex* vertex = static_cast<const SurfaceVertex*>(corner->data)->vertex;
            out << " " << vertex->x << "," << vertex->y << "," << vertex->z;
        }
        out << "]";
    }
    for (const List* kid = object->kids; kid; kid = kid->next)
        read_object(static_cast<const Object*>(kid->data), out);
    out << " }";
}

std::string read_scene(Scene& scene)
{
    std::ostringstream out;
    read_object(scene.world(), out);
    return out.str();
}

// How many corner nodes of the scene sit right after the node before them.
int adjacent_corner_nodes(Scene& scene)
{
    int adjacent = 0;
    for (const Surface* surface : scene.surfaces())
        for (const List* node = surface->vertices; node && node->next; node = node->next)
            adjacent += node->next == node + 1;
    return adjacent;
}

// Returns the first object under the world that has surfaces.
Object* fill(Scene& scene)
{
    Object* group = scene.add_object(scene.world(), "group");
    for (int o = 0; o < 6; ++o) {
        Object* object = scene.add_object(o % 2 ? group : scene.world(), "object" + std::to_string(o));
        for (int s = 0; s < 20; ++s) {
            std::vector<Vertex> corners;
            for (int c = 0; c < 3 + s % 5; ++c)
                corners.push_back(Vertex{float(o), float(s), float(c)});
            scene.add_surface(object, s % 7 == 0, corners, static_cast<unsigned short>(corners.size() - s % 2));
        }
    }
    return static_cast<Object*>(scene.world()->kids->next->data);
}

TEST(SceneScatter, reads_the_same_from_shuffled_storage)
{
    Scene scene;
    Object* first = fill(scene);
    const std::string before = read_scene(scene);
    ASSERT_GT(adjacent_corner_nodes(scene), 300);

    scene.scatter(7);

    EXPECT_EQ(read_scene(scene), before);
    EXPECT_LT(adjacent_corner_nodes(scene), 20);
    // A new surface still joins the moved list at its end.
    scene.add_surface(first, 0, {{9, 9, 9}, {9, 9, 8}, {9, 8, 9}});
    EXPECT_NE(read_scene(scene).find("[3: 9,9,9 9,9,8 9,8,9] } object2 {"), std::string::npos);
}

}  // namespace
