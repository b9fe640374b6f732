// The running-sum box filter along one line of samples, the step the blurs
// are built from.
#pragma once

#include <cstddef>

#include "A.h"

namespace vlam {

// Box of radius r over the L samples src[0], src[srcStride], ... written to
// dst[0], dst[dstStride], ...; the line is extended past both ends with its
// first and last sample, whatever the radius. A fractional radius weighs the
// two samples just outside the whole part by the fraction, so the box is
// 2r + 1 samples wide and a constant line stays constant. r <= 0 copies.
void LineFilter(const float* src, ptrdiff_t srcStride, float* dst, ptrdiff_t dstStride, A_long L,
                double r);

// LineFilter over red, green and blue of `pixels` adjacent float pixels
// (alpha, red, green, blue) at once: pixel p's lines start at src + 4p and
// dst + 4p and step by the strides, in floats. The same bits as filtering
// each of those lines alone; for lines that run down columns, neighbouring
// columns are read together along each row.
void PixelLineFilter(const float* src, ptrdiff_t srcStride, float* dst, ptrdiff_t dstStride,
                     A_long pixels, A_long L, double r);

// The four box sizes approximating a Gaussian of deviation sigma.
void GaussianBoxSizes(double sigma, A_long sizes[4]);

}  // namespace vlam
