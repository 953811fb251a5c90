// gen_velk's settings: read from the player's INI file at start-up, acted on,
// and written back at shut-down exactly as they are in memory.
#include <gtest/gtest.h>

#include "running_plugin.h"

using standin::Current;
using standin::InstalledHookCount;

namespace {

const BYTE F1 = 0x70, F2 = 0x71, F8 = 0x77, F9 = 0x78;

class Settings : public RunningPlugin {};

struct StartCase {
    const char* name;
    const char* ini;  // null: no file
    int journalHooks;  // armed at start-up or not
    std::string saved;  // the file after onQuit
};

const StartCase startCases[] = {
    {"BEN 1 arms", "[Tarnwick]\r\nBEN=1\r\nPT=112\r\nNT=113\r\n", 1, Section("1", "112", "113")},
    {"BEN 0: only the cancel watch", "[Tarnwick]\r\nBEN=0\r\nPT=112\r\nNT=113\r\n", 0,
     Section("0", "112", "113")},
    {"BEN 2 counts as off", "[Tarnwick]\r\nBEN=2\r\n", 0, Section("2", "119", "120")},
    {"no file keeps 0 / 119 / 120", nullptr, 0, Section("0", "119", "120")},
    {"no section keeps 0 / 119 / 120", "[Other]\r\nBEN=1\r\n", 0,
     "[Other]\r\nBEN=1\r\n" + Section("0", "119", "120")},
    {"garbage read as Windows reads it", "[tarnwick]\r\nBEN= 1x \r\nPT=-1\r\nNT=abc\r\n", 1,
     "[tarnwick]\r\nBEN=1\r\nPT=-1\r\nNT=0\r\n"},
    {"overflow wraps", "[Tarnwick]\r\nPT=4294967361\r\n", 0, "[Tarnwick]\r\nPT=65\r\nBEN=0\r\nNT=120\r\n"},
    {"equal keys kept", "[Tarnwick]\r\nPT=120\r\n", 0, "[Tarnwick]\r\nPT=120\r\nBEN=0\r\nNT=120\r\n"},
};

void PrintTo(const StartCase& row, std::ostream* out) { *out << row.name; }

// One row per test: each starts from a freshly loaded module.
class SettingsAtStartUp : public RunningPlugin, public ::testing::WithParamInterface<StartCase> {};

TEST_P(SettingsAtStartUp, AreActedOnAndSavedBack)
{
    const StartCase& row = GetParam();
    if (row.ini != nullptr)
        WriteFile(iniFile, row.ini);
    Start();
    EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD), row.journalHooks);
    EXPECT_EQ(InstalledHookCount(WH_KEYBOARD_LL), 0);
    EXPECT_EQ(InstalledHookCount(WH_GETMESSAGE), 1) << "the cancel watch runs whatever BEN says";
    Quit();
    EXPECT_EQ(Visible(ReadFile(iniFile)), Visible(row.saved));
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsAtStartUp, ::testing::ValuesIn(startCases), RowName<StartCase>);

TEST_F(Settings, ArmedWithTheKeysFromTheFile)
{
    WriteFile(iniFile, "[Tarnwick]\r\nBEN=1\r\nPT=112\r\nNT=113\r\n");
    Start();
    standin::TapKey(F8);
    standin::TapKey(F9);
    standin::TapKey(F1);
    standin::TapKey(F2);
    EXPECT_EQ(Describe(Player().commands), Describe({TrackCommand::Previous, TrackCommand::Next}));
}

TEST_F(Settings, WithoutAPathTheFileIsWinampIniInTheWindowsFolder)
{
    Player().iniPath = nullptr;
    std::string windowsIni = Current().windowsFolder + "/winamp.ini";
    WriteFile(windowsIni, "[Tarnwick]\r\nBEN=1\r\nPT=65\r\n");
    Start();
    EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD), 1);
    Quit();
    EXPECT_EQ(Visible(ReadFile(windowsIni)), Visible(Section("1", "65", "120")));
    EXPECT_EQ(ReadFile(iniFile), "<missing>");
}

TEST_F(Settings, FailedWritesAreIgnored)
{
    WriteFile(iniFile, "[Tarnwick]\r\nBEN=1\r\n");
    Start();
    Current().failures.profileWrite = {2, ERROR_ACCESS_DENIED};
    Quit();
    // Only the last of the three writes got through; nothing was reported.
    EXPECT_EQ(Visible(ReadFile(iniFile)), Visible("[Tarnwick]\r\nBEN=1\r\nNT=120\r\n"));
    EXPECT_TRUE(Current().messageBoxes.empty());
    EXPECT_EQ(InstalledHookCount(WH_JOURNALRECORD) + InstalledHookCount(WH_GETMESSAGE), 0);
}

}  // namespace
