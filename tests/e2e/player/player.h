// The test player: a stand-in for the media player, run under Wine, that
// loads the real gen_velk.dll and velk_kh.dll and checks what they do.
#pragma once

#include "host.h"

// Stops the scenario with a message naming the current step.
void Fail(const char* format, ...);
// Names the step that a later failure belongs to, and logs it.
void Step(const char* name);
// Fails the step unless `ok`; the message says what was expected.
void Check(bool ok, const char* format, ...);

// How long one wait of a step may take. Wine runs emulated on some
// machines, so this is generous; a passing step never waits it out.
const DWORD StepTimeoutMs = 30000;

// Runs the thread's messages until `done` or the step's time is up.
bool PumpUntil(bool (*done)());
// Runs the thread's messages that are already waiting, and a little more.
void PumpBriefly();

// --- The player's windows ---
struct PlayerState {
    HWND mainWindow;
    HWND otherWindow;  // "another program": a top-level window with an edit
    HWND edit;
    int isPlaying;     // the answer to the is-playing query
    int prevCommands;  // previous / next track commands received
    int nextCommands;
    int editKeyDowns;  // key messages the focused edit received
    int editKeyUps;
    UINT editLastKey;
    char iniPath[MAX_PATH];  // the answer to the INI-path query
};
extern PlayerState player;

void CreatePlayerWindows();
WNDPROC PlayerWindowProc();
void FocusOtherWindow();
void ResetCounts();

// --- Input, through the platform's own input queue ---
void PressKey(UINT vk);
void ReleaseKey(UINT vk);
// Waits until the focused edit has seen `count` releases in all.
void WaitForEditKeyUps(int count);
void WaitForEditKeyDowns(int count);

// A DLL's export as the function type it has. A cast through void (*)()
// tells the compiler the type change is meant.
typedef void (*AnyFunction)();
template <typename Function>
Function ExportOf(HMODULE module, const char* name)
{
    FARPROC proc = GetProcAddress(module, name);
    Check(proc != nullptr, "the DLL has no export %s", name);
    return reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(proc));
}

// --- The plug-in, loaded the way the player loads it ---
extern PluginRecord* plugin;
extern HMODULE pluginModule;
void LoadPlugin();
void UnloadPlugin();
// The folder of the test player's executable, with a trailing backslash.
const char* PlayerFolder();

// --- The configuration dialog, driven from a second thread ---
typedef void (*DialogScript)(HWND dialog);
// Calls onConfig while `script` drives the dialog it opens.
void RunConfigDialog(const char* name, DialogScript script);
void SetDialogText(HWND dialog, int id, const char* text);
void ExpectDialogText(HWND dialog, int id, const char* text);
bool IsChecked(HWND dialog, int id);
void ClickButton(HWND dialog, int id);
// Waits for a message box with this text, then dismisses it with OK.
void DismissMessageBox(const char* text);
void ExpectDialogClosed(HWND dialog);
void ExpectDialogOpen(HWND dialog);

// --- Scenarios ---
int RunScenario(const char* name);
void CheckVersionResources();
void CheckFixedVersion(const char* path, char* data, DWORD capacity);

// --- The installer, into a copy of this program named winamp.exe ---
void SetupInstall();
void SetupInstallInUse();
void SetupInstallIntoRecordedFolder();
void SetupUninstall();
void SetupRefuseFolder();
