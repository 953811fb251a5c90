// The stand-in's profile functions against real files: the rules the plug-in's
// settings rely on must be Windows' rules, or the settings tests prove nothing.
#include <gtest/gtest.h>

#include "standin.h"
#include "temp_folder.h"

using standin::Current;

namespace {

class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        standin::Reset();
        Current().windowsFolder = folder.MakeFolder("windows");
        file = folder.Join("settings.ini");
    }

    TempFolder folder;
    std::string file;
};

struct ReadCase {
    const char* name;
    const char* content;  // null: no file
    const char* section;
    const char* key;
    INT fallback;
    UINT expected;
};

const char* const NoFile = nullptr;

const ReadCase readCases[] = {
    {"plain value", "[Tarnwick]\r\nPT=112\r\n", "Tarnwick", "PT", 7, 112},
    {"no file", NoFile, "Tarnwick", "PT", 7, 7},
    {"no such section", "[Other]\r\nPT=112\r\n", "Tarnwick", "PT", 7, 7},
    {"no such key", "[Tarnwick]\r\nNT=113\r\n", "Tarnwick", "PT", 7, 7},
    {"key only in another section", "[Tarnwick]\r\nNT=1\r\n[Other]\r\nPT=2\r\n", "Tarnwick", "PT", 7, 7},
    {"missing key, default -1 as unsigned", "[Tarnwick]\r\n", "Tarnwick", "PT", -1, 4294967295u},
    {"section and key ignore case", "[tARNWICK]\r\npt=112\r\n", "Tarnwick", "PT", 7, 112},
    {"spaces around the value and the key", "[Tarnwick]\r\n  PT  =   112   \r\n", "Tarnwick", "PT", 7, 112},
    {"spaces around the section name", "  [ Tarnwick ]\r\nPT=112\r\n", "Tarnwick", "PT", 7, 112},
    {"digits up to the first non-digit", "[Tarnwick]\r\nPT=42A\r\n", "Tarnwick", "PT", 7, 42},
    {"minus one wraps", "[Tarnwick]\r\nPT=-1\r\n", "Tarnwick", "PT", 7, 4294967295u},
    {"plus sign", "[Tarnwick]\r\nPT=+1\r\n", "Tarnwick", "PT", 7, 1},
    {"no leading digit gives 0", "[Tarnwick]\r\nPT=abc\r\n", "Tarnwick", "PT", 7, 0},
    {"sign without digits gives 0", "[Tarnwick]\r\nPT=-x\r\n", "Tarnwick", "PT", 7, 0},
    {"overflow wraps modulo 2^32", "[Tarnwick]\r\nPT=4294967408\r\n", "Tarnwick", "PT", 7, 112},
    {"Unix line ends", "[Tarnwick]\nBEN=1\nPT=112\n", "Tarnwick", "PT", 7, 112},
    {"last line without line end", "[Tarnwick]\r\nPT=112", "Tarnwick", "PT", 7, 112},
    {"first of two equal keys", "[Tarnwick]\r\nPT=112\r\nPT=113\r\n", "Tarnwick", "PT", 7, 112},
};

TEST_F(Profile, ReadsIntegersAsWindowsDoes)
{
    for (const ReadCase& row : readCases) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(file);
        if (row.content != NoFile)
            WriteFile(file, row.content);
        EXPECT_EQ(GetPrivateProfileIntA(row.section, row.key, row.fallback, file.c_str()), row.expected);
    }
}

