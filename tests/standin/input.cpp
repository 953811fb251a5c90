// Keyboard and mouse input, as the platform hands it to the low-level
// keyboard hooks, then the journal-record hooks, then the focused window.
#include "standin.h"

namespace standin {

static BYTE ScanCodeOf(BYTE vk)
{
    if (vk >= VK_F1 && vk < VK_F1 + 10)
        return static_cast<BYTE>(0x3B + (vk - VK_F1));  // F1..F10
    switch (vk) {
    case VK_F1 + 10: return 0x57;  // F11
    case VK_F12: return 0x58;
    case VK_MENU: return 0x38;
    default: return 0;
    }
}

// Alt held turns key messages into their system forms; F10 and Alt itself
// always arrive in the system form.
static UINT KeyMessageFor(BYTE vk, bool release)
{
    bool system = Current().keyboard.down[VK_MENU] || vk == VK_F10 || vk == VK_MENU;
    if (release)
        return system ? WM_SYSKEYUP : WM_KEYUP;
    return system ? WM_SYSKEYDOWN : WM_KEYDOWN;
}

static DWORD NextTick() { return Current().tickCount += 10; }

static bool SwallowedByLowLevelHooks(UINT message, BYTE vk, DWORD time)
{
    KBDLLHOOKSTRUCT record = {};
    record.vkCode = vk;
    record.scanCode = ScanCodeOf(vk);
    record.flags = (message == WM_KEYUP || message == WM_SYSKEYUP) ? LLKHF_UP : 0;
    record.time = time;
    return CallHookChain(WH_KEYBOARD_LL, HC_ACTION, message, reinterpret_cast<LPARAM>(&record)) != 0;
}

static void RecordInJournal(UINT message, UINT paramL, UINT paramH, DWORD time)
{
    EVENTMSG event = {};
    event.message = message;
    event.paramL = paramL;
    event.paramH = paramH;
    event.time = time;
    event.hwnd = Current().focus;
    CallHookChain(WH_JOURNALRECORD, HC_ACTION, 0, reinterpret_cast<LPARAM>(&event));
}

static void DeliverKey(BYTE vk, bool release)
{
    UINT message = KeyMessageFor(vk, release);
    DWORD time = NextTick();
    if (SwallowedByLowLevelHooks(message, vk, time))
        return;
    UINT scan = ScanCodeOf(vk);
    // Keyboard records: virtual key in the low byte, scan code in the next;
    // paramH carries the repeat count.
    RecordInJournal(message, vk | (scan << 8), 1, time);
    Current().keyboard.down[vk] = !release;
    HWND focus = Current().focus;
    if (focus != nullptr) {
        LPARAM keyData = static_cast<LPARAM>(1 | (scan << 16) | (release ? 0xC0000000u : 0));
        SendMessageA(focus, message, vk, keyData);
    }
}

void PressKey(BYTE vk) { DeliverKey(vk, false); }

void ReleaseKey(BYTE vk) { DeliverKey(vk, true); }

void TapKey(BYTE vk)
{
    PressKey(vk);
    ReleaseKey(vk);
}

// Mouse records carry the position: x in paramL, y in paramH.
static void DeliverMouse(UINT message, LONG x, LONG y)
{
    RecordInJournal(message, static_cast<UINT>(x), static_cast<UINT>(y), NextTick());
}

void MoveMouse(LONG x, LONG y) { DeliverMouse(WM_MOUSEMOVE, x, y); }

void ClickMouse(LONG x, LONG y)
{
    DeliverMouse(WM_LBUTTONDOWN, x, y);
    DeliverMouse(WM_LBUTTONUP, x, y);
}

void NotifySysModal(bool on)
{
    CallHookChain(WH_JOURNALRECORD, on ? HC_SYSMODALON : HC_SYSMODALOFF, 0, 0);
}

}  // namespace standin
