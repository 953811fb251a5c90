#include "velk_kh_module.h"

#include <gtest/gtest.h>

template <typename Function>
static void Bind(HMODULE module, const char* name, Function& function)
{
    // Through void (*)(), the generic function pointer that casts may go via.
    FARPROC proc = GetProcAddress(module, name);
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
    EXPECT_NE(function, nullptr) << "velk_kh.dll does not export " << name;
}

VelkKhModule LoadVelkKh()
{
    VelkKhModule velk;
    velk.module = LoadLibraryA(NATIVE_DLL_DIR "/velk_kh.dll");
    EXPECT_NE(velk.module, nullptr);
    if (velk.module == nullptr)
        return velk;
    // The type-decorated names of the native build (Itanium C++ mangling).
    Bind(velk.module, "_Z13SetWinampHwndP6HWND__", velk.setWinampHwnd);
    Bind(velk.module, "_Z15SetHookResourceP7HHOOK__", velk.setHookResource);
    Bind(velk.module, "_Z9SetPTVKeyj", velk.setPTVKey);
    Bind(velk.module, "_Z9SetNTVKeyj", velk.setNTVKey);
    Bind(velk.module, "_Z17JournalRecordProciml", velk.journalRecordProc);
    Bind(velk.module, "_Z20LowLevelKeyboardProciml", velk.lowLevelKeyboardProc);
    return velk;
}

void UnloadVelkKh(VelkKhModule& velk)
{
    if (velk.module != nullptr)
        FreeLibrary(velk.module);
    velk = VelkKhModule();
    EXPECT_FALSE(standin::IsModuleLoaded("velk_kh.dll")) << "velk_kh.dll still loaded: state would leak into the next test";
}
