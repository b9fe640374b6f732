// The colour of each flash design ("Flash A" to "Flash D"): builders and
// instances that belong together show the same colour in their title strips.
#pragma once
#include "AE_Effect.h"
#include "adobesdk/DrawbotSuite.h"

namespace vlam {

inline constexpr int kFlashColorCount = 4;
inline constexpr DRAWBOT_ColorRGBA kFlashColors[kFlashColorCount] = {
    {0.429f, 0.813f, 0.965f, 1.0f},  // Flash A
    {0.97f, 0.577f, 0.116f, 1.0f},   // Flash B
    {0.552f, 0.778f, 0.247f, 1.0f},  // Flash C
    {0.631f, 0.527f, 0.746f, 1.0f},  // Flash D
};

// The colour of a "Flash Identifier" popup value (1-4); false for a value
// outside the popup's items, which has no colour.
inline bool FlashColorOf(A_long identifier, DRAWBOT_ColorRGBA *color) {
  if (identifier < 1 || identifier > kFlashColorCount) {
    return false;
  }
  *color = kFlashColors[identifier - 1];
  return true;
}

// The title strip inside a parameter's frame: 8 pixels down from its top,
// 12 pixels narrower and lower than the frame.
inline DRAWBOT_RectF32 TitleStripRect(const PF_Rect &frame) {
  return DRAWBOT_RectF32{static_cast<float>(frame.left), static_cast<float>(frame.top + 8),
                         static_cast<float>(frame.right - frame.left - 12),
                         static_cast<float>(frame.bottom - frame.top - 12)};
}

}  // namespace vlam
