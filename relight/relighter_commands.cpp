#include "relight/relighter_commands.h"

#include "frame/smart_render_io.h"

namespace vlam {

PF_Err RelighterPreRender(PF_InData *in_data, PF_PreRenderExtra *extra) {
  const PF_Err err = PreRenderInputAndLayer(in_data, extra, kRelightMatte);
  if (extra != nullptr && extra->output != nullptr) {
    extra->output->solid = false;
  }
  return err;
}

}  // namespace vlam
