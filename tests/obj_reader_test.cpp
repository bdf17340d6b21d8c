#include "obj_reader.h"

#include <gtest/gtest.h>

#include <sstream>

using stand_in::Scene;

namespace {

std::vector<Vertex> corners_of(const Surface* surface)
{
    std::vector<Vertex> corners;
    for (const List* node = surface->vertices; node; node = node->next)
        corners.push_back(*static_cast<const SurfaceVertex*>(node->data)->vertex);
    return corners;
}

const char sample[] =
    "# a quad, a pentagon, a triangle and a line\n"
    "v 0 0 0\n"
    "v 1 0 0\n"
    "v 1 1 0\n"
    "v 0 1 0.1\n"
    "v 0.5 1.5 0\r\n"
    "o panel\n"
    "f 1 2 3 4\n"
    "f 1/1 2/2/2 3//3 4 5\n"
    "g wire\n"
    "l 1 3\n"
    "f -3 -2 -1\n"
    "vn 0 0 1\n"
    "o panel\n"
    "f 2 3 4\n";

TEST(ObjReader, KeepsPolygonsAndGroupsAndLines)
{
    Scene scene;
    std::istringstream in(sample);
    std::string error;
    ASSERT_TRUE(stand_in::read_obj(in, "sample.obj", scene, error)) << error;

    std::vector<std::string> names, types;
    for (Surface* surface : scene.surfaces()) {
        names.push_back(stand_in::describe(surface));
        types.push_back(std::to_string(stand_in::host_surface(surface)->type) + "/" +
                        std::to_string(surface->vertex_count));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"panel:1", "panel:2", "wire:1", "wire:2", "panel:3"}));
    EXPECT_EQ(types, (std::vector<std::string>{"0/4", "0/5", "1/2", "0/3", "0/3"}));
    const std::vector<Vertex> pentagon = corners_of(scene.surfaces()[1]);
    ASSERT_EQ(pentagon.size(), 5u);
    EXPECT_EQ(pentagon[4].x, 0.5f);
    EXPECT_EQ(pentagon[4].y, 1.5f);
    // The single-precision number nearest to 0.1, not a double rounded twice.
    EXPECT_EQ(pentagon[3].z, 0.1f);
    // Negative indices count back from the newest vertex: -2 is the fourth.
    EXPECT_EQ(corners_of(scene.surfaces()[3])[1].z, 0.1f);
    EXPECT_EQ(corners_of(scene.surfaces()[3])[0].x, 1.0f);
    EXPECT_EQ(scene.object_count(), 3u);
}

// Decimals whose nearest single-precision number a parse through double
// could miss: each lies just off the midpoint between two floats.
TEST(ObjReader, RoundsCoordinatesToTheNearestFloat)
{
    const char* texts[] = {"1.00000005960464477539062500001", "1.0000000596046447753906249999",
                           "16777217.000000001", "3.4028235677973366e38", "1e-45", "-0.0"};
    const float expected[] = {1.00000012f, 1.0f, 16777218.0f, 3.40282347e38f, 1e-45f, -0.0f};
    for (size_t i = 0; i < std::size(texts); ++i) {
        Scene scene;
        std::istringstream in(std::string("v ") + texts[i] + " 0 0\nv 0 0 0\nv 0 0 0\nf 1 2 3\n");
        std::string error;
        ASSERT_TRUE(stand_in::read_obj(in, "n.obj", scene, error)) << error;
        EXPECT_EQ(corners_of(scene.surfaces()[0])[0].x, expected[i]) << texts[i];
    }
}

struct MalformedCase {
    const char* name;
    const char* text;
    const char* error;
};

// Each follows a good group with a good face, which must not be kept either.
const char good_start[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\no first\nf 1 2 3\n# and then\n";

const MalformedCase malformed_cases[] = {
    {"bad_number", "v 0 0 0\nv 1 x 0\n", "m.obj:8: \"x\" is not a number"},
    {"short_vertex", "v 0 0\n", "m.obj:7: a vertex needs three coordinates"},
    {"index_beyond", "\nf 1 2 4\n", "m.obj:8: vertex index 4 refers to no vertex defined before it"},
    {"index_zero", "f 0 1 1\n", "m.obj:7: \"0\" is not a vertex index"},
    {"two_corner_face", "f 1 2\n", "m.obj:7: a face needs at least 3 vertices"},
    {"unknown_statement", "bogus 1 2\n", "m.obj:7: unknown statement \"bogus\""},
};

class MalformedObj : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedObj, NamesTheLineAndAddsNothing)
{
    Scene scene;
    std::istringstream in(std::string(good_start) + GetParam().text);
    std::string error;
    EXPECT_FALSE(stand_in::read_obj(in, "m.obj", scene, error));
    EXPECT_EQ(error, GetParam().error);
    EXPECT_TRUE(scene.surfaces().empty());
    EXPECT_EQ(scene.object_count(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedObj, testing::ValuesIn(malformed_cases),
                         [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

}  // namespace
