#include "plugin_module.h"

#include <gtest/gtest.h>

PluginModule LoadPlugin(HWND playerWindow)
{
    standin::Current().applicationFolder = NATIVE_DLL_DIR;
    PluginModule plugin;
    plugin.module = LoadLibraryA(NATIVE_DLL_DIR "/gen_velk.dll");
    EXPECT_NE(plugin.module, nullptr);
    if (plugin.module == nullptr)
        return plugin;
    typedef PluginRecord* (*GetPlugin)();
    FARPROC proc = GetProcAddress(plugin.module, PLUGIN_RECORD_EXPORT_NAME);
    EXPECT_NE(proc, nullptr) << "gen_velk.dll does not export " PLUGIN_RECORD_EXPORT_NAME;
    if (proc == nullptr)
        return plugin;
    plugin.record = reinterpret_cast<GetPlugin>(reinterpret_cast<void (*)()>(proc))();
    EXPECT_NE(plugin.record, nullptr);
    if (plugin.record == nullptr)
        return plugin;
    EXPECT_EQ(plugin.record->headerVersion, PluginHeaderVersion);
    EXPECT_STREQ(plugin.record->description, "Tarnwick v1.0");
    plugin.record->parentWindow = playerWindow;
    plugin.record->moduleHandle = plugin.module;
    return plugin;
}

void UnloadPlugin(PluginModule& plugin)
{
    if (plugin.module != nullptr)
        FreeLibrary(plugin.module);
    plugin = PluginModule();
    EXPECT_FALSE(standin::IsModuleLoaded("gen_velk.dll")) << "gen_velk.dll still loaded";
    EXPECT_FALSE(standin::IsModuleLoaded("velk_kh.dll")) << "velk_kh.dll still loaded";
}
