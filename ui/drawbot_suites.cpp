#include "ui/drawbot_suites.h"

#include "SPBasic.h"
#include "frame/error_message.h"

namespace vlam {
namespace {

struct SuiteName {
  const char *name;
  A_long version;
};

// Acquisition and release order.
constexpr SuiteName kDrawbotSuiteNames[] = {
    {kDRAWBOT_DrawSuite, kDRAWBOT_DrawSuite_Version1},
    {kDRAWBOT_SupplierSuite, kDRAWBOT_SupplierSuite_Version1},
    {kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2},
    {kDRAWBOT_PathSuite, kDRAWBOT_PathSuite_Version1},
};

void ReleaseFirst(const SPBasicSuite *basic, int count) {
  for (int i = count - 1; i >= 0; --i) {
    basic->ReleaseSuite(kDrawbotSuiteNames[i].name, kDrawbotSuiteNames[i].version);
  }
}

}  // namespace

PF_Err AcquireDrawbotSuites(const PF_InData *in_data, PF_OutData *out_data,
                            DrawbotSuites *suitesP) {
  if (suitesP == nullptr) {
    ReportErrorMessage(in_data, out_data, kNullDrawbotSuitesMessage);
    return PF_Err_UNRECOGNIZED_PARAM_TYPE;
  }
  const SPBasicSuite *basic = in_data->pica_basicP;
  const void *tables[4] = {};
  for (int i = 0; i < 4; ++i) {
    const bool granted =
        basic != nullptr && basic->AcquireSuite(kDrawbotSuiteNames[i].name,
                                                kDrawbotSuiteNames[i].version,
                                                &tables[i]) == kSPNoError;
    if (!granted || tables[i] == nullptr) {
      // A grant without a table still counts as held by the host.
      if (basic != nullptr) {
        ReleaseFirst(basic, granted ? i + 1 : i);
      }
      *suitesP = DrawbotSuites{};
      ReportErrorMessage(in_data, out_data, kAcquireSuiteMessage);
      return PF_Err_BAD_CALLBACK_PARAM;
    }
  }
  suitesP->drawbot_suiteP = static_cast<const DRAWBOT_DrawbotSuite1 *>(tables[0]);
  suitesP->supplier_suiteP = static_cast<const DRAWBOT_SupplierSuite1 *>(tables[1]);
  suitesP->surface_suiteP = static_cast<const DRAWBOT_SurfaceSuite2 *>(tables[2]);
  suitesP->path_suiteP = static_cast<const DRAWBOT_PathSuite1 *>(tables[3]);
  return PF_Err_NONE;
}

PF_Err ReleaseDrawbotSuites(const PF_InData *in_data, PF_OutData *out_data) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  if (basic == nullptr) {
    ReportErrorMessage(in_data, out_data, kReleaseSuiteMessage);
    return PF_Err_NONE;
  }
  for (const SuiteName &suite : kDrawbotSuiteNames) {
    basic->ReleaseSuite(suite.name, suite.version);
  }
  return PF_Err_NONE;
}

}  // namespace vlam
