// velk_kh's exports. gen_velk binds them through its import table, so its
// hook procedure address is the one inside velk_kh, as the platform needs.
#pragma once

#include "platform.h"

#ifdef VELK_KH_BUILD
#define VELK_API DLL_EXPORT
#else
#define VELK_API DLL_IMPORT
#endif

// A platform virtual-key code; the dialog offers VK_F1 to VK_F12.
typedef unsigned int ShortcutKey;

VELK_API void SetWinampHwnd(HWND hwnd);
VELK_API void SetHookResource(HHOOK hook);
VELK_API void SetPTVKey(ShortcutKey key);
VELK_API void SetNTVKey(ShortcutKey key);
VELK_API LRESULT CALLBACK JournalRecordProc(int code, WPARAM wParam, LPARAM lParam);
// The same watch through a low-level keyboard hook, for where the platform
// refuses journal hooks (Windows Vista and later, to programs without UI access).
VELK_API LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam);
