// The interact callbacks in PF_InData::inter.
#include "host/effect/EffectRunner.h"
#include "host/suites/HostCall.h"

#include <AE_EffectUI.h>

namespace vlam::host {
namespace {

PF_Err checkoutParam(PF_ProgPtr ref, PF_ParamIndex index, A_long time, A_long step, A_u_long scale,
                     PF_ParamDef *param) {
  (void)step;
  return hostCall("checkout_param", [&](Host &host) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !param || !frame->instance) return PF_Err_BAD_CALLBACK_PARAM;
    if (index < 0 || static_cast<std::size_t>(index) >= frame->instance->paramCount()) return PF_Err_INVALID_INDEX;
    std::int64_t ticks = 0;
    if (!EffectRunner::toTicks(frame->instance, time, scale, ticks)) return PF_Err_BAD_CALLBACK_PARAM;
    PF_Err err = PF_Err_NONE;
    *param = host.runner().paramForCall(*frame, static_cast<std::size_t>(index), ticks, err);
    if (err) return err;
    if (param->param_type == PF_Param_LAYER)
      if (PF_Err err = frame->layerParams.checkout(*frame, static_cast<std::size_t>(index), ticks, *param)) return err;
    ++frame->outstandingCheckouts;
    return PF_Err_NONE;
  });
}

PF_Err checkinParam(PF_ProgPtr ref, PF_ParamDef *param) {
  return hostCall("checkin_param", [&](Host &host) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !param) return PF_Err_BAD_CALLBACK_PARAM;
    frame->layerParams.checkin(host, *param);
    host.runner().releaseArbitraryCopy(*frame, *param);
    // A check-in after a failed checkout is harmless: nothing is outstanding.
    int outstanding = frame->outstandingCheckouts.load();
    while (outstanding > 0 && !frame->outstandingCheckouts.compare_exchange_weak(outstanding, outstanding - 1)) {
    }
    return PF_Err_NONE;
  });
}

PF_Err addParam(PF_ProgPtr ref, PF_ParamIndex index, PF_ParamDefPtr def) {
  (void)index; // parameters are appended in the order they are added
  return hostCall("add_param", [&](Host &) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !def) return PF_Err_BAD_CALLBACK_PARAM;
    if (!frame->adding) return PF_Err_INVALID_CALLBACK;
    frame->adding->emplace_back(*def);
    return PF_Err_NONE;
  });
}

PF_Err abortCheck(PF_ProgPtr ref) {
  return hostCall("abort", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return host.cancelRequested ? PF_Interrupt_CANCEL : PF_Err_NONE;
  });
}

PF_Err progress(PF_ProgPtr ref, A_long, A_long) {
  return hostCall("progress", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref)) return PF_Err_BAD_CALLBACK_PARAM;
    return host.cancelRequested ? PF_Interrupt_CANCEL : PF_Err_NONE;
  });
}

PF_Err registerUi(PF_ProgPtr ref, PF_CustomUIInfo *info) {
  return hostCall("register_ui", [&](Host &) -> PF_Err {
    CallFrame *frame = frameFromRef(ref);
    if (!frame || !info) return PF_Err_BAD_CALLBACK_PARAM;
    frame->installed->customUI = *info;
    return PF_Err_NONE;
  });
}

PF_Err noAudio(PF_ProgPtr, PF_ParamIndex, A_long, A_long, A_u_long, PF_UFixed, A_long, A_long, A_long,
               PF_LayerAudio *) {
  return PF_Err_INVALID_CALLBACK;
}
PF_Err noAudioCheckin(PF_ProgPtr, PF_LayerAudio) { return PF_Err_INVALID_CALLBACK; }
PF_Err noAudioData(PF_ProgPtr, PF_LayerAudio, PF_SndSamplePtr *, A_long *, PF_UFixed *, A_long *, A_long *,
                   A_long *) {
  return PF_Err_INVALID_CALLBACK;
}

} // namespace

PF_InteractCallbacks &interactCallbacks() {
  static PF_InteractCallbacks callbacks = [] {
    PF_InteractCallbacks c{};
    c.checkout_param = checkoutParam;
    c.checkin_param = checkinParam;
    c.add_param = addParam;
    c.abort = abortCheck;
    c.progress = progress;
    c.register_ui = registerUi;
    c.checkout_layer_audio = noAudio;
    c.checkin_layer_audio = noAudioCheckin;
    c.get_audio_data = noAudioData;
    return c;
  }();
  return callbacks;
}

} // namespace vlam::host
