#include "fake_instance_host_support.h"

#include <cstring>

namespace vlam_test {

namespace {

FakeInstanceHost *g_current = nullptr;

FakeInstanceHost &H() { return *g_current; }

std::string TimeText(const A_Time &t) {
  return std::to_string(t.value) + "/" + std::to_string(t.scale);
}

// --- effect API suites ------------------------------------------------------------

PF_ParamUtilsSuite3 MakeParamUtils() {
  PF_ParamUtilsSuite3 s{};
  s.PF_UpdateParamUI = [](PF_ProgPtr, PF_ParamIndex index, const PF_ParamDef *def) -> PF_Err {
    H().uiUpdates.push_back({index, def->ui_flags});
    const auto it = H().uiUpdateErrors.find(index);
    return it == H().uiUpdateErrors.end() ? PF_Err_NONE : it->second;
  };
  return s;
}

PF_AngleParamSuite1 MakeAngleSuite() {
  PF_AngleParamSuite1 s{};
  s.PF_GetFloatingPointValueFromAngleDef = [](PF_ProgPtr, const PF_ParamDef *def,
                                              A_FpLong *value) -> PF_Err {
    *value = def->u.ad.value / 65536.0;
    return PF_Err_NONE;
  };
  return s;
}

PF_PointParamSuite1 MakePointSuite() {
  PF_PointParamSuite1 s{};
  s.PF_GetFloatingPointValueFromPointDef = [](PF_ProgPtr, const PF_ParamDef *def,
                                              A_FloatPoint *p) -> PF_Err {
    p->x = def->u.td.x_value / 65536.0;
    p->y = def->u.td.y_value / 65536.0;
    return PF_Err_NONE;
  };
  return s;
}

PF_ColorParamSuite1 MakeColorSuite() { return PF_ColorParamSuite1{}; }

// --- AEGP suites ------------------------------------------------------------------

AEGP_PFInterfaceSuite1 MakePfInterface() {
  AEGP_PFInterfaceSuite1 s{};
  s.AEGP_GetEffectLayer = [](PF_ProgPtr, AEGP_LayerH *layer) -> A_Err {
    if (const A_Err err = H().Enter("GetEffectLayer")) return err;
    *layer = H().layer;
    return A_Err_NONE;
  };
  s.AEGP_GetNewEffectForEffect = [](AEGP_PluginID, PF_ProgPtr, AEGP_EffectRefH *effect) -> A_Err {
    if (const A_Err err = H().Enter("GetNewEffectForEffect")) return err;
    *effect = reinterpret_cast<AEGP_EffectRefH>(0xEF);
    ++H().liveEffectRefs;
    return A_Err_NONE;
  };
  s.AEGP_ConvertEffectToCompTime = [](PF_ProgPtr, A_long time, A_u_long scale,
                                      A_Time *comp) -> A_Err {
    if (const A_Err err = H().Enter("ConvertEffectToCompTime",
                                    std::to_string(time) + "/" + std::to_string(scale)))
      return err;
    comp->value = time + H().compTimeOffset.value;
    comp->scale = scale;
    return A_Err_NONE;
  };
  s.AEGP_GetEffectCamera = [](PF_ProgPtr, const A_Time *time, AEGP_LayerH *camera) -> A_Err {
    if (const A_Err err = H().Enter("GetEffectCamera", TimeText(*time))) return err;
    H().lastCameraTime = *time;
    *camera = H().cameraLayer;
    return A_Err_NONE;
  };
  s.AEGP_GetEffectCameraMatrix = [](PF_ProgPtr, const A_Time *time, A_Matrix4 *matrix,
                                    A_FpLong *distance, A_short *w, A_short *h) -> A_Err {
    if (const A_Err err = H().Enter("GetEffectCameraMatrix", TimeText(*time))) return err;
    *matrix = H().cameraMatrix;
    *distance = 2666.67;
    *w = 1920;
    *h = 1080;
    return A_Err_NONE;
  };
  return s;
}

AEGP_LayerSuite13 MakeLayerSuite() {
  AEGP_LayerSuite13 s{};
  s.AEGP_GetLayerParentComp = [](AEGP_LayerH, AEGP_CompH *comp) -> A_Err {
    if (const A_Err err = H().Enter("GetLayerParentComp")) return err;
    *comp = H().comp;
    return A_Err_NONE;
  };
  s.AEGP_GetLayerCurrentTime = [](AEGP_LayerH, AEGP_LTimeMode mode, A_Time *time) -> A_Err {
    if (const A_Err err =
            H().Enter("GetLayerCurrentTime", mode == AEGP_LTimeMode_CompTime ? "comp" : "layer"))
      return err;
    *time = H().layerCurrentTime;
    return A_Err_NONE;
  };
  return s;
}

AEGP_CompSuite19 MakeCompSuite() {
  AEGP_CompSuite19 s{};
  s.AEGP_GetItemFromComp = [](AEGP_CompH, AEGP_ItemH *item) -> A_Err {
    if (const A_Err err = H().Enter("GetItemFromComp")) return err;
    *item = reinterpret_cast<AEGP_ItemH>(0x17E);
    return A_Err_NONE;
  };
  s.AEGP_GetCompFramerate = [](AEGP_CompH, A_FpLong *fps) -> A_Err {
    if (const A_Err err = H().Enter("GetCompFramerate")) return err;
    *fps = H().frameRate;
    return A_Err_NONE;
  };
  return s;
}

AEGP_ItemSuite13 MakeItemSuite() {
  AEGP_ItemSuite13 s{};
  s.AEGP_GetItemPixelAspectRatio = [](AEGP_ItemH, A_Ratio *ratio) -> A_Err {
    if (const A_Err err = H().Enter("GetItemPixelAspectRatio")) return err;
    *ratio = H().compPixelAspect;
    return A_Err_NONE;
  };
  return s;
}

AEGP_StreamSuite9 MakeStreamSuite() {
  AEGP_StreamSuite9 s{};
  s.AEGP_GetNewEffectStreamByIndex = [](AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex index,
                                        AEGP_StreamRefH *stream) -> A_Err {
    if (const A_Err err = H().Enter("GetNewEffectStreamByIndex", std::to_string(index))) return err;
    *stream = reinterpret_cast<AEGP_StreamRefH>(0x57);
    ++H().liveStreams;
    return A_Err_NONE;
  };
  s.AEGP_DisposeStream = [](AEGP_StreamRefH) -> A_Err {
    --H().liveStreams;
    return H().Enter("DisposeStream");
  };
  s.AEGP_GetLayerStreamValue = [](AEGP_LayerH, AEGP_LayerStream which, AEGP_LTimeMode mode,
                                  const A_Time *time, A_Boolean preExpression,
                                  AEGP_StreamVal2 *value, AEGP_StreamType *) -> A_Err {
    const bool ok =
        which == AEGP_LayerStream_ZOOM && mode == AEGP_LTimeMode_CompTime && !preExpression;
    if (const A_Err err = H().Enter("GetLayerStreamValue", ok ? "zoom" : "unexpected")) return err;
    H().lastZoomTime = *time;
    value->one_d = H().zoom;
    return A_Err_NONE;
  };
  return s;
}

AEGP_CameraSuite2 MakeCameraSuite() {
  AEGP_CameraSuite2 s{};
  s.AEGP_GetCameraFilmSize = [](AEGP_LayerH, AEGP_FilmSizeUnits *units, A_FpLong *size) -> A_Err {
    if (const A_Err err = H().Enter("GetCameraFilmSize")) return err;
    *units = H().filmUnits;
    *size = H().filmSize;
    return A_Err_NONE;
  };
  return s;
}

AEGP_EffectSuite3 MakeEffectSuite() {
  AEGP_EffectSuite3 s{};
  s.AEGP_DisposeEffect = [](AEGP_EffectRefH) -> A_Err {
    --H().liveEffectRefs;
    return H().Enter("DisposeEffect");
  };
  return s;
}

AEGP_UtilitySuite11 MakeUtilitySuite() {
  AEGP_UtilitySuite11 s{};
  s.AEGP_StartUndoGroup = [](const A_char *name) -> A_Err {
    if (const A_Err err = H().Enter("StartUndoGroup", name)) return err;
    ++H().openUndoGroups;
    return A_Err_NONE;
  };
  s.AEGP_EndUndoGroup = []() -> A_Err {
    --H().openUndoGroups;
    return H().Enter("EndUndoGroup");
  };
  return s;
}

AEGP_KeyframeSuite4 MakeKeyframeSuite() {
  AEGP_KeyframeSuite4 s{};
  s.AEGP_InsertKeyframe = [](AEGP_StreamRefH, AEGP_LTimeMode mode, const A_Time *time,
                             AEGP_KeyframeIndex *index) -> A_Err {
    const std::string detail = TimeText(*time) + (mode == AEGP_LTimeMode_CompTime ? "" : " layer");
    if (const A_Err err = H().Enter("InsertKeyframe", detail)) return err;
    H().keyScales.insert(time->scale);
    H().keys.emplace(time->value, 0.0);  // a new key holds the stream's value; 0 here
    *index = time->value;                // the fake indexes keys by their time
    return A_Err_NONE;
  };
  s.AEGP_SetKeyframeValue = [](AEGP_StreamRefH, AEGP_KeyframeIndex index,
                               const AEGP_StreamValue2 *value) -> A_Err {
    if (const A_Err err =
            H().Enter("SetKeyframeValue", std::to_string(index) + "=" +
                                              std::to_string(static_cast<int>(value->val.one_d))))
      return err;
    H().keys[index] = value->val.one_d;
    return A_Err_NONE;
  };
  return s;
}

const PF_ParamUtilsSuite3 kParamUtils = MakeParamUtils();
const PF_AngleParamSuite1 kAngle = MakeAngleSuite();
const PF_PointParamSuite1 kPoint = MakePointSuite();
const PF_ColorParamSuite1 kColor = MakeColorSuite();
const AEGP_PFInterfaceSuite1 kPfInterface = MakePfInterface();
const AEGP_LayerSuite13 kLayer = MakeLayerSuite();
const AEGP_CompSuite19 kComp = MakeCompSuite();
const AEGP_ItemSuite13 kItem = MakeItemSuite();
const AEGP_StreamSuite9 kStream = MakeStreamSuite();
const AEGP_CameraSuite2 kCamera = MakeCameraSuite();
const AEGP_EffectSuite3 kEffect = MakeEffectSuite();
const AEGP_UtilitySuite11 kUtility = MakeUtilitySuite();
const AEGP_KeyframeSuite4 kKeyframe = MakeKeyframeSuite();

std::string SuiteKey(const char *name, A_long version) {
  return std::string(name) + "#" + std::to_string(version);
}

// --- interact callbacks ----------------------------------------------------------

PF_Err Checkout(PF_ProgPtr, PF_ParamIndex index, A_long time, A_long step, A_u_long scale,
                PF_ParamDef *param) {
  FakeInstanceHost &h = H();
  h.checkouts.push_back({index, time, step, scale});
  if (h.failingCheckouts.count(index) || index < 0 ||
      index >= static_cast<PF_ParamIndex>(h.values.size())) {
    std::memset(param, 0xCD, sizeof *param);  // whatever the host leaves behind
    return PF_Err_INVALID_INDEX;
  }
  *param = h.values[index];
  if (h.valueAtTime) h.valueAtTime(index, time, *param);
  return PF_Err_NONE;
}

PF_Err Checkin(PF_ProgPtr, PF_ParamDef *) {
  ++H().checkins;
  return PF_Err_NONE;
}

PF_Err AddParam(PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr def) {
  FakeInstanceHost &h = H();
  if (static_cast<int>(h.added.size()) == h.failAddAt) return PF_Err_OUT_OF_MEMORY;
  h.added.push_back(*def);
  return PF_Err_NONE;
}

PF_Err RegisterUi(PF_ProgPtr, PF_CustomUIInfo *info) {
  H().registeredUi.push_back(*info);
  return H().registerUiError;
}

}  // namespace

FakeInstanceHost::FakeInstanceHost()
    : layer(reinterpret_cast<AEGP_LayerH>(0x1A)),
      comp(reinterpret_cast<AEGP_CompH>(0xC0)),
      previous_(g_current) {
  g_current = this;
  suites_ = {
      {SuiteKey(kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3), &kParamUtils},
      {SuiteKey(kPFAngleParamSuite, kPFAngleParamSuiteVersion1), &kAngle},
      {SuiteKey(kPFPointParamSuite, kPFPointParamSuiteVersion1), &kPoint},
      {SuiteKey(kPFColorParamSuite, kPFColorParamSuiteVersion1), &kColor},
      {SuiteKey(kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1), &kPfInterface},
      {SuiteKey(kAEGPLayerSuite, kAEGPLayerSuiteVersion13), &kLayer},
      {SuiteKey(kAEGPCompSuite, kAEGPCompSuiteVersion19), &kComp},
      {SuiteKey(kAEGPItemSuite, kAEGPItemSuiteVersion13), &kItem},
      {SuiteKey(kAEGPStreamSuite, kAEGPStreamSuiteVersion9), &kStream},
      {SuiteKey(kAEGPCameraSuite, kAEGPCameraSuiteVersion2), &kCamera},
      {SuiteKey(kAEGPEffectSuite, kAEGPEffectSuiteVersion3), &kEffect},
      {SuiteKey(kAEGPUtilitySuite, kAEGPUtilitySuiteVersion11), &kUtility},
      {SuiteKey(kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4), &kKeyframe},
  };
  basic.AcquireSuite = [](const char *name, A_long version, const void **suite) -> SPErr {
    FakeInstanceHost &h = H();
    const auto it = h.suites_.find(SuiteKey(name, version));
    if (it == h.suites_.end() || h.refused.count(name)) {
      *suite = nullptr;
      return kSPSuiteNotFoundError;
    }
    ++h.acquired[name];
    *suite = it->second;
    return kSPNoError;
  };
  basic.ReleaseSuite = [](const char *name, A_long) -> SPErr {
    ++H().released[name];
    return kSPNoError;
  };

  values.resize(29);
  for (PF_ParamDef &def : values) std::memset(&def, 0, sizeof def);

  in_data.inter.checkout_param = &Checkout;
  in_data.inter.checkin_param = &Checkin;
  in_data.inter.add_param = &AddParam;
  in_data.inter.register_ui = &RegisterUi;
  in_data.utils = &utils;
  in_data.pica_basicP = &basic;
  in_data.effect_ref = reinterpret_cast<PF_ProgPtr>(0xE1);
  in_data.version.major = 13;
  in_data.version.minor = 28;
  in_data.current_time = 10;
  in_data.time_step = 1;
  in_data.local_time_step = 1;
  in_data.time_scale = 24;
  in_data.width = 1920;
  in_data.height = 1080;
  in_data.pixel_aspect_ratio = {1, 1};

  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) cameraMatrix.mat[r][c] = (r == c) ? 1.0 : 0.0;
}

