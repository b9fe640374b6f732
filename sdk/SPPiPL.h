// Plug-in property lists (PiPL): the property keys the broker itself defines.
#pragma once
#include "SPTypes.h"

#define kCurrentPiPLVersion 0

#define PIAdobeVendorID 0x41444245UL        // 'ADBE'
#define PIKindProperty 0x6B696E64UL         // 'kind'
#define PIPluginNameProperty 0x70696E6DUL   // 'pinm'
#define PISPVersionProperty 0x69767273UL    // 'ivrs'
#define PIWin32X86CodeProperty 0x77783836UL // 'wx86'
#define PIWin64X86CodeProperty 0x38363634UL // '8664'
