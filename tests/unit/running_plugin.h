// A fixture with the player's window, its INI file in a folder of the test's
// own, and gen_velk loaded as the player loads it. Start() runs onInit,
// Quit() onQuit; the fixture quits and unloads whatever is left.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "fake_player.h"
#include "plugin_module.h"
#include "standin.h"
#include "temp_folder.h"

class RunningPlugin : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::Reset();
        standin::Current().windowsFolder = folder.MakeFolder("windows");
        iniFile = folder.MakeFolder("player") + "/winamp.ini";
        CreatePlayerWindow();
        Player().iniPath = iniFile.c_str();
        plugin = LoadPlugin(Player().window);
    }
    void TearDown() override
    {
        if (started && !quit)
            Quit();
        UnloadPlugin(plugin);
    }

    void Start()
    {
        ASSERT_NE(plugin.record, nullptr);
        started = true;
        EXPECT_EQ(plugin.record->onInit(), 0);
    }
    void Quit()
    {
        quit = true;
        plugin.record->onQuit();
    }
    TempFolder folder;
    std::string iniFile;
    PluginModule plugin;
    bool started = false;
    bool quit = false;
};

// The settings section as SaveSettings writes it into a file of its own.
inline std::string Section(const char* enabled, const char* ptvKey, const char* ntvKey)
{
    return std::string("[Tarnwick]\r\nBEN=") + enabled + "\r\nPT=" + ptvKey + "\r\nNT=" + ntvKey + "\r\n";
}

// A parameterised test's name from its row's `name`, in the characters
// GoogleTest allows.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& param)
{
    std::string name = param.param.name;
    for (char& c : name)
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}
