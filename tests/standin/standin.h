// The stand-in platform: an in-process model of the Win32 calls product code
// makes, for the native unit tests. It never ships.
//
// All of its state is one `Platform` value, which tests read directly and
// reset between tests. Tests drive it with the functions below: create
// windows, inject input, make calls fail, and so on.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win32_standin.h"

namespace standin {

struct Window {
    WNDPROC proc = nullptr;
    std::string text;
    bool enabled = true;  // a modal dialog disables its owner while it runs
    bool destroyed = false;
};

struct Hook {
    HHOOK handle = nullptr;
    int type = 0;
    HOOKPROC proc = nullptr;
    HINSTANCE module = nullptr;
    DWORD thread = 0;
    bool installed = true;
    DWORD installingThread = GetCurrentThreadId();  // where the platform posts WM_CANCELJOURNAL
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
    Failure profileWrite; // WritePrivateProfileStringA returns FALSE
};

// A message posted to a thread's queue.
struct PostedMessage {
    DWORD thread;
    MSG msg;
};

// The texts FormatMessageA finds for system error codes, each ending "\r\n"
// as Windows' do: a few of the codes the stand-in sets.
std::map<DWORD, std::string> SystemTexts();

// A dialog template as the resource compiler stored it in the module.
struct DialogItemTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string className;  // as stored: "BUTTON", "EDIT", "STATIC", ...
    std::string text;
};

struct DialogTemplate {
    WORD language = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD fontSize = 0;
    std::string fontName;
    std::vector<DialogItemTemplate> items;  // in template (tab) order
};

// A control of a running dialog. Its text is its window's text.
struct DialogControl {
    DialogItemTemplate item;
    HWND window = nullptr;
    UINT check = BST_UNCHECKED;
};

// A dialog run by DialogBoxParamA. It stays here after it closes, so tests can
// read what it showed last.
struct Dialog {
    DialogTemplate layout;
    HWND window = nullptr;
    HWND owner = nullptr;
    DLGPROC proc = nullptr;
    std::vector<DialogControl> controls;
    bool ended = false;
    INT_PTR result = 0;
    bool ownerDisabled = false;  // while the dialog runs, as for every modal dialog
    bool abandoned = false;      // the script and the title-bar close both left it open
};

// What the user does in front of a modal dialog. DialogBoxParamA runs one per
// dialog, in order, once WM_INITDIALOG has returned; with none left, the user
// just closes the dialog.
typedef std::function<void()> DialogScript;

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
    std::vector<Dialog> dialogs;  // every dialog opened, in order
    std::deque<DialogScript> dialogScripts;
    std::vector<size_t> runningDialogs;  // indices into `dialogs`, innermost last
    std::string applicationFolder;  // where bare module names are found
    std::vector<PostedMessage> postedMessages;  // every thread's queue, oldest first
    // The Windows folder, where bare profile file names ("winamp.ini") resolve;
    // empty: there is none, so reads give the default and writes fail.
    std::string windowsFolder;
    // Called before each profile write, so tests can see the platform as it was then.
    std::function<void()> beforeProfileWrite;
    std::map<DWORD, std::string> systemTexts = SystemTexts();  // tests may add or remove texts
    std::vector<HLOCAL> localBlocks;                         // allocated for callers, not yet freed
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

// Messages
// What Windows does on Ctrl+Esc or Ctrl+Alt+Del: removes every journal hook,
// then posts WM_CANCELJOURNAL with no window to each thread that installed one.
void CancelJournalHooks();

// Profiles
// The file the profile functions use for `fileName`: a bare name lies in the
// Windows folder, any other path is taken as it is.
std::string ProfilePath(const char* fileName);

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

// Dialogs. A module's resources are the compiled resource file beside it,
// "<name>.res" for "<name>.dll", as the resource compiler wrote it.
// Reads dialog `id` from `module`'s resources; false with the platform's error
// code in `*error` if there is none.
bool FindDialogTemplate(HMODULE module, int id, DialogTemplate* layout, DWORD* error);
// The scripted user, acting on the innermost dialog still running. Each returns
// false, doing nothing, when no dialog runs or it has no such control.
Dialog* RunningDialog();
bool TypeText(int id, const std::string& text);  // replaces an edit's text
bool ClickButton(int id);                        // an auto check box toggles first
bool CloseDialog();                              // the title bar's close box
bool SendDialogCommand(WORD id);                 // WM_COMMAND with no control, e.g. IDCLOSE
// What a dialog's control shows; a dialog that has closed shows its last state.
std::string ControlText(const Dialog& dialog, int id);
bool IsControlChecked(const Dialog& dialog, int id);

}  // namespace standin
