#include "frame/about_text.h"

#include <cstdio>

#include "AE_EffectCB.h"
#include "frame/effect_identity.h"

namespace vlam {

StageWordTable MakeStageWordTable() {
  StageWordTable table{};
  table[PF_Stage_DEVELOP] = "";
  table[PF_Stage_ALPHA] = "(Alpha)";
  table[PF_Stage_BETA] = "(Beta)";
  table[PF_Stage_RELEASE] = "";
  return table;
}

PF_Err WriteAboutText(const PF_InData *in_data, PF_OutData *out_data, const StageWordTable &stages,
                      const char *description) {
  static constexpr const char *kFormat = "%s v%d.%d.%d %s\r\r%s\r\r%s";
  const char *stage = stages[kVersionStage];
  if (in_data->utils != nullptr && in_data->utils->ansi.sprintf != nullptr) {
    in_data->utils->ansi.sprintf(out_data->return_msg, kFormat, kProductWord, kVersionMajor,
                                 kVersionMinor, kVersionBugfix, stage, description, kCreditLine);
  } else {
    std::snprintf(out_data->return_msg, sizeof out_data->return_msg, kFormat, kProductWord,
                  kVersionMajor, kVersionMinor, kVersionBugfix, stage, description, kCreditLine);
  }
  return PF_Err_NONE;
}

}  // namespace vlam
