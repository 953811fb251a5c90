// Modal dialogs. DialogBoxParamA creates the dialog from the module's own
// template, disables the owner, sends WM_INITDIALOG and then runs its modal
// loop; here the loop's input is the test's scripted user. The loop ends once
// the dialog procedure has called EndDialog.
#include <cstring>

#include "standin.h"

namespace standin {

namespace {

Dialog* DialogOfWindow(HWND hwnd)
{
    for (Dialog& dialog : Current().dialogs) {
        if (dialog.window == hwnd && !dialog.ended)
            return &dialog;
    }
    return nullptr;
}

DialogControl* FindControl(Dialog& dialog, int id)
{
    for (DialogControl& control : dialog.controls) {
        if (control.item.id == id)
            return &control;
    }
    return nullptr;
}

bool IsClass(const DialogControl& control, const char* name)
{
    return strcasecmp(control.item.className.c_str(), name) == 0;
}

bool HoldsCheck(const DialogControl& control)
{
    DWORD type = control.item.style & BS_TYPEMASK;
    return IsClass(control, "BUTTON") && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
}

LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

// The dialog's own window procedure calls the dialog procedure first; what
// it leaves unhandled gets the default dialog handling.
LRESULT CALLBACK DialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = DialogOfWindow(hwnd);
    if (dialog == nullptr)
        return 0;
    INT_PTR handled = dialog->proc(hwnd, msg, wParam, lParam);
    if (handled || msg != WM_CLOSE)
        return handled;
    // The close box and Esc both come to the procedure as the Cancel button.
    dialog = DialogOfWindow(hwnd);
    if (dialog == nullptr)
        return 0;
    DialogControl* cancel = FindControl(*dialog, IDCANCEL);
    LPARAM from = reinterpret_cast<LPARAM>(cancel != nullptr ? cancel->window : nullptr);
    return SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), from);
}

Dialog& CreateDialogFrom(const DialogTemplate& layout, HWND owner, DLGPROC proc)
{
    Dialog dialog;
    dialog.layout = layout;
    dialog.owner = owner;
    dialog.proc = proc;
    dialog.window = CreateTestWindow(DialogWindowProc);
    FindTestWindow(dialog.window)->text = layout.caption;
    for (const DialogItemTemplate& item : layout.items) {
        DialogControl control;
        control.item = item;
        control.window = CreateTestWindow(ControlWindowProc);
        FindTestWindow(control.window)->text = item.text;
        dialog.controls.push_back(control);
    }
    Current().dialogs.push_back(dialog);
    return Current().dialogs.back();
}

// The control that gets the focus first: the first one with a tab stop.
HWND FirstTabStop(const Dialog& dialog)
{
    for (const DialogControl& control : dialog.controls) {
        if (control.item.style & WS_TABSTOP)
            return control.window;
    }
    return nullptr;
}

void SetOwnerEnabled(HWND owner, bool enabled)
{
    Window* window = FindTestWindow(owner);
    if (window != nullptr)
        window->enabled = enabled;
}

void DestroyDialogWindows(const Dialog& dialog)
{
    for (const DialogControl& control : dialog.controls)
        Current().windows[reinterpret_cast<size_t>(control.window) - 1].destroyed = true;
    Current().windows[reinterpret_cast<size_t>(dialog.window) - 1].destroyed = true;
}

// The scripted user's part of the modal loop; a user without a script closes
// the dialog. A dialog that even the close box does not end is abandoned, as
// no further input will come.
void RunScriptedUser(size_t index)
{
    std::deque<DialogScript>& scripts = Current().dialogScripts;
    if (!scripts.empty()) {
        DialogScript script = scripts.front();
        scripts.pop_front();
        script();
    }
    if (!Current().dialogs[index].ended)
        CloseDialog();
    Dialog& dialog = Current().dialogs[index];
    if (!dialog.ended) {
        dialog.abandoned = true;
        dialog.ended = true;
    }
}

bool FailsOnDemand()
{
    Failure& failure = Current().failures.dialogBox;
    if (failure.count == 0)
        return false;
    --failure.count;
    SetLastError(failure.error);
    return true;
}

}  // namespace

Dialog* RunningDialog()
{
    std::vector<size_t>& running = Current().runningDialogs;
    while (!running.empty()) {
        Dialog& dialog = Current().dialogs[running.back()];
        if (!dialog.ended)
            return &dialog;
        running.pop_back();
    }
    return nullptr;
}

bool TypeText(int id, const std::string& text)
{
    Dialog* dialog = RunningDialog();
    DialogControl* control = dialog == nullptr ? nullptr : FindControl(*dialog, id);
    if (control == nullptr || !IsClass(*control, "EDIT"))
        return false;
    FindTestWindow(control->window)->text = text;
    SendMessageA(dialog->window, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control->window));
    return true;
}

