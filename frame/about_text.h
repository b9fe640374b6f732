// The about text every effect writes at PF_Cmd_ABOUT.
#pragma once
#include <array>

#include "AE_Effect.h"

namespace vlam {

// Stage words indexed by the PF stage value.
using StageWordTable = std::array<const char *, 4>;
StageWordTable MakeStageWordTable();

// Writes "Vlam v1.0.3 <stage>\r\r<description>\r\r<credit>" into return_msg
// with the host's sprintf.
PF_Err WriteAboutText(const PF_InData *in_data, PF_OutData *out_data, const StageWordTable &stages,
                      const char *description);

// Each effect instantiates this with its own tag type, so each keeps its own
// stage table, built on the first about request.
template <typename EffectTag>
PF_Err About(const PF_InData *in_data, PF_OutData *out_data, const char *description) {
  static const StageWordTable stages = MakeStageWordTable();
  return WriteAboutText(in_data, out_data, stages, description);
}

}  // namespace vlam
