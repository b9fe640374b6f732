// Plug-in property list (PiPL) vendors, keys and values.
#pragma once
#include "A.h"

#define PIPL_FOURCC(a, b, c, d) \
  (((A_u_long)(a) << 24) | ((A_u_long)(b) << 16) | ((A_u_long)(c) << 8) | (A_u_long)(d))

// Vendors
#define PIAdobeVendorID PIPL_FOURCC('8', 'B', 'I', 'M')
#define PIAEVendorID PIPL_FOURCC('A', 'D', 'B', 'E')

// Keys of the Photoshop vendor
#define PIKindProperty PIPL_FOURCC('k', 'i', 'n', 'd')
#define PINameProperty PIPL_FOURCC('n', 'a', 'm', 'e')
#define PICategoryProperty PIPL_FOURCC('c', 'a', 't', 'g')
#define PIVersionProperty PIPL_FOURCC('v', 'e', 'r', 's')
#define PIWin64X86CodeProperty PIPL_FOURCC('8', '6', '6', '4')

// Keys of the After Effects vendor
#define AE_PiPL_Version PIPL_FOURCC('e', 'P', 'V', 'R')
#define AE_Effect_Spec_Version PIPL_FOURCC('e', 'S', 'V', 'R')
#define AE_Effect_Version PIPL_FOURCC('e', 'V', 'E', 'R')
#define AE_Effect_Info_Flags PIPL_FOURCC('e', 'I', 'N', 'F')
#define AE_Effect_Global_OutFlags PIPL_FOURCC('e', 'G', 'L', 'O')
#define AE_Effect_Global_OutFlags_2 PIPL_FOURCC('e', 'G', 'L', '2')
#define AE_Effect_Match_Name PIPL_FOURCC('e', 'M', 'N', 'A')
#define AE_Reserved_Info PIPL_FOURCC('a', 'e', 'F', 'L')

// Kinds
#define PIEffectKind PIPL_FOURCC('e', 'F', 'K', 'T')
#define PIGeneralKind PIPL_FOURCC('A', 'E', 'g', 'x')

// Resource type of a property list
#define PIPropertyListType PIPL_FOURCC('P', 'i', 'P', 'L')

#define kPIPropertyListVersion 0
#define kPIPropertyListReserved 1
