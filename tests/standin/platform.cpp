// The one platform state, and the last-error code.
#include "standin.h"

namespace standin {

static Platform platform;

Platform& Current() { return platform; }

void Reset() { platform = Platform(); }

}  // namespace standin

DWORD WINAPI GetLastError() { return standin::Current().lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { standin::Current().lastError = dwErrCode; }
