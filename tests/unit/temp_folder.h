// A folder of the test's own on the real file system, removed with all it
// holds when the test ends; and whole-file reads and writes for checking it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        EXPECT_NE(made, nullptr) << "cannot make a temporary folder";
        path_ = made != nullptr ? made : "";
    }
    ~TempFolder()
    {
        if (!path_.empty())
            std::filesystem::remove_all(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Join(const std::string& name) const { return path_ + "/" + name; }
    // Makes a subfolder and returns its path.
    std::string MakeFolder(const std::string& name) const
    {
        std::filesystem::create_directories(Join(name));
        return Join(name);
    }

private:
    std::string path_;
};

// The file's bytes; "<missing>" when there is no such file.
inline std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    ASSERT_TRUE(file.good()) << "cannot write " << path;
}

// Shows "\r" and "\n" in failure messages.
inline std::string Visible(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown;
}