struct WriteCase {
    const char* name;
    const char* before;  // null: no file
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

const WriteCase writeCases[] = {
    {"new file", NoFile, "Tarnwick", "BEN", "1", "[Tarnwick]\r\nBEN=1\r\n"},
    {"new section goes at the end", "[Other]\r\nx=1\r\n", "Tarnwick", "BEN", "1",
     "[Other]\r\nx=1\r\n[Tarnwick]\r\nBEN=1\r\n"},
    {"new key at the end of its section, before the next", "[Tarnwick]\r\nBEN=1\r\n\r\n[Other]\r\nx=1\r\n",
     "Tarnwick", "PT", "112", "[Tarnwick]\r\nBEN=1\r\nPT=112\r\n\r\n[Other]\r\nx=1\r\n"},
    {"existing key replaced in place", "[Tarnwick]\r\nBEN=1\r\nPT=112\r\nNT=113\r\n", "Tarnwick", "PT", "65",
     "[Tarnwick]\r\nBEN=1\r\nPT=65\r\nNT=113\r\n"},
    {"existing key found whatever its case", "[tarnwick]\r\nPT = 112\r\n", "Tarnwick", "PT", "65",
     "[tarnwick]\r\nPT=65\r\n"},
    {"other lines kept as they were", "; note\r\n[Other]\r\n  x = 1 \n[Tarnwick]\r\nBEN=0\r\n", "Tarnwick", "BEN",
     "1", "; note\r\n[Other]\r\n  x = 1 \n[Tarnwick]\r\nBEN=1\r\n"},
    {"file without a last line end", "[Tarnwick]\r\nBEN=1", "Tarnwick", "PT", "112",
     "[Tarnwick]\r\nBEN=1\r\nPT=112\r\n"},
};

TEST_F(Profile, WritesAsWindowsDoes)
{
    for (const WriteCase& row : writeCases) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(file);
        if (row.before != NoFile)
            WriteFile(file, row.before);
        EXPECT_TRUE(WritePrivateProfileStringA(row.section, row.key, row.value, file.c_str()));
        EXPECT_EQ(Visible(ReadFile(file)), Visible(row.after));
    }
}

TEST_F(Profile, BareNamesLieInTheWindowsFolder)
{
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.MakeFolder("current"));
    WriteFile("winamp.ini", "[Tarnwick]\r\nPT=65\r\n");
    EXPECT_EQ(GetPrivateProfileIntA("Tarnwick", "PT", 7, "winamp.ini"), 7u) << "read from the current folder";
    EXPECT_TRUE(WritePrivateProfileStringA("Tarnwick", "PT", "112", "winamp.ini"));
    EXPECT_EQ(ReadFile(Current().windowsFolder + "/winamp.ini"), "[Tarnwick]\r\nPT=112\r\n");
    EXPECT_EQ(ReadFile("winamp.ini"), "[Tarnwick]\r\nPT=65\r\n") << "written to the current folder";
    EXPECT_EQ(GetPrivateProfileIntA("Tarnwick", "PT", 7, "winamp.ini"), 112u);
    std::filesystem::current_path(previous);
}

TEST_F(Profile, WritesThatFail)
{
    std::string missingFolder = folder.Join("no such folder/settings.ini");
    std::string aFolder = folder.MakeFolder("a folder.ini");
    struct Case {
        const char* name;
        std::string path;
        DWORD error;
    };
    const Case cases[] = {
        {"missing folder", missingFolder, ERROR_PATH_NOT_FOUND},
        {"a folder, not a file", aFolder, ERROR_ACCESS_DENIED},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        SetLastError(0);
        EXPECT_FALSE(WritePrivateProfileStringA("Tarnwick", "PT", "112", row.path.c_str()));
        EXPECT_EQ(GetLastError(), row.error);
        EXPECT_EQ(GetPrivateProfileIntA("Tarnwick", "PT", 7, row.path.c_str()), 7u);
    }
    EXPECT_FALSE(std::filesystem::exists(missingFolder));

    Current().windowsFolder.clear();
    EXPECT_FALSE(WritePrivateProfileStringA("Tarnwick", "PT", "112", "winamp.ini")) << "no Windows folder";

    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "PT", "112", file.c_str())) << "no section";
}

TEST_F(Profile, WriteFailsOnDemand)
{
    WriteFile(file, "[Tarnwick]\r\nPT=112\r\n");
    Current().failures.profileWrite = {1, ERROR_ACCESS_DENIED};
    EXPECT_FALSE(WritePrivateProfileStringA("Tarnwick", "PT", "65", file.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFile(file), "[Tarnwick]\r\nPT=112\r\n");

    EXPECT_TRUE(WritePrivateProfileStringA("Tarnwick", "PT", "65", file.c_str())) << "only the next write fails";
    EXPECT_EQ(ReadFile(file), "[Tarnwick]\r\nPT=65\r\n");
}

}  // namespace
