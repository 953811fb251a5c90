// What gen_velk's parts share: the record the player filled in, the hooks
// the plug-in holds, and the error report.
#pragma once

#include "host.h"

// The player's main window and gen_velk's own module are read from here.
extern PluginRecord record;

// velk_kh as loaded by name; null if that failed.
extern HMODULE hookLibrary;

// Installs the keyboard watch in velk_kh, replacing one already held.
void ArmJournalHook();
// Removes the keyboard watch, if one is held.
void DisarmJournalHook();
void InstallCancelWatch();
void RemoveCancelWatch();

// Shows the platform's text for the last error in place of the "%s" that
// `format` starts with, in a message box captioned with the description.
void ReportLastError(const char* format);

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
