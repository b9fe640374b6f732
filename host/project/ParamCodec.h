#pragma once
#include "host/project/ParamDefinition.h"
#include "host/project/ParamStream.h"

namespace vlam::host {

// Conversions between the host's parameter values and the value fields of a
// PF_ParamDef. Units in ParamValue: sliders, popups and checkboxes as their
// integer; fixed sliders and angles as the real value (degrees for angles);
// colours as 0-1 floats (alpha, red, green, blue); points as layer pixels at
// full resolution (the host reports the same values at every downsample
// factor); layer parameters as the layer's id (0 none); path parameters as
// the chosen mask's ID (0 none).

// The value a new effect instance starts with. Point defaults are
// percentages of the layer size, as effects declare them.
ParamValue defaultValue(const ParamDefinition &param, int layerWidth, int layerHeight, int ownLayerId);

// Writes `value` into the value fields of `def` (which must already carry
// the definition). Fixed-point values are rounded to the nearest 1/65536.
void writeValue(PF_ParamDef &def, const ParamValue &value);

// Reads the value fields of `def` back (for values an effect changed).
ParamValue readValue(const PF_ParamDef &def);

// Clamps a value to the definition's valid range; returns false (and leaves
// the value alone) for types without a range. Popups are clamped to their items.
bool clampToValidRange(const ParamDefinition &param, ParamValue &value);

// A float slider holds its limits as floats: a value is inside them when it
// is at float precision (0.3 is inside limits written as 0.3f, which is a
// little more than 0.3).
bool insideFloatLimits(double value, PF_FpShort lo, PF_FpShort hi);

// Rounds to PF_Fixed with half away from zero, saturating at the type's limits.
PF_Fixed toFixed(double v);
inline double fromFixed(PF_Fixed f) { return static_cast<double>(f) / 65536.0; }

} // namespace vlam::host
