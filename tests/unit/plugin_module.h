// gen_velk loaded as the player loads it: by full path, through the stand-in's
// loader (which brings velk_kh in through gen_velk's imports), its record
// fetched through the export and filled in with the player's window and the
// plug-in's module. Every test gets fresh module state.
#pragma once

#include "../../plugin/host.h"
#include "standin.h"

struct PluginModule {
    HMODULE module = nullptr;
    PluginRecord* record = nullptr;
};

// Loads gen_velk.dll and fills in its record for `playerWindow`; does not call
// onInit. Fails the test if the export or the record is missing.
PluginModule LoadPlugin(HWND playerWindow);
// Frees gen_velk.dll and checks that neither DLL is left loaded.
void UnloadPlugin(PluginModule& plugin);
