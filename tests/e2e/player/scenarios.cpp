// The scenarios: each starts a fresh player process and shows one behaviour
// of the real DLLs. Steps stop at the first failure and name themselves.
#include <cstdio>

#include "player.h"
#include "resource.h"

static char iniFile[MAX_PATH];

// Writes the settings the plug-in will find at start-up; "" leaves a key out.
static void WriteIni(const char* scenario, const char* ben, const char* pt, const char* nt)
{
    wsprintfA(iniFile, "%s%s.ini", PlayerFolder(), scenario);
    DeleteFileA(iniFile);
    lstrcpyA(player.iniPath, iniFile);
    if (ben[0] != '\0')
        WritePrivateProfileStringA("Tarnwick", "BEN", ben, iniFile);
    if (pt[0] != '\0')
        WritePrivateProfileStringA("Tarnwick", "PT", pt, iniFile);
    if (nt[0] != '\0')
        WritePrivateProfileStringA("Tarnwick", "NT", nt, iniFile);
}

static void ExpectIni(const char* key, int expected)
{
    UINT actual = GetPrivateProfileIntA("Tarnwick", key, 9999, iniFile);
    Check(actual == static_cast<UINT>(expected), "the INI file holds %s=%u, expected %d", key, actual, expected);
}

static bool IsOwnProcedure()
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(player.mainWindow, GWLP_WNDPROC)) == PlayerWindowProc();
}

static void StartPlugin()
{
    LoadPlugin();
    Step("onInit");
    Check(plugin->onInit() == 0, "onInit did not return 0");
    Check(!IsOwnProcedure(), "onInit left the player's window procedure in place");
    FocusOtherWindow();
}

static void StopPlugin()
{
    Step("onQuit");
    plugin->onQuit();
    Check(IsOwnProcedure(), "after onQuit the player's window procedure is not its own again");
}

// One row: a key goes down and up on the other program's edit; the player
// must have received exactly these commands, and the edit both key messages.
struct KeyRow {
    const char* name;
    int playing;
    UINT key;
    int prev;
    int next;
};

static void TapKeys(const KeyRow* rows, int count)
{
    for (int i = 0; i < count; ++i) {
        const KeyRow& row = rows[i];
        Step(row.name);
        ResetCounts();
        player.isPlaying = row.playing;
        PressKey(row.key);
        WaitForEditKeyDowns(1);
        Check(player.prevCommands == 0 && player.nextCommands == 0,
              "the key press alone gave %d previous / %d next commands, expected none", player.prevCommands,
              player.nextCommands);
        ReleaseKey(row.key);
        WaitForEditKeyUps(1);
        Check(player.editLastKey == row.key, "the edit received key 0x%02X, expected 0x%02X", player.editLastKey,
              row.key);
        Check(player.prevCommands == row.prev && player.nextCommands == row.next,
              "got %d previous / %d next commands, expected %d / %d", player.prevCommands, player.nextCommands,
              row.prev, row.next);
    }
}
#define TAP(rows) TapKeys(rows, sizeof rows / sizeof rows[0])

static const KeyRow DefaultKeys[] = {
    {"release F9 while playing gives one next", 1, VK_F9, 0, 1},
    {"release F8 while playing gives one previous", 1, VK_F8, 1, 0},
    {"release F9 while stopped gives nothing", 0, VK_F9, 0, 0},
    {"release F8 while stopped gives nothing", 0, VK_F8, 0, 0},
    {"release F7, not configured, gives nothing", 1, VK_F7, 0, 0},
};

static const KeyRow InertKeys[] = {
    {"release F9 gives nothing", 1, VK_F9, 0, 0},
    {"release F8 gives nothing", 1, VK_F8, 0, 0},
};

static void DefaultKeysScenario()
{
    WriteIni("keys", "1", "", "");
    StartPlugin();
    TAP(DefaultKeys);

    Step("hold F9 with repeats: one next, on release");
    ResetCounts();
    player.isPlaying = 1;
    for (int i = 0; i < 3; ++i)
        PressKey(VK_F9);
    WaitForEditKeyDowns(3);
    Check(player.nextCommands == 0, "a held key gave %d commands before its release", player.nextCommands);
    ReleaseKey(VK_F9);
    WaitForEditKeyUps(1);
    Check(player.nextCommands == 1 && player.prevCommands == 0, "got %d previous / %d next, expected 0 / 1",
          player.prevCommands, player.nextCommands);

    Step("WM_CANCELJOURNAL posted to the player's thread");
    PostThreadMessageA(GetCurrentThreadId(), WM_CANCELJOURNAL, 0, 0);
    PumpBriefly();
    static const KeyRow AfterCancel[] = {
        {"after WM_CANCELJOURNAL, F9 still gives exactly one next", 1, VK_F9, 0, 1},
        {"after WM_CANCELJOURNAL, F8 still gives exactly one previous", 1, VK_F8, 1, 0},
    };
    TAP(AfterCancel);

    StopPlugin();
    static const KeyRow AfterQuit[] = {
        {"after onQuit, F9 gives nothing", 1, VK_F9, 0, 0},
        {"after onQuit, F8 gives nothing", 1, VK_F8, 0, 0},
    };
    TAP(AfterQuit);
    Step("after onQuit the INI file holds the settings");
    ExpectIni("BEN", 1);
    ExpectIni("PT", VK_F8);
    ExpectIni("NT", VK_F9);
    UnloadPlugin();
}

