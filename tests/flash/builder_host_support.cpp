// The render tests' fake host also serves the flash tests.
#include "render/render_host_support.cpp"  // NOLINT(bugprone-suspicious-include)

#include "builder_host_support.h"

#include "flash/builder_commands.h"
#include "flash/builder_global_data.h"
#include "flash/shape_arb_handlers.h"
#include "frame/effect_entries.h"

namespace vlam {

FakeBuilderHost::FakeBuilderHost() {
  in_data.time_scale = 24;
  in_data.time_step = 1;
  in_data.current_time = 0;
  values.assign(kBuilderParamCount, PF_ParamDef{});
  values[0].param_type = PF_Param_LAYER;
  const auto& descriptions = BuilderParamDescriptions();
  for (std::size_t i = 0; i < descriptions.size(); ++i) values[i + 1] = MakeBuilderParamDef(descriptions[i], nullptr, nullptr);
}

FakeBuilderHost::~FakeBuilderHost() {
  if (in_data.global_data) ReleaseBuilderGlobals(&in_data, &out_data);
}

PF_Err FakeBuilderHost::GlobalSetup() {
  const PF_Err err = CreateBuilderGlobals(&in_data, &out_data);
  in_data.global_data = out_data.global_data;
  if (BuilderGlobals* g = Globals()) {
    for (PF_ParamIndex i : {kBuilderMainProfile, kBuilderPetalProfile}) {
      ArbitraryHandler* handler = i == kBuilderMainProfile ? static_cast<ArbitraryHandler*>(g->mainHandler)
                                                           : static_cast<ArbitraryHandler*>(g->petalHandler);
      handler->NewValue(&values[i].u.arb_d.value);
      values[i].u.arb_d.refconPV = handler;
    }
  }
  return err;
}

PF_Err FakeBuilderHost::Run(PF_Cmd cmd, void* extra, PF_ParamDef** params) {
  const PF_Err err = EntryPoint_VlamFlash(cmd, &in_data, &out_data, params, nullptr, extra);
  if (cmd == PF_Cmd_GLOBAL_SETUP) in_data.global_data = out_data.global_data;
  return err;
}

BuilderGlobals* FakeBuilderHost::Globals() {
  const BuilderGlobalsLock lock(&in_data, *handles.Handles());
  return lock.get();
}
}  // namespace vlam

namespace vlam_test {

BuilderUiHost::BuilderUiHost() {
  // A grey per colour number, so each use can be told apart.
  for (A_short type = 0; type < PF_App_Color_NUMTYPES; ++type) {
    const A_u_short level = static_cast<A_u_short>(1000 * (type + 1));
    builder.palette[type] = PF_App_Color{level, level, level};
  }
  EXPECT_EQ(builder.GlobalSetup(), PF_Err_NONE);
  EXPECT_EQ(builder.Run(PF_Cmd_SEQUENCE_SETUP), PF_Err_NONE);
  builder.in_data.sequence_data = builder.out_data.sequence_data;
}

PF_Err BuilderUiHost::Send(PF_EventExtra &event) {
  std::vector<PF_ParamDef *> params;
  for (PF_ParamDef &value : builder.values) {
    value.uu.change_flags = PF_ChangeFlag_NONE;
    params.push_back(&value);
  }
  return builder.Run(PF_Cmd_EVENT, &event, params.data());
}

}  // namespace vlam_test
