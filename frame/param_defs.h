// Parameter definitions as the host is handed them at PF_Cmd_PARAMS_SETUP:
// each starts cleared to zero, then gets its name, disk ID and the fields of
// its type. Flags and UI settings beyond these are set by the caller.
#pragma once
#include <vector>

#include "AE_Effect.h"

namespace vlam {

// A cleared definition of the given type with its name and disk ID. The name
// fills at most the 32 bytes of the field; only a shorter one is terminated.
PF_ParamDef NewParamDef(PF_ParamType type, const char *name, A_long diskId);

PF_ParamDef GroupStartDef(const char *name, A_long diskId);
// A group end carries the disk ID of its group start and no name.
PF_ParamDef GroupEndDef(A_long diskId);

// `items` separated by "|"; `dephault` counts from 1.
PF_ParamDef PopupDef(const char *name, A_long diskId, A_short choices, A_short dephault,
                     const char *items);

struct FloatSliderSetup {
  float validMin, validMax;
  float sliderMin, sliderMax;
  float dephault;
  A_short precision;
  PF_ValueDisplayFlags displayFlags;
  float curveTolerance;
};
PF_ParamDef FloatSliderDef(const char *name, A_long diskId, const FloatSliderSetup &setup);

// The default in degrees, stored as 16.16 fixed point.
PF_ParamDef AngleDef(const char *name, A_long diskId, double dephaultDegrees);

PF_ParamDef CheckboxDef(const char *name, A_long diskId, bool dephault, const char *label);

// Defaults in percent of the layer's width and height, as the host reads
// point defaults.
PF_ParamDef PointDef(const char *name, A_long diskId, A_long xPercent, A_long yPercent);
PF_ParamDef Point3DDef(const char *name, A_long diskId, double xPercent, double yPercent, double z);

PF_ParamDef ButtonDef(const char *name, A_long diskId, const char *label);

// A mask of the layer; `dephault` is a mask index, 0 for none.
PF_ParamDef PathDef(const char *name, A_long diskId, A_long dephault);

PF_ParamDef ColorDef(const char *name, A_long diskId, PF_Pixel dephault);

// Another layer of the composition; `dephault` PF_LayerDefault_NONE or
// PF_LayerDefault_MYSELF.
PF_ParamDef LayerDef(const char *name, A_long diskId, A_long dephault);

// Hands the definitions to the host in order and, when all were taken, sets
// `num_params` to `paramCount`; a refused add returns its error.
PF_Err AddParamDefs(PF_InData *in_data, PF_OutData *out_data, std::vector<PF_ParamDef> defs,
                    A_long paramCount);

}  // namespace vlam
