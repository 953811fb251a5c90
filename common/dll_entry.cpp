// Entry point of both DLLs. They are loaded into every GUI process that the
// global message hook reaches, so loading them must cost nothing: no C
// run-time start-up, no work, success for every notification.
#include "platform.h"

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
