// What one smart render of the Render effect shares between its firings:
// the host's buffers, the per-frame values, the camera and the global record.
#pragma once
#include "AE_Effect.h"
#include "AE_EffectPixelFormat.h"
#include "flash/flash_design.h"
#include "flash/mark_vectors.h"
#include "frame/comp_camera.h"
#include "frame/matrix4.h"
#include "instance/instance_record.h"
#include "render/frame_values.h"
#include "render/render_globals.h"

namespace vlam {

class WorldBuffer;
struct FlashVariation;

struct RenderFrame {
  PF_InData *in_data = nullptr;
  PF_OutData *out_data = nullptr;
  PF_EffectWorld *input = nullptr;
  PF_EffectWorld *output = nullptr;
  PF_EffectWorld *grain = nullptr;  // "Grain Layer" pixels; null when none is chosen
  PF_PixelFormat outputFormat = PF_PixelFormat_ARGB128;
  FrameValues values{};
  double evolution = 0.0;  // displacement noise offset of this frame
  A_long threads = -1;     // iterations per parallel pass
  CompCamera camera{};     // projection offsets 0
  Matrix4 viewRotation{};
  Matrix4 viewTranslation{};
  const RenderGlobals *globals = nullptr;
};

// One firing as the passes that follow its drawing see it.
struct FiringContext {
  const RenderFrame *frame;
  int slot;                          // instance slot k
  InstanceRecord *instance;          // carries the energy and the eased brightness
  const FlashDesign *design;
  const FlashVariation *variation;
  WorldBuffer *flashWorld;           // "FLASH_WORLD" with the firing drawn into it
  DirtyRect drawn;                   // rows and columns splatted so far
  // Outside this rectangle (right and bottom exclusive) "FLASH_WORLD" is
  // known to be opaque black, so the passes that replace the whole buffer
  // only need to work inside it. The default claims nothing: everything.
  PF_Rect lit{-kEverywhere, -kEverywhere, kEverywhere, kEverywhere};

  static constexpr A_long kEverywhere = 1 << 30;
};

// The passes that finish a firing: motion blur of the main shape and petals
// before the sparks are drawn, then post scale, mask, defocus, glow,
// compositing into the output and grain. The first error ends the render.
class FiringPasses {
 public:
  virtual ~FiringPasses() = default;
  virtual PF_Err BeforeSparks(FiringContext &firing) = 0;
  virtual PF_Err AfterSparks(FiringContext &firing) = 0;
};

}  // namespace vlam
