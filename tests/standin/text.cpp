// Text: formatting, the system's error texts, the memory they come in, and
// message boxes, which the stand-in records instead of showing.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "standin.h"

namespace standin {

std::map<DWORD, std::string> SystemTexts()
{
    return {
        {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
        {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
        {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.\r\n"},
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
        {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
        {ERROR_MOD_NOT_FOUND, "The specified module could not be found.\r\n"},
        {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.\r\n"},
        {ERROR_INVALID_HOOK_HANDLE, "Invalid hook handle.\r\n"},
        {ERROR_INVALID_FILTER_PROC, "Invalid hook procedure.\r\n"},
        {ERROR_HOOK_NEEDS_HMOD, "Cannot set nonlocal hook without a module handle.\r\n"},
        {ERROR_GLOBAL_ONLY_HOOK, "This hook procedure can only be set globally.\r\n"},
        {ERROR_RESOURCE_DATA_NOT_FOUND, "The specified image file did not contain a resource section.\r\n"},
        {ERROR_RESOURCE_TYPE_NOT_FOUND, "The specified resource type cannot be found in the image file.\r\n"},
        {ERROR_RESOURCE_NAME_NOT_FOUND, "The specified resource name cannot be found in the image file.\r\n"},
    };
}

// wsprintfA writes at most this many characters, then the NUL.
static const size_t WsprintfLimit = 1024;

static char* AllocateLocal(const std::string& text)
{
    char* block = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(block, text.c_str(), text.size() + 1);
    Current().localBlocks.push_back(block);
    return block;
}

// Only what callers here ask for: a system text, either allocated for the
// caller or copied into its buffer, without inserts.
static DWORD FormatSystemText(DWORD flags, DWORD id, LPSTR buffer, DWORD size)
{
    bool allocate = (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0;
    if (allocate)
        *reinterpret_cast<char**>(buffer) = nullptr;
    const std::map<DWORD, std::string>& texts = Current().systemTexts;
    auto found = texts.find(id);
    if (found == texts.end()) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    const std::string& text = found->second;
    if (allocate) {
        *reinterpret_cast<char**>(buffer) = AllocateLocal(text);
        return static_cast<DWORD>(text.size());
    }
    if (text.size() >= size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

}  // namespace standin

using namespace standin;

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    // The cut is silent, as on Windows: the result counts what was written.
    int length = std::vsnprintf(buffer, WsprintfLimit + 1, format, arguments);
    va_end(arguments);
    if (length < 0)
        return 0;
    return static_cast<size_t>(length) > WsprintfLimit ? static_cast<int>(WsprintfLimit) : length;
}

DWORD WINAPI FormatMessageA(DWORD dwFlags, const void*, DWORD dwMessageId, DWORD, LPSTR lpBuffer, DWORD nSize, void*)
{
    if ((dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || (dwFlags & FORMAT_MESSAGE_IGNORE_INSERTS) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);  // not modelled: inserts and caller-supplied texts
        return 0;
    }
    return FormatSystemText(dwFlags, dwMessageId, lpBuffer, nSize);
}

// Null on success, the block itself when it is none of the platform's.
HLOCAL WINAPI LocalFree(HLOCAL hMem)
{
    if (hMem == nullptr)
        return nullptr;
    std::vector<HLOCAL>& blocks = Current().localBlocks;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i] != hMem)
            continue;
        blocks.erase(blocks.begin() + static_cast<std::ptrdiff_t>(i));
        std::free(hMem);
        return nullptr;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return hMem;
}

int WINAPI lstrlenA(LPCSTR lpString)
{
    if (lpString == nullptr)
        return 0;
    return static_cast<int>(std::strlen(lpString));
}

// Copies at most iMaxLength - 1 characters and always ends with a NUL.
LPSTR WINAPI lstrcpynA(LPSTR lpString1, LPCSTR lpString2, int iMaxLength)
{
    if (iMaxLength <= 0)
        return lpString1;
    int at = 0;
    for (; at < iMaxLength - 1 && lpString2[at] != '\0'; ++at)
        lpString1[at] = lpString2[at];
    lpString1[at] = '\0';
    return lpString1;
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    // Windows captions a box without a caption "Error".
    Current().messageBoxes.push_back({hWnd, lpText != nullptr ? lpText : "", lpCaption != nullptr ? lpCaption : "Error", uType});
    return IDOK;
}
