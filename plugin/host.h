// What Tarnwick relies on from the player: the record it hands over and the
// messages it sends to the player's main window.
#pragma once

#include <cstddef>

#include "platform.h"

// The player keeps this record's address and drives the plug-in through it.
// Every field is 32 bits wide on the player's platform.
struct PluginRecord {
    int headerVersion;
    const char* description;
    int (*onInit)();
    void (*onConfig)();
    void (*onQuit)();
    HWND parentWindow;     // filled in by the player before onInit
    HINSTANCE moduleHandle;  // filled in by the player before onInit
};

// The layout the player reads; only a 32-bit build can be loaded by it.
static_assert(sizeof(void*) != 4 || sizeof(PluginRecord) == 28, "PluginRecord must be seven 32-bit fields");
static_assert(sizeof(void*) != 4 || offsetof(PluginRecord, description) == 4, "description is field 2");
static_assert(sizeof(void*) != 4 || offsetof(PluginRecord, onInit) == 8, "onInit is field 3");
static_assert(sizeof(void*) != 4 || offsetof(PluginRecord, onConfig) == 12, "onConfig is field 4");
static_assert(sizeof(void*) != 4 || offsetof(PluginRecord, onQuit) == 16, "onQuit is field 5");
static_assert(sizeof(void*) != 4 || offsetof(PluginRecord, parentWindow) == 20, "parentWindow is field 6");
static_assert(sizeof(void*) != 4 || offsetof(PluginRecord, moduleHandle) == 24, "moduleHandle is field 7");

// The export the player looks up by name.
#define PLUGIN_RECORD_EXPORT_NAME "winampGetGeneralPurposePlugin"
const int PluginHeaderVersion = 0x10;

// A message to the player's main window, with its fixed parameters.
struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Answers the address of the player's INI path; below 0x10000 means no answer.
const HostMessage HostQueryIniFile = {WM_USER, 0, 334};
// Answers exactly 1 while the player plays.
const HostMessage HostQueryIsPlaying = {WM_USER, 0, 104};
const HostMessage HostCmdPrevTrack = {WM_COMMAND, 40044, 0};
const HostMessage HostCmdNextTrack = {WM_COMMAND, 40048, 0};

inline LRESULT SendHostMessage(HWND hostWindow, const HostMessage& m)
{
    return SendMessageA(hostWindow, m.message, m.wParam, m.lParam);
}
