// velk_kh's journal-record hook, installed as the platform would have it,
// driven with input events.
#include <gtest/gtest.h>

#include "fake_player.h"
#include "velk_kh_module.h"

using standin::Current;

namespace {

const BYTE F7 = 0x76, F8 = 0x77, F9 = 0x78, F10 = 0x79;
const std::vector<TrackCommand> None;
const std::vector<TrackCommand> Prev = {TrackCommand::Previous};
const std::vector<TrackCommand> Next = {TrackCommand::Next};

class JournalHook : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::Reset();
        CreatePlayerWindow();
        velk = LoadVelkKh();
        ASSERT_NE(velk.journalRecordProc, nullptr);
        hook = SetWindowsHookExA(WH_JOURNALRECORD, velk.journalRecordProc, velk.module, 0);
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

TEST_F(JournalHook, EventTable)
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
        EXPECT_TRUE(Current().nextHookCalls.empty()) << "HC_ACTION must not call the next hook";
        ReleaseHeldKeys();
    }
}
TEST_F(JournalHook, SysModalSilencesUntilItEnds)
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

TEST_F(JournalHook, HookCodesReachTheNextHookWithTheStoredHandle)
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

TEST_F(JournalHook, WithoutPlayerWindowNothingIsSent)
{
    velk.setWinampHwnd(nullptr);
    standin::TapKey(F9);
    standin::TapKey(F8);
    EXPECT_TRUE(Player().messages.empty());
}

TEST_F(JournalHook, StartsWithF8AndF9)
{
    standin::TapKey(F8);
    standin::TapKey(F9);
    EXPECT_EQ(Describe(Player().commands), Describe({TrackCommand::Previous, TrackCommand::Next}));
}

}  // namespace
