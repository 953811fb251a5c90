// Keys go in through SendInput, the platform's own input queue, so they take
// the same way through the hooks as keys typed on the keyboard.
#include "player.h"

static void SendKey(UINT vk, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(vk);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    Check(SendInput(1, &input, sizeof input) == 1, "SendInput refused key 0x%02X", vk);
}

void PressKey(UINT vk) { SendKey(vk, 0); }
void ReleaseKey(UINT vk) { SendKey(vk, KEYEVENTF_KEYUP); }

static int wantedCount;
static bool EditSawKeyUps() { return player.editKeyUps >= wantedCount; }
static bool EditSawKeyDowns() { return player.editKeyDowns >= wantedCount; }

void WaitForEditKeyUps(int count)
{
    wantedCount = count;
    Check(PumpUntil(EditSawKeyUps), "the focused edit received %d key releases, expected %d", player.editKeyUps,
          count);
}

void WaitForEditKeyDowns(int count)
{
    wantedCount = count;
    Check(PumpUntil(EditSawKeyDowns), "the focused edit received %d key presses, expected %d",
          player.editKeyDowns, count);
}
