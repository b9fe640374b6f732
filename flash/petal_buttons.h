// The eight petal buttons of the "Petal Configuration" control: which value
// each selects, and the variant each remembers for the configurations that
// come in two shapes (Three Star / Three T, Four Star / Four X-Wing).
#pragma once
#include <cstddef>
#include <cstdint>

#include "A.h"

namespace vlam {

inline constexpr int kPetalButtonCount = 8;

// The builder's sequence record: one remembered variant (0 or 1) per button.
#pragma pack(push, 4)
struct PetalVariants {
  std::uint16_t remembered[kPetalButtonCount];
};
#pragma pack(pop)
static_assert(sizeof(PetalVariants) == 16);
static_assert(offsetof(PetalVariants, remembered) == 0);

// The button showing a "Petal Configuration" value (1-10), or -1 for a value
// outside the popup's items.
int PetalButtonOf(A_long configuration);

// How many variants button k offers beyond its base (0 or 1 extra): the
// buttons with two shapes answer 2.
int PetalVariantCount(int button);

// The variant button k shows: its remembered one when it has two, else 0.
// A remembered value other than 0 counts as 1, so a damaged record cannot
// select a value outside the popup.
int PetalVariantShown(const PetalVariants &variants, int button);

// The value a click on button k selects, given the current configuration.
// Clicking the selected two-variant button flips its remembered variant.
// -1 for a k that names no button.
A_long PetalClickValue(int button, A_long current, PetalVariants &variants);

}  // namespace vlam
