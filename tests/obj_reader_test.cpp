#include "obj_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using stand_in::Scene;

namespace {

std::vector<Vertex> corners_of(const Surface* surface)
{
    std::vector<Vertex> corners;
    for (const List* node = surface->vertices; node; node = node->next)
        corners.push_back(*static_cast<const SurfaceVertex*>(node->data)->vertex);
    return corners;
}

// "object:face type [x of each corner]": the cases give each vertex its
// number as its x, so the brackets show which vertices a surface holds.
std::vector<std::string> summary(Scene& scene)
{
    std::vector<std::string> lines;
    for (Surface* surface : scene.surfaces()) {
        std::string line = stand_in::describe(surface) + " " + std::to_string(stand_in::host_surface(surface)->type) + " [";
        for (const Vertex& corner : corners_of(surface)) {
            char number[32];
            std::snprintf(number, sizeof number, "%g", double(corner.x));
            line += (line.back() == '[' ? "" : " ") + std::string(number);
        }
        lines.push_back(line + "]");
    }
    return lines;
}

const char three[] = "v 1 0 0\nv 2 0 0\nv 3 1 0\n";

struct ReadCase {
    const char* name;
    std::string text;
    std::vector<std::string> surfaces;
    std::string warning;
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

const ReadCase read_cases[] = {
    {"face_in_the_default_group", std::string(three) + "f 1 2 3\n", {"default:1 0 [1 2 3]"}, ""},
    {"bare_g_is_the_default_group", std::string(three) + "g a\nf 1 2 3\ng\nf 3 2 1\n",
     {"a:1 0 [1 2 3]", "default:1 0 [3 2 1]"}, ""},
    {"g_with_several_names", std::string(three) + "g wall left\nf 1 2 3\n", {"wall left:1 0 [1 2 3]"}, ""},
    {"o_without_a_name", std::string(three) + "o\nf 1 2 3\n", {"default:1 0 [1 2 3]"}, ""},
    {"same_group_again_continues_its_object", std::string(three) + "g a\nf 1 2 3\ng b\nf 1 2 3\ng a\nf 2 3 1\n",
     {"a:1 0 [1 2 3]", "b:1 0 [1 2 3]", "a:2 0 [2 3 1]"}, ""},
    {"vertex_with_w_and_with_colour", "v 1 0 0 1.0\nv 2 0 0 0.5 0.25 1\nv 3 1 0 1 0.5 0.25 1\nf 1 2 3\n",
     {"default:1 0 [1 2 3]"}, ""},
    {"texture_normal_and_parameter_vertices_ignored",
     std::string(three) + "vt 0 0\nvt 1 0 0\nvn 0 0 1\nvp 0.5\ns 1\nmtllib m.mtl\nusemtl red\nf 1 2 3\n",
     {"default:1 0 [1 2 3]"}, ""},
    {"fo_is_a_face", std::string(three) + "fo 1 2 3\n", {"default:1 0 [1 2 3]"}, ""},
    {"every_index_form", std::string(three) + "vt 0 0\nvn 0 0 1\nf 1/1 2//1 3/1/1\n", {"default:1 0 [1 2 3]"}, ""},
    {"negative_indices_count_back", std::string(three) + "f -3 -2 -1\nv 4 0 0\nf -1 -2 -3\n",
     {"default:1 0 [1 2 3]", "default:2 0 [4 3 2]"}, ""},
    {"forward_references", "f 1 2 3\nv 1 0 0\nv 2 0 0\nv 3 1 0\n", {"default:1 0 [1 2 3]"}, ""},
    {"two_vertex_face", std::string(three) + "f 1 2\n", {"default:1 0 [1 2]"}, ""},
    {"line_and_point_elements", std::string(three) + "l 1 2 3\np 2\np 1 3\n",
     {"default:1 1 [1 2 3]", "default:2 2 [2]", "default:3 2 [1 3]"}, ""},
    {"backslash_continues_a_line", std::string(three) + "f 1 \\\n2 \\\n 3\n", {"default:1 0 [1 2 3]"}, ""},
    {"crlf_line_ends", "v 1 0 0\r\nv 2 0 0\r\nv 3 1 0\r\nf 1 2 3\r\n", {"default:1 0 [1 2 3]"}, ""},
    {"utf8_byte_order_mark", "\xef\xbb\xbf" + std::string(three) + "f 1 2 3\n", {"default:1 0 [1 2 3]"}, ""},
    {"comments_even_glued", "# a file\nv 1 0 0#first\nv 2 0 0 # second\nv 3 1 0\nf 1 2 3#face\n",
     {"default:1 0 [1 2 3]"}, ""},
    {"free_form_and_display_statements_skipped",
     std::string(three) +
         "cstype bspline\ndeg 3\ncurv 0 1 1 2 3\nparm u 0 1\nend\ncurv 0 1 3 2 1\nlod 1\nbevel on\nf 1 2 3\n",
     {"default:1 0 [1 2 3]"}, "t.obj: skipped what carries no polygon: 1 bevel, 1 cstype, 2 curv, 1 deg, 1 end, 1 lod, 1 parm"},
    {"empty_file", "", {}, ""},
};

class ObjRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ObjRead, KeepsWhatCarriesPolygons)
{
    Scene scene;
    std::string error, warning;
    ASSERT_TRUE(stand_in::read_obj_text(GetParam().text, "t.obj", scene, error, warning)) << error;
    EXPECT_EQ(summary(scene), GetParam().surfaces);
    EXPECT_EQ(warning, GetParam().warning);
}

INSTANTIATE_TEST_SUITE_P(Files, ObjRead, testing::ValuesIn(read_cases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

// Decimals whose nearest single-precision number a parse through double
// could miss: each lies just off the midpoint between two floats. Magnitudes
// below single precision's range round to zero.
TEST(ObjReader, RoundsCoordinatesToTheNearestFloat)
{
    const char* texts[] = {"1.00000005960464477539062500001", "1.0000000596046447753906249999",
                           "16777217.000000001", "3.4028235677973366e38", "1e-45", "-0.0", "+2.5", "1e-50", "-1e-60"};
    const float expected[] = {1.00000012f, 1.0f, 16777218.0f, 3.40282347e38f, 1e-45f, -0.0f, 2.5f, 0.0f, -0.0f};
    for (size_t i = 0; i < std::size(texts); ++i) {
        Scene scene;
        std::string error, warning;
        const std::string text = std::string("v ") + texts[i] + " 0 0\nv 0 0 0\nv 0 0 0\nf 1 2 3\n";
        ASSERT_TRUE(stand_in::read_obj_text(text, "n.obj", scene, error, warning)) << error;
        const float x = corners_of(scene.surfaces()[0])[0].x;
        EXPECT_EQ(x, expected[i]) << texts[i];
        EXPECT_EQ(std::signbit(x), std::signbit(expected[i])) << texts[i];
    }
}

struct MalformedCase {
    const char* name;
    std::string text;
    const char* error;
};

void PrintTo(const MalformedCase& c, std::ostream* out)
{
    *out << c.name;
}

// Each follows a good group with a good face (lines 1 to 6), which must not
// be kept either.
const std::string good_start = "v 0 0 0\nv 1 0 0\nv 1 1 0\no first\nf 1 2 3\n# and then\n";

const MalformedCase malformed_cases[] = {
    {"bad_number", good_start + "v 0 0 0\nv 1 x 0\n", "m.obj:8: \"x\" is not a number"},
    {"number_beyond_single_precision", good_start + "v 1e39 0 0\n",
     "m.obj:7: \"1e39\" is outside the range of single precision"},
    {"short_vertex", good_start + "v 0 0\n", "m.obj:7: a vertex needs 3 coordinates, x y z"},
    {"vertex_of_five_numbers", good_start + "v 0 0 0 1 1\n",
     "m.obj:7: a vertex has 5 numbers: x y z and w, or x y z and r g b, not both halves"},
    {"vertex_of_eight_numbers", good_start + "v 0 0 0 1 1 1 1 1\n",
     "m.obj:7: a vertex has more than 7 numbers (x y z, then w, or r g b)"},
    {"index_beyond_the_file", good_start + "\nf 1 2 4\nv 2 2 2\nf 1 2 5\n",
     "m.obj:10: vertex index 5 refers to no vertex: the file defines 4"},
    {"negative_index_before_the_first", good_start + "f -4 1 2\n",
     "m.obj:7: vertex index -4 refers to no vertex: the file defines 3 and 3 before this line"},
    {"index_zero", good_start + "f 0 1 1\n", "m.obj:7: \"0\" is not a vertex index"},
    {"index_with_a_word", good_start + "f 1/x 2 3\n",
     "m.obj:7: \"1/x\" is not a vertex index (v, v/vt, v//vn or v/vt/vn)"},
    {"index_with_three_slashes", good_start + "f 1/1/1/1 2 3\n",
     "m.obj:7: \"1/1/1/1\" is not a vertex index (v, v/vt, v//vn or v/vt/vn)"},
    {"one_vertex_face", good_start + "f 1\n", "m.obj:7: a face needs at least 2 vertices"},
    {"empty_point_element", good_start + "p\n", "m.obj:7: a point element needs at least 1 vertex"},
    {"unknown_statement", good_start + "bogus 1 2\n", "m.obj:7: unknown statement \"bogus\""},
    {"error_in_a_continued_statement", good_start + "f 1 \\\n 2 \\\n x\n", "m.obj:7: \"x\" is not a vertex index"},
    {"binary_data", good_start + std::string("\x7f" "ELF\x01\x01\x01\0\0\0", 10) + "\n",
     "m.obj: the file holds NUL bytes: it is binary data or UTF-16 text, not an OBJ file"},
    {"utf16_text", std::string("\xff\xfe" "v\0 \0" "0\0", 8),
     "m.obj: the file is UTF-16 text, not an OBJ file (OBJ files are 8-bit text)"},
};

class MalformedObj : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedObj, NamesTheLineAndAddsNothing)
{
    Scene scene;
    std::string error, warning;
    EXPECT_FALSE(stand_in::read_obj_text(GetParam().text, "m.obj", scene, error, warning));
    EXPECT_EQ(error, GetParam().error);
    EXPECT_TRUE(scene.surfaces().empty());
    EXPECT_EQ(scene.object_count(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedObj, testing::ValuesIn(malformed_cases),
                         [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

TEST(ObjReader, ReadsAStreamLikeText)
{
    Scene scene;
    std::istringstream in(std::string(three) + "f 1 2 3\n");
    std::string error;
    ASSERT_TRUE(stand_in::read_obj(in, "s.obj", scene, error)) << error;
    EXPECT_EQ(summary(scene), std::vector<std::string>{"default:1 0 [1 2 3]"});
}

}  // namespace
