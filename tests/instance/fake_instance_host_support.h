// A small fake host for the Flash Instance effect's tests: the suite broker
// with the effect and AEGP suites the instance uses, parameter checkout,
// parameter adding and custom-UI registration, a project of one layer in a
// composition with an optional camera, and a "Trigger" stream holding keys.
// Every AEGP call is logged in order; any call can be made to fail.
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

struct CheckoutRecord {
  PF_ParamIndex index;
  A_long time, timeStep;
  A_u_long timeScale;
};

class FakeInstanceHost {
 public:
  FakeInstanceHost();
  ~FakeInstanceHost();
  FakeInstanceHost(const FakeInstanceHost &) = delete;
  FakeInstanceHost &operator=(const FakeInstanceHost &) = delete;

  static FakeInstanceHost &Current();

  PF_InData in_data{};
  PF_OutData out_data{};

  // --- suite broker ----------------------------------------------------------
  std::set<std::string> refused;                  // suite names the broker refuses
  // Offers one more suite through the broker.
  void Publish(const char *name, A_long version, const void *suite);
  std::map<std::string, int> acquired, released;  // by suite name
  int Outstanding() const;

  // --- parameters --------------------------------------------------------------
  // The values the checkout and the params array hand out, by index (29).
  std::vector<PF_ParamDef> values;
  std::vector<PF_ParamDef *> ParamsArray();  // pointers into `values`
  // Called on each checkout's copy, to make values depend on the time.
  std::function<void(PF_ParamIndex, A_long time, PF_ParamDef &)> valueAtTime;
  std::set<PF_ParamIndex> failingCheckouts;
  std::vector<CheckoutRecord> checkouts;
  int checkins = 0;
  std::vector<PF_ParamDef> added;  // by add_param
  int failAddAt = -1;              // 0-based add that fails
  std::vector<PF_CustomUIInfo> registeredUi;
  PF_Err registerUiError = PF_Err_NONE;
  struct UiUpdate {
    PF_ParamIndex index;
    PF_ParamUIFlags uiFlags;
  };
  std::vector<UiUpdate> uiUpdates;
  std::map<PF_ParamIndex, PF_Err> uiUpdateErrors;

  // --- project -------------------------------------------------------------------
  AEGP_LayerH layer;  // the effect's layer; may be set to null
  AEGP_CompH comp;    // its composition; may be set to null
  A_Time layerCurrentTime{0, 24};
  A_FpLong frameRate = 24.0;
  A_Ratio compPixelAspect{1, 1};
  A_Time compTimeOffset{0, 1};  // added to the effect time when converted
  AEGP_LayerH cameraLayer = nullptr;
  A_Matrix4 cameraMatrix{};  // what AEGP_GetEffectCameraMatrix reports
  A_FpLong zoom = 0.0;
  A_FpLong filmSize = 0.0;
  AEGP_FilmSizeUnits filmUnits = AEGP_FilmSizeUnits_HORIZONTAL;
  A_Time lastCameraTime{-1, 0}, lastZoomTime{-1, 0};

  // --- the "Trigger" stream's keys --------------------------------------------------
  std::map<A_long, double> keys;  // by time value
  std::set<A_u_long> keyScales;
  int liveEffectRefs = 0, liveStreams = 0;
  int openUndoGroups = 0;

  // --- call log and failures ---------------------------------------------------------
  std::vector<std::string> calls;
  // Makes the nth (1-based) call of that AEGP function from now on fail.
  void Fail(const std::string &function, A_Err err, int nth = 1);
  // The log without the given functions.
  std::vector<std::string> CallsWithout(const std::set<std::string> &skip) const;
  A_Err Enter(const std::string &function, const std::string &detail = "");

  SPBasicSuite basic{};
  PF_UtilCallbacks utils{};

 private:
  struct Failure {
    int nth;
    A_Err err;
  };
  std::map<std::string, Failure> failures_;
  std::map<std::string, int> callCounts_;
  std::map<std::string, const void *> suites_;
  FakeInstanceHost *previous_;
};

// A param definition of the given type, cleared.
PF_ParamDef ParamOfType(PF_ParamType type);

}  // namespace vlam_test
