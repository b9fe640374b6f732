// Export decoration for the plug-in's entry functions.
#pragma once

#if defined(_WIN32)
#define DllExport __declspec(dllexport)
#else
#define DllExport __attribute__((visibility("default")))
#endif
