// The plug-in's three settings, kept in the player's INI file.
#pragma once

#include "../hooklib/velk_kh.h"

struct Settings {
    int enabled;  // exactly 1 means active
    ShortcutKey ptvKey;
    ShortcutKey ntvKey;
};

// In processes where the plug-in was only injected by the message hook,
// LoadSettings never runs and `enabled` stays 0.
extern Settings settings;
extern const char* iniPath;

// Reads the settings from the player's INI file; what is missing keeps the
// value in memory. Asks `player` for the file's path.
void LoadSettings(HWND player);
void SaveSettings();
