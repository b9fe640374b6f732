#include "render/render_globals.h"

#include <new>

#include "AE_EffectCBSuites.h"
#include "AE_GeneralPlug.h"
#include "flash/shape_curve_text.h"
#include "frame/effect_identity.h"
#include "frame/handle_records.h"
#include "frame/scoped_suite.h"
#include "render/tone_table.h"

namespace vlam {

const char *const kRenderDefaultCurveTexts[kRenderDefaultCurveCount] = {
    "[x:0.0;y:0.125],[x:0.05;y:0.15],[x:0.2;y:0.7],[x:0.35;y:1.0],[x:0.5;y:0.9],[x:0.75;y:0.7],"
    "[x:1.0;y:0.0]",
    "[x:0.0;y:0.6],[x:0.1;y:1.0],[x:0.25;y:1.0],[x:0.35;y:0.7],[x:0.7;y:0.6],[x:0.8;y:0.75],"
    "[x:0.9;y:0.7],[x:1.0;y:0.35]",
    "[x:0.0;y:0.15],[x:0.05;y:0.2],[x:0.15;y:0.5],[x:0.4;y:0.9],[x:0.9;y:1.0],[x:1.0;y:0.65]",
    "[x:0.0;y:0.33],[x:0.4;y:0.6],[x:0.75;y:1.0],[x:0.9;y:0.6],[x:1.0;y:0.33]",
};

namespace {

// The number of bracketed points a curve text holds.
std::uint16_t PointsInText(const char *text) {
  std::uint16_t n = 0;
  for (const char *c = text; *c != '\0'; ++c) {
    n += (*c == ']') ? 1 : 0;
  }
  return n;
}

PF_Err FillRecord(const PF_InData *in_data, void *record, void *filled) {
  *static_cast<bool *>(filled) = true;
  return FillRenderGlobals(in_data, *static_cast<RenderGlobals *>(record));
}

}  // namespace

PF_Err FillRenderGlobals(const PF_InData *in_data, RenderGlobals &globals) {
  for (ShapeCurve &curve : globals.defaultCurves) {
    ResetShapeCurve(curve, kShapeCurveMaxPoints);
  }

  PF_Err err = PF_Err_NONE;
  {
    ScopedSuite<AEGP_UtilitySuite5> utility(in_data->pica_basicP, kAEGPUtilitySuite,
                                             kAEGPUtilitySuiteVersion5);
    AEGP_PluginID id = 0;
    err = utility->AEGP_RegisterWithAEGP(nullptr, kRenderIdentity.match_name, &id);
    globals.pluginId = static_cast<std::uint32_t>(id);
  }

  // Each curve holds exactly as many points as its text.
  for (int slot = 0; slot < kRenderDefaultCurveCount; ++slot) {
    const char *text = kRenderDefaultCurveTexts[slot];
    ResetShapeCurve(globals.defaultCurves[slot], PointsInText(text));
    ParseShapeCurveText(text, globals.defaultCurves[slot]);
  }

  globals.distanceTable = new (std::nothrow) std::uint16_t[kRenderDistanceEntries];
  if (globals.distanceTable == nullptr) {
    KeepFirstError(err, PF_Err_OUT_OF_MEMORY);
  } else {
    FillDistanceTable(globals.distanceTable, kRenderDistanceTableSize);
  }

  BuildToneTable(globals.toneTable, kToneTableSize);
  // A global setup that fails is never set down: it keeps nothing.
  if (err != PF_Err_NONE) {
    FreeRenderGlobalsTables(globals);
  }
  return err;
}

void FreeRenderGlobalsTables(RenderGlobals &globals) {
  delete[] globals.distanceTable;
  globals.distanceTable = nullptr;
}

PF_Err CreateRenderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  const GlobalRecordSetup setup{sizeof(RenderGlobals), "Could not initialise global data (1)",
                              PF_Err_OUT_OF_MEMORY, "Could not initialise global data (2)",
                              PF_Err_OUT_OF_MEMORY};
  bool filled = false;
  const PF_Err err = CreateGlobalRecord(in_data, out_data, setup, FillRecord, &filled);
  if (!filled && out_data->global_data != nullptr) {
    // The handle could not be locked, so it was never cleared: a later
    // setdown must not take its bytes for a table to free.
    ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                         kPFHandleSuiteVersion1);
    handles->host_dispose_handle(out_data->global_data);
    out_data->global_data = nullptr;
  }
  return err;
}

PF_Err ReleaseRenderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  if (in_data->global_data != nullptr) {
    LockedRenderGlobals locked(in_data);
    if (locked.get() != nullptr) {
      FreeRenderGlobalsTables(*locked.get());
    }
  }
  return DisposeGlobalRecord(in_data, out_data);
}

LockedRenderGlobals::LockedRenderGlobals(const PF_InData *in_data) : in_data_(in_data) {
  if (in_data->global_data == nullptr) {
    return;
  }
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                       kPFHandleSuiteVersion1);
  // A handle too small for the record is not one this effect made.
  if (handles->host_get_handle_size != nullptr &&
      handles->host_get_handle_size(in_data->global_data) < sizeof(RenderGlobals)) {
    return;
  }
  globals_ = static_cast<RenderGlobals *>(handles->host_lock_handle(in_data->global_data));
}

LockedRenderGlobals::~LockedRenderGlobals() {
  if (globals_ == nullptr) {
    return;
  }
  // A destructor must not throw: a suite the host refuses now leaves the
  // handle locked, which only costs the host the ability to move it.
  const SPBasicSuite *basic = in_data_->pica_basicP;
  const void *suite = nullptr;
  if (basic->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &suite) == kSPNoError &&
      suite != nullptr) {
    static_cast<const PF_HandleSuite1 *>(suite)->host_unlock_handle(in_data_->global_data);
    basic->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1);
  }
}

}  // namespace vlam
