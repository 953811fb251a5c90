// gen_velk's lifecycle: the journal hook armed, cancelled by the platform and
// re-armed by the cancel watch; the watch in processes where onInit never
// ran; shut-down; and the two failures it reports.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "running_plugin.h"

using standin::Current;
using standin::InstalledHookCount;

namespace {

const BYTE F9 = 0x78;

class Lifecycle : public RunningPlugin {
protected:
    static HMODULE VelkKh()
    {
        HMODULE module = LoadLibraryA("velk_kh.dll");
        FreeLibrary(module);
        return module;
    }
    static const standin::Hook* InstalledHook(int type)
    {
        for (const standin::Hook& hook : Current().hooks) {
            if (hook.installed && hook.type == type)
                return &hook;
        }
        return nullptr;
    }
    static size_t HooksEverInstalled(int type)
    {
        size_t count = 0;
        for (const standin::Hook& hook : Current().hooks)
            count += hook.type == type;
        return count;
    }
};

enum class Take { Get, PeekKeeping, PeekRemoving };

struct CancelCase {
    const char* name;
    std::vector<Take> takes;
};

bool TakeMessage(Take take, MSG* msg)
{
    switch (take) {
    case Take::Get: return GetMessageA(msg, nullptr, 0, 0) > 0;
    case Take::PeekKeeping: return PeekMessageA(msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
    case Take::PeekRemoving: return PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
    }
    return false;
}

TEST_F(Lifecycle, CancelledWhileEnabledLeavesExactlyOneJournalHook)
{
    WriteFile(iniFile, "[Tarnwick]\r\nBEN=1\r\n");
    Start();
    ASSERT_EQ(InstalledHookCount(WH_JOURNALRECORD), 1);
    HOOKPROC journalProc = InstalledHook(WH_JOURNALRECORD)->proc;

    const CancelCase cases[] = {
        {"retrieved", {Take::Get}},
        {"peeked with removal", {Take::PeekRemoving}},
        {"peeked, then retrieved", {Take::PeekKeeping, Take::Get}},
        {"peeked twice, then retrieved", {Take::PeekKeeping, Take::PeekKeeping, Take::Get}},
    };
    for (const CancelCase& row : cases) {
        SCOPED_TRACE(row.name);
        size_t installedBefore = HooksEverInstalled(WH_JOURNALRECORD);
        standin::CancelJournalHooks();
        ASSERT_EQ(InstalledHookCount(WH_JOURNALRECORD), 0);
        for (Take take : row.takes) {
            MSG msg = {};
            ASSERT_TRUE(TakeMessage(take, &msg));
            EXPECT_EQ(msg.message, static_cast<UINT>(WM_CANCELJOURNAL));
            EXPECT_EQ(msg.hwnd, nullptr);
            EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD), 1);
        }
        EXPECT_TRUE(Current().postedMessages.empty());
        // Every sighting re-arms, a peek included.
        EXPECT_EQ(HooksEverInstalled(WH_JOURNALRECORD), installedBefore + row.takes.size());
        EXPECT_EQ(InstalledHookCount(WH_KEYBOARD_LL), 0);

        const standin::Hook* hook = InstalledHook(WH_JOURNALRECORD);
        EXPECT_EQ(hook->proc, journalProc);
        EXPECT_EQ(hook->module, VelkKh());
        // velk_kh was handed the new handle: it passes notifications on with it.
        Current().nextHookCalls.clear();
        standin::NotifySysModal(true);
        standin::NotifySysModal(false);
        ASSERT_EQ(Current().nextHookCalls.size(), 2u);
        EXPECT_EQ(Current().nextHookCalls[0].hook, hook->handle);
        Player().commands.clear();
        standin::TapKey(F9);
        EXPECT_EQ(Describe(Player().commands), Describe({TrackCommand::Next}));
    }
}

TEST_F(Lifecycle, CancelJournalWhileDisabledArmsNothing)
{
    WriteFile(iniFile, "[Tarnwick]\r\nBEN=0\r\n");
    Start();
    size_t hooks = Current().hooks.size();
    // No journal hook to cancel, so the platform would post nothing: post it here.
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_CANCELJOURNAL, 0, 0));
    MSG msg = {};
    ASSERT_TRUE(TakeMessage(Take::PeekKeeping, &msg));
    ASSERT_TRUE(TakeMessage(Take::Get, &msg));
    EXPECT_EQ(Current().hooks.size(), hooks);
    EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD) + InstalledHookCount(WH_KEYBOARD_LL), 0);
}

// The next hook of a chain: records what reached it and answers 42.
std::vector<UINT> passedOn;
LRESULT CALLBACK NextHookProc(int, WPARAM, LPARAM lParam)
{
    passedOn.push_back(reinterpret_cast<const MSG*>(lParam)->message);
    return 42;
}

