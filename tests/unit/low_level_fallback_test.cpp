// Where the platform refuses journal hooks (Windows Vista and later, to
// programs without UI access), gen_velk watches the keys through velk_kh's
// low-level keyboard hook instead, still holding exactly one watch through
// start-up, the dialog, cancellation notices and shut-down.
#include <gtest/gtest.h>

#include "../../plugin/resource.h"
#include "running_plugin.h"

using standin::Current;
using standin::InstalledHookCount;

namespace {

const BYTE F9 = 0x78;
const int Always = 1000000;

struct PlatformCase {
    const char* name;
    bool journalRefused;
    bool lowLevelRefused;
    int journalHooks;   // held while enabled
    int lowLevelHooks;  // held while enabled
};

void PrintTo(const PlatformCase& row, std::ostream* out) { *out << row.name; }

const PlatformCase platformCases[] = {
    {"journal_hooks_allowed", false, false, 1, 0},
    {"journal_hooks_refused", true, false, 0, 1},
    {"both_refused", true, true, 0, 0},
};

class KeyboardWatch : public RunningPlugin, public ::testing::WithParamInterface<PlatformCase> {
protected:
    void SetUp() override
    {
        RunningPlugin::SetUp();
        if (GetParam().journalRefused)
            Current().failures.journalHook = {Always, ERROR_ACCESS_DENIED};
        if (GetParam().lowLevelRefused)
            Current().failures.lowLevelHook = {Always, ERROR_ACCESS_DENIED};
        WriteFile(iniFile, Section("1", "119", "120"));
    }

    // Checks the hooks held and that F9 acts exactly when a watch is held.
    void ExpectOneWatch(const char* when)
    {
        SCOPED_TRACE(when);
        const PlatformCase& platform = GetParam();
        EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD), platform.journalHooks);
        EXPECT_EQ(InstalledHookCount(WH_KEYBOARD_LL), platform.lowLevelHooks);
        Player().playingAnswer = 1;
        Player().commands.clear();
        standin::TapKey(F9);
        size_t expected = static_cast<size_t>(platform.journalHooks + platform.lowLevelHooks);
        EXPECT_EQ(Player().commands.size(), expected);
    }

    void ConfirmDialog()
    {
        Current().dialogScripts.push_back([] { standin::ClickButton(IDOK); });
        plugin.record->onConfig();
    }
};

TEST_P(KeyboardWatch, ExactlyOneWatchFromStartUpToShutDown)
{
    Start();
    ExpectOneWatch("after start-up");

    ConfirmDialog();
    ConfirmDialog();
    ExpectOneWatch("after OK twice");

    // The platform cancels only journal hooks; a notice re-arms whichever watch it can.
    standin::CancelJournalHooks();
    PostThreadMessageA(Current().threadId, WM_CANCELJOURNAL, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
    ExpectOneWatch("after cancellation notices");

    Quit();
    EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD), 0);
    EXPECT_EQ(InstalledHookCount(WH_KEYBOARD_LL), 0);
    EXPECT_TRUE(Current().messageBoxes.empty()) << "a refused hook is not reported";
}

TEST_P(KeyboardWatch, LowLevelHookOnlyWhereJournalHooksAreRefused)
{
    Start();
    ConfirmDialog();
    Quit();
    bool lowLevelEverInstalled = false;
    for (const standin::Hook& hook : Current().hooks) {
        lowLevelEverInstalled = lowLevelEverInstalled || hook.type == WH_KEYBOARD_LL;
        if (hook.type == WH_KEYBOARD_LL) {
            EXPECT_EQ(hook.thread, 0u) << "the low-level hook is global";
            EXPECT_NE(hook.module, nullptr) << "installed with velk_kh's module";
        }
    }
    EXPECT_EQ(lowLevelEverInstalled, GetParam().journalRefused && !GetParam().lowLevelRefused);
}

INSTANTIATE_TEST_SUITE_P(Platforms, KeyboardWatch, ::testing::ValuesIn(platformCases), RowName<PlatformCase>);

}  // namespace
