// Error codes of the suite broker: four-character codes, 0 for success.
#pragma once
#include "SPTypes.h"

#define kSPNoError 0
#define kSPUnimplementedError 0x21494D50           // '!IMP'
#define kSPUserCanceledError 0x73746F70            // 'stop'
#define kSPLogicError 0x66626172                   // 'fbar'
#define kSPBadParameterError 0x5061726D            // 'Parm'
#define kSPSuiteNotFoundError 0x53214664           // 'S!Fd'
#define kSPSuiteAlreadyExistsError 0x53457869      // 'SExi'
#define kSPSuiteAlreadyReleasedError 0x5352656C    // 'SRel'
#define kSPBadSuiteInternalVersionError 0x53495673 // 'SIVs'
