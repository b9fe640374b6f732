// Draws one firing instance into the accumulation buffer: the flash volume
// set up for the instance's design, energy and placement, then the barrel,
// the main shape, each petal and the sparks, with the passes that finish a
// firing run at their places.
#pragma once
#include "AE_Effect.h"
#include "flash/flash_volume.h"
#include "flash/noise_field.h"
#include "render/flash_variation.h"
#include "render/render_frame.h"

namespace vlam {

class WorldBuffer;

// Whether instance slot k is drawn: it fires (trigger level at least 0.01)
// and names a valid design slot with a profile.
bool InstanceFires(const InstanceRecord &instance, const FlashDesignTable &table);

// The matrix that takes a point of the instance's flash space to camera
// space: V · P · T · R, with R the instance's orientation and P its position
// relative to the layer centre (x in square pixels).
Matrix4 InstanceToCamera(const RenderFrame &frame, const InstanceRecord &instance);

// The instance's camera: the frame's, with its projections shifted so that
// the muzzle lands where its position appears at depth 0.
CompCamera AnchoredCamera(const RenderFrame &frame, const InstanceRecord &instance);

// The petal frame T2 · Rx · Rz · T1 of a petal at `angle` (radians) around
// the main flame of shape scale s.
Matrix4 PetalMatrix(const FlashDesign &design, double shapeScale, double angle);

class FlashDrawer {
 public:
  FlashDrawer(const RenderFrame &frame, WorldBuffer &flashWorld);

  // Clears the buffer and draws instance slot k (which must fire); writes
  // the energy and the eased brightness into the record. The in-data's abort
  // callback is asked around each parallel pass; its answer ends the drawing.
  PF_Err Draw(int k, InstanceRecord &instance, const FlashDesign &design, FiringPasses &passes);

 private:
  void Prepare(int k, const InstanceRecord &instance, const FlashDesign &design);
  PF_Err DrawMainShape(const FlashDesign &design);
  PF_Err DrawPetals(int k, const FlashDesign &design);
  PF_Err DrawSparks(const FlashDesign &design);
  PF_Err RunBody();
  DirtyRect Drawn() const;

  const RenderFrame &frame_;
  WorldBuffer &flashWorld_;
  FlashVolume volume_;
  // Everything the volume points at lives here for the firing.
  CompCamera camera_{};
  NoiseField randomiser_{};
  NoiseField field_{};
  NoiseField petalField_{};
  FlashVariation variation_{};
  double randomness_ = 0.0;
  PF_PixelFloat petalColour_{};
  PF_PixelFloat sparkColour_{};
};

}  // namespace vlam
