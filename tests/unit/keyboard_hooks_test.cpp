// velk_kh's two keyboard watches, the journal-record hook and the low-level
// keyboard hook, installed as the platform would have them and driven with
// the same input events.
#include <gtest/gtest.h>

#include "fake_player.h"
#include "velk_kh_module.h"

using standin::Current;

namespace {

const BYTE F7 = 0x76, F8 = 0x77, F9 = 0x78, F10 = 0x79;
const std::vector<TrackCommand> None;
const std::vector<TrackCommand> Prev = {TrackCommand::Previous};
const std::vector<TrackCommand> Next = {TrackCommand::Next};

// One way of installing velk_kh's watch.
struct HookKind {
    const char* name;
    int type;
    HOOKPROC VelkKhModule::*proc;
    bool passesActionOn;  // whether HC_ACTION calls reach the next hook
};

const HookKind journalHook = {"journal", WH_JOURNALRECORD, &VelkKhModule::journalRecordProc, false};
const HookKind lowLevelHook = {"lowlevel", WH_KEYBOARD_LL, &VelkKhModule::lowLevelKeyboardProc, true};

// Keys that reached the focused window, as it saw them.
struct FocusedWindow {
    std::vector<UINT> messages;
};
FocusedWindow focused;

LRESULT CALLBACK FocusedWindowProc(HWND, UINT msg, WPARAM, LPARAM)
{
    focused.messages.push_back(msg);
    return 0;
}

std::string NameOfKind(const ::testing::TestParamInfo<HookKind>& kind) { return kind.param.name; }

class KeyboardHook : public ::testing::TestWithParam<HookKind> {
protected:
    void SetUp() override
    {
        standin::Reset();
        CreatePlayerWindow();
        focused = FocusedWindow();
        Current().focus = standin::CreateTestWindow(FocusedWindowProc);
        velk = LoadVelkKh();
        ASSERT_NE(velk.*GetParam().proc, nullptr);
        hook = SetWindowsHookExA(GetParam().type, velk.*GetParam().proc, velk.module, 0);
        ASSERT_NE(hook, nullptr);
        velk.setHookResource(hook);
        velk.setWinampHwnd(Player().window);
    }
    void TearDown() override
    {
        UnhookWindowsHookEx(hook);
        UnloadVelkKh(velk);
    }

