// Profile (INI) files, on real files, read and written as Windows does.
// Names match case-insensitively; writes leave every other line of the file
// exactly as it was.
#include <strings.h>

#include <cerrno>
#include <cstdio>

#include "standin.h"

namespace standin {

// Windows' profile functions use win.ini when given no file.
static const char DefaultProfile[] = "win.ini";

std::string ProfilePath(const char* fileName)
{
    std::string name = fileName != nullptr ? fileName : DefaultProfile;
    if (name.find_first_of("/\\") != std::string::npos)
        return name;
    if (Current().windowsFolder.empty())
        return "";
    return Current().windowsFolder + "/" + name;
}

// Each line keeps its terminator, so untouched lines are written back as read.
typedef std::vector<std::string> Lines;

// False when there is no file to read (a folder is none).
static bool ReadLines(const std::string& path, Lines* lines)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::string text;
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        text.append(chunk, got);
    bool readable = !std::ferror(file);
    std::fclose(file);
    if (!readable)
        return false;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines->push_back(text.substr(start, end - start));
        start = end;
    }
    return true;
}

static bool WriteLines(const std::string& path, const Lines& lines)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
        return false;
    }
    bool written = true;
    for (const std::string& line : lines)
        written = written && std::fwrite(line.data(), 1, line.size(), file) == line.size();
    written = std::fclose(file) == 0 && written;
    if (!written)
        SetLastError(ERROR_ACCESS_DENIED);
    return written;
}

static std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

static std::string Content(const std::string& line)
{
    size_t end = line.size();
    if (end > 0 && line[end - 1] == '\n')
        --end;
    if (end > 0 && line[end - 1] == '\r')
        --end;
    return line.substr(0, end);
}

static bool SameName(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// "[name]", with spaces allowed around the name and before the bracket.
static bool IsSectionNamed(const std::string& line, const char* section)
{
    std::string content = Trim(Content(line));
    if (content.empty() || content[0] != '[')
        return false;
    size_t close = content.find(']');
    return close != std::string::npos && SameName(Trim(content.substr(1, close - 1)), section);
}

static bool IsSectionLine(const std::string& line)
{
    std::string content = Trim(Content(line));
    return !content.empty() && content[0] == '[';
}

// "key=value": false for a line without '='; both parts trimmed.
static bool SplitEntry(const std::string& line, std::string* key, std::string* value)
{
    std::string content = Content(line);
    size_t equals = content.find('=');
    if (equals == std::string::npos)
        return false;
    *key = Trim(content.substr(0, equals));
    *value = Trim(content.substr(equals + 1));
    return true;
}

// A section's lines: its header, and the end of its entries (the next
// section's header, or the end of the file).
struct Span {
    size_t header;
    size_t end;
};

static bool FindSection(const Lines& lines, const char* section, Span* span)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!IsSectionNamed(lines[i], section))
            continue;
        size_t end = i + 1;
        while (end < lines.size() && !IsSectionLine(lines[end]))
            ++end;
        *span = {i, end};
        return true;
    }
    return false;
}

static const size_t none = static_cast<size_t>(-1);

static size_t FindEntry(const Lines& lines, const Span& span, const char* key, std::string* value)
{
    for (size_t i = span.header + 1; i < span.end; ++i) {
        std::string name;
        if (SplitEntry(lines[i], &name, value) && SameName(name, key))
            return i;
    }
    return none;
}

// Read the Windows way: an optional sign, then decimal digits up to the first
// other character, wrapping modulo 2^32; no digits read as 0.
static UINT ReadNumber(const std::string& text)
{
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    UINT number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        number = number * 10 + static_cast<UINT>(text[at] - '0');
    return negative ? 0u - number : number;
}

static void EndWithNewline(Lines& lines, size_t index)
{
    std::string& line = lines[index];
    if (line.empty() || line.back() != '\n')
        line += "\r\n";
}

// A new key goes after the section's last non-blank line.
static void AppendEntry(Lines& lines, const Span& span, const std::string& entry)
{
    size_t after = span.header;
    for (size_t i = span.header + 1; i < span.end; ++i) {
        if (!Trim(Content(lines[i])).empty())
            after = i;
    }
    EndWithNewline(lines, after);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1), entry + "\r\n");
}

// A null key deletes the section, a null value the key.
static void ApplyWrite(Lines& lines, const char* section, const char* key, const char* value)
{
    Span span = {};
    if (!FindSection(lines, section, &span)) {
        if (key == nullptr || value == nullptr)
            return;
        if (!lines.empty())
            EndWithNewline(lines, lines.size() - 1);
        lines.push_back("[" + std::string(section) + "]\r\n");
        lines.push_back(std::string(key) + "=" + value + "\r\n");
        return;
    }
    auto at = [&lines](size_t index) { return lines.begin() + static_cast<std::ptrdiff_t>(index); };
    if (key == nullptr) {
        lines.erase(at(span.header), at(span.end));
        return;
    }
    std::string old;
    size_t entry = FindEntry(lines, span, key, &old);
    if (entry == none) {
        if (value != nullptr)
            AppendEntry(lines, span, std::string(key) + "=" + value);
        return;
    }
    if (value == nullptr) {
        lines.erase(at(entry));
        return;
    }
    lines[entry] = std::string(key) + "=" + value + "\r\n";
}

static bool FailsOnDemand()
{
    Failure& failure = Current().failures.profileWrite;
    if (failure.count == 0)
        return false;
    --failure.count;
    SetLastError(failure.error);
    return true;
}

}  // namespace standin

using namespace standin;

UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    UINT fallback = static_cast<UINT>(nDefault);
    Lines lines;
    Span span = {};
    std::string value;
    if (lpAppName == nullptr || lpKeyName == nullptr || !ReadLines(ProfilePath(lpFileName), &lines) ||
        !FindSection(lines, lpAppName, &span) || FindEntry(lines, span, lpKeyName, &value) == none)
        return fallback;
    return ReadNumber(value);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName)
{
    if (Current().beforeProfileWrite)
        Current().beforeProfileWrite();
    if (lpAppName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (FailsOnDemand())
        return FALSE;
    std::string path = ProfilePath(lpFileName);
    Lines lines;
    ReadLines(path, &lines);
    ApplyWrite(lines, lpAppName, lpKeyName, lpString);
    return WriteLines(path, lines);
}
