// Designs and instance records as a Flash Builder and a Flash Instance with
// their default settings would write them.
#pragma once
#include "flash/default_curves.h"
#include "flash/flash_design.h"
#include "flash/petal_layout.h"
#include "instance/instance_record.h"

namespace vlam_render_test {

// The curves and petal layout a design points at, owned by the test.
struct DesignStorage {
  DesignStorage();
  vlam::ShapeCurve mainCurve;
  vlam::ShapeCurve petalCurve;
  vlam::PetalLayout noPetals{};
  vlam::PetalLayout threeStar{};  // 0, 120, 240 degrees
};

// The builder's defaults: length 250, diameter 0.5, no petals, no sparks,
// no randomisation.
vlam::FlashDesign DefaultDesign(const DesignStorage &storage);

// A firing instance at (x, y, 0) pointing along the layer's x axis, with the
// instance's defaults: seed 1024, randomness 1, brightness 1, post scale 1.
vlam::InstanceRecord FiringInstance(double x, double y);

}  // namespace vlam_render_test
