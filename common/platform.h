// The only way product code reaches the Win32 API.
//
// On Windows this is <windows.h>. Elsewhere the same names come from the
// test stand-in of the platform, which only the tests link.
#pragma once

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#define DLL_EXPORT __declspec(dllexport)
#define DLL_IMPORT __declspec(dllimport)
#else
#include "win32_standin.h"
#define DLL_EXPORT __attribute__((visibility("default")))
#define DLL_IMPORT
#endif
