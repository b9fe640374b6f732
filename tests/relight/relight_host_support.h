// The Render effect's fake host made ready for the Relighter: its parameter
// defaults, a matte layer, iterate suites for the three depths, a copy that
// scales to fit, and a layer whose Render effect, builders and instances
// answer the Relighter's collecting call.
#pragma once
#include <vector>

#include "frame/effect_entries.h"
#include "render/render_host_support.h"

namespace vlam_relight_test {

using vlam_render_test::GetPixel;
using vlam_render_test::SetPixel;
using vlam_render_test::TestImage;

class RelightTestHost : public vlam_render_test::RenderTestHost {
 public:
  RelightTestHost();

  TestImage matte;
  vlam_render_test::DesignStorage storage;
  vlam::FlashDesign design;
  int pixelIterateCalls = 0;  // calls of the 8-bit, 16-bit and float pixel iterate suites

  // Input, output and matte of 40 x 20 pixels in this depth, every byte zero
  // but for a pattern of a few different values in the input or the matte.
  void UseImages(PF_PixelFormat format, bool patternedInput, bool patternedMatte);
  void AddBuilder() { RenderTestHost::AddBuilder(&design); }

  PF_Err SmartRender();
};

}  // namespace vlam_relight_test
