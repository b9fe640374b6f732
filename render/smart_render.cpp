// Placeholder until the flash geometry lands: the input passes through.
#include "frame/smart_render_io.h"
#include "render/render_commands.h"

namespace vlam {

PF_Err RenderSmartRender(PF_InData *in_data, PF_OutData * /*out_data*/,
                         PF_SmartRenderExtra *extra) {
  return PassThroughSmartRender(in_data, extra);
}

}  // namespace vlam
