// Settings in the section "Tarnwick" of the player's INI file, as decimal
// numbers. Nothing here is reported: a failed read keeps the value in memory,
// a failed write is ignored.
#include "settings.h"

#include "host.h"

Settings settings = {0, VK_F8, VK_F9};
const char* iniPath;

static const char SettingsSection[] = "Tarnwick";
static const char EnabledKey[] = "BEN";
static const char PrevTrackKey[] = "PT";
static const char NextTrackKey[] = "NT";
// Used when the player gives no path; the profile functions resolve it in
// the Windows folder.
static const char DefaultIniFile[] = "winamp.ini";

// Answers below 0x10000 are no address: the player did not answer.
static const ULONG_PTR LowestAddress = 0x10000;

static UINT ReadSetting(const char* key, UINT current)
{
    return GetPrivateProfileIntA(SettingsSection, key, static_cast<INT>(current), iniPath);
}

void LoadSettings(HWND player)
{
    LRESULT answer = SendHostMessage(player, HostQueryIniFile);
    if (static_cast<ULONG_PTR>(answer) < LowestAddress)
        iniPath = DefaultIniFile;
    else
        iniPath = reinterpret_cast<const char*>(answer);
    settings.enabled = static_cast<int>(ReadSetting(EnabledKey, static_cast<UINT>(settings.enabled)));
    settings.ptvKey = ReadSetting(PrevTrackKey, settings.ptvKey);
    settings.ntvKey = ReadSetting(NextTrackKey, settings.ntvKey);
}

static void WriteSetting(const char* key, int value)
{
    char text[32];
    wsprintfA(text, "%d", value);
    WritePrivateProfileStringA(SettingsSection, key, text, iniPath);
}

void SaveSettings()
{
    WriteSetting(EnabledKey, settings.enabled);
    WriteSetting(PrevTrackKey, static_cast<int>(settings.ptvKey));
    WriteSetting(NextTrackKey, static_cast<int>(settings.ntvKey));
}
