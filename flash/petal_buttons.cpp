#include "flash/petal_buttons.h"

namespace vlam {
namespace {

// "Petal Configuration" value of each button's first variant.
constexpr A_long kBaseValue[kPetalButtonCount] = {1, 2, 3, 4, 6, 8, 9, 10};
constexpr int kVariants[kPetalButtonCount] = {0, 1, 1, 2, 2, 1, 1, 1};
// Button of each value 1-10.
constexpr int kButtonOfValue[10] = {0, 1, 2, 3, 3, 4, 4, 5, 6, 7};

bool IsButton(int button) { return button >= 0 && button < kPetalButtonCount; }

}  // namespace

int PetalButtonOf(A_long configuration) {
  if (configuration < 1 || configuration > 10) {
    return -1;
  }
  return kButtonOfValue[configuration - 1];
}

int PetalVariantCount(int button) { return IsButton(button) ? kVariants[button] : 0; }

int PetalVariantShown(const PetalVariants &variants, int button) {
  if (PetalVariantCount(button) != 2) {
    return 0;
  }
  return variants.remembered[button] != 0 ? 1 : 0;
}

A_long PetalClickValue(int button, A_long current, PetalVariants &variants) {
  if (!IsButton(button)) {
    return -1;
  }
  if (button == PetalButtonOf(current) && PetalVariantCount(button) == 2) {
    variants.remembered[button] = static_cast<std::uint16_t>(1 - PetalVariantShown(variants, button));
  }
  return kBaseValue[button] + PetalVariantShown(variants, button);
}

}  // namespace vlam
