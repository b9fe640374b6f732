// The Module Selector's sequence record: hover and press state of its two
// button rows.
#pragma once
#include <cstddef>

#include "A.h"

namespace vlam {

#pragma pack(push, 4)
struct SelectorButtonState {
  A_long state;  // 0 none, 1 mouse over, 2 pressed
  A_long index;  // button index, -1 for none
};

struct SelectorState {
  SelectorButtonState modules;    // the "Modules" row
  SelectorButtonState utilities;  // the "Utilities" row
};
#pragma pack(pop)

static_assert(sizeof(SelectorButtonState) == 8);
static_assert(offsetof(SelectorButtonState, state) == 0);
static_assert(offsetof(SelectorButtonState, index) == 4);
static_assert(sizeof(SelectorState) == 16);
static_assert(offsetof(SelectorState, modules) == 0);
static_assert(offsetof(SelectorState, utilities) == 8);

inline constexpr SelectorState kInitialSelectorState{{0, -1}, {0, -1}};

}  // namespace vlam
