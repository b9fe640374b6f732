// Scoped checkout of one parameter with typed readers.
#pragma once
#include <array>

#include "AE_Effect.h"
#include "frame/param_value_suites.h"

namespace vlam {

inline constexpr double kRadiansPerDegree = 0.017453292519943295;

class ParamCheckout {
 public:
  // Checks the parameter out at in_data's current time, time step and scale.
  ParamCheckout(const PF_InData *in_data, PF_ParamIndex index);
  // Checks it out at another time (in in_data's time scale units of `scale`).
  ParamCheckout(const PF_InData *in_data, PF_ParamIndex index, A_long time, A_long time_step,
                A_u_long time_scale);
  ~ParamCheckout();

  ParamCheckout(const ParamCheckout &) = delete;
  ParamCheckout &operator=(const ParamCheckout &) = delete;

  // The checkout's error; after a failure the definition stays zeroed, so
  // every reader returns zero values. Then the first error of a reader that
  // asked a suite to convert the value (point, colour), which returned zeros.
  PF_Err error() const { return error_ != PF_Err_NONE ? error_ : readError_; }
  const PF_ParamDef &param() const { return param_; }

  double FloatValue() const;
  // Degrees, or radians when asked; 0 when the parameter is not an angle.
  double AngleValue(const ParamValueSuites &suites, bool radians) const;
  // {0, 0} when not a point parameter or without the point suite.
  std::array<double, 2> PointValue(const ParamValueSuites &suites) const;
  std::array<double, 3> Point3DValue() const;
  // All zero when not a colour parameter or without the colour suite.
  PF_PixelFloat ColorValue(const ParamValueSuites &suites) const;
  bool CheckboxValue() const;
  A_long PopupValue() const;
  PF_Handle ArbitraryValue() const;

 private:
  const PF_InData *owner_;
  PF_ParamDef param_{};
  PF_Err error_ = PF_Err_NONE;
  mutable PF_Err readError_ = PF_Err_NONE;
};

// The floating-point angle of an angle definition: through the angle suite
// when it was acquired, else the 16.16 fixed value.
double AngleDegrees(const PF_InData *in_data, const PF_ParamDef &def,
                    const ParamValueSuites &suites);

}  // namespace vlam
