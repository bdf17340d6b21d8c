// One surface to test: its type code, its vertex_count and its corners.
#pragma once

#include "orrim_host.h"

#include <cstdint>
#include <string>
#include <vector>

struct PlanarityCase {
    int type = 0;
    unsigned short vertex_count = 0;
    std::vector<Vertex> corners;
};

// The corners as exact bit patterns, for a report of a failing case.
std::string describe_bits(const PlanarityCase& c);
