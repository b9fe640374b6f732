#include "fake_instance_host_support.h"

#include <cstring>

namespace vlam_test {

namespace {

FakeInstanceHost *g_current = nullptr;
FakeInstanceHost &H() { return *g_current; }

std::string T(const A_Time &t) { return std::to_string(t.value) + "/" + std::to_string(t.scale); }

template <typename Suite>
Suite Zeroed() {
  Suite s;
  std::memset(&s, 0, sizeof s);
  return s;
}

// Effect API suites: the value suites answer from the fixed-point values.
const PF_ParamUtilsSuite3 kParamUtils = [] {
  auto s = Zeroed<PF_ParamUtilsSuite3>();
  s.PF_UpdateParamUI = [](PF_ProgPtr, PF_ParamIndex index, const PF_ParamDef *def) -> PF_Err {
    H().uiUpdates.emplace_back(index, def->ui_flags);
    const auto it = H().uiUpdateErrors.find(index);
    return it == H().uiUpdateErrors.end() ? PF_Err_NONE : it->second;
  };
  return s;
}();
const PF_AngleParamSuite1 kAngle = [] {
  auto s = Zeroed<PF_AngleParamSuite1>();
  s.PF_GetFloatingPointValueFromAngleDef = [](PF_ProgPtr, const PF_ParamDef *d, A_FpLong *v) {
    *v = d->u.ad.value / 65536.0;
    return PF_Err{PF_Err_NONE};
  };
  return s;
}();
const PF_PointParamSuite1 kPoint = [] {
  auto s = Zeroed<PF_PointParamSuite1>();
  s.PF_GetFloatingPointValueFromPointDef = [](PF_ProgPtr, const PF_ParamDef *d, A_FloatPoint *p) {
    *p = {d->u.td.x_value / 65536.0, d->u.td.y_value / 65536.0};
    return PF_Err{PF_Err_NONE};
  };
  return s;
}();
const PF_ColorParamSuite1 kColor = Zeroed<PF_ColorParamSuite1>();

const AEGP_PFInterfaceSuite1 kPfInterface = [] {
  auto s = Zeroed<AEGP_PFInterfaceSuite1>();
  s.AEGP_GetEffectLayer = [](PF_ProgPtr, AEGP_LayerH *layer) {
    *layer = H().layer;
    return H().Enter("GetEffectLayer");
  };
  s.AEGP_GetNewEffectForEffect = [](AEGP_PluginID, PF_ProgPtr, AEGP_EffectRefH *effect) {
    const A_Err err = H().Enter("GetNewEffectForEffect");
    if (!err) {
      *effect = reinterpret_cast<AEGP_EffectRefH>(0xEF);
      ++H().liveEffectRefs;
    }
    return err;
  };
  s.AEGP_ConvertEffectToCompTime = [](PF_ProgPtr, A_long time, A_u_long scale, A_Time *comp) {
    *comp = {time + H().compTimeOffset, scale};
    return H().Enter("ConvertEffectToCompTime", T({time, scale}));
  };
  s.AEGP_GetEffectCamera = [](PF_ProgPtr, const A_Time *time, AEGP_LayerH *camera) {
    *camera = H().cameraLayer;
    return H().Enter("GetEffectCamera", T(*time));
  };
  s.AEGP_GetEffectCameraMatrix = [](PF_ProgPtr, const A_Time *time, A_Matrix4 *matrix,
                                    A_FpLong *distance, A_short *w, A_short *h) {
    const A_Err err = H().Enter("GetEffectCameraMatrix", T(*time));
    if (!err) *matrix = H().cameraMatrix;
    *distance = 2666.67;
    *w = 1920;
    *h = 1080;
    return err;
  };
  return s;
}();

const AEGP_LayerSuite7 kLayer = [] {
  auto s = Zeroed<AEGP_LayerSuite7>();
  s.AEGP_GetLayerParentComp = [](AEGP_LayerH, AEGP_CompH *comp) {
    *comp = H().comp;
    return H().Enter("GetLayerParentComp");
  };
  s.AEGP_GetLayerCurrentTime = [](AEGP_LayerH, AEGP_LTimeMode mode, A_Time *time) {
    *time = H().layerCurrentTime;
    return H().Enter("GetLayerCurrentTime", mode == AEGP_LTimeMode_CompTime ? "comp" : "layer");
  };
  return s;
}();

const AEGP_CompSuite9 kComp = [] {
  auto s = Zeroed<AEGP_CompSuite9>();
  s.AEGP_GetItemFromComp = [](AEGP_CompH, AEGP_ItemH *item) {
    *item = reinterpret_cast<AEGP_ItemH>(0x17E);
    return H().Enter("GetItemFromComp");
  };
  s.AEGP_GetCompFramerate = [](AEGP_CompH, A_FpLong *fps) {
    *fps = H().frameRate;
    return H().Enter("GetCompFramerate");
  };
  return s;
}();

const AEGP_ItemSuite8 kItem = [] {
  auto s = Zeroed<AEGP_ItemSuite8>();
  s.AEGP_GetItemPixelAspectRatio = [](AEGP_ItemH, A_Ratio *ratio) {
    const A_Err err = H().Enter("GetItemPixelAspectRatio");
    if (!err) *ratio = H().compPixelAspect;
    return err;
  };
  return s;
}();

const AEGP_StreamSuite4 kStream = [] {
  auto s = Zeroed<AEGP_StreamSuite4>();
  s.AEGP_GetNewEffectStreamByIndex = [](AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex index,
                                        AEGP_StreamRefH *stream) {
    const A_Err err = H().Enter("GetNewEffectStreamByIndex", std::to_string(index));
    if (!err) {
      *stream = reinterpret_cast<AEGP_StreamRefH>(0x57);
      ++H().liveStreams;
    }
    return err;
  };
  s.AEGP_DisposeStream = [](AEGP_StreamRefH) {
    --H().liveStreams;
    return H().Enter("DisposeStream");
  };
  s.AEGP_GetLayerStreamValue = [](AEGP_LayerH, AEGP_LayerStream which, AEGP_LTimeMode mode,
                                  const A_Time *time, A_Boolean preExpression,
                                  AEGP_StreamVal2 *value, AEGP_StreamType *) {
    const bool zoomAfterExpressions =
        which == AEGP_LayerStream_ZOOM && mode == AEGP_LTimeMode_CompTime && !preExpression;
    value->one_d = H().zoom;
    return H().Enter("GetLayerStreamValue", (zoomAfterExpressions ? "zoom " : "?? ") + T(*time));
  };
  return s;
}();

const AEGP_CameraSuite2 kCamera = [] {
  auto s = Zeroed<AEGP_CameraSuite2>();
  s.AEGP_GetCameraFilmSize = [](AEGP_LayerH, AEGP_FilmSizeUnits *units, A_FpLong *size) {
    *units = H().filmUnits;
    *size = H().filmSize;
    return H().Enter("GetCameraFilmSize");
  };
  return s;
}();

const AEGP_EffectSuite3 kEffect = [] {
  auto s = Zeroed<AEGP_EffectSuite3>();
  s.AEGP_DisposeEffect = [](AEGP_EffectRefH) {
    --H().liveEffectRefs;
    return H().Enter("DisposeEffect");
  };
  return s;
}();

const AEGP_UtilitySuite5 kUtility = [] {
  auto s = Zeroed<AEGP_UtilitySuite5>();
  s.AEGP_StartUndoGroup = [](const A_char *name) {
    const A_Err err = H().Enter("StartUndoGroup", name);
    if (!err) ++H().openUndoGroups;
    return err;
  };
  s.AEGP_EndUndoGroup = []() {
    --H().openUndoGroups;
    return H().Enter("EndUndoGroup");
  };
  return s;
}();

const AEGP_KeyframeSuite4 kKeyframe = [] {
  auto s = Zeroed<AEGP_KeyframeSuite4>();
  s.AEGP_InsertKeyframe = [](AEGP_StreamRefH, AEGP_LTimeMode mode, const A_Time *time,
                             AEGP_KeyframeIndex *index) {
    const A_Err err =
        H().Enter("InsertKeyframe", T(*time) + (mode == AEGP_LTimeMode_CompTime ? "" : " layer"));
    if (!err) {
      H().keyScales.insert(time->scale);
      H().keys.emplace(time->value, 0.0);
      *index = time->value;  // the fake indexes keys by their time
    }
    return err;
  };
  s.AEGP_SetKeyframeValue = [](AEGP_StreamRefH, AEGP_KeyframeIndex index,
                               const AEGP_StreamValue2 *value) {
    const double v = value->val.one_d;
    const A_Err err = H().Enter("SetKeyframeValue",
                                std::to_string(index) + "=" + std::to_string(static_cast<int>(v)));
    if (!err) H().keys[index] = v;
    return err;
  };
  return s;
}();

const std::map<std::string, const void *> kSuites = {
    {kPFParamUtilsSuite, &kParamUtils},
    {kPFAngleParamSuite, &kAngle},
    {kPFPointParamSuite, &kPoint},
    {kPFColorParamSuite, &kColor},
    {kAEGPPFInterfaceSuite, &kPfInterface},
    {kAEGPLayerSuite, &kLayer},
    {kAEGPCompSuite, &kComp},
    {kAEGPItemSuite, &kItem},
    {kAEGPStreamSuite, &kStream},
    {kAEGPCameraSuite, &kCamera},
    {kAEGPEffectSuite, &kEffect},
    {kAEGPUtilitySuite, &kUtility},
    {kAEGPKeyframeSuite, &kKeyframe},
};

// The versions the instance is written against.
const std::map<std::string, A_long> kVersions = {
    {kPFParamUtilsSuite, 3}, {kPFAngleParamSuite, 1},    {kPFPointParamSuite, 1},
    {kPFColorParamSuite, 1}, {kAEGPPFInterfaceSuite, 1}, {kAEGPLayerSuite, 13},
    {kAEGPCompSuite, 19},    {kAEGPItemSuite, 13},       {kAEGPStreamSuite, 9},
    {kAEGPCameraSuite, 2},   {kAEGPEffectSuite, 3},      {kAEGPUtilitySuite, 11},
    {kAEGPKeyframeSuite, 4},
};

}  // namespace

FakeInstanceHost::FakeInstanceHost()
    : layer(reinterpret_cast<AEGP_LayerH>(0x1A)),
      comp(reinterpret_cast<AEGP_CompH>(0xC0)),
      previous_(g_current) {
  g_current = this;
  basic_.AcquireSuite = [](const char *name, A_long version, const void **suite) -> SPErr {
    const auto published = H().published_.find({name, version});
    if (published != H().published_.end() && !H().refused.count(name)) {
      ++H().outstandingSuites;
      *suite = published->second;
      return kSPNoError;
    }
    const auto it = kSuites.find(name);
    *suite = nullptr;
    if (it == kSuites.end() || kVersions.at(name) != version || H().refused.count(name)) {
      return kSPSuiteNotFoundError;
    }
    ++H().outstandingSuites;
    *suite = it->second;
    return kSPNoError;
  };
  basic_.ReleaseSuite = [](const char *, A_long) -> SPErr {
    --H().outstandingSuites;
    return kSPNoError;
  };
  values.assign(29, ParamOfType(PF_Param_NO_DATA));

  in_data.inter.checkout_param = [](PF_ProgPtr, PF_ParamIndex index, A_long time, A_long step,
                                    A_u_long scale, PF_ParamDef *param) -> PF_Err {
    FakeInstanceHost &h = H();
    h.checkouts.push_back({index, time, step, scale});
    if (h.failingCheckouts.count(index)) {
      std::memset(param, 0xCD, sizeof *param);  // whatever the host leaves behind
      return PF_Err_INVALID_INDEX;
    }
    *param = h.values.at(index);
    if (h.valueAtTime) h.valueAtTime(index, time, *param);
    return PF_Err_NONE;
  };
  in_data.inter.checkin_param = [](PF_ProgPtr, PF_ParamDef *) -> PF_Err {
    ++H().checkins;
    return PF_Err_NONE;
  };
  in_data.inter.add_param = [](PF_ProgPtr, PF_ParamIndex, PF_ParamDefPtr def) -> PF_Err {
    if (static_cast<int>(H().added.size()) == H().failAddAt) return PF_Err_OUT_OF_MEMORY;
    H().added.push_back(*def);
    return PF_Err_NONE;
  };
  in_data.inter.register_ui = [](PF_ProgPtr, PF_CustomUIInfo *info) -> PF_Err {
    H().registeredUi.push_back(*info);
    return H().registerUiError;
  };
  in_data.utils = &utils_;
  in_data.pica_basicP = &basic_;
  in_data.effect_ref = reinterpret_cast<PF_ProgPtr>(0xE1);
  in_data.version = {13, 28};
  in_data.current_time = 10;
  in_data.time_step = in_data.local_time_step = 1;
  in_data.time_scale = 24;
  in_data.width = 1920;
  in_data.height = 1080;
  in_data.pixel_aspect_ratio = {1, 1};
  for (int r = 0; r < 4; ++r) cameraMatrix.mat[r][r] = 1.0;
}

FakeInstanceHost::~FakeInstanceHost() { g_current = previous_; }

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
  return (it != failures_.end() && it->second.first == count) ? it->second.second : A_Err_NONE;
}

PF_ParamDef ParamOfType(PF_ParamType type) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.param_type = type;
  return def;
}

}  // namespace vlam_test
