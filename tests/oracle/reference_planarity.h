// An independent reference of the planarity test: every step computed with
// GNU MPFR and rounded to binary64 or binary32 exactly where the test rounds
// it, with IEEE 754 subnormals, overflow and not-a-number. Returns 1 when the
// surface passes, 0 when it is to be reported.
#pragma once

#include "planarity_case.h"

int reference_is_planar(const PlanarityCase& c);
