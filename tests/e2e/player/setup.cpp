// The installer, run silently the way an administrator would run it, into a
// folder whose player is a copy of this program named winamp.exe.
#include "player.h"
#include "release.h"

static const char PlayerFolderName[] = "setup-player";
static const char EmptyFolderName[] = "setup-no-player";
// Winamp records its folder as this key's default value.
static const char PlayerKey[] = "Software\\Winamp";
static const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" RELEASE_NAME;
// What an older gen_velk.dll holds in these tests: any other content will do.
static const char OlderPlugin[] = "gen_velk.dll of another version";

// Installer and player runs take minutes where Wine runs emulated.
static const DWORD ProcessTimeoutMs = 20 * StepTimeoutMs;

static void PathIn(char* path, const char* folder, const char* file)
{
    wsprintfA(path, "%s%s\\%s", PlayerFolder(), folder, file);
}

static bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

static void RemoveTree(const char* folder)
{
    char pattern[MAX_PATH];
    wsprintfA(pattern, "%s\\*", folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (lstrcmpA(found.cFileName, ".") == 0 || lstrcmpA(found.cFileName, "..") == 0)
            continue;
        char path[MAX_PATH];
        wsprintfA(path, "%s\\%s", folder, found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileA(path);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    RemoveDirectoryA(folder);
}

static void WriteTextFile(const char* path, const char* text)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    Check(file != INVALID_HANDLE_VALUE, "could not create %s: error %lu", path, GetLastError());
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(lstrlenA(text)), &written, nullptr);
    CloseHandle(file);
}

static bool FileStartsWith(const char* path, const char* text)
{
    char head[64] = {};
    DWORD length = static_cast<DWORD>(lstrlenA(text));
    if (length >= sizeof head)
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD read = 0;
    ReadFile(file, head, length, &read, nullptr);
    CloseHandle(file);
    return lstrcmpA(head, text) == 0;
}

// A fresh folder. With a player: winamp.exe and another plug-in in Plugins,
// as in a real installation.
static void PrepareFolder(const char* name, bool withPlayer)
{
    char path[MAX_PATH];
    wsprintfA(path, "%s%s", PlayerFolder(), name);
    RemoveTree(path);
    Check(CreateDirectoryA(path, nullptr) != FALSE, "could not create %s: error %lu", path, GetLastError());
    if (!withPlayer)
        return;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    PathIn(path, name, "winamp.exe");
    Check(CopyFileA(self, path, TRUE) != FALSE, "could not copy the test player to %s", path);
    PathIn(path, name, "Plugins");
    CreateDirectoryA(path, nullptr);
    PathIn(path, name, "Plugins\\gen_other.dll");
    WriteTextFile(path, "another plug-in");
}

// Runs a program in `folder` and returns its exit code.
static DWORD RunAndWait(const char* commandLine, const char* folder)
{
    char line[1024];
    lstrcpynA(line, commandLine, sizeof line);
    char directory[MAX_PATH];
    wsprintfA(directory, "%s%s", PlayerFolder(), folder);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    Check(CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, 0, nullptr, directory, &startup, &process) != FALSE,
          "could not start %s: error %lu", line, GetLastError());
    DWORD waited = WaitForSingleObject(process.hProcess, ProcessTimeoutMs);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Check(waited == WAIT_OBJECT_0, "%s did not finish within %lu s", line, ProcessTimeoutMs / 1000);
    return code;
}

// A silent install into `folder`, named with /D=.
static DWORD RunSetup(const char* folder)
{
    char line[2 * MAX_PATH];
    wsprintfA(line, "\"%s%s\" /S /D=%s%s", PlayerFolder(), RELEASE_SETUP_FILE, PlayerFolder(), folder);
    return RunAndWait(line, folder);
}

// A silent install into the folder the setup proposes; run from `folder`.
static DWORD RunSetupIntoProposedFolder(const char* folder)
{
    char line[MAX_PATH + 8];
    wsprintfA(line, "\"%s%s\" /S", PlayerFolder(), RELEASE_SETUP_FILE);
    return RunAndWait(line, folder);
}

struct FileRow {
    const char* file;  // relative to the folder
    bool present;
};

template <int N>
static void ExpectFiles(const char* folder, const FileRow (&rows)[N])
{
    for (const FileRow& row : rows) {
        char path[MAX_PATH];
        PathIn(path, folder, row.file);
        Check(Exists(path) == row.present, "%s is %s, expected %s", path, Exists(path) ? "there" : "missing",
              row.present ? "there" : "missing");
    }
}

