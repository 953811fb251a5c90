// velk_kh loaded fresh through the stand-in's loader, with its exports looked
// up by the names the native build gives them, so every test starts from the
// module's initial state.
#pragma once

#include "../../hooklib/velk_kh.h"
#include "standin.h"

struct VelkKhModule {
    HMODULE module = nullptr;
    decltype(&SetWinampHwnd) setWinampHwnd = nullptr;
    decltype(&SetHookResource) setHookResource = nullptr;
    decltype(&SetPTVKey) setPTVKey = nullptr;
    decltype(&SetNTVKey) setNTVKey = nullptr;
    decltype(&JournalRecordProc) journalRecordProc = nullptr;
    decltype(&LowLevelKeyboardProc) lowLevelKeyboardProc = nullptr;
};

// Loads velk_kh.dll from the native module folder; fails the test if any
// export is missing.
VelkKhModule LoadVelkKh();
void UnloadVelkKh(VelkKhModule& velk);
