// The journal-record hook: turns releases of the two configured keys into
// previous / next track commands for the player.
//
// Where journal hooks are refused, the same watch runs as a low-level
// keyboard hook, called on the installing thread as well.
//
// One copy of this state per process; the hook runs on the thread that
// installed it, the same one that calls the setters, so nothing is locked.
#include "velk_kh.h"

#include "../plugin/host.h"

static HWND winampHwnd;
static HHOOK hookResource;  // borrowed from gen_velk, only for CallNextHookEx
static ShortcutKey ptvKey = VK_F8;
static ShortcutKey ntvKey = VK_F9;
static bool sysModal;

void SetWinampHwnd(HWND hwnd) { winampHwnd = hwnd; }
void SetHookResource(HHOOK hook) { hookResource = hook; }
void SetPTVKey(ShortcutKey key) { ptvKey = key; }
void SetNTVKey(ShortcutKey key) { ntvKey = key; }

// Out of line, so that the events that stop short of it (nearly all) run
// without a stack frame. Equal keys give previous track: it is tested first.
// Answers 0, what the hook procedures answer.
__attribute__((noinline)) static LRESULT SendTrackCommand(ShortcutKey vk)
{
    if (SendHostMessage(winampHwnd, HostQueryIsPlaying) == 1)
        SendHostMessage(winampHwnd, vk == ptvKey ? HostCmdPrevTrack : HostCmdNextTrack);
    return 0;
}

// Inlined into both hooks even where optimising for size, so the journal hook
// takes no call to get here.
__attribute__((always_inline)) static inline LRESULT WatchKeyRelease(UINT message, ShortcutKey vk)
{
    if (message != WM_KEYUP && message != WM_SYSKEYUP)
        return 0;
    if (vk != ptvKey && vk != ntvKey)
        return 0;
    return SendTrackCommand(vk);
}

// The codes other than HC_ACTION, rare enough to be kept off its path.
__attribute__((noinline)) static LRESULT OnControlCode(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_SYSMODALON || code == HC_SYSMODALOFF) {
        sysModal = code == HC_SYSMODALON;
        CallNextHookEx(hookResource, code, wParam, lParam);
        return 0;
    }
    if (code < 0)
        return CallNextHookEx(hookResource, code, wParam, lParam);
    return 0;
}

// Runs for every keyboard and mouse event on the desktop. Only watches: never
// calls the next hook for HC_ACTION and never changes the event, so the key
// still reaches the focused window.
LRESULT CALLBACK JournalRecordProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HC_ACTION)
        return OnControlCode(code, wParam, lParam);
    if (sysModal)
        return 0;
    const EVENTMSG* event = reinterpret_cast<const EVENTMSG*>(lParam);
    return WatchKeyRelease(event->message, event->paramL & 0xFF);
}

// Sees the same key releases the journal hook would, and never swallows one:
// the key always goes on to the next hook and the focused window.
LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && !sysModal) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        WatchKeyRelease(static_cast<UINT>(wParam), key->vkCode & 0xFF);
    }
    return CallNextHookEx(hookResource, code, wParam, lParam);
}
