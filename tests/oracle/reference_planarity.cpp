#include "reference_planarity.h"

#include <mpfr.h>

namespace {

// MPFR numbers of 53 bits in the exponent range of binary64, so that every
// operation rounds to nearest binary64, subnormals and overflow included.
struct Binary64 {
    mpfr_t value;

    Binary64() { mpfr_init2(value, 53); }
    explicit Binary64(float single) : Binary64() { mpfr_set_flt(value, single, MPFR_RNDN); }
    Binary64(const Binary64&) = delete;
    Binary64& operator=(const Binary64&) = delete;
    ~Binary64() { mpfr_clear(value); }
};

void use_binary64_range()
{
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
}

using Operation = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

void apply(Binary64& result, Operation operation, const Binary64& a, const Binary64& b)
{
    const int inexact = operation(result.value, a.value, b.value, MPFR_RNDN);
    mpfr_subnormalize(result.value, inexact, MPFR_RNDN);
}

// Rounds a binary64 value to binary32, as the test holds a single value.
float to_single(const Binary64& value)
{
    return mpfr_get_flt(value.value, MPFR_RNDN);
}

// (a1 - a0) * (b2 - b0) - (a2 - a0) * (b1 - b0), then to single.
float normal_component(float a0, float a1, float a2, float b0, float b1, float b2)
{
    Binary64 da1, db2, da2, db1, first, second, component;
    apply(da1, mpfr_sub, Binary64(a1), Binary64(a0));
    apply(db2, mpfr_sub, Binary64(b2), Binary64(b0));
    apply(da2, mpfr_sub, Binary64(a2), Binary64(a0));
    apply(db1, mpfr_sub, Binary64(b1), Binary64(b0));
    apply(first, mpfr_mul, da1, db2);
    apply(second, mpfr_mul, da2, db1);
    apply(component, mpfr_sub, first, second);
    return to_single(component);
}

// (ux * x + uy * y) + uz * z, then to single.
float product_sum(const float unit[3], const Vertex& p)
{
    Binary64 px, py, pz, partial, sum;
    apply(px, mpfr_mul, Binary64(unit[0]), Binary64(p.x));
    apply(py, mpfr_mul, Binary64(unit[1]), Binary64(p.y));
    apply(pz, mpfr_mul, Binary64(unit[2]), Binary64(p.z));
    apply(partial, mpfr_add, px, py);
    apply(sum, mpfr_add, partial, pz);
    return to_single(sum);
}

float quotient(float numerator, float denominator)
{
    Binary64 q;
    apply(q, mpfr_div, Binary64(numerator), Binary64(denominator));
    return to_single(q);
}

}  // namespace

int reference_is_planar(const PlanarityCase& c)
{
    if (c.vertex_count < 3 || c.type != 0)
        return 1;
    use_binary64_range();
    const Vertex& p0 = c.corners[0];
    const Vertex& p1 = c.corners[1];
    const Vertex& p2 = c.corners[2];

    const float nx = normal_component(p0.y, p1.y, p2.y, p0.z, p1.z, p2.z);
    const float ny = normal_component(p0.z, p1.z, p2.z, p0.x, p1.x, p2.x);
    const float nz = normal_component(p0.x, p1.x, p2.x, p0.y, p1.y, p2.y);

    Binary64 sx, sy, sz, partial, squared, root;
    apply(sx, mpfr_mul, Binary64(nx), Binary64(nx));
    apply(sy, mpfr_mul, Binary64(ny), Binary64(ny));
    apply(sz, mpfr_mul, Binary64(nz), Binary64(nz));
    apply(partial, mpfr_add, sx, sy);
    apply(squared, mpfr_add, partial, sz);
    mpfr_subnormalize(root.value, mpfr_sqrt(root.value, squared.value, MPFR_RNDN), MPFR_RNDN);
    const Binary64 length(to_single(root));

    // No usable plane: zero, not a number, or beyond single precision.
    if (mpfr_zero_p(length.value) || !mpfr_number_p(length.value))
        return 0;

    const float unit[3] = {quotient(nx, to_single(length)), quotient(ny, to_single(length)),
                           quotient(nz, to_single(length))};
    const Binary64 plane_constant(product_sum(unit, p0));

    Binary64 tolerance;
    mpfr_set_str(tolerance.value, "0.00001", 10, MPFR_RNDN);
    for (const Vertex& vertex : c.corners) {
        const Binary64 d(product_sum(unit, vertex));
        Binary64 distance;
        apply(distance, mpfr_sub, d, plane_constant);
        if (mpfr_nan_p(distance.value) || mpfr_cmpabs(distance.value, tolerance.value) > 0)
            return 0;
    }
    return 1;
}