static const FileRow NoLeftovers[] = {
    {"velk_kh.dll.new", false},
    {"velk_kh.dll.old", false},
    {"Plugins\\gen_velk.dll.new", false},
    {"Plugins\\gen_velk.dll.old", false},
};

static const FileRow Installed[] = {
    {"velk_kh.dll", true},
    {"Plugins\\gen_velk.dll", true},
    {RELEASE_UNINSTALLER, true},
    {"winamp.exe", true},
    {"Plugins\\gen_other.dll", true},
    {"Plugins\\velk_kh.dll", false},
    {"gen_velk.dll", false},
};

// Reads a string of the uninstall entry; false when it is not there.
static bool ReadEntry(const char* name, char* text, DWORD size)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ;
}

static void ExpectEntry(const char* name, const char* expected)
{
    char actual[2 * MAX_PATH] = "(missing)";
    ReadEntry(name, actual, sizeof actual);
    Check(lstrcmpA(actual, expected) == 0, "the uninstall entry's %s is \"%s\", expected \"%s\"", name, actual,
          expected);
}

static void ExpectInstalledEntry(const char* folder)
{
    char location[MAX_PATH];
    wsprintfA(location, "%s%s", PlayerFolder(), folder);
    char uninstaller[2 * MAX_PATH];
    wsprintfA(uninstaller, "\"%s\\%s\"", location, RELEASE_UNINSTALLER);
    ExpectEntry("DisplayName", RELEASE_NAME);
    ExpectEntry("DisplayVersion", RELEASE_VERSION);
    ExpectEntry("InstallLocation", location);
    ExpectEntry("UninstallString", uninstaller);
}

void SetupInstall()
{
    Step("the setup's version resource is 1.0.0.0");
    static char versionData[8192];
    char setup[MAX_PATH];
    wsprintfA(setup, "%s%s", PlayerFolder(), RELEASE_SETUP_FILE);
    CheckFixedVersion(setup, versionData, sizeof versionData);

    Step("a player folder: winamp.exe, and another plug-in in Plugins");
    PrepareFolder(PlayerFolderName, true);

    Step("silent install with /D= into the player's folder");
    DWORD code = RunSetup(PlayerFolderName);
    Check(code == 0, "the setup exited with %lu, expected 0", code);
    ExpectFiles(PlayerFolderName, Installed);
    ExpectFiles(PlayerFolderName, NoLeftovers);

    Step("the uninstall entry names the version and the uninstaller");
    ExpectInstalledEntry(PlayerFolderName);

    Step("the installed winamp.exe loads Plugins\\gen_velk.dll and acts on F9");
    char line[MAX_PATH + 16];
    PathIn(line + 1, PlayerFolderName, "winamp.exe");
    line[0] = '"';
    lstrcatA(line, "\" keys");
    code = RunAndWait(line, PlayerFolderName);
    Check(code == 0, "the installed player's scenario exited with %lu, expected 0", code);
}

// An upgrade while velk_kh.dll is loaded, as it is in every program the
// plug-in's hooks reach: the setup must ask to close the player, and giving
// up must leave the installed pair as it was.
void SetupInstallInUse()
{
    Step("an older Plugins\\gen_velk.dll installed, and velk_kh.dll loaded");
    char pluginPath[MAX_PATH];
    PathIn(pluginPath, PlayerFolderName, "Plugins\\gen_velk.dll");
    WriteTextFile(pluginPath, OlderPlugin);
    char hookLibrary[MAX_PATH];
    PathIn(hookLibrary, PlayerFolderName, "velk_kh.dll");
    HMODULE loaded = LoadLibraryA(hookLibrary);
    Check(loaded != nullptr, "LoadLibraryA(%s) failed with error %lu", hookLibrary, GetLastError());

    Step("silent install while velk_kh.dll is loaded: refused, nothing replaced");
    DWORD code = RunSetup(PlayerFolderName);
    Check(code != 0, "the setup exited with 0, expected a failure");
    Check(FileStartsWith(pluginPath, OlderPlugin), "gen_velk.dll was replaced beside the loaded velk_kh.dll");
    ExpectFiles(PlayerFolderName, NoLeftovers);
    FreeLibrary(loaded);

    Step("silent install once velk_kh.dll is unloaded: both replaced");
    code = RunSetup(PlayerFolderName);
    Check(code == 0, "the setup exited with %lu, expected 0", code);
    Check(FileStartsWith(pluginPath, "MZ"), "gen_velk.dll is not the new DLL");
    ExpectFiles(PlayerFolderName, Installed);
    ExpectFiles(PlayerFolderName, NoLeftovers);
}

