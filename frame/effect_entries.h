// The five effect entry functions the module exports.
#pragma once
#include "AE_Effect.h"
#include "entry.h"

extern "C" {
DllExport PF_Err EntryPoint_VlamRender(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                       PF_ParamDef *params[], PF_LayerDef *output, void *extra);
DllExport PF_Err EntryPoint_VlamFlash(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                      PF_ParamDef *params[], PF_LayerDef *output, void *extra);
DllExport PF_Err EntryPoint_VlamInstancer(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                          PF_ParamDef *params[], PF_LayerDef *output, void *extra);
DllExport PF_Err EntryPoint_VlamMod(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                    PF_ParamDef *params[], PF_LayerDef *output, void *extra);
DllExport PF_Err EntryPoint_VlamRelighter(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                          PF_ParamDef *params[], PF_LayerDef *output, void *extra);
}