    VelkKhModule velk;
    HHOOK hook = nullptr;
};

INSTANTIATE_TEST_SUITE_P(BothWatches, KeyboardHook, ::testing::Values(journalHook, lowLevelHook),
                         NameOfKind);

struct EventCase {
    const char* name;
    void (*input)();
    LRESULT playingAnswer;
    std::vector<TrackCommand> expected;
    ShortcutKey ptvKey = F8;
    ShortcutKey ntvKey = F9;
};

void AltF9()
{
    standin::PressKey(VK_MENU);
    standin::TapKey(F9);
    standin::ReleaseKey(VK_MENU);
}

void HeldF9()
{
    for (int repeat = 0; repeat < 5; ++repeat)
        standin::PressKey(F9);
    standin::ReleaseKey(F9);
}

const EventCase eventCases[] = {
    {"F9 released while playing", [] { standin::TapKey(F9); }, 1, Next},
    {"F8 released while playing", [] { standin::TapKey(F8); }, 1, Prev},
    {"F8 then F9", [] { standin::TapKey(F8); standin::TapKey(F9); }, 1, {TrackCommand::Previous, TrackCommand::Next}},
    {"F9 pressed, never released", [] { standin::PressKey(F9); }, 1, None},
    {"F9 held down, then released once", HeldF9, 1, Next},
    {"F9 released while stopped (answer 0)", [] { standin::TapKey(F9); }, 0, None},
    {"F9 released while paused (answer 3)", [] { standin::TapKey(F9); }, 3, None},
    {"F9 released, answer 2", [] { standin::TapKey(F9); }, 2, None},
    {"unconfigured F7 released", [] { standin::TapKey(F7); }, 1, None},
    {"Alt+F9 arrives as WM_SYSKEYUP", AltF9, 1, Next},
    {"F10 configured, arrives as WM_SYSKEYUP", [] { standin::TapKey(F10); }, 1, Prev, F10, F9},
    {"mouse move whose x has F9 in its low byte", [] { standin::MoveMouse(0x178, 0x78); }, 1, None},
    {"mouse click whose x has F8 in its low byte", [] { standin::ClickMouse(0x77, 0x77); }, 1, None},
    {"equal keys give previous track", [] { standin::TapKey(F9); }, 1, Prev, F9, F9},
    {"a key above 255 never matches its low byte", [] { standin::TapKey(F9); }, 1, None, F8, 0x100 + F9},
    {"a key above 255 never matches, previous side", [] { standin::TapKey(F8); }, 1, None, 0x100 + F8, F9},
};

// Leaves no key down for the next row.
void ReleaseHeldKeys()
{
    for (int vk = 0; vk < 256; ++vk) {
        if (Current().keyboard.down[vk])
            standin::ReleaseKey(static_cast<BYTE>(vk));
    }
}

TEST_P(KeyboardHook, EventTable)
{
    for (const EventCase& row : eventCases) {
        SCOPED_TRACE(row.name);
        velk.setPTVKey(row.ptvKey);
        velk.setNTVKey(row.ntvKey);
        Player().playingAnswer = row.playingAnswer;
        Player().commands.clear();
        Current().nextHookCalls.clear();

        row.input();
        std::vector<TrackCommand> actual = Player().commands;
        EXPECT_EQ(Describe(actual), Describe(row.expected));
        for (const standin::NextHookCall& call : Current().nextHookCalls)
            EXPECT_EQ(call.hook, hook) << "passed on with another handle than the one handed over";
        if (!GetParam().passesActionOn) {
            EXPECT_TRUE(Current().nextHookCalls.empty()) << "the journal hook must not call the next hook";
        }
        ReleaseHeldKeys();
    }
}
// The platform's own notifications, which only journal-record hooks receive.
class JournalHook : public KeyboardHook {};
INSTANTIATE_TEST_SUITE_P(Journal, JournalHook, ::testing::Values(journalHook),
                         NameOfKind);

TEST_P(JournalHook, SysModalSilencesUntilItEnds)
{
    standin::NotifySysModal(true);
    standin::TapKey(F9);
    standin::TapKey(F8);
    EXPECT_EQ(Describe(Player().commands), Describe(None));

    standin::NotifySysModal(false);
    standin::TapKey(F9);
    EXPECT_EQ(Describe(Player().commands), Describe(Next));
}

// An older hook in the chain, answering every call with a recognisable value.
LRESULT CALLBACK OlderHookProc(int, WPARAM, LPARAM) { return 42; }

TEST_P(JournalHook, HookCodesReachTheNextHookWithTheStoredHandle)
{
    // Installed first, so it comes after velk_kh's hook in the chain.
    UnhookWindowsHookEx(hook);
    HHOOK older = SetWindowsHookExA(WH_JOURNALRECORD, OlderHookProc, velk.module, 0);
    hook = SetWindowsHookExA(WH_JOURNALRECORD, velk.journalRecordProc, velk.module, 0);
    HHOOK stored = reinterpret_cast<HHOOK>(0x5150);  // whatever gen_velk handed over
    velk.setHookResource(stored);

    struct CodeCase {
        int code;
        LRESULT expectedResult;
        bool passesOn;
    };
    const CodeCase cases[] = {
        {-1, 42, true}, {-7, 42, true}, {HC_SYSMODALON, 0, true}, {HC_SYSMODALOFF, 0, true},
        {1, 0, false},  {2, 0, false},  {3, 0, false},            {6, 0, false},
    };
    for (const CodeCase& row : cases) {
        SCOPED_TRACE("code " + std::to_string(row.code));
        Current().nextHookCalls.clear();
        EXPECT_EQ(standin::CallHookChain(WH_JOURNALRECORD, row.code, 7, 9), row.expectedResult);
        if (!row.passesOn) {
            EXPECT_TRUE(Current().nextHookCalls.empty());
            continue;
        }
        ASSERT_EQ(Current().nextHookCalls.size(), 1u);
        const standin::NextHookCall& call = Current().nextHookCalls[0];
        EXPECT_EQ(call.hook, stored);
        EXPECT_EQ(call.code, row.code);
        EXPECT_EQ(call.wParam, 7u);
        EXPECT_EQ(call.lParam, 9);
    }
    standin::NotifySysModal(false);
    UnhookWindowsHookEx(older);
}

TEST_P(KeyboardHook, WithoutPlayerWindowNothingIsSent)
{
    velk.setWinampHwnd(nullptr);
    standin::TapKey(F9);
    standin::TapKey(F8);
    EXPECT_TRUE(Player().messages.empty());
}

TEST_P(KeyboardHook, StartsWithF8AndF9)
{
    standin::TapKey(F8);
    standin::TapKey(F9);
    EXPECT_EQ(Describe(Player().commands), Describe({TrackCommand::Previous, TrackCommand::Next}));
}

TEST_P(KeyboardHook, KeysStillReachTheFocusedWindow)
{
    standin::TapKey(F9);
    standin::TapKey(F10);
    const std::vector<UINT> expected = {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP};
    EXPECT_EQ(focused.messages, expected);
    EXPECT_EQ(Describe(Player().commands), Describe(Next));
}

// The low-level hook hands every call on, with the handle it was given, and
// answers what the rest of the chain answers: it never swallows a key.
TEST(LowLevelKeyboardHook, EveryCallGoesOnThroughTheChain)
{
    standin::Reset();
    CreatePlayerWindow();
    VelkKhModule velk = LoadVelkKh();
    ASSERT_NE(velk.lowLevelKeyboardProc, nullptr);
    HHOOK older = SetWindowsHookExA(WH_KEYBOARD_LL, OlderHookProc, velk.module, 0);
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, velk.lowLevelKeyboardProc, velk.module, 0);
    HHOOK stored = reinterpret_cast<HHOOK>(0x5150);
    velk.setHookResource(stored);
    velk.setWinampHwnd(Player().window);

