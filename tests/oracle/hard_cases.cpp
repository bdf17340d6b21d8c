#include "hard_cases.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

const double tolerance = 0.00001;

class Generator {
public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}

    PlanarityCase next()
    {
        switch (below(16)) {
        case 0: case 1: case 2: case 3: return near_tolerance(3 + below(2), 1.0);
        case 4: return near_tolerance(5 + below(8), 1.0);
        case 5: case 6: return near_tolerance(4, far_offset());
        case 7: return triangle();
        case 8: return scaled(std::pow(10.0, uniform(15, 38.5)));
        case 9: return scaled(std::pow(10.0, -uniform(15, 38)));
        case 10: return scaled(std::ldexp(1.0, -126 - below(24)));
        case 11: return degenerate();
        case 12: return with_special_value(near_tolerance(3 + below(4), 1.0));
        case 13: return random_bits();
        case 14: return lifted_axis_square();
        default: return unmeasured();
        }
    }

private:
    unsigned below(unsigned n) { return static_cast<unsigned>(random_() % n); }
    double uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }

    float ulps_away(float value, int ulps)
    {
        const float toward = ulps > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
        for (int i = 0; i < std::abs(ulps); ++i)
            value = std::nextafter(value, toward);
        return value;
    }

    double far_offset() { return std::pow(10.0, uniform(2, 7)) * (below(2) ? 1 : -1); }

    Vertex point(double x, double y, double z) { return {float(x), float(y), float(z)}; }

    static PlanarityCase surface(std::vector<Vertex> corners)
    {
        PlanarityCase c;
        c.vertex_count = static_cast<unsigned short>(corners.size());
        c.corners = std::move(corners);
        return c;
    }

    // A plane through three points at a random scale around an origin; then
    // points of that plane lifted by about the tolerance along its normal,
    // each coordinate nudged by a few units in the last place.
    PlanarityCase near_tolerance(unsigned vertices, double offset)
    {
        const double scale = std::pow(10.0, uniform(-2, 2.5));
        const double ox = offset * (below(3) ? 1 : 0), oy = offset * below(2), oz = offset;
        std::vector<Vertex> corners;
        double a[3], b[3], o[3] = {ox + uniform(-1, 1) * scale, oy + uniform(-1, 1) * scale, oz};
        for (int i = 0; i < 3; ++i) {
            a[i] = uniform(-1, 1) * scale;
            b[i] = uniform(-1, 1) * scale;
        }
        if (below(3) == 0)  // axis-aligned planes keep their normal exact
            a[2] = b[2] = 0;
        corners.push_back(point(o[0], o[1], o[2]));
        corners.push_back(point(o[0] + a[0], o[1] + a[1], o[2] + a[2]));
        corners.push_back(point(o[0] + b[0], o[1] + b[1], o[2] + b[2]));
        double n[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (double& component : n)
            component /= length;
        while (corners.size() < vertices) {
            const double s = uniform(-1, 1), t = uniform(-1, 1);
            const double lift = tolerance * (below(4) ? 1 + uniform(-1e-6, 1e-6) : uniform(-2, 2)) * (below(2) ? 1 : -1);
            Vertex v = point(o[0] + s * a[0] + t * b[0] + lift * n[0], o[1] + s * a[1] + t * b[1] + lift * n[1],
                             o[2] + s * a[2] + t * b[2] + lift * n[2]);
            float* coordinates[3] = {&v.x, &v.y, &v.z};
            for (float* coordinate : coordinates)
                *coordinate = ulps_away(*coordinate, static_cast<int>(below(7)) - 3);
            corners.push_back(v);
        }
        return surface(std::move(corners));
    }

    // Small integer and half-integer triangles at distances where d and D
    // rounded to single decide the verdict.
    PlanarityCase triangle()
    {
        const double scale = std::ldexp(1.0, static_cast<int>(below(12)) - 2);
        std::vector<Vertex> corners;
        for (int i = 0; i < 3; ++i)
            corners.push_back(point(std::round(uniform(-400, 400)) * scale / 2, std::round(uniform(-400, 400)) * scale / 2,
                                    std::round(uniform(-400, 400)) * scale / 2));
        return surface(std::move(corners));
    }

    PlanarityCase scaled(double factor)
    {
        PlanarityCase c = near_tolerance(3 + below(4), 0);
        for (Vertex& v : c.corners)
            v = point(v.x * factor, v.y * factor, v.z * factor);
        return c;
    }

    // Repeated or collinear plane points, sometimes only after rounding.
    PlanarityCase degenerate()
    {
        PlanarityCase c = near_tolerance(3 + below(3), below(2) ? 0 : far_offset());
        Vertex& moved = c.corners[1 + below(2)];
        switch (below(3)) {
        case 0: moved = c.corners[below(2) == 0 ? 0 : 3 - (&moved - &c.corners[0])]; break;
        case 1: {
            const double s = uniform(-3, 3);
            const Vertex& p = c.corners[0];
            const Vertex& q = c.corners[&moved == &c.corners[1] ? 2 : 1];
            moved = point(p.x + s * (q.x - p.x), p.y + s * (q.y - p.y), p.z + s * (q.z - p.z));
            break;
        }
        default: moved = {ulps_away(c.corners[0].x, 1), c.corners[0].y, ulps_away(c.corners[0].z, -1)}; break;
        }
        return c;
    }

    PlanarityCase with_special_value(PlanarityCase c)
    {
        const float specials[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                  -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max(),
                                  std::numeric_limits<float>::denorm_min()};
        Vertex& v = c.corners[below(static_cast<unsigned>(c.corners.size()))];
        float* coordinates[3] = {&v.x, &v.y, &v.z};
        *coordinates[below(3)] = specials[below(5)];
        return c;
    }

    PlanarityCase random_bits()
    {
        std::vector<Vertex> corners(3 + below(4));
        for (Vertex& v : corners) {
            float* coordinates[3] = {&v.x, &v.y, &v.z};
            for (float* coordinate : coordinates) {
                const std::uint32_t bits = static_cast<std::uint32_t>(random_());
                std::memcpy(coordinate, &bits, sizeof bits);
            }
        }
        return surface(std::move(corners));
    }

    // An axis-aligned square at some height, one corner lifted by a number of
    // units in the last place around the tolerance.
    PlanarityCase lifted_axis_square()
    {
        const float height = below(2) ? 0.0f : float(far_offset());
        const float size = float(std::pow(2.0, uniform(-3, 8)));
        const float lift = ulps_away(float(height + 0.00001 * (below(2) ? 1 : -1)), static_cast<int>(below(9)) - 4);
        return surface({{0, 0, height}, {size, 0, height}, {size, size, height}, {0, size, lift}});
    }

    // Too few vertices, or a type that is not measured: never reported.
    PlanarityCase unmeasured()
    {
        PlanarityCase c = random_bits();
        if (below(2)) {
            c.type = 1 + static_cast<int>(below(5));
        } else {
            c.vertex_count = static_cast<unsigned short>(below(3));
            c.corners.resize(c.vertex_count);
        }
        return c;
    }

    std::mt19937_64 random_;
};

}  // namespace

std::vector<PlanarityCase> hard_cases(std::uint64_t seed, size_t count)
{
    Generator generator(seed);
    std::vector<PlanarityCase> cases;
    cases.reserve(count);
    for (size_t i = 0; i < count; ++i)
        cases.push_back(generator.next());
    return cases;
}
