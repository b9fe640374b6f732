#include "host/report/RecordLayouts.h"

#include <cmath>
#include <cstring>

namespace vlam::host {
namespace {

constexpr RecordField kDesign[] = {
    {"valid", 0, FieldType::U8},
    {"mainLength", 4, FieldType::F64},
    {"mainDiameter", 12, FieldType::F64},
    {"mainProfile", 20, FieldType::Pointer},
    {"mainFalloffA", 28, FieldType::F64},
    {"mainFalloffB", 36, FieldType::F64},
    {"brightnessFalloff", 44, FieldType::F32},
    {"petalLength", 48, FieldType::F64},
    {"petalDiameter", 56, FieldType::F64},
    {"petalProfile", 64, FieldType::Pointer},
    {"petalFalloffA", 72, FieldType::F64},
    {"petalFalloffB", 80, FieldType::F64},
    {"petalBrightnessFalloff", 88, FieldType::F32},
    {"petalLayout", 92, FieldType::Pointer},
    {"petalAngle", 100, FieldType::F64},
    {"horizontalOffset", 108, FieldType::F64},
    {"barrelRadius", 116, FieldType::F64},
    {"petalBrightness", 124, FieldType::F64},
    {"maxSparks", 132, FieldType::I32},
    {"sparkDispersion", 136, FieldType::F64},
    {"sparkBrightness", 144, FieldType::F64},
    {"colourTemperatureAmount", 152, FieldType::F64},
    {"flashColour", 160, FieldType::PixelFloat},
    {"baseFrequency", 176, FieldType::F64},
    {"displacementAmount", 184, FieldType::F64},
    {"displacementComplexity", 192, FieldType::F64},
    {"shapeRandomisationScaled", 200, FieldType::F64},
    {"shapeRandomisation", 208, FieldType::F64},
    {"petalRandomisation", 216, FieldType::F64},
    {"brightnessRandomisation", 224, FieldType::F64},
    {"shapeRandomisationRaw", 232, FieldType::F64},
};

constexpr RecordField kInstance[] = {
    {"designIndex", 0, FieldType::U32},   {"randomSeed", 4, FieldType::I32},  {"randomness", 8, FieldType::F64},
    {"triggerLevel", 16, FieldType::F64}, {"ezAim", 24, FieldType::U8},       {"position", 28, FieldType::F64x3},
    {"pointAway", 52, FieldType::U8},     {"aimA", 56, FieldType::F64},       {"aimB", 64, FieldType::F64},
    {"roll", 72, FieldType::F64},         {"postScale", 80, FieldType::F64},  {"brightness", 88, FieldType::F64},
    {"defocus", 96, FieldType::F64},      {"maskId", 104, FieldType::U32},
};

// A double as JSON: NaN and infinities (which JSON lacks) as text.
nlohmann::ordered_json number(double v) {
  if (std::isfinite(v)) return v;
  return std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf");
}

} // namespace

template <class T> T readAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
  T v{};
  if (offset + sizeof v <= bytes.size()) std::memcpy(&v, bytes.data() + offset, sizeof v);
  return v;
}
template std::uint8_t readAt<std::uint8_t>(std::span<const std::uint8_t>, std::size_t);
template std::int16_t readAt<std::int16_t>(std::span<const std::uint8_t>, std::size_t);
template std::int32_t readAt<std::int32_t>(std::span<const std::uint8_t>, std::size_t);
template std::uint32_t readAt<std::uint32_t>(std::span<const std::uint8_t>, std::size_t);
template float readAt<float>(std::span<const std::uint8_t>, std::size_t);
template double readAt<double>(std::span<const std::uint8_t>, std::size_t);
template std::uint64_t readAt<std::uint64_t>(std::span<const std::uint8_t>, std::size_t);

std::span<const RecordField> flashDesignFields() { return kDesign; }
std::span<const RecordField> instanceRecordFields() { return kInstance; }

nlohmann::ordered_json recordJson(std::span<const std::uint8_t> bytes, std::span<const RecordField> fields) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (const RecordField &f : fields) {
    switch (f.type) {
    case FieldType::U8: out[f.name] = readAt<std::uint8_t>(bytes, f.offset); break;
    case FieldType::I16: out[f.name] = readAt<std::int16_t>(bytes, f.offset); break;
    case FieldType::I32: out[f.name] = readAt<std::int32_t>(bytes, f.offset); break;
    case FieldType::U32: out[f.name] = readAt<std::uint32_t>(bytes, f.offset); break;
    case FieldType::F32: out[f.name] = number(readAt<float>(bytes, f.offset)); break;
    case FieldType::F64: out[f.name] = number(readAt<double>(bytes, f.offset)); break;
    case FieldType::F64x3:
      out[f.name] = {number(readAt<double>(bytes, f.offset)), number(readAt<double>(bytes, f.offset + 8)),
                     number(readAt<double>(bytes, f.offset + 16))};
      break;
    case FieldType::PixelFloat: // alpha, red, green, blue
      out[f.name] = {{"alpha", number(readAt<float>(bytes, f.offset))},
                     {"red", number(readAt<float>(bytes, f.offset + 4))},
                     {"green", number(readAt<float>(bytes, f.offset + 8))},
                     {"blue", number(readAt<float>(bytes, f.offset + 12))}};
      break;
    case FieldType::Pointer: out[f.name] = readAt<std::uint64_t>(bytes, f.offset) != 0; break;
    }
  }
  return out;
}

} // namespace vlam::host
