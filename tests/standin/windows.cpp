// Windows with window procedures, and the messages sent to them.
#include "standin.h"

namespace standin {

static HWND HandleOfWindow(size_t index) { return reinterpret_cast<HWND>(index + 1); }

HWND CreateTestWindow(WNDPROC proc)
{
    Window window;
    window.proc = proc;
    Current().windows.push_back(window);
    return HandleOfWindow(Current().windows.size() - 1);
}

Window* FindTestWindow(HWND hwnd)
{
    std::vector<Window>& windows = Current().windows;
    size_t n = reinterpret_cast<size_t>(hwnd);
    if (n == 0 || n > windows.size() || windows[n - 1].destroyed)
        return nullptr;
    return &windows[n - 1];
}

}  // namespace standin

using standin::FindTestWindow;
using standin::Window;

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* window = FindTestWindow(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(hWnd, Msg, wParam, lParam);
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex)
{
    Window* window = FindTestWindow(hWnd);
    if (window == nullptr || nIndex != GWLP_WNDPROC) {
        SetLastError(window == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return 0;
    }
    return reinterpret_cast<LONG_PTR>(window->proc);
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    LONG_PTR previous = GetWindowLongPtrA(hWnd, nIndex);
    if (previous == 0)
        return 0;
    FindTestWindow(hWnd)->proc = reinterpret_cast<WNDPROC>(dwNewLong);
    return previous;
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (lpPrevWndFunc == nullptr)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}
