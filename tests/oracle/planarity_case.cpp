#include "planarity_case.h"

#include <cstdio>
#include <cstring>

static std::string bits_of(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char text[48];
    std::snprintf(text, sizeof text, "%08x (%.9g)", bits, double(value));
    return text;
}

std::string describe_bits(const PlanarityCase& c)
{
    std::string text = "type " + std::to_string(c.type) + ", vertex_count " + std::to_string(c.vertex_count) + ":";
    for (const Vertex& v : c.corners)
        text += "\n    " + bits_of(v.x) + "  " + bits_of(v.y) + "  " + bits_of(v.z);
    return text;
}