bool ClickButton(int id)
{
    Dialog* dialog = RunningDialog();
    DialogControl* control = dialog == nullptr ? nullptr : FindControl(*dialog, id);
    if (control == nullptr || !IsClass(*control, "BUTTON"))
        return false;
    if ((control->item.style & BS_TYPEMASK) == BS_AUTOCHECKBOX)
        control->check = control->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    SendMessageA(dialog->window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control->window));
    return true;
}

bool CloseDialog()
{
    Dialog* dialog = RunningDialog();
    if (dialog == nullptr)
        return false;
    SendMessageA(dialog->window, WM_CLOSE, 0, 0);
    return true;
}

bool SendDialogCommand(WORD id)
{
    Dialog* dialog = RunningDialog();
    if (dialog == nullptr)
        return false;
    SendMessageA(dialog->window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return true;
}

std::string ControlText(const Dialog& dialog, int id)
{
    for (const DialogControl& control : dialog.controls) {
        if (control.item.id == id)
            return Current().windows[reinterpret_cast<size_t>(control.window) - 1].text;
    }
    return std::string();
}

bool IsControlChecked(const Dialog& dialog, int id)
{
    for (const DialogControl& control : dialog.controls) {
        if (control.item.id == id)
            return control.check == BST_CHECKED;
    }
    return false;
}

}  // namespace standin

using namespace standin;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    if (FailsOnDemand())
        return -1;
    if (hWndParent != nullptr && FindTestWindow(hWndParent) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    // Only numeric template ids (MAKEINTRESOURCE) are modelled.
    int id = static_cast<int>(reinterpret_cast<ULONG_PTR>(lpTemplateName));
    DialogTemplate layout;
    DWORD error = 0;
    if (reinterpret_cast<ULONG_PTR>(lpTemplateName) > 0xFFFF || !FindDialogTemplate(hInstance, id, &layout, &error)) {
        SetLastError(error != 0 ? error : ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    size_t index = &CreateDialogFrom(layout, hWndParent, lpDialogFunc) - Current().dialogs.data();
    Current().runningDialogs.push_back(index);
    SetOwnerEnabled(hWndParent, false);
    Current().dialogs[index].ownerDisabled = hWndParent != nullptr;
    HWND window = Current().dialogs[index].window;
    SendMessageA(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(FirstTabStop(Current().dialogs[index])),
                 dwInitParam);
    if (!Current().dialogs[index].ended)
        RunScriptedUser(index);
    RunningDialog();  // drops this dialog from the running ones
    SetOwnerEnabled(hWndParent, true);
    DestroyDialogWindows(Current().dialogs[index]);
    return Current().dialogs[index].result;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    Dialog* dialog = DialogOfWindow(hDlg);
    if (dialog == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    dialog->ended = true;
    dialog->result = nResult;
    return TRUE;
}

static DialogControl* FindDialogItem(HWND hDlg, int id)
{
    Dialog* dialog = DialogOfWindow(hDlg);
    DialogControl* control = dialog == nullptr ? nullptr : FindControl(*dialog, id);
    if (control == nullptr)
        SetLastError(dialog == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_CONTROL_ID_NOT_FOUND);
    return control;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    DialogControl* control = FindDialogItem(hDlg, nIDButton);
    if (control == nullptr)
        return FALSE;
    // Controls that hold no check ignore the request, and the call still succeeds.
    if (HoldsCheck(*control))
        control->check = uCheck;
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    DialogControl* control = FindDialogItem(hDlg, nIDButton);
    if (control == nullptr || !HoldsCheck(*control))
        return BST_UNCHECKED;
    return control->check;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    Window* window = FindTestWindow(hWnd);
    if (window == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    window->text = lpString != nullptr ? lpString : "";
    return TRUE;
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    DialogControl* control = FindDialogItem(hDlg, nIDDlgItem);
    if (control == nullptr)
        return FALSE;
    return SetWindowTextA(control->window, lpString);
}

// Copies at most cchMax - 1 characters and a NUL, as Windows cuts a text that
// does not fit; answers the number of characters copied.
UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax)
{
    DialogControl* control = FindDialogItem(hDlg, nIDDlgItem);
    if (cchMax <= 0)
        return 0;
    lpString[0] = '\0';
    if (control == nullptr)
        return 0;
    const std::string& text = FindTestWindow(control->window)->text;
    size_t length = text.size() < static_cast<size_t>(cchMax - 1) ? text.size() : static_cast<size_t>(cchMax - 1);
    std::memcpy(lpString, text.data(), length);
    lpString[length] = '\0';
    return static_cast<UINT>(length);
}
