#include "frame/param_defs.h"

#include <algorithm>
#include <cstring>

#include "frame/fixed_point.h"

namespace vlam {

PF_ParamDef NewParamDef(PF_ParamType type, const char *name, A_long diskId) {
  PF_ParamDef def;
  std::memset(&def, 0, sizeof def);
  def.param_type = type;
  // The name field is a fixed 32-byte field: a name of exactly 32 characters
  // (such as "Rate of Fire (Rounds Per Second)") fills it without a
  // terminator, as the host reads at most that many bytes.
  std::memcpy(def.name, name, std::min(std::strlen(name), sizeof def.name));
  def.uu.id = diskId;
  return def;
}

PF_ParamDef GroupStartDef(const char *name, A_long diskId) {
  return NewParamDef(PF_Param_GROUP_START, name, diskId);
}

PF_ParamDef GroupEndDef(A_long diskId) { return NewParamDef(PF_Param_GROUP_END, "", diskId); }

PF_ParamDef PopupDef(const char *name, A_long diskId, A_short choices, A_short dephault,
                     const char *items) {
  PF_ParamDef def = NewParamDef(PF_Param_POPUP, name, diskId);
  def.u.pd.num_choices = choices;
  def.u.pd.dephault = dephault;
  def.u.pd.value = dephault;
  def.u.pd.u.namesptr = items;
  return def;
}

PF_ParamDef FloatSliderDef(const char *name, A_long diskId, const FloatSliderSetup &setup) {
  PF_ParamDef def = NewParamDef(PF_Param_FLOAT_SLIDER, name, diskId);
  PF_FloatSliderDef &fs = def.u.fs_d;
  fs.valid_min = setup.validMin;
  fs.valid_max = setup.validMax;
  fs.slider_min = setup.sliderMin;
  fs.slider_max = setup.sliderMax;
  fs.dephault = setup.dephault;
  fs.value = setup.dephault;
  fs.precision = setup.precision;
  fs.display_flags = setup.displayFlags;
  fs.curve_tolerance = setup.curveTolerance;
  return def;
}

PF_ParamDef AngleDef(const char *name, A_long diskId, double dephaultDegrees) {
  PF_ParamDef def = NewParamDef(PF_Param_ANGLE, name, diskId);
  def.u.ad.dephault = FixedFromDouble(dephaultDegrees);
  def.u.ad.value = def.u.ad.dephault;
  return def;
}

PF_ParamDef CheckboxDef(const char *name, A_long diskId, bool dephault, const char *label) {
  PF_ParamDef def = NewParamDef(PF_Param_CHECKBOX, name, diskId);
  def.u.bd.dephault = dephault ? 1 : 0;
  def.u.bd.value = def.u.bd.dephault;
  def.u.bd.u.nameptr = label;
  return def;
}

PF_ParamDef PointDef(const char *name, A_long diskId, A_long xPercent, A_long yPercent) {
  PF_ParamDef def = NewParamDef(PF_Param_POINT, name, diskId);
  def.u.td.x_dephault = FixedFromDouble(xPercent);
  def.u.td.y_dephault = FixedFromDouble(yPercent);
  def.u.td.x_value = def.u.td.x_dephault;
  def.u.td.y_value = def.u.td.y_dephault;
  return def;
}

PF_ParamDef Point3DDef(const char *name, A_long diskId, double xPercent, double yPercent,
                       double z) {
  PF_ParamDef def = NewParamDef(PF_Param_POINT_3D, name, diskId);
  PF_Point3DDef &p = def.u.point3d_d;
  p.x_dephault = p.x_value = xPercent;
  p.y_dephault = p.y_value = yPercent;
  p.z_dephault = p.z_value = z;
  return def;
}

PF_ParamDef ButtonDef(const char *name, A_long diskId, const char *label) {
  PF_ParamDef def = NewParamDef(PF_Param_BUTTON, name, diskId);
  def.u.button_d.u.namesptr = label;
  return def;
}

PF_ParamDef PathDef(const char *name, A_long diskId, A_long dephault) {
  PF_ParamDef def = NewParamDef(PF_Param_PATH, name, diskId);
  def.u.path_d.dephault = dephault;
  return def;
}

PF_ParamDef ColorDef(const char *name, A_long diskId, PF_Pixel dephault) {
  PF_ParamDef def = NewParamDef(PF_Param_COLOR, name, diskId);
  def.u.cd.dephault = dephault;
  def.u.cd.value = dephault;
  return def;
}

PF_ParamDef LayerDef(const char *name, A_long diskId, A_long dephault) {
  PF_ParamDef def = NewParamDef(PF_Param_LAYER, name, diskId);
  def.u.ld.dephault = dephault;
  return def;
}

PF_Err AddParamDefs(PF_InData *in_data, PF_OutData *out_data, std::vector<PF_ParamDef> defs,
                    A_long paramCount) {
  for (PF_ParamDef &def : defs) {
    if (const PF_Err err = in_data->inter.add_param(in_data->effect_ref, -1, &def)) {
      return err;
    }
  }
  out_data->num_params = paramCount;
  return PF_Err_NONE;
}

}  // namespace vlam
