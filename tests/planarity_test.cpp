// Which surfaces the command reports, decided by the exact roundings of the
// planarity test. Each case is one surface in an otherwise empty scene.
#include "plugin_under_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using stand_in::HostCall;

namespace {

const float nan_value = std::numeric_limits<float>::quiet_NaN();
const float infinity = std::numeric_limits<float>::infinity();
// The single-precision number nearest to 0.00001 lies just below the
// tolerance; the next one up lies above it.
const float tolerance_below = 0.00001f;
const float tolerance_above = std::nextafter(tolerance_below, 1.0f);
// Single-precision numbers so large that a plane through them has a finite
// normal but a plane constant beyond single precision.
const float huge = 3e38f;
const float huge_up = std::nextafter(huge, infinity);
const float huge_down = std::nextafter(huge, 0.0f);
// A plane this close to the origin puts a vertex lifted by tolerance_above
// between the single-precision and the double-precision tolerance.
const float near_origin = 7.831840644761945e-13f;

struct PlanarityCase {
    const char* name;
    std::vector<Vertex> corners;
    bool reported;
};

std::vector<Vertex> unit_square_lifted(float h)
{
    return {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, h}};
}

const PlanarityCase planarity_cases[] = {
    {"unit_square", unit_square_lifted(0), false},
    {"lifted_just_within_tolerance", unit_square_lifted(tolerance_below), false},
    {"lifted_just_beyond_tolerance", unit_square_lifted(tolerance_above), true},
    {"lowered_just_within_tolerance", unit_square_lifted(-tolerance_below), false},
    {"lowered_just_beyond_tolerance", unit_square_lifted(-tolerance_above), true},
    {"within_double_tolerance_beyond_single_tolerance",
     {{0, 0, near_origin}, {1, 0, near_origin}, {1, 1, near_origin}, {0, 1, tolerance_above}}, false},
    {"clearly_bent_quad", unit_square_lifted(0.5f), true},
    {"collinear_plane_points", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {1, 1, 0}}, true},
    {"same_quad_listed_from_its_corner", {{1, 1, 0}, {0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, false},
    {"triangle_with_repeated_vertex", {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}}, true},
    {"plane_points_too_close_for_single", {{0, 0, 0}, {1e-30f, 0, 0}, {0, 1e-30f, 0}}, true},
    // d and D rounded to single: the third vertex lies 2^-16 off its own plane.
    {"triangle_off_by_single_rounding", {{200, 0, 0}, {0, 200, 0}, {140, 140, 140}}, true},
    // ...and here 2^-17, which single precision throughout would fail.
    {"triangle_within_single_rounding", {{200, 0, 0}, {0, 200, 0}, {20, 80, 120}}, false},
    {"far_axis_aligned_square", {{0, 0, 200}, {1, 0, 200}, {1, 1, 200}, {0, 1, 200}}, false},
    {"far_square_lifted_by_tolerance", {{0, 0, 200}, {1, 0, 200}, {1, 1, 200}, {0, 1, 200.00002f}}, true},
    {"pentagon_bent_at_last_vertex", {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 2, 0}, {-1, 1, 0.001f}}, true},
    {"planar_hexagon_tilted", {{0, 0, 0}, {1, 0, 1}, {2, 1, 2}, {2, 2, 2}, {1, 2, 1}, {0, 1, 0}}, false},
    {"nan_in_a_plane_point", {{0, 0, 0}, {1, nan_value, 0}, {1, 1, 0}, {0, 1, 0}}, true},
    // A distance that is not a number tells nothing about planarity: reported.
    {"nan_in_a_later_vertex", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, nan_value, 0}}, true},
    {"infinite_coordinate_times_zero_normal", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {infinity, 1, 0}}, true},
    {"infinite_coordinate_off_the_plane", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, infinity}}, true},
    // A normal longer than single precision holds gives no usable plane.
    {"overflowing_normal_vertex_off_plane", {{0, 0, 0}, {2e19f, 0, 0}, {0, 2e19f, 0}, {0, 0, 5}}, true},
    {"overflowing_length_of_finite_normal", {{0, 0, 0}, {1e19f, 0, 0}, {0, 3e19f, 3e19f}, {0, 0, 5}}, true},
    {"overflowing_normal_vertex_in_plane", {{0, 0, 0}, {2e19f, 0, 0}, {0, 2e19f, 0}, {1e19f, 1e19f, 0}}, true},
    {"overflowing_plane_constant", {{huge, huge, 0}, {huge_up, huge_down, 0}, {huge, huge, 1}}, true},
};

class Planarity : public testing::TestWithParam<PlanarityCase> {};

TEST_P(Planarity, ReportsExactlyTheSurfacesOffTheirPlane)
{
    HostWithPlugin plugin;
    Surface* surface = plugin.host.scene.add_surface(plugin.host.scene.world(), 0, GetParam().corners);
    plugin.select_non_planar();
    const bool reported = plugin.host.selection.surfaces == std::vector<Surface*>{surface};
    EXPECT_EQ(reported, GetParam().reported);
    EXPECT_EQ(plugin.host.selection.empty(), !GetParam().reported);
}

INSTANTIATE_TEST_SUITE_P(Surfaces, Planarity, testing::ValuesIn(planarity_cases),
                         [](const testing::TestParamInfo<PlanarityCase>& info) { return info.param.name; });

// Surfaces that are not measured. Their vertex lists are empty or hold
// nothing that could be read, so a test that read them would crash.
struct UnmeasuredCase {
    const char* name;
    int type;
    std::vector<Vertex> corners;
    unsigned short vertex_count;
    bool type_queried;
};

const UnmeasuredCase unmeasured_cases[] = {
    {"no_vertices", 0, {}, 0, false},
    {"one_vertex", 0, {}, 1, false},
    {"two_vertices", 0, {}, 2, false},
    {"line_of_three_points", 1, {}, 3, true},
    {"line_bent_far_out_of_plane", 7, {}, 5, true},
    {"two_coincident_points", 0, {{0, 0, 0}, {0, 0, 0}}, 2, false},
};

class Unmeasured : public testing::TestWithParam<UnmeasuredCase> {};

TEST_P(Unmeasured, PassesWithoutReadingVertices)
{
    HostWithPlugin plugin;
    std::vector<HostCall> calls;
    plugin.host.call_log = &calls;
    const UnmeasuredCase& c = GetParam();
    plugin.host.scene.add_surface(plugin.host.scene.world(), c.type, c.corners, c.vertex_count);

    plugin.select_non_planar();

    EXPECT_TRUE(plugin.host.selection.empty());
    int type_queries = 0;
    for (const HostCall& call : calls)
        type_queries += call.function == "surface_get_type";
    EXPECT_EQ(type_queries, c.type_queried ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Surfaces, Unmeasured, testing::ValuesIn(unmeasured_cases),
                         [](const testing::TestParamInfo<UnmeasuredCase>& info) { return info.param.name; });

// The vertices are measured to the end of the list, not to vertex_count.
TEST(PlanarityWalk, MeasuresEveryNodeOfTheVertexList)
{
    HostWithPlugin plugin;
    Surface* surface = plugin.host.scene.add_surface(plugin.host.scene.world(), 0, unit_square_lifted(1), 3);
    plugin.select_non_planar();
    EXPECT_EQ(plugin.host.selection.surfaces, std::vector<Surface*>{surface});
}

}  // namespace
