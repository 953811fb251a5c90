// The plug-in record and its three entries: start-up, configuration and
// shut-down. Everything acquired in onInit is released in onQuit.
#include "plugin.h"
#include "resource.h"
#include "settings.h"

HMODULE hookLibrary;
static WNDPROC previousWndProc;

// The player's window procedure, passed through unchanged for the plug-in's lifetime.
static LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(previousWndProc, hwnd, msg, wParam, lParam);
}

static int onInit()
{
    LoadSettings(record.parentWindow);
    SetPTVKey(settings.ptvKey);
    SetNTVKey(settings.ntvKey);
    // Already loaded through the import table: this only adds a reference and
    // yields the module handle the global hook needs.
    hookLibrary = LoadLibraryA("velk_kh.dll");
    if (hookLibrary == nullptr)
        ReportLastError("%s (velk_kh.dll).");
    InstallCancelWatch();
    if (settings.enabled == 1)
        ArmJournalHook();
    previousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(record.parentWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainWindowProc)));
    return 0;
}

static void onConfig()
{
    INT_PTR result =
        DialogBoxParamA(record.moduleHandle, MAKEINTRESOURCEA(IDD_CONFIG), record.parentWindow, ConfigDialogProc, 0);
    if (result == -1)
        ReportLastError("%s (gen_velk.dll).");
}

static void onQuit()
{
    SaveSettings();
    DisarmJournalHook();
    RemoveCancelWatch();
    if (hookLibrary != nullptr)
        FreeLibrary(hookLibrary);
    if (previousWndProc != nullptr)
        SetWindowLongPtrA(record.parentWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWndProc));
}

PluginRecord record = {PluginHeaderVersion, "Tarnwick v1.0", onInit, onConfig, onQuit, nullptr, nullptr};

extern "C" DLL_EXPORT PluginRecord* winampGetGeneralPurposePlugin()
{
    return &record;
}
