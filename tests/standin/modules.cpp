// Library loading. Native "DLLs" are shared objects under the DLL's name; the
// dynamic loader keeps their reference counts, as the Windows loader does: a
// name already loaded returns the same module and adds a reference.
#include <dlfcn.h>

#include "standin.h"

namespace standin {

static bool IsBareName(const char* name) { return std::string(name).find('/') == std::string::npos; }

bool IsModuleLoaded(const char* name)
{
    void* handle = dlopen(name, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    dlclose(handle);
    return true;
}

// Bare names: a module already loaded under that name, else the application's
// folder (the player's, where velk_kh.dll belongs).
static void* OpenModule(const char* name)
{
    if (!IsBareName(name))
        return dlopen(name, RTLD_NOW | RTLD_LOCAL);
    void* loaded = dlopen(name, RTLD_NOW | RTLD_NOLOAD);
    if (loaded != nullptr)
        return loaded;
    std::string path = Current().applicationFolder + "/" + name;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

}  // namespace standin

using namespace standin;

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName)
{
    Failure& failure = Current().failures.loadLibrary;
    if (failure.count > 0) {
        --failure.count;
        SetLastError(failure.error);
        return nullptr;
    }
    void* handle = OpenModule(lpLibFileName);
    if (handle == nullptr)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return static_cast<HMODULE>(handle);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    if (hLibModule == nullptr || dlclose(hLibModule) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    return reinterpret_cast<FARPROC>(dlsym(hModule, lpProcName));
}
