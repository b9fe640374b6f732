#include "render/flash_drawing.h"

#include <algorithm>
#include <cmath>

#include "AE_EffectCB.h"
#include "render/flash_rect.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr double kFiringThreshold = 0.01;
// Sampling step in cells and base brush size in pixels of every pass.
constexpr A_u_short kGridStep = 2;
constexpr A_u_short kBaseBrush = 11;
constexpr A_long kAxialStart = 8;
// The body pass's slices differ widely in work (wide near the muzzle, thin at
// the tip), so it is cut into several iterations per thread for the host to
// hand out as threads come free. The bytes do not depend on the count.
constexpr A_long kBodyIterationsPerThread = 8;
// No valid design comes near this many cells; a damaged record cannot make a
// pass loop for ever.
constexpr double kMaxCells = 4096.0;

A_long TruncCells(double v) {
  if (!(v > 0.0)) return 0;
  return static_cast<A_long>(std::min(v, kMaxCells));
}

PF_Err AskAbort(const PF_InData *in_data) {
  return in_data->inter.abort != nullptr ? in_data->inter.abort(in_data->effect_ref)
                                         : PF_Err_NONE;
}

PF_PixelFloat Scaled(const PF_PixelFloat &c, double factor) {
  return PF_PixelFloat{static_cast<float>(c.alpha * factor), static_cast<float>(c.red * factor),
                       static_cast<float>(c.green * factor), static_cast<float>(c.blue * factor)};
}

Matrix4 Translation(double tx, double ty, double tz) {
  Matrix4 m = Matrix4::Identity();
  m.SetTranslation(tx, ty, tz);
  return m;
}

// The instance's position relative to the layer centre, x in square pixels.
void InstanceOffset(const RenderFrame &frame, const InstanceRecord &instance, double &px,
                    double &py, double &pz) {
  px = (instance.position[0] - frame.values.centreX) * frame.values.pixelAspect;
  py = instance.position[1] - frame.values.centreY;
  pz = instance.position[2];
}

}  // namespace

bool InstanceFires(const InstanceRecord &instance, const FlashDesignTable &table) {
  if (!(instance.triggerLevel >= kFiringThreshold)) return false;
  if (instance.designIndex >= static_cast<std::uint32_t>(kFlashDesignSlots)) return false;
  const FlashDesign &design = table.designs[instance.designIndex];
  return design.valid != 0 && design.mainProfile != nullptr;
}

Matrix4 InstanceToCamera(const RenderFrame &frame, const InstanceRecord &instance) {
  Matrix4 r = Matrix4::Identity();
  r.SetRotation(instance.roll, instance.aimA, instance.aimB);
  double px, py, pz;
  InstanceOffset(frame, instance, px, py, pz);
  const Matrix4 p = Translation(px, py, pz);
  // Product(x, y) is y · x: R first, then T, P and V.
  return Matrix4::Product(Matrix4::Product(Matrix4::Product(r, frame.viewTranslation), p),
                          frame.viewRotation);
}

CompCamera AnchoredCamera(const RenderFrame &frame, const InstanceRecord &instance) {
  CompCamera camera = frame.camera;
  double px, py, pz;
  InstanceOffset(frame, instance, px, py, pz);
  AnchorToDepthZero(camera, Matrix4::Product(frame.viewTranslation, frame.viewRotation), px, py,
                    pz);
  return camera;
}

Matrix4 PetalMatrix(const FlashDesign &design, double shapeScale, double angle) {
  const Matrix4 t1 = Translation(design.barrelRadius / shapeScale, 0.0, 0.0);
  const Matrix4 t2 = Translation(design.horizontalOffset / shapeScale, 0.0, 0.0);
  Matrix4 rz = Matrix4::Identity();
  rz.SetRotationZ(-design.petalAngle);
  Matrix4 rx = Matrix4::Identity();
  rx.SetRotationX(angle - 2.91469985083053);
  return Matrix4::Product(Matrix4::Product(Matrix4::Product(t1, rz), rx), t2);
}

FlashDrawer::FlashDrawer(const RenderFrame &frame, WorldBuffer &flashWorld)
    : frame_(frame), flashWorld_(flashWorld) {}

PF_Err FlashDrawer::Draw(int k, InstanceRecord &instance, const FlashDesign &design,
                         FiringPasses &passes) {
  PF_Err err = flashWorld_.Clear();
  if (err != PF_Err_NONE) return err;
  Prepare(k, instance, design);
  // Later steps of this firing read the energy from the record.
  instance.triggerLevel = variation_.energy;
  instance.brightness = variation_.easedBrightness;

  err = DrawMainShape(design);
  if (err == PF_Err_NONE) err = DrawPetals(k, design);

  FiringContext firing{&frame_, k, &instance, &design, &variation_, &flashWorld_, {}};
  // The buffer was cleared above: only what the splats reached holds light.
  if (err == PF_Err_NONE) {
    firing.drawn = Drawn();
    firing.lit = volume_.ReachedRect();
    err = passes.BeforeSparks(firing);
  }
  if (err == PF_Err_NONE) err = DrawSparks(design);
  if (err == PF_Err_NONE) {
    firing.drawn = Drawn();
    firing.lit = UnionRect(firing.lit, volume_.ReachedRect());
    err = passes.AfterSparks(firing);
  }
  return err;
}