static void IniKeysScenario()
{
    WriteIni("ini-keys", "1", "114", "117");  // F3, F6
    StartPlugin();
    static const KeyRow Rows[] = {
        {"release F3 (PT=114) gives one previous", 1, VK_F3, 1, 0},
        {"release F6 (NT=117) gives one next", 1, VK_F6, 0, 1},
        {"release F8, no longer configured, gives nothing", 1, VK_F8, 0, 0},
        {"release F9, no longer configured, gives nothing", 1, VK_F9, 0, 0},
    };
    TAP(Rows);
    StopPlugin();
    Step("after onQuit the INI file holds the settings");
    ExpectIni("BEN", 1);
    ExpectIni("PT", VK_F3);
    ExpectIni("NT", VK_F6);
    UnloadPlugin();
}

static void DisabledScenario()
{
    WriteIni("disabled", "0", "", "");
    StartPlugin();
    TAP(InertKeys);
    StopPlugin();
    Step("after onQuit the INI file holds the settings");
    ExpectIni("BEN", 0);
    ExpectIni("PT", VK_F8);
    ExpectIni("NT", VK_F9);
    UnloadPlugin();
}

// --- The dialog ---

static void ChangeKeys(HWND dialog)
{
    Check(IsChecked(dialog, IDC_ENABLE), "\"Enable this plugin\" is not ticked with BEN=1");
    ExpectDialogText(dialog, IDC_ENABLE, "Enable this plugin");
    ExpectDialogText(dialog, IDC_PREV_KEY, "F8");
    ExpectDialogText(dialog, IDC_NEXT_KEY, "F9");
    SetDialogText(dialog, IDC_PREV_KEY, "f3");
    SetDialogText(dialog, IDC_NEXT_KEY, "F04");
    ClickButton(dialog, IDOK);
    ExpectDialogClosed(dialog);
}

static void RejectEntry(HWND dialog)
{
    ExpectDialogText(dialog, IDC_PREV_KEY, "F3");
    SetDialogText(dialog, IDC_PREV_KEY, "F13");
    ClickButton(dialog, IDOK);
    DismissMessageBox("You can only assign F1..F12!");
    ExpectDialogOpen(dialog);
    ExpectDialogText(dialog, IDC_PREV_KEY, "F3");
    ClickButton(dialog, IDCANCEL);
    ExpectDialogClosed(dialog);
}

static void ClashingEntry(HWND dialog)
{
    SetDialogText(dialog, IDC_PREV_KEY, "F4");
    ClickButton(dialog, IDOK);
    DismissMessageBox("You can't assign the same key to these fields!");
    ExpectDialogOpen(dialog);
    ExpectDialogText(dialog, IDC_PREV_KEY, "F3");
    ClickButton(dialog, IDCANCEL);
    ExpectDialogClosed(dialog);
}

static void Untick(HWND dialog)
{
    ClickButton(dialog, IDC_ENABLE);
    ClickButton(dialog, IDOK);
    ExpectDialogClosed(dialog);
}

static void DialogScenario()
{
    WriteIni("dialog", "1", "", "");
    StartPlugin();

    RunConfigDialog("dialog: F3 / F4 typed as \"f3\" / \"F04\", OK", ChangeKeys);
    Step("the changed keys are saved at once");
    ExpectIni("BEN", 1);
    ExpectIni("PT", VK_F3);
    ExpectIni("NT", VK_F4);
    FocusOtherWindow();
    static const KeyRow Changed[] = {
        {"release F3 gives one previous at once", 1, VK_F3, 1, 0},
        {"release F4 gives one next at once", 1, VK_F4, 0, 1},
        {"release F8, replaced, gives nothing", 1, VK_F8, 0, 0},
    };
    TAP(Changed);

    RunConfigDialog("dialog: \"F13\" is rejected", RejectEntry);
    RunConfigDialog("dialog: F4 in both fields is refused", ClashingEntry);
    FocusOtherWindow();
    static const KeyRow Unchanged[] = {
        {"after the refused entries, F3 still gives previous", 1, VK_F3, 1, 0},
        {"after the refused entries, F4 still gives next", 1, VK_F4, 0, 1},
    };
    TAP(Unchanged);

    RunConfigDialog("dialog: untick \"Enable this plugin\", OK", Untick);
    Step("the unticked box is saved");
    ExpectIni("BEN", 0);
    FocusOtherWindow();
    static const KeyRow Unticked[] = {
        {"unticked: F3 gives nothing", 1, VK_F3, 0, 0},
        {"unticked: F4 gives nothing", 1, VK_F4, 0, 0},
    };
    TAP(Unticked);
    StopPlugin();
    UnloadPlugin();
}

