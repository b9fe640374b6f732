// One flash drawn as a cloud of soft splats: the per-render geometry state and
// the barrel, core, body and spark passes that splat it into a float
// accumulation buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "AE_Effect.h"
#include "flash/depth_buffer.h"
#include "flash/distance_table.h"
#include "flash/mark_vectors.h"
#include "flash/noise_field.h"
#include "flash/splat_list.h"
#include "frame/comp_camera.h"
#include "frame/matrix4.h"

namespace vlam {

struct ShapeCurve;
class WorldBuffer;

class FlashVolume {
 public:
  FlashVolume();

  // Both matrices back to identity and the marks cleared, ready for the next
  // firing.
  void Reset();

  // Setters.
  void Init(WorldBuffer* target, double scale, A_u_long renderQuality);
  void SetCamera(CompCamera* camera) { camera_ = camera; }
  void SetDistTable(const uint16_t* table, int size = kRenderDistanceTableSize);
  // A step below 1 is taken as 1.
  void SetGrid(A_u_short step, A_u_short baseBrush);
  void SetColour(const PF_PixelFloat* colour, A_long mode, double tempAmount);
  void SetNoise(const NoiseField* field) { field_ = field; }
  void SetShape(const ShapeCurve* profile, float energy, double length, double diameter,
                A_u_long seed);
  void SetFalloff(double a, double b, double c, double d);
  void SetBlend(double w, const ShapeCurve* profileB);
  void SetAxialStart(A_long v) { axialStart_ = static_cast<A_short>(v / step_); }
  void SetView(const Matrix4& m) { view_ = m; }
  void SetPetal(const Matrix4& m) { petal_ = m; }
  void SetPetalIndex(A_u_short n) { noiseOffsetIndex_ = n; }
  void JitterLength(double delta);
  void SetSparks(A_u_long count, double length, double spread, const PF_PixelFloat* colour,
                 double brightness, double brightRandom, const NoiseField* noise);

  // Displacement octaves, written straight in by the Render effect.
  double octaveWeight[4];
  double octaveFreq[4];

  // Passes drawn on the calling thread.
  void BarrelPass(A_long n, A_long m);
  void CorePass(A_long n, A_long m);
  // Body slices [first, first + count) and one spark, drawn on the calling
  // thread; a parallel pass gives exactly the same bytes.
  void BodySlices(A_long first, A_long count);
  void Spark(A_u_long i);

  // The parallel passes through the host's generic iteration: the body pass
  // in `iterations` iterations (fewer than 1: the host's thread count), the
  // spark pass in one iteration per spark with the splats drawn in `threads`
  // bands. The result does not depend on the counts.
  PF_Err RunBodyPass(A_long iterations);
  PF_Err RunSparkPass(A_long threads);

  // Slices of the body pass: sliceCount / step.
  A_long BodySliceCount() const;
  // Noise phase and number of path steps of spark i.
  double SparkPhase(A_u_long i) const;
  A_long SparkSteps(A_u_long i) const;

  // The rows and columns splatted so far, for the passes that follow.
  void DirtyRectangle(DirtyRect& rect) const { marks_.DirtyRectangle(rect); }
  void DirtyRectanglePadded(DirtyRect& rect, A_long p) const {
    marks_.DirtyRectanglePadded(rect, p);
  }
  MarksCopy CopyMarksOut() const;
  // The part of the target that the splats drawn since the last reset may
  // have changed (right and bottom exclusive); empty when nothing was drawn.
  // Outside it the target holds what it held before the first splat.
  PF_Rect ReachedRect() const;

  // Read access for the Render effect and tests.
  A_long SliceCount() const { return sliceCount_; }
  A_long BaseSliceCount() const { return baseSliceCount_; }
  A_long DiameterCells() const { return diameterCells_; }
  A_short AxialStart() const { return axialStart_; }
  double CoreA() const { return coreA_; }
  double CoreStart() const { return coreStart_; }
  double CoreMid() const { return coreMid_; }
  double BlendWeight() const { return blendWeight_; }
  const MarkVectors& Marks() const { return marks_; }
  const DepthBuffer& Depth() const { return depth_; }

  // Per-iteration work of the parallel passes (public for the host callbacks;
  // not for other callers).
  void CollectBodyIteration(A_long i, A_long iterations, SplatSlot& slot) const;
  void CollectSpark(A_u_long i, SplatSlot& slot) const;
  void DrawBand(A_long band) const;

