// Loads gen_velk.dll as the player does: by full path from its Plugins
// folder, with velk_kh.dll beside the player's executable.
#include "player.h"

PluginRecord* plugin;
HMODULE pluginModule;

const char* PlayerFolder()
{
    static char folder[MAX_PATH];
    if (folder[0] != '\0')
        return folder;
    GetModuleFileNameA(nullptr, folder, MAX_PATH);
    char* lastSlash = folder;
    for (char* c = folder; *c != '\0'; ++c)
        if (*c == '\\')
            lastSlash = c;
    lastSlash[1] = '\0';
    return folder;
}

typedef PluginRecord* (*GetPluginRecord)();

void LoadPlugin()
{
    Step("load Plugins\\gen_velk.dll by full path");
    char path[MAX_PATH];
    wsprintfA(path, "%sPlugins\\gen_velk.dll", PlayerFolder());
    pluginModule = LoadLibraryA(path);
    Check(pluginModule != nullptr, "LoadLibraryA(%s) failed with error %lu", path, GetLastError());

    Step("call winampGetGeneralPurposePlugin and check the record");
    plugin = ExportOf<GetPluginRecord>(pluginModule, PLUGIN_RECORD_EXPORT_NAME)();
    Check(plugin != nullptr, "the record's address is null");
    Check(plugin->headerVersion == PluginHeaderVersion, "headerVersion is 0x%X, expected 0x%X",
          plugin->headerVersion, PluginHeaderVersion);
    Check(plugin->description != nullptr && lstrcmpA(plugin->description, "Tarnwick v1.0") == 0,
          "description is \"%s\", expected \"Tarnwick v1.0\"", plugin->description ? plugin->description : "(null)");
    Check(plugin->onInit && plugin->onConfig && plugin->onQuit, "an entry of the record is null");
    Check(plugin->parentWindow == nullptr && plugin->moduleHandle == nullptr,
          "parentWindow / moduleHandle are not null before the player fills them in");
    plugin->parentWindow = player.mainWindow;
    plugin->moduleHandle = pluginModule;
}

void UnloadPlugin()
{
    FreeLibrary(pluginModule);
    pluginModule = nullptr;
    plugin = nullptr;
}
