#pragma once
#include "host/project/ParamStream.h"

#include <AE_Effect.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vlam::host {

class Host;
class EffectInstance;

// How one parameter's stream looked before and after an edit.
struct ParamEdit {
  std::size_t index = 0;
  ParamStream before;
  ParamStream after;
  // Keys present afterwards that were not there (same time, value and
  // interpolation) before.
  std::vector<Keyframe> keysWritten;
  // Keys that were there before and are gone or changed afterwards.
  std::vector<Keyframe> keysRemoved;
};

// What the host did for one user action on an effect's controls.
struct UserEditResult {
  PF_Err err = PF_Err_NONE;        // the effect's answer to PF_Cmd_USER_CHANGED_PARAM
  std::string message;             // the error text the effect asked the host to show
  bool supervised = false;         // the effect was told (the parameter has PF_ParamFlag_SUPERVISE)
  PF_OutFlags outFlags = 0;        // out-flags of PF_Cmd_USER_CHANGED_PARAM
  PF_Err uiErr = PF_Err_NONE;      // the effect's answer to the PF_Cmd_UPDATE_PARAMS_UI that follows (if sent)
  std::vector<ParamEdit> edits;    // every parameter whose stream changed, in index order
  std::vector<std::string> undoGroups; // undo groups opened during the action, in order
  std::vector<std::string> unclosedUndoGroups; // of those, the ones the effect left open (the host closed them)
};

// A user typing a value into a control at comp time `ticks`: the host
// clamps the value to the valid range and stores it (a key at that time when
// the parameter is animated), tells a supervising effect with
// PF_Cmd_USER_CHANGED_PARAM (the parameter's index in the extra), takes back
// every value the effect marked PF_ChangeFlag_CHANGED_VALUE, and then brings
// the effect's controls up to date (Host::updateParamsUi); the idle hooks run
// last. Throws HostError for an
// index outside the effect's parameters or a parameter without a value.
UserEditResult userSetParam(Host &host, EffectInstance &effect, std::size_t index, ParamValue value,
                            std::int64_t ticks);

// A user clicking a button parameter with the time cursor at `ticks`: the
// same as above without a value. Throws HostError when the parameter is not
// a button.
UserEditResult userPressButton(Host &host, EffectInstance &effect, std::size_t index, std::int64_t ticks);

} // namespace vlam::host