    KBDLLHOOKSTRUCT f9 = {};
    f9.vkCode = F9;
    struct CodeCase {
        const char* name;
        int code;
        WPARAM message;
        size_t commands;
    };
    const CodeCase cases[] = {
        {"F9 released", HC_ACTION, WM_KEYUP, 1},
        {"F9 released with Alt", HC_ACTION, WM_SYSKEYUP, 1},
        {"F9 pressed", HC_ACTION, WM_KEYDOWN, 0},
        {"F9 pressed with Alt", HC_ACTION, WM_SYSKEYDOWN, 0},
        {"negative code", -1, WM_KEYUP, 0},
        {"unknown positive code", 3, WM_KEYUP, 0},
    };
    for (const CodeCase& row : cases) {
        SCOPED_TRACE(row.name);
        Current().nextHookCalls.clear();
        Player().commands.clear();
        LRESULT result =
            standin::CallHookChain(WH_KEYBOARD_LL, row.code, row.message, reinterpret_cast<LPARAM>(&f9));
        EXPECT_EQ(result, 42);
        ASSERT_EQ(Current().nextHookCalls.size(), 1u);
        EXPECT_EQ(Current().nextHookCalls[0].hook, stored);
        EXPECT_EQ(Current().nextHookCalls[0].code, row.code);
        EXPECT_EQ(Player().commands.size(), row.commands);
    }
    UnhookWindowsHookEx(hook);
    UnhookWindowsHookEx(older);
    UnloadVelkKh(velk);
}

}  // namespace