// The setup proposes the folder Winamp recorded, so a silent install
// without /D= goes there.
void SetupInstallIntoRecordedFolder()
{
    Step("the player's folder recorded in HKCU, as Winamp records it");
    char folder[MAX_PATH];
    wsprintfA(folder, "%s%s", PlayerFolder(), PlayerFolderName);
    HKEY key;
    Check(RegCreateKeyExA(HKEY_CURRENT_USER, PlayerKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
              ERROR_SUCCESS,
          "could not create HKCU\\%s", PlayerKey);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   static_cast<DWORD>(lstrlenA(folder) + 1));
    RegCloseKey(key);

    Step("both DLLs removed, then a silent install without /D=: into that folder");
    char path[MAX_PATH];
    PathIn(path, PlayerFolderName, "velk_kh.dll");
    DeleteFileA(path);
    PathIn(path, PlayerFolderName, "Plugins\\gen_velk.dll");
    DeleteFileA(path);
    DWORD code = RunSetupIntoProposedFolder(PlayerFolderName);
    RegDeleteKeyA(HKEY_CURRENT_USER, PlayerKey);
    Check(code == 0, "the setup exited with %lu, expected 0", code);
    ExpectFiles(PlayerFolderName, Installed);
    ExpectFiles(PlayerFolderName, NoLeftovers);
    ExpectInstalledEntry(PlayerFolderName);
}

void SetupUninstall()
{
    char ini[MAX_PATH];
    PathIn(ini, PlayerFolderName, "keys.ini");
    Step("the installed player has left its settings in keys.ini");
    Check(GetPrivateProfileIntA("Tarnwick", "BEN", 0, ini) == 1, "%s does not hold BEN=1", ini);

    Step("silent uninstall");
    char uninstaller[MAX_PATH];
    PathIn(uninstaller, PlayerFolderName, RELEASE_UNINSTALLER);
    char line[MAX_PATH + 8];
    wsprintfA(line, "\"%s\" /S", uninstaller);
    DWORD code = RunAndWait(line, PlayerFolderName);
    Check(code == 0, "the uninstaller exited with %lu, expected 0", code);
    // It hands over to a copy of itself in the temporary folder, so that it
    // can delete itself, and that copy goes on after this one has ended.
    DWORD start = GetTickCount();
    while (Exists(uninstaller) && GetTickCount() - start < ProcessTimeoutMs)
        Sleep(100);

    Step("the installed files and the entry are gone; the player's files stay");
    static const FileRow Uninstalled[] = {
        {"velk_kh.dll", false},
        {"Plugins\\gen_velk.dll", false},
        {RELEASE_UNINSTALLER, false},
        {"winamp.exe", true},
        {"Plugins\\gen_other.dll", true},
        {"keys.ini", true},
    };
    ExpectFiles(PlayerFolderName, Uninstalled);
    char text[8];
    Check(!ReadEntry("DisplayName", text, sizeof text), "the uninstall entry is still there");
    Check(GetPrivateProfileIntA("Tarnwick", "BEN", 0, ini) == 1, "%s no longer holds BEN=1", ini);
}

void SetupRefuseFolder()
{
    Step("a folder without winamp.exe");
    PrepareFolder(EmptyFolderName, false);

    Step("silent install with /D= into it: refused, nothing installed");
    DWORD code = RunSetup(EmptyFolderName);
    Check(code != 0, "the setup exited with 0, expected a failure");
    static const FileRow Nothing[] = {
        {"velk_kh.dll", false},
        {"Plugins", false},
        {RELEASE_UNINSTALLER, false},
    };
    ExpectFiles(EmptyFolderName, Nothing);
    ExpectFiles(EmptyFolderName, NoLeftovers);
    char location[MAX_PATH] = "";
    char folder[MAX_PATH];
    wsprintfA(folder, "%s%s", PlayerFolder(), EmptyFolderName);
    ReadEntry("InstallLocation", location, sizeof location);
    Check(lstrcmpA(location, folder) != 0, "the uninstall entry names %s", folder);
}
