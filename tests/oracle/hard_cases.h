// Surfaces on which a planarity test that rounds in the wrong place gives the
// wrong verdict: vertices a few units in the last place either side of the
// tolerance, planes far from the origin, huge, tiny and subnormal
// coordinates, repeated and collinear points, not-a-number and infinite
// coordinates, polygons of up to a dozen vertices, triangles.
#pragma once

#include "planarity_case.h"

#include <cstdint>
#include <vector>

// The same seed gives the same cases, bit for bit.
std::vector<PlanarityCase> hard_cases(std::uint64_t seed, size_t count);
