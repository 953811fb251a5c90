// Global hook chains: installation as Windows validates it, removal, and
// CallNextHookEx passing a call on to the next hook of the chain.
#include "standin.h"

namespace standin {

static HHOOK HandleOfHook(size_t index) { return reinterpret_cast<HHOOK>(index + 1); }

static Hook* FindHook(HHOOK hhk)
{
    std::vector<Hook>& hooks = Current().hooks;
    size_t n = reinterpret_cast<size_t>(hhk);
    if (n == 0 || n > hooks.size() || !hooks[n - 1].installed)
        return nullptr;
    return &hooks[n - 1];
}

static bool IsGlobalOnly(int type) { return type == WH_JOURNALRECORD || type == WH_KEYBOARD_LL; }

// Windows refuses these before it looks at anything else.
static DWORD RefusalOf(int type, HOOKPROC proc, HINSTANCE module, DWORD thread)
{
    if (proc == nullptr)
        return ERROR_INVALID_FILTER_PROC;
    if (thread != 0 && IsGlobalOnly(type))
        return ERROR_GLOBAL_ONLY_HOOK;
    if (thread == 0 && module == nullptr && type != WH_KEYBOARD_LL)
        return ERROR_HOOK_NEEDS_HMOD;
    return ERROR_SUCCESS;
}

static Failure* FailureFor(int type)
{
    Failures& failures = Current().failures;
    switch (type) {
    case WH_JOURNALRECORD: return &failures.journalHook;
    case WH_KEYBOARD_LL: return &failures.lowLevelHook;
    case WH_GETMESSAGE: return &failures.messageHook;
    default: return nullptr;
    }
}

static bool FailsOnDemand(int type)
{
    Failure* failure = FailureFor(type);
    if (failure == nullptr || failure->count == 0)
        return false;
    --failure->count;
    SetLastError(failure->error);
    return true;
}

int InstalledHookCount(int type)
{
    int count = 0;
    for (const Hook& hook : Current().hooks)
        count += hook.installed && hook.type == type;
    return count;
}

// Index of the newest hook of `type` installed before index `end`; `none` if
// there is none. Indices, not pointers: a hook procedure may install hooks.
static const size_t none = static_cast<size_t>(-1);

static size_t NextInChain(int type, size_t end)
{
    const std::vector<Hook>& hooks = Current().hooks;
    for (size_t i = end; i-- > 0;) {
        if (hooks[i].installed && hooks[i].type == type)
            return i;
    }
    return none;
}

static LRESULT CallFrom(size_t index, int code, WPARAM wParam, LPARAM lParam)
{
    if (index == none)
        return 0;
    HOOKPROC proc = Current().hooks[index].proc;
    Current().dispatching.push_back(index);
    LRESULT result = proc(code, wParam, lParam);
    Current().dispatching.pop_back();
    return result;
}

LRESULT CallHookChain(int type, int code, WPARAM wParam, LPARAM lParam)
{
    return CallFrom(NextInChain(type, Current().hooks.size()), code, wParam, lParam);
}

}  // namespace standin

using namespace standin;

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId)
{
    DWORD refusal = RefusalOf(idHook, lpfn, hmod, dwThreadId);
    if (refusal != ERROR_SUCCESS) {
        SetLastError(refusal);
        return nullptr;
    }
    if (FailsOnDemand(idHook))
        return nullptr;
    Hook hook;
    hook.handle = HandleOfHook(Current().hooks.size());
    hook.type = idHook;
    hook.proc = lpfn;
    hook.module = hmod;
    hook.thread = dwThreadId;
    Current().hooks.push_back(hook);
    return hook.handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk)
{
    Hook* hook = FindHook(hhk);
    if (hook == nullptr) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    hook->installed = false;
    return TRUE;
}

// Like Windows since NT, the chain position comes from the hook now running,
// not from the handle passed in; the handle is recorded for the tests.
LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam)
{
    Current().nextHookCalls.push_back({hhk, nCode, wParam, lParam});
    const std::vector<size_t>& dispatching = Current().dispatching;
    if (dispatching.empty())
        return 0;
    size_t running = dispatching.back();
    return CallFrom(NextInChain(Current().hooks[running].type, running), nCode, wParam, lParam);
}