void FlashDrawer::Prepare(int k, const InstanceRecord &instance, const FlashDesign &design) {
  volume_.Reset();
  volume_.Init(&flashWorld_, frame_.values.downsample,
               static_cast<A_u_long>(frame_.in_data->quality));
  camera_ = AnchoredCamera(frame_, instance);
  volume_.SetCamera(&camera_);
  volume_.SetDistTable(frame_.globals->distanceTable, kRenderDistanceTableSize);
  volume_.SetGrid(kGridStep, kBaseBrush);
  // The volume is reused from firing to firing: the main shape's noise must
  // not depend on the last petal an earlier instance drew.
  volume_.SetPetalIndex(0);

  randomness_ = instance.randomness;
  randomiser_ = MakeInstanceRandomiser(frame_.in_data->current_time, instance.randomSeed);
  variation_ = DeriveFlashVariation(instance, design, k, randomiser_);
  const double tempAmount = design.colourTemperatureAmount;
  volume_.SetColour(&variation_.mainColour, tempAmount > 0.0 ? 1 : 0, tempAmount);

  field_ = MakeDisplacementField(instance, design, variation_.energy, frame_.evolution);
  volume_.SetNoise(&field_);
  const OctaveTables octaves = MakeOctaveTables(design.displacementComplexity);
  std::copy(std::begin(octaves.weight), std::end(octaves.weight), volume_.octaveWeight);
  std::copy(std::begin(octaves.freq), std::end(octaves.freq), volume_.octaveFreq);

  volume_.SetView(InstanceToCamera(frame_, instance));

  const float energy = static_cast<float>(variation_.energy);
  volume_.SetShape(design.mainProfile, energy, variation_.shapeScale * design.mainLength,
                   design.mainDiameter, static_cast<A_u_long>(k));
  volume_.SetFalloff(design.mainFalloffA, design.mainFalloffB, design.brightnessFalloff, 0.0);
  volume_.SetBlend(variation_.blendWeight,
                   &frame_.globals->defaultCurves[std::clamp(variation_.variant, 0, 2)]);
}

PF_Err FlashDrawer::RunBody() {
  PF_Err err = AskAbort(frame_.in_data);
  // Without a thread count the pass asks the host for one iteration per
  // thread.
  const A_long iterations = frame_.threads > 0 ? frame_.threads * kBodyIterationsPerThread : 0;
  if (err == PF_Err_NONE) err = volume_.RunBodyPass(iterations);
  if (err == PF_Err_NONE) err = AskAbort(frame_.in_data);
  return err;
}

PF_Err FlashDrawer::DrawMainShape(const FlashDesign &design) {
  volume_.BarrelPass(TruncCells(2.0 * design.barrelRadius),
                     TruncCells(2.0 * std::fabs(design.horizontalOffset)));
  volume_.SetAxialStart(kAxialStart);
  volume_.CorePass(5, 10);
  return RunBody();
}

PF_Err FlashDrawer::DrawPetals(int k, const FlashDesign &design) {
  const int petals = design.petalLayout != nullptr
                         ? std::clamp<int>(design.petalLayout->count, 0, kMaxPetals)
                         : 0;
  if (petals == 0 || design.petalProfile == nullptr) return PF_Err_NONE;

  const double t = variation_.noisePhase;
  const PetalSettings settings = DerivePetalSettings(design, randomness_, t, randomiser_);
  const float energy = static_cast<float>(variation_.energy);
  volume_.SetShape(design.petalProfile, energy, design.petalLength, design.petalDiameter,
                   static_cast<A_u_long>(k));
  volume_.SetFalloff(0.85, 0.55, design.petalBrightnessFalloff, settings.start);
  petalColour_ = Scaled(variation_.mainColour, design.petalBrightness);
  const double tempAmount = design.colourTemperatureAmount;
  volume_.SetColour(&petalColour_, tempAmount > 0.0 ? 2 : 0, tempAmount);
  petalField_ = PetalDisplacementField(field_);
  volume_.SetNoise(&petalField_);
  volume_.SetAxialStart(kAxialStart);

  const A_long coreLength = TruncCells((1.0 - settings.start) * 6.0);
  for (int i = 0; i < petals; ++i) {
    const PetalChoice choice = DerivePetalChoice(settings, design, randomness_, t, i, randomiser_);
    if (choice.skip) continue;
    if (choice.jitter) volume_.JitterLength(choice.lengthJitter);
    volume_.SetBlend(choice.blendWeight, &frame_.globals->defaultCurves[kRenderPetalCurveSlot]);
    volume_.SetPetalIndex(static_cast<A_u_short>(i + 1));
    volume_.SetPetal(PetalMatrix(design, variation_.shapeScale, design.petalLayout->angles[i]));
    volume_.CorePass(3, coreLength);
    if (const PF_Err err = RunBody()) return err;
  }
  return PF_Err_NONE;
}

PF_Err FlashDrawer::DrawSparks(const FlashDesign &design) {
  if (variation_.sparkCount <= 0) return PF_Err_NONE;
  sparkColour_ = Scaled(design.flashColour, 0.005);
  volume_.SetSparks(static_cast<A_u_long>(variation_.sparkCount),
                    variation_.shapeScale * design.mainLength, design.sparkDispersion,
                    &sparkColour_, design.sparkBrightness, design.brightnessRandomisation,
                    &randomiser_);
  PF_Err err = AskAbort(frame_.in_data);
  if (err == PF_Err_NONE) err = volume_.RunSparkPass(frame_.threads);
  if (err == PF_Err_NONE) err = AskAbort(frame_.in_data);
  return err;
}

DirtyRect FlashDrawer::Drawn() const {
  // Without any splat the rectangle stays empty (last before first).
  DirtyRect rect{0, 0, -1, -1, 0, 0};
  volume_.DirtyRectangle(rect);
  return rect;
}

}  // namespace vlam