// The same procedure in another loaded instance of the procedure's module.
HOOKPROC InInstance(HOOKPROC proc, HMODULE instance)
{
    Dl_info original = {};
    Dl_info other = {};
    FARPROC anyExport = GetProcAddress(instance, PLUGIN_RECORD_EXPORT_NAME);
    if (dladdr(reinterpret_cast<void*>(proc), &original) == 0 || dladdr(reinterpret_cast<void*>(anyExport), &other) == 0)
        return nullptr;
    std::ptrdiff_t offset = reinterpret_cast<char*>(proc) - static_cast<char*>(original.dli_fbase);
    return reinterpret_cast<HOOKPROC>(static_cast<char*>(other.dli_fbase) + offset);
}

// Another process on the desktop: the platform loaded gen_velk there only to
// run the global cancel watch, and onInit never ran. A second file of the DLL
// is a separate instance with its own, initial, state.
TEST_F(Lifecycle, WhereOnInitNeverRanTheWatchOnlyPassesMessagesOn)
{
    WriteFile(iniFile, "[Tarnwick]\r\nBEN=1\r\n");
    Start();
    std::string copy = folder.Join("gen_velk.dll");
    std::filesystem::copy_file(NATIVE_DLL_DIR "/gen_velk.dll", copy);
    HMODULE injected = LoadLibraryA(copy.c_str());
    ASSERT_NE(injected, nullptr);
    ASSERT_NE(injected, plugin.module);
    HOOKPROC watch = InInstance(InstalledHook(WH_GETMESSAGE)->proc, injected);
    ASSERT_NE(watch, nullptr);

    // That process's chain: the injected watch, then whatever comes next.
    HHOOK next = SetWindowsHookExA(WH_GETMESSAGE, NextHookProc, injected, 0);
    HHOOK injectedWatch = SetWindowsHookExA(WH_GETMESSAGE, watch, injected, 0);
    size_t hooks = Current().hooks.size();
    const UINT messages[] = {WM_CANCELJOURNAL, WM_NULL, WM_KEYDOWN, WM_USER};
    for (UINT message : messages) {
        SCOPED_TRACE("message " + std::to_string(message));
        passedOn.clear();
        Current().nextHookCalls.clear();
        ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), message, 1, 2));
        MSG msg = {};
        ASSERT_TRUE(TakeMessage(Take::PeekKeeping, &msg));
        ASSERT_TRUE(TakeMessage(Take::Get, &msg));
        EXPECT_EQ(msg.message, message);
        EXPECT_EQ(passedOn, std::vector<UINT>({message, message}));
        ASSERT_EQ(Current().nextHookCalls.size(), 2u);
        for (const standin::NextHookCall& call : Current().nextHookCalls) {
            EXPECT_EQ(call.hook, nullptr) << "that process holds no cancel watch handle";
            EXPECT_EQ(call.code, HC_ACTION);
        }
        EXPECT_EQ(Current().nextHookCalls[0].wParam, static_cast<WPARAM>(PM_NOREMOVE));
        EXPECT_EQ(Current().nextHookCalls[1].wParam, static_cast<WPARAM>(PM_REMOVE));
        EXPECT_EQ(Current().hooks.size(), hooks) << "installed a hook";
    }
    Current().nextHookCalls.clear();
    EXPECT_EQ(watch(-1, 3, 4), 0);
    ASSERT_EQ(Current().nextHookCalls.size(), 1u);
    EXPECT_EQ(Current().nextHookCalls[0].hook, nullptr);
    EXPECT_EQ(Current().nextHookCalls[0].code, -1);
    EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD), 1) << "the player's own journal hook stays as it was";

    UnhookWindowsHookEx(injectedWatch);
    UnhookWindowsHookEx(next);
    FreeLibrary(injected);
}

LRESULT CALLBACK EarlierSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return PlayerWindowProc(hwnd, msg, wParam, lParam);
}

LONG_PTR WindowProcOf(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }

