// Reads both DLLs' version resources back through the platform.
#include "player.h"

#include <winver.h>

struct VersionRow {
    const char* file;  // relative to the player's folder
    const char* name;
    const char* comments;  // null: the entry must be absent
};

static const VersionRow Rows[] = {
    {"Plugins\\gen_velk.dll", "gen_velk", nullptr},
    {"velk_kh.dll", "velk_kh", "hook functions"},
};

static const char* StringEntry(void* data, const char* key)
{
    char path[96];
    wsprintfA(path, "\\StringFileInfo\\040904e4\\%s", key);
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data, path, reinterpret_cast<void**>(&value), &length) || length == 0)
        return nullptr;
    return value;
}

static void ExpectEntry(void* data, const char* file, const char* key, const char* expected)
{
    const char* actual = StringEntry(data, key);
    if (expected == nullptr) {
        Check(actual == nullptr, "%s has a %s entry \"%s\", expected none", file, key, actual);
        return;
    }
    Check(actual != nullptr && lstrcmpA(actual, expected) == 0, "%s: %s is \"%s\", expected \"%s\"", file, key,
          actual ? actual : "(missing)", expected);
}

// Reads the file's version resource into `data` and checks its fixed part
// says 1.0.0.0 for both the file and the product.
void CheckFixedVersion(const char* path, char* data, DWORD capacity)
{
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    Check(size != 0 && size <= capacity, "no readable version resource (size %lu, error %lu)", size,
          GetLastError());
    Check(GetFileVersionInfoA(path, 0, size, data) != FALSE, "GetFileVersionInfoA failed");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    Check(VerQueryValueA(data, "\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr,
          "no fixed file information");
    Check(fixed->dwFileVersionMS == 0x10000 && fixed->dwFileVersionLS == 0,
          "file version is %lu.%lu.%lu.%lu, expected 1.0.0.0", fixed->dwFileVersionMS >> 16,
          fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
    Check(fixed->dwProductVersionMS == 0x10000 && fixed->dwProductVersionLS == 0,
          "product version is not 1.0.0.0");
}

void CheckVersionResources()
{
    static char data[8192];
    for (const VersionRow& row : Rows) {
        char path[MAX_PATH];
        wsprintfA(path, "%s%s", PlayerFolder(), row.file);
        char stepName[160];
        wsprintfA(stepName, "version resource of %s", row.file);
        Step(stepName);
        CheckFixedVersion(path, data, sizeof data);

        char filename[32];
        wsprintfA(filename, "%s.dll", row.name);
        ExpectEntry(data, row.file, "FileVersion", "1, 0, 0, 0");
        ExpectEntry(data, row.file, "ProductVersion", "1, 0, 0, 0");
        ExpectEntry(data, row.file, "InternalName", row.name);
        ExpectEntry(data, row.file, "ProductName", row.name);
        ExpectEntry(data, row.file, "OriginalFilename", filename);
        ExpectEntry(data, row.file, "Comments", row.comments);
    }
}
