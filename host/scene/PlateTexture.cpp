#include "host/scene/PlateTexture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vlam::host {
namespace {

float hash01(std::uint32_t x, std::uint32_t y, std::uint32_t salt) {
  std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ salt * 0xcb1ab31fu;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return static_cast<float>(h & 0xffffffu) / static_cast<float>(0xffffffu);
}

float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

// Value noise on a lattice of `cell` pixels.
float valueNoise(float x, float y, float cell, std::uint32_t salt) {
  const float fx = x / cell, fy = y / cell;
  const auto ix = static_cast<std::uint32_t>(fx), iy = static_cast<std::uint32_t>(fy);
  const float tx = smooth(fx - static_cast<float>(ix)), ty = smooth(fy - static_cast<float>(iy));
  const float a = hash01(ix, iy, salt), b = hash01(ix + 1, iy, salt);
  const float c = hash01(ix, iy + 1, salt), d = hash01(ix + 1, iy + 1, salt);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

} // namespace

Image makePlateTexture(int width, int height) {
  Image image(width, height, PixelDepth::Float32);
  // Block size follows the picture, so a scaled plate looks the same.
  const float unit = static_cast<float>(std::max(width, 16)) / 1920.0f;
  const float blockW = 240.0f * unit, blockH = 120.0f * unit, joint = 5.0f * unit;
  for (int y = 0; y < height; ++y) {
    const float py = static_cast<float>(y) + 0.5f;
    const auto row = static_cast<std::uint32_t>(py / blockH);
    const float shift = (row % 2u) ? blockW * 0.5f : 0.0f;
    for (int x = 0; x < width; ++x) {
      const float px = static_cast<float>(x) + 0.5f;
      const float bx = px + shift;
      const auto column = static_cast<std::uint32_t>(bx / blockW);
      const float ex = std::min(bx - static_cast<float>(column) * blockW,
                                static_cast<float>(column + 1) * blockW - bx);
      const float ey = std::min(py - static_cast<float>(row) * blockH,
                                static_cast<float>(row + 1) * blockH - py);
      const float edge = std::clamp(std::min(ex, ey) / joint, 0.0f, 1.0f);
      const float blockTone = 0.85f + 0.3f * hash01(column, row, 7u);
      const float mottle = 0.55f * valueNoise(px, py, 48.0f * unit, 1u) +
                           0.3f * valueNoise(px, py, 12.0f * unit, 2u) +
                           0.15f * valueNoise(px, py, 3.0f * unit, 3u);
      // Light falls off towards the floor and the ceiling.
      const float v = static_cast<float>(y) / static_cast<float>(std::max(height - 1, 1));
      const float falloff = 0.75f + 0.25f * std::sin(3.14159265f * v);
      const float tone = (0.06f + 0.12f * mottle * blockTone) * (0.35f + 0.65f * smooth(edge)) * falloff;
      image.setPixel(x, y, {1.0f, tone * 1.02f, tone, tone * 0.95f});
    }
  }
  return image;
}

} // namespace vlam::host
