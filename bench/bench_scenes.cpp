#include "bench_scenes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bench {

namespace {

// Every coordinate is a multiple of 1/512 well inside single precision, so
// each patch lies exactly in its plane and only the command's own roundings
// stand between a flat face and zero distance.
constexpr float grid_step = 1.0f / 64;
constexpr float polygon_cell = 1.0f / 4;
constexpr int polygon_radius = 7;  // in grid steps
constexpr float bend = 1.0f / 128;
constexpr long bend_every = 1024;
constexpr int objects_per_group = 20;

const double pi = std::acos(-1.0);

// The plane of one object: z = oz + a * x + b * y, slopes in eighths.
struct Plane {
    float a, b, oz;

    Vertex at(float x, float y) const { return Vertex{x, y, oz + a * x + b * y}; }
};

Plane plane_of(long object)
{
    return Plane{float(object % 7 - 3) / 8, float(object % 5 - 2) / 8, float(object % 9 - 4) / 4};
}

int corners_of_polygon(long face)
{
    return 5 + int(face % 8);
}

std::vector<Vertex> quad(const Plane& plane, long column, long row)
{
    const float x0 = float(column) * grid_step, x1 = float(column + 1) * grid_step;
    const float y0 = float(row) * grid_step, y1 = float(row + 1) * grid_step;
    return {plane.at(x0, y0), plane.at(x1, y0), plane.at(x1, y1), plane.at(x0, y1)};
}

// A polygon of 5 to 12 corners round the centre of its cell, its corners
// rounded to the grid.
std::vector<Vertex> polygon(const Plane& plane, long column, long row, int corner_count)
{
    const float cx = (float(column) + 0.5f) * polygon_cell, cy = (float(row) + 0.5f) * polygon_cell;
    std::vector<Vertex> corners;
    for (int k = 0; k < corner_count; ++k) {
        const double angle = 2 * pi * k / corner_count;
        const float dx = float(std::lround(polygon_radius * std::cos(angle))) * grid_step;
        const float dy = float(std::lround(polygon_radius * std::sin(angle))) * grid_step;
        corners.push_back(plane.at(cx + dx, cy + dy));
    }
    return corners;
}

long face_count(const ScenePlan& plan)
{
    const double mean_corners = plan.shape == Shape::quads ? 4.0 : 8.5;
    return std::max(1L, std::lround(double(plan.vertices) / mean_corners));
}

// One object's faces, laid out row by row in a square patch.
void fill_object(stand_in::Scene& scene, Object* object, long object_index, long first_face, long faces,
                 Shape shape, SceneSize& size)
{
    const Plane plane = plane_of(object_index);
    const long columns = std::max(1L, long(std::ceil(std::sqrt(double(faces)))));
    for (long i = 0; i < faces; ++i) {
        const long face = first_face + i;
        std::vector<Vertex> corners = shape == Shape::quads
                                          ? quad(plane, i % columns, i / columns)
                                          : polygon(plane, i % columns, i / columns, corners_of_polygon(face));
        if (face % bend_every == 0) {
            corners.back().z += bend;
            ++size.bent_faces;
        }
        size.vertices += long(corners.size());
        scene.add_surface(object, stand_in::face_surface_type, corners);
    }
    size.faces += faces;
}

}  // namespace

std::string grid_obj_text(int side)
{
    const Plane plane = plane_of(3);
    std::string text = "# a grid of " + std::to_string(side) + " x " + std::to_string(side) + " quads\no grid\n";
    char line[96];
    for (int row = 0; row <= side; ++row) {
        for (int column = 0; column <= side; ++column) {
            const Vertex v = plane.at(float(column) * grid_step, float(row) * grid_step);
            text.append(line, size_t(std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", double(v.x),
                                                   double(v.y), double(v.z))));
        }
    }
    const long stride = side + 1;
    for (long row = 0; row < side; ++row) {
        for (long column = 0; column < side; ++column) {
            const long corner = row * stride + column + 1;
            text.append(line, size_t(std::snprintf(line, sizeof line, "f %ld %ld %ld %ld\n", corner, corner + 1,
                                                   corner + stride + 1, corner + stride)));
        }
    }
    return text;
}

std::string ScenePlan::name() const
{
    std::string text = shape == Shape::quads ? "quads" : "polygons";
    text += placement == Placement::in_order ? "/in_order" : "/scattered";
    if (objects != 0)
        text += "/objects:" + std::to_string(objects);
    return text + "/" + std::to_string(vertices);
}

SceneSize build_scene(stand_in::Scene& scene, const ScenePlan& plan)
{
    const long faces = face_count(plan);
    const long objects = plan.objects != 0 ? plan.objects : std::clamp(faces / 8, 1L, 400L);
    SceneSize size;
    size.objects = objects;
    Object* group = nullptr;
    for (long o = 0; o < objects; ++o) {
        if (o % objects_per_group == 0)
            group = scene.add_object(scene.world(), "group" + std::to_string(o / objects_per_group));
        Object* object = scene.add_object(group, "object" + std::to_string(o));
        const long first = faces * o / objects, end = faces * (o + 1) / objects;
        fill_object(scene, object, o, first, end - first, plan.shape, size);
    }
    if (plan.placement == Placement::scattered)
        scene.scatter(20261211);
    return size;
}

}  // namespace bench