TEST_F(Lifecycle, QuitSavesFirstThenReleasesEverything)
{
    WriteFile(iniFile, "[Tarnwick]\r\nBEN=1\r\nPT=121\r\nNT=65\r\n");
    HWND window = Player().window;
    LONG_PTR atStartUp = reinterpret_cast<LONG_PTR>(EarlierSubclass);
    SetWindowLongPtrA(window, GWLP_WNDPROC, atStartUp);
    Start();
    LONG_PTR running = WindowProcOf(window);
    ASSERT_NE(running, atStartUp) << "the player's window is not subclassed";
    Player().playingAnswer = 7;
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 104), 7) << "not passed through";

    struct Moment {
        int hooks;
        LONG_PTR windowProc;
    };
    std::vector<Moment> writes;
    Current().beforeProfileWrite = [&writes, window] {
        writes.push_back({InstalledHookCount(WH_JOURNALRECORD) + InstalledHookCount(WH_GETMESSAGE), WindowProcOf(window)});
    };
    Quit();
    Current().beforeProfileWrite = nullptr;

    ASSERT_EQ(writes.size(), 3u);
    for (const Moment& moment : writes) {
        EXPECT_EQ(moment.hooks, 2) << "saved after the hooks were removed";
        EXPECT_EQ(moment.windowProc, running) << "saved after the window procedure was restored";
    }
    EXPECT_EQ(Visible(ReadFile(iniFile)), Visible(Section("1", "121", "65")));
    for (int type : {WH_JOURNALRECORD, WH_KEYBOARD_LL, WH_GETMESSAGE})
        EXPECT_EQ(InstalledHookCount(type), 0) << "hook type " << type;
    EXPECT_EQ(WindowProcOf(window), atStartUp);
    // The fixture's unload then checks that velk_kh is gone too: the by-name
    // reference was given back.
}

enum class Failing { LoadingVelkKh, CreatingDialog };

struct ReportCase {
    const char* name;
    Failing failing;
    DWORD error;
    const char* systemText;  // replaces the platform's text; null: keep it; "": none
    std::string expected;
};

const char* const PlatformText = nullptr;
const char* const NoText = "";
// Application-defined codes (bit 29) have no system text until a test gives one.
const DWORD CustomCode = 0x20000001;
const std::string VelkKhTail = " (velk_kh.dll).";
const size_t Room = 1023 - VelkKhTail.size();  // for the text, when the tail is " (velk_kh.dll)."
const std::string LongTexts[] = {std::string(Room, 'x'), std::string(Room + 1, 'y'), std::string(5000, 'z')};

const ReportCase reportCases[] = {
    {"velk_kh does not load", Failing::LoadingVelkKh, ERROR_MOD_NOT_FOUND, PlatformText,
     "The specified module could not be found.\r\n (velk_kh.dll)."},
    {"the dialog is not created", Failing::CreatingDialog, ERROR_RESOURCE_NAME_NOT_FOUND, PlatformText,
     "The specified resource name cannot be found in the image file.\r\n (gen_velk.dll)."},
    {"no system text shows the code", Failing::CreatingDialog, ERROR_RESOURCE_DATA_NOT_FOUND, NoText,
     "Error 1812 (gen_velk.dll)."},
    {"a text that just fits", Failing::LoadingVelkKh, CustomCode, LongTexts[0].c_str(), LongTexts[0] + VelkKhTail},
    {"a text one too long loses its last character", Failing::LoadingVelkKh, CustomCode, LongTexts[1].c_str(),
     std::string(Room, 'y') + VelkKhTail},
    {"a far too long text", Failing::LoadingVelkKh, CustomCode, LongTexts[2].c_str(), std::string(Room, 'z') + VelkKhTail},
};

void PrintTo(const ReportCase& row, std::ostream* out) { *out << row.name; }

class ErrorReport : public Lifecycle, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ErrorReport, ShowsTheSystemTextAndTheFailingFile)
{
    const ReportCase& row = GetParam();
    WriteFile(iniFile, "[Tarnwick]\r\nBEN=1\r\n");
    if (row.systemText == NoText)
        Current().systemTexts.erase(row.error);
    else if (row.systemText != PlatformText)
        Current().systemTexts[row.error] = row.systemText;

    if (row.failing == Failing::LoadingVelkKh) {
        Current().failures.loadLibrary = {1, row.error};
        Start();
        // Start-up went on.
        EXPECT_EQ(InstalledHookCount(WH_GETMESSAGE), 1);
        EXPECT_NE(WindowProcOf(Player().window), reinterpret_cast<LONG_PTR>(PlayerWindowProc));
    } else {
        Start();
        Current().failures.dialogBox = {1, row.error};
        plugin.record->onConfig();
    }
    ASSERT_EQ(Current().messageBoxes.size(), 1u);
    const standin::MessageBoxCall& box = Current().messageBoxes[0];
    EXPECT_EQ(Visible(box.text), Visible(row.expected));
    EXPECT_LE(box.text.size(), 1023u);
    EXPECT_EQ(box.caption, "Tarnwick v1.0");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(Current().localBlocks.empty()) << "the system text was not freed";
}

INSTANTIATE_TEST_SUITE_P(Rows, ErrorReport, ::testing::ValuesIn(reportCases), RowName<ReportCase>);

}  // namespace
