// The host's floating-point value suites for angle, colour and point
// parameters, acquired for one command.
#pragma once
#include "AE_EffectSuites.h"

namespace vlam {

class ParamValueSuites {
 public:
  // The angle suite exists from effect API 13.4 on; the colour and point
  // suites are always asked for. A refused suite only leaves its pointer null.
  explicit ParamValueSuites(const PF_InData *in_data);
  ~ParamValueSuites();

  ParamValueSuites(const ParamValueSuites &) = delete;
  ParamValueSuites &operator=(const ParamValueSuites &) = delete;

  const PF_InData *owner() const { return owner_; }
  const PF_AngleParamSuite1 *angle() const { return angle_; }
  const PF_ColorParamSuite1 *color() const { return color_; }
  const PF_PointParamSuite1 *point() const { return point_; }
  bool acquired() const { return acquired_; }

 private:
  const PF_InData *owner_;
  const PF_AngleParamSuite1 *angle_ = nullptr;
  const PF_ColorParamSuite1 *color_ = nullptr;
  const PF_PointParamSuite1 *point_ = nullptr;
  bool acquired_ = false;
};

}  // namespace vlam
