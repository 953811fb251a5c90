// The stand-in platform: an in-process model of the Win32 calls product code
// makes, for the native unit tests. It never ships.
//
// All of its state is one `Platform` value, which tests read directly and
// reset between tests. Tests drive it with the functions below: create
// windows, inject input, make calls fail, and so on.
#pragma once

#include <string>
#include <vector>

#include "win32_standin.h"

namespace standin {

struct Window {
    WNDPROC proc = nullptr;
    std::string text;
    bool destroyed = false;
};

struct Hook {
    HHOOK handle = nullptr;
    int type = 0;
    HOOKPROC proc = nullptr;
    HINSTANCE module = nullptr;
    DWORD thread = 0;
    bool installed = true;
};

// One CallNextHookEx call, as the hook procedure made it.
struct NextHookCall {
    HHOOK hook;
    int code;
    WPARAM wParam;
    LPARAM lParam;
};

// One MessageBoxA call; the stand-in records it and answers IDOK, showing nothing.
struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// A call that tests can make fail on demand: the next `count` calls fail and
// set `error` as the last-error code.
struct Failure {
    int count = 0;
    DWORD error = 0;
};

struct Failures {
    Failure journalHook;  // SetWindowsHookExA(WH_JOURNALRECORD, ...), as Vista and later refuse it
    Failure lowLevelHook; // SetWindowsHookExA(WH_KEYBOARD_LL, ...)
    Failure messageHook;  // SetWindowsHookExA(WH_GETMESSAGE, ...)
    Failure loadLibrary;  // LoadLibraryA
    Failure dialogBox;    // DialogBoxParamA returns -1
};

struct Keyboard {
    bool down[256] = {};
};

struct Platform {
    std::vector<Window> windows;  // HWND n is windows[n - 1]
    std::vector<Hook> hooks;      // in installation order; HHOOK n is hooks[n - 1]
    std::vector<NextHookCall> nextHookCalls;
    std::vector<size_t> dispatching;  // index of the hook now running, innermost last
    Keyboard keyboard;
    HWND focus = nullptr;  // receives the key messages that no hook swallowed
    DWORD tickCount = 1000;
    DWORD lastError = 0;
    DWORD threadId = 1;
    Failures failures;
    std::vector<MessageBoxCall> messageBoxes;
    std::string applicationFolder;  // where bare module names are found
};

// The platform as it is now.
Platform& Current();
// A fresh platform: no windows, no hooks, nothing recorded.
void Reset();

// Windows
HWND CreateTestWindow(WNDPROC proc);
Window* FindTestWindow(HWND hwnd);

// Hooks
int InstalledHookCount(int type);
// Calls the chain of hooks of `type` as the platform does: the most recently
// installed first; each decides whether to call the next.
LRESULT CallHookChain(int type, int code, WPARAM wParam, LPARAM lParam);

// Modules
bool IsModuleLoaded(const char* name);

// Input, delivered to the journal-record and low-level keyboard hooks the way
// Windows builds their records. Alt held turns key messages into WM_SYS*;
// F10 always arrives as WM_SYSKEY*.
void PressKey(BYTE vk);
void ReleaseKey(BYTE vk);
void TapKey(BYTE vk);
void MoveMouse(LONG x, LONG y);
void ClickMouse(LONG x, LONG y);
// HC_SYSMODALON / HC_SYSMODALOFF to the journal-record hooks.
void NotifySysModal(bool on);

}  // namespace standin
