// A small fake host for the Flash Instance effect's tests: the suite broker
// with the effect and AEGP suites the instance uses, parameter checkout and
// adding, custom-UI registration, one layer in a composition with an optional
// camera, and a "Trigger" stream holding keys. AEGP calls are logged in order
// (with their times where they take one); any of them can be made to fail.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "AE_EffectCB.h"
#include "AE_EffectSuites.h"
#include "AE_EffectUI.h"
#include "AE_GeneralPlug.h"

namespace vlam_test {

class FakeInstanceHost {
 public:
  FakeInstanceHost();
  ~FakeInstanceHost();
  FakeInstanceHost(const FakeInstanceHost &) = delete;
  FakeInstanceHost &operator=(const FakeInstanceHost &) = delete;

  PF_InData in_data{};
  PF_OutData out_data{};

  // Suite broker: names it refuses; acquisitions not yet released.
  std::set<std::string> refused;
  int outstandingSuites = 0;
  // Offers one more suite (name and version) through the broker.
  void Publish(const char *name, A_long version, const void *suite) {
    published_[{name, version}] = suite;
  }

  // Parameters: the values checkout and the params array hand out (29).
  std::vector<PF_ParamDef> values;
  std::vector<PF_ParamDef *> ParamsArray();
  std::function<void(PF_ParamIndex, A_long time, PF_ParamDef &)> valueAtTime;
  std::set<PF_ParamIndex> failingCheckouts;
  struct Checkout {
    PF_ParamIndex index;
    A_long time, timeStep;
    A_u_long timeScale;
  };
  std::vector<Checkout> checkouts;
  int checkins = 0;
  std::vector<PF_ParamDef> added;
  int failAddAt = -1;  // 0-based add_param call that fails
  std::vector<PF_CustomUIInfo> registeredUi;
  PF_Err registerUiError = PF_Err_NONE;
  std::vector<std::pair<PF_ParamIndex, PF_ParamUIFlags>> uiUpdates;
  std::map<PF_ParamIndex, PF_Err> uiUpdateErrors;

  // The project.
  AEGP_LayerH layer;
  AEGP_CompH comp;
  A_Time layerCurrentTime{0, 24};
  A_FpLong frameRate = 24.0;
  A_Ratio compPixelAspect{1, 1};
  A_long compTimeOffset = 0;  // added to the effect's time when converted
  AEGP_LayerH cameraLayer = nullptr;
  A_Matrix4 cameraMatrix{};
  A_FpLong zoom = 0.0, filmSize = 0.0;
  AEGP_FilmSizeUnits filmUnits = AEGP_FilmSizeUnits_HORIZONTAL;

  // The "Trigger" stream's keys by time value, and what is left open.
  std::map<A_long, double> keys;
  std::set<A_u_long> keyScales;
  int liveEffectRefs = 0, liveStreams = 0, openUndoGroups = 0;

  std::vector<std::string> calls;
  // Makes the nth (1-based) call of that AEGP function from now on fail.
  void Fail(const std::string &function, A_Err err, int nth = 1);
  A_Err Enter(const std::string &function, const std::string &detail = "");

 private:
  SPBasicSuite basic_{};
  PF_UtilCallbacks utils_{};
  std::map<std::string, std::pair<int, A_Err>> failures_;
  std::map<std::string, int> callCounts_;
  FakeInstanceHost *previous_;
  std::map<std::pair<std::string, A_long>, const void *> published_;
};

PF_ParamDef ParamOfType(PF_ParamType type);

}  // namespace vlam_test