// --- The low-level keyboard hook, installed by the player itself ---

static void LowLevelHookScenario()
{
    Step("load velk_kh.dll and install its LowLevelKeyboardProc");
    HMODULE velk = LoadLibraryA("velk_kh.dll");
    Check(velk != nullptr, "LoadLibraryA(velk_kh.dll) failed with error %lu", GetLastError());
    typedef void (*SetWindow)(HWND);
    typedef void (*SetHook)(HHOOK);
    SetWindow setWinampHwnd = ExportOf<SetWindow>(velk, "_Z13SetWinampHwndP6HWND__");
    SetHook setHookResource = ExportOf<SetHook>(velk, "_Z15SetHookResourceP7HHOOK__");
    HOOKPROC proc = ExportOf<HOOKPROC>(velk, "_Z20LowLevelKeyboardProcijl@12");
    setWinampHwnd(player.mainWindow);
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, proc, velk, 0);
    Check(hook != nullptr, "SetWindowsHookExA(WH_KEYBOARD_LL) failed with error %lu", GetLastError());
    setHookResource(hook);
    FocusOtherWindow();
    TAP(DefaultKeys);
    Step("remove the low-level hook");
    Check(UnhookWindowsHookEx(hook) != FALSE, "UnhookWindowsHookEx failed");
    FreeLibrary(velk);
}

// --- Holding the dialog open for a screenshot ---

static char markerPath[MAX_PATH];

static bool FileExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// Writes the dialog's screen rectangle to dialog-shown.txt, then waits for
// screenshot-taken.txt before closing the dialog.
static void HoldForScreenshot(HWND dialog)
{
    ExpectDialogText(dialog, IDC_PREV_KEY, "F8");
    RECT rect;
    GetWindowRect(dialog, &rect);
    char text[64];
    int length = wsprintfA(text, "%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                           rect.top);
    wsprintfA(markerPath, "%sdialog-shown.txt", PlayerFolder());
    HANDLE file = CreateFileA(markerPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
    wsprintfA(markerPath, "%sscreenshot-taken.txt", PlayerFolder());
    DWORD start = GetTickCount();
    while (!FileExists(markerPath) && GetTickCount() - start < 10 * StepTimeoutMs)
        Sleep(50);
    ClickButton(dialog, IDCANCEL);
    ExpectDialogClosed(dialog);
}

static void ShowDialogScenario()
{
    WriteIni("show-dialog", "1", "", "");
    StartPlugin();
    RunConfigDialog("dialog held open for a screenshot", HoldForScreenshot);
    StopPlugin();
    UnloadPlugin();
}

struct Scenario {
    const char* name;
    void (*run)();
    bool withPlayerWindows;  // the installer's scenarios start their own players
};

static const Scenario Scenarios[] = {
    {"keys", DefaultKeysScenario, true},
    {"ini-keys", IniKeysScenario, true},
    {"disabled", DisabledScenario, true},
    {"dialog", DialogScenario, true},
    {"low-level-hook", LowLevelHookScenario, true},
    {"versions", CheckVersionResources, true},
    {"show-dialog", ShowDialogScenario, true},
    {"setup-refuse-folder", SetupRefuseFolder, false},
    {"setup-install", SetupInstall, false},
    {"setup-install-in-use", SetupInstallInUse, false},
    {"setup-install-recorded-folder", SetupInstallIntoRecordedFolder, false},
    {"setup-uninstall", SetupUninstall, false},
};

int RunScenario(const char* name)
{
    for (const Scenario& scenario : Scenarios) {
        if (lstrcmpA(scenario.name, name) != 0)
            continue;
        printf("scenario %s\n", name);
        if (scenario.withPlayerWindows)
            CreatePlayerWindows();
        scenario.run();
        printf("scenario %s passed\n", name);
        return 0;
    }
    printf("unknown scenario \"%s\"\n", name);
    return 2;
}
