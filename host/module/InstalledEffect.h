#pragma once
#include "host/module/Pipl.h"
#include "host/project/ParamDefinition.h"

#include <AE_Effect.h>
#include <AE_EffectUI.h>
#include <AE_GeneralPlug.h>

#include <optional>
#include <string>
#include <vector>

namespace vlam::host {

// One effect the module offers, as its property list announced it, with the
// state the host keeps per installed effect: global data from
// PF_Cmd_GLOBAL_SETUP and the parameter definitions from PF_Cmd_PARAMS_SETUP.
struct InstalledEffect {
  AEGP_InstalledEffectKey key = AEGP_InstalledEffectKey_NONE;
  PiplInfo pipl;
  PF_FilterProc entry = nullptr;

  // Filled at global setup (on first need).
  bool globalSetupDone = false;
  PF_Err globalSetupError = PF_Err_NONE;
  PF_Handle globalData = nullptr;
  A_u_long myVersion = 0;
  PF_OutFlags outFlags = 0;
  PF_OutFlags2 outFlags2 = 0;

  // Filled at params setup: index 0 is the input layer.
  bool paramsReady = false;
  std::vector<ParamDefinition> params;
  std::optional<PF_CustomUIInfo> customUI;

  const std::string &matchName() const { return pipl.matchName; }
  const std::string &name() const { return pipl.name; }

  // True when the host sends the effect PF_Cmd_UPDATE_PARAMS_UI: it set
  // PF_OutFlag_SEND_UPDATE_PARAMS_UI at global setup, or it supervises a
  // parameter, which the effect API treats as the same request.
  bool updatesParamsUi() const {
    if (outFlags & PF_OutFlag_SEND_UPDATE_PARAMS_UI) return true;
    for (const ParamDefinition &param : params)
      if (param.def().flags & PF_ParamFlag_SUPERVISE) return true;
    return false;
  }
};

// The module's general plug-in (AEGP).
struct GeneralPlugin {
  PiplInfo pipl;
  AEGP_PluginInitFunc entry = nullptr;
  AEGP_PluginID id = 0;
  AEGP_GlobalRefcon refcon = nullptr;
  A_Err initResult = A_Err_NONE;
};

} // namespace vlam::host
