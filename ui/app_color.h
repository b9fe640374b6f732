// The host's interface colours as DRAWBOT colours.
#pragma once
#include "AE_EffectSuites.h"

namespace vlam {

// Asks the host for one of its interface colours ("PF AE App Suite" v6). On
// hosts speaking effect API 13.0 to 13.3 the colour table has three entries
// fewer before the later colours, so types above 54 are moved up by 3 there.
// Channels are divided by 65,536; alpha is 1. On an error the colour is
// black (and opaque) and the error is returned. A refused suite throws
// A_Err_MISSING_SUITE.
PF_Err GetAppColor(const PF_InData *in_data, PF_App_ColorType type, DRAWBOT_ColorRGBA *out);

// The colour for drawing: the host's error is dropped, as a control is
// drawn either way (black where the host gave no colour).
DRAWBOT_ColorRGBA DrawingAppColor(const PF_InData *in_data, PF_App_ColorType type);

// Red, green and blue multiplied by `factor` in double precision, not
// clamped; alpha kept.
DRAWBOT_ColorRGBA ScaleColor(const DRAWBOT_ColorRGBA &color, double factor);

}  // namespace vlam
