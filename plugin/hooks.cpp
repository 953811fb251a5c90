// The two hooks gen_velk holds: the keyboard watch in velk_kh, and the cancel
// watch that puts it back after the platform cancels journal hooks.
#include "plugin.h"
#include "settings.h"

// The keyboard watch: the journal hook, or the low-level keyboard hook where
// journal hooks are refused. At most one is held at any time.
static HHOOK journalHook;
static HHOOK cancelWatchHook;

void DisarmJournalHook()
{
    if (journalHook == nullptr)
        return;
    UnhookWindowsHookEx(journalHook);
    journalHook = nullptr;
}

void ArmJournalHook()
{
    if (journalHook != nullptr)
        DisarmJournalHook();
    SetWinampHwnd(record.parentWindow);
    journalHook = SetWindowsHookExA(WH_JOURNALRECORD, JournalRecordProc, hookLibrary, 0);
    // Refused since Windows Vista to programs without UI access, and gone in
    // Windows 11: without this the keys would silently never act.
    if (journalHook == nullptr)
        journalHook = SetWindowsHookExA(WH_KEYBOARD_LL, LowLevelKeyboardProc, hookLibrary, 0);
    SetHookResource(journalHook);
}

// Out of line, so that the cancel watch's path for every other message needs
// no stack frame. Passes the message on, as the watch does for every message.
__attribute__((noinline)) static LRESULT RearmAndPassOn(int code, WPARAM wParam, LPARAM lParam)
{
    if (settings.enabled == 1) {
        DisarmJournalHook();
        ArmJournalHook();
    }
    return CallNextHookEx(cancelWatchHook, code, wParam, lParam);
}

// Runs in every thread of every process that retrieves messages, so it looks
// at as little as it can. The platform posts WM_CANCELJOURNAL, with no
// window, to the thread whose journal hook it removed; a peek counts too.
static LRESULT CALLBACK CancelWatchProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && reinterpret_cast<const MSG*>(lParam)->message == WM_CANCELJOURNAL)
        return RearmAndPassOn(code, wParam, lParam);
    return CallNextHookEx(cancelWatchHook, code, wParam, lParam);
}

void InstallCancelWatch()
{
    cancelWatchHook = SetWindowsHookExA(WH_GETMESSAGE, CancelWatchProc, record.moduleHandle, 0);
}

void RemoveCancelWatch()
{
    if (cancelWatchHook != nullptr)
        UnhookWindowsHookEx(cancelWatchHook);
}