FakeInstanceHost::~FakeInstanceHost() { g_current = previous_; }

FakeInstanceHost &FakeInstanceHost::Current() { return H(); }

void FakeInstanceHost::Publish(const char *name, A_long version, const void *suite) {
  suites_[SuiteKey(name, version)] = suite;
}

int FakeInstanceHost::Outstanding() const {
  int total = 0;
  for (const auto &[name, count] : acquired) {
    const auto it = released.find(name);
    total += count - (it == released.end() ? 0 : it->second);
  }
  return total;
}

std::vector<PF_ParamDef *> FakeInstanceHost::ParamsArray() {
  std::vector<PF_ParamDef *> out;
  for (PF_ParamDef &def : values) out.push_back(&def);
  return out;
}

void FakeInstanceHost::Fail(const std::string &function, A_Err err, int nth) {
  failures_[function] = {callCounts_[function] + nth, err};
}

A_Err FakeInstanceHost::Enter(const std::string &function, const std::string &detail) {
  calls.push_back(detail.empty() ? function : function + " " + detail);
  const int count = ++callCounts_[function];
  const auto it = failures_.find(function);
  return (it != failures_.end() && it->second.nth == count) ? it->second.err : A_Err_NONE;
}

std::vector<std::string> FakeInstanceHost::CallsWithout(const std::set<std::string> &skip) const {
  std::vector<std::string> out;
  for (const std::string &call : calls) {
    if (!skip.count(call.substr(0, call.find(' ')))) out.push_back(call);
  }
  return out;
}

PF_ParamDef ParamOfType(PF_ParamType type) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.param_type = type;
  return def;
}

}  // namespace vlam_test
