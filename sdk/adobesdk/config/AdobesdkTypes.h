// Scalar types shared by the host's drawing suites.
#pragma once
#include <cstdint>

typedef uint8_t ADOBESDK_Boolean;
typedef uint16_t ADOBESDK_UTF16Char;
typedef uint8_t ADOBESDK_UTF8Char;

typedef ADOBESDK_Boolean DRAWBOT_Boolean;
typedef ADOBESDK_UTF16Char DRAWBOT_UTF16Char;
