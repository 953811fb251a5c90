// The player's main window, which answers the plug-in's queries and counts
// track commands, and "another program's" window with an edit control.
#include "player.h"

PlayerState player;
static WNDPROC editProc;

static LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == HostQueryIniFile.message && lParam == HostQueryIniFile.lParam)
        return reinterpret_cast<LRESULT>(player.iniPath);
    if (msg == HostQueryIsPlaying.message && lParam == HostQueryIsPlaying.lParam)
        return player.isPlaying;
    if (msg == HostCmdPrevTrack.message && wParam == HostCmdPrevTrack.wParam) {
        ++player.prevCommands;
        return 0;
    }
    if (msg == HostCmdNextTrack.message && wParam == HostCmdNextTrack.wParam) {
        ++player.nextCommands;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

WNDPROC PlayerWindowProc() { return MainWindowProc; }

// Counts the keys that reach the focused edit, to show the hook takes none away.
static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        ++player.editKeyDowns;
        player.editLastKey = static_cast<UINT>(wParam);
    }
    if (msg == WM_KEYUP || msg == WM_SYSKEYUP) {
        ++player.editKeyUps;
        player.editLastKey = static_cast<UINT>(wParam);
    }
    return CallWindowProcA(editProc, hwnd, msg, wParam, lParam);
}

void CreatePlayerWindows()
{
    WNDCLASSA mainClass = {};
    mainClass.lpfnWndProc = MainWindowProc;
    mainClass.hInstance = GetModuleHandleA(nullptr);
    mainClass.lpszClassName = "TestPlayerMain";
    RegisterClassA(&mainClass);
    player.mainWindow = CreateWindowExA(0, "TestPlayerMain", "Test player", WS_OVERLAPPEDWINDOW, 10, 10, 300,
                                        120, nullptr, nullptr, mainClass.hInstance, nullptr);
    player.otherWindow = CreateWindowExA(0, "Static", "Another program", WS_OVERLAPPEDWINDOW, 400, 10, 300, 120,
                                         nullptr, nullptr, mainClass.hInstance, nullptr);
    player.edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24,
                                  player.otherWindow, nullptr, mainClass.hInstance, nullptr);
    Check(player.mainWindow && player.otherWindow && player.edit, "could not create the player's windows");
    editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(player.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
    ShowWindow(player.mainWindow, SW_SHOWNORMAL);
    ShowWindow(player.otherWindow, SW_SHOWNORMAL);
    PumpBriefly();
}

static bool EditHasFocus() { return GetFocus() == player.edit && GetForegroundWindow() == player.otherWindow; }

void FocusOtherWindow()
{
    SetForegroundWindow(player.otherWindow);
    SetFocus(player.edit);
    Check(PumpUntil(EditHasFocus), "the other program's edit control did not get the focus");
}

void ResetCounts()
{
    player.prevCommands = player.nextCommands = 0;
    player.editKeyDowns = player.editKeyUps = 0;
    player.editLastKey = 0;
}

// Only removing retrievals: Wine runs the journal hook for every look at an
// input message, a peek that leaves it queued included.
bool PumpUntil(bool (*done)())
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount() - start > StepTimeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

static DWORD briefStart;
static bool BriefTimeUp() { return GetTickCount() - briefStart > 300; }

void PumpBriefly()
{
    briefStart = GetTickCount();
    PumpUntil(BriefTimeUp);
}