 private:
  // The splats of the body and spark passes are always computed by this one
  // compiled code path and recorded, whether they are drawn at once or in
  // bands later: the compiler may round intermediate values differently in
  // two instances of the same source, and the bytes must not depend on which
  // path drew them.
  void EmitBodySlices(A_long first, A_long count, RecordSink& sink) const;
  void EmitSpark(A_u_long i, RecordSink& sink) const;
  void DrawSlotNow(SplatSlot& slot);
  // One empty slot per iteration; false when there is no memory for them.
  bool PrepareSlots(A_long count);
  PF_Err DrawSlots(A_long threads);
  DirectSink Direct();
  bool Ready() const;
  // Buffer coordinates of a camera-space point, and its projected depth.
  void ToBuffer(const Vec3f& p, double& X, double& Y, float& depth) const {
    const CameraProjection pr = Project(*camera_, p);
    depth = pr.depth;
    X = (pr.sx + cx_) * scale_;
    Y = (pr.sy + cy_) * scale_;
  }
  // A point of the shape taken through the petal and view matrices into
  // camera space and onto the buffer; q is the perspective brush scale.
  struct Placed {
    Vec3f p;
    double q;
    double X;
    double Y;
    float depth;
  };
  Placed Place(double x, double y, double z, float zoom) const {
    Placed r;
    r.p.Set(x, y, z);
    r.p.Transform(petal_);
    r.p.Transform(view_);
    r.q = zoom / static_cast<double>(r.p.z);
    if (r.q > 3.0) r.q = 3.0;
    ToBuffer(r.p, r.X, r.Y, r.depth);
    return r;
  }
  // The brush of the render quality: soft of `size`, or the square of half
  // of it.
  template <class Sink>
  void Stamp(Sink& sink, A_long x, A_long y, A_long size, const PF_PixelFloat& c,
             float hardness) const {
    if (brushMode_ == 1)
      sink.Soft(x, y, size, c, hardness);
    else
      sink.Square(x, y, TruncToPixel(size * 0.5), c);
  }
  int32_t Distance(int32_t i, int32_t j) const {
    return DistanceLookup(distTable_, distTableSize_, i, j);
  }

  const ShapeCurve* profileA_ = nullptr;
  float energy_ = 0.0f;
  A_long sliceCount_ = 0;
  A_long baseSliceCount_ = 0;
  A_long diameterCells_ = 0;
  A_short axialStart_ = 0;
  const PF_PixelFloat* colour_ = nullptr;
  double tempAmount_ = 0.0;
  A_long colourMode_ = 0;
  A_u_long seed_ = 0;
  A_u_short noiseOffsetIndex_ = 0;
  double blendWeight_ = 0.0;
  const ShapeCurve* profileB_ = nullptr;
  double coreA_ = 0.0;
  double coreEnd_ = 0.0;
  double coreMid_ = 0.0;
  double coreStart_ = 0.0;
  double falloff_ = 0.0;
  double startT_ = 0.0;
  const uint16_t* distTable_ = nullptr;
  int distTableSize_ = 0;
  // True when no cell is nearer the axis than its larger offset: a slice of
  // radius Rs then has no splat outside the square |y|, |z| < Rs.
  bool distAtLeastOffsets_ = false;
  A_u_long sparkCount_ = 0;
  double sparkSpread_ = 0.0;
  double sparkBrightness_ = 0.0;
  double sparkBrightRandom_ = 0.0;
  const NoiseField* sparkNoise_ = nullptr;
  WorldBuffer* target_ = nullptr;
  double scale_ = 1.0;
  A_u_long brushMode_ = 1;
  DepthBuffer depth_;
  CompCamera* camera_ = nullptr;
  A_u_short step_ = 1;
  A_u_short baseBrush_ = 0;
  const NoiseField* field_ = nullptr;
  double cx_ = 0.0;
  double cy_ = 0.0;
  A_u_long width_ = 0;
  A_u_long height_ = 0;
  MarkVectors marks_;
  SplatReach reach_;
  Matrix4 view_;
  Matrix4 petal_;

  // Parallel pass state: one slot per iteration, band bounds of the replay.
  std::vector<SplatSlot> slots_;
  std::vector<A_long> bandBounds_;
};

}  // namespace vlam
