// Thread message queues; the get-message hooks, which see every message taken
// from a queue or peeked at there; and the platform cancelling journal hooks.
#include <algorithm>

#include "standin.h"

namespace standin {

static const HWND ThreadMessagesOnly = reinterpret_cast<HWND>(-1);

static bool MatchesWindow(const MSG& msg, HWND filter)
{
    if (filter == nullptr)
        return true;
    if (filter == ThreadMessagesOnly)
        return msg.hwnd == nullptr;
    return msg.hwnd == filter;
}

// Both bounds 0 take every message; WM_QUIT passes any range.
static bool MatchesRange(const MSG& msg, UINT first, UINT last)
{
    if ((first == 0 && last == 0) || msg.message == WM_QUIT)
        return true;
    return msg.message >= first && msg.message <= last;
}

static const size_t none = static_cast<size_t>(-1);

// The oldest message of the calling thread's queue that the filter lets through.
static size_t FindMessage(HWND hWnd, UINT first, UINT last)
{
    const std::vector<PostedMessage>& posted = Current().postedMessages;
    for (size_t i = 0; i < posted.size(); ++i) {
        const PostedMessage& entry = posted[i];
        if (entry.thread == GetCurrentThreadId() && MatchesWindow(entry.msg, hWnd) &&
            MatchesRange(entry.msg, first, last))
            return i;
    }
    return none;
}

// The get-message hooks see the message, and may change it, before the caller
// does; wParam tells them whether it leaves the queue.
static void Retrieve(size_t index, bool remove, LPMSG lpMsg)
{
    std::vector<PostedMessage>& posted = Current().postedMessages;
    MSG msg = posted[index].msg;
    if (remove)
        posted.erase(posted.begin() + static_cast<std::ptrdiff_t>(index));
    CallHookChain(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg));
    *lpMsg = msg;
}

void CancelJournalHooks()
{
    std::vector<DWORD> threads;
    for (Hook& hook : Current().hooks) {
        if (!hook.installed || hook.type != WH_JOURNALRECORD)
            continue;
        hook.installed = false;
        if (std::find(threads.begin(), threads.end(), hook.installingThread) == threads.end())
            threads.push_back(hook.installingThread);
    }
    for (DWORD thread : threads)
        PostThreadMessageA(thread, WM_CANCELJOURNAL, 0, 0);
}

}  // namespace standin

using namespace standin;

DWORD WINAPI GetCurrentThreadId() { return Current().threadId; }

BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (idThread == 0) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    MSG msg = {};
    msg.message = Msg;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = Current().tickCount;
    Current().postedMessages.push_back({idThread, msg});
    return TRUE;
}

// With nothing to take, Windows would wait for a message; the stand-in has no
// other thread that could post one, so it fails (-1) instead of waiting forever.
BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    size_t index = FindMessage(hWnd, wMsgFilterMin, wMsgFilterMax);
    if (index == none) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    Retrieve(index, true, lpMsg);
    return lpMsg->message != WM_QUIT;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    size_t index = FindMessage(hWnd, wMsgFilterMin, wMsgFilterMax);
    if (index == none)
        return FALSE;
    Retrieve(index, (wRemoveMsg & PM_REMOVE) != 0, lpMsg);
    return TRUE;
}
