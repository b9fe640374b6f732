#pragma once
#include "host/image/WorldTable.h"

#include <AE_Effect.h>
#include <AE_EffectCB.h>

#include <optional>
#include <vector>

namespace vlam::host {

class ThreadPool;

// A 3 x 3 matrix in the effect API's row-vector layout: a point (x, y)
// becomes ([x y 1] . M) divided by its third component; translation sits in
// the last row.
struct RowMatrix {
  double m[3][3]{};
  static RowMatrix from(const PF_FloatMatrix &f);
  // nullopt when the matrix is singular or not finite.
  std::optional<RowMatrix> inverse() const;
  // False when the point falls on or behind the projection's horizon.
  bool apply(double x, double y, double &ox, double &oy) const;
};

// What transform_world asks for, with the matrices already turned into
// destination-to-source maps. Positions are in pixel units with pixel (i, j)
// covering [i, i + 1) x [j, j + 1).
struct TransformJob {
  WorldView src;
  WorldView dst;
  PF_Rect area{};               // destination pixels written, inside dst
  std::vector<RowMatrix> toSource; // one per matrix, in the caller's order
  bool bilinear = true;         // high quality; nearest pixel otherwise
  bool straightAlpha = false;   // both buffers hold straight (unmatted) colour
  PF_TransferMode xfer = PF_Xfer_COPY;
  float opacity = 1.0f;
  bool rgbOnly = false;         // the destination's alpha is kept
  std::optional<WorldView> mask; // optional matte over the destination
  PF_Point maskOffset{};        // where the mask's (0, 0) sits in the destination
  PF_MaskFlags maskFlags = PF_MaskFlag_NONE;
};

// Largest number of samples one pair of matrices takes along a pixel's path:
// a motion blur longer than 2048 pixels is sampled more sparsely.
constexpr int kMaxBlurSamples = 4096;

// Whether transform_world composites with this transfer mode.
bool transferModeOffered(PF_TransferMode mode);

// Resamples `src` through the matrices into `dst` over `area`, rows spread
// over the pool. With one matrix each destination pixel shows the source
// point the matrix maps onto it; with several, the average of the source
// along the path through the matrices' positions (equal time per pair,
// samples at most a pixel apart), which is a motion blur. Source pixels
// outside the buffer are transparent. The result is composited with the
// transfer mode and opacity (times the mask). Deterministic for any thread
// count.
void transformPixels(const TransformJob &job, ThreadPool &pool);

} // namespace vlam::host
