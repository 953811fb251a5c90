// The message box for the two failures the plug-in reports.
#include "plugin.h"

// The message, terminating NUL included, fits in this many characters.
static const int MessageSize = 1024;

static const DWORD ErrorTextFlags =
    FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;

// `format` starts with "%s"; the rest is its tail, always shown in full. The
// system text is cut to leave room for the tail, and when the platform has no
// text for the code, the code itself is shown.
void ReportLastError(const char* format)
{
    DWORD error = GetLastError();
    char* systemText = nullptr;
    FormatMessageA(ErrorTextFlags, nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<LPSTR>(&systemText), 0, nullptr);

    char fallback[32];
    const char* text = systemText;
    if (text == nullptr) {
        wsprintfA(fallback, "Error %lu", static_cast<unsigned long>(error));
        text = fallback;
    }
    int tailLength = lstrlenA(format) - 2;
    char cutText[MessageSize];
    lstrcpynA(cutText, text, MessageSize - tailLength);  // leaves room for the tail and the NUL
    char message[MessageSize];
    wsprintfA(message, format, cutText);
    if (systemText != nullptr)
        LocalFree(systemText);
    MessageBoxA(nullptr, message, record.description, MB_ICONINFORMATION | MB_OK);
}
