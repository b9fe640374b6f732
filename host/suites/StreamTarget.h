#pragma once
#include "host/Host.h"

#include <AE_GeneralPlug.h>

#include <cstdint>
#include <optional>

namespace vlam::host {

// The parameter stream an AEGP_StreamRefH stands for, when the reference is
// live and its effect and parameter still exist.
struct StreamTarget {
  EffectInstance *effect = nullptr;
  std::size_t index = 0;
  const ParamDefinition &param() const { return effect->param(index); }
  ParamStream &stream() const { return effect->streams[index]; }
};

std::optional<StreamTarget> streamTargetOf(Host &host, AEGP_StreamRefH ref);

// The stream type the host reports for a parameter type.
AEGP_StreamType streamTypeOf(PF_ParamType type);

// A time of the host API in the stream's composition ticks; false for a
// missing time or a zero scale.
bool streamTicksOf(const StreamTarget &target, const A_Time *time, std::int64_t &ticks);

// Between the host's parameter values and AEGP stream values of a type.
AEGP_StreamVal2 streamValOf(AEGP_StreamType type, const ParamValue &value);
// False for types that carry no number (no data, arbitrary data).
bool paramValueOf(AEGP_StreamType type, const AEGP_StreamVal2 &val, ParamValue &value);

} // namespace vlam::host
