#include "frame/param_value_suites.h"

namespace vlam {
namespace {

template <typename Suite>
const Suite *TryAcquire(const SPBasicSuite *basic, const char *name, A_long version) {
  if (basic == nullptr) {
    return nullptr;
  }
  const void *suite = nullptr;
  if (basic->AcquireSuite(name, version, &suite) != kSPNoError) {
    return nullptr;
  }
  return static_cast<const Suite *>(suite);
}

template <typename Suite>
void ReleaseIfHeld(const SPBasicSuite *basic, const Suite *suite, const char *name,
                   A_long version) {
  if (suite != nullptr) {
    basic->ReleaseSuite(name, version);
  }
}

}  // namespace

ParamValueSuites::ParamValueSuites(const PF_InData *in_data) : owner_(in_data) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  if (in_data->version.major == 13 && in_data->version.minor >= 4) {
    angle_ = TryAcquire<PF_AngleParamSuite1>(basic, kPFAngleParamSuite, kPFAngleParamSuiteVersion1);
  }
  color_ = TryAcquire<PF_ColorParamSuite1>(basic, kPFColorParamSuite, kPFColorParamSuiteVersion1);
  point_ = TryAcquire<PF_PointParamSuite1>(basic, kPFPointParamSuite, kPFPointParamSuiteVersion1);
  acquired_ = true;
}

ParamValueSuites::~ParamValueSuites() {
  const SPBasicSuite *basic = owner_->pica_basicP;
  ReleaseIfHeld(basic, angle_, kPFAngleParamSuite, kPFAngleParamSuiteVersion1);
  ReleaseIfHeld(basic, color_, kPFColorParamSuite, kPFColorParamSuiteVersion1);
  ReleaseIfHeld(basic, point_, kPFPointParamSuite, kPFPointParamSuiteVersion1);
}

}  // namespace vlam
