// Drives the configuration dialog through Win32 from a second thread while
// the player's thread sits in onConfig's modal loop, as a user would.
#include "player.h"
#include "resource.h"

static DialogScript runningScript;

static HWND FindTopWindow(const char* title)
{
    // Dialogs and message boxes share the dialog class.
    HWND found = FindWindowA("#32770", title);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

static HWND WaitForTopWindow(const char* title)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < StepTimeoutMs) {
        if (HWND found = FindTopWindow(title))
            return found;
        Sleep(20);
    }
    return nullptr;
}

static DWORD WINAPI DriveDialog(LPVOID)
{
    HWND dialog = WaitForTopWindow("Tarnwick");
    Check(dialog != nullptr, "the configuration dialog \"Tarnwick\" did not appear");
    Check(GetWindow(dialog, GW_OWNER) == player.mainWindow, "the dialog is not owned by the player's window");
    runningScript(dialog);
    return 0;
}

void RunConfigDialog(const char* name, DialogScript script)
{
    Step(name);
    runningScript = script;
    HANDLE driver = CreateThread(nullptr, 0, DriveDialog, nullptr, 0, nullptr);
    Check(driver != nullptr, "could not start the dialog's driver thread");
    plugin->onConfig();
    Check(WaitForSingleObject(driver, StepTimeoutMs) == WAIT_OBJECT_0,
          "onConfig returned while the dialog's driver was still at work");
    CloseHandle(driver);
}

void SetDialogText(HWND dialog, int id, const char* text)
{
    Check(SetDlgItemTextA(dialog, id, text) != FALSE, "could not set the text of control %d", id);
}

// Returns once the dialog's thread is back in a message loop, so whatever a
// posted click started has run, up to any message box it opened.
static void SyncWithDialog(HWND dialog)
{
    DWORD_PTR result;
    Check(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, StepTimeoutMs, &result) != 0,
          "the dialog's thread stopped answering");
}

void ExpectDialogText(HWND dialog, int id, const char* text)
{
    SyncWithDialog(dialog);
    char actual[64] = "";
    GetDlgItemTextA(dialog, id, actual, sizeof actual);
    Check(lstrcmpA(actual, text) == 0, "control %d shows \"%s\", expected \"%s\"", id, actual, text);
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Queued without waiting: the click may open a message box, a modal loop of
// its own, which the driver must be free to answer. Sent messages are handled
// in order, so a later SyncWithDialog returns only after this click has run.
void ClickButton(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    Check(button != nullptr, "the dialog has no control %d", id);
    SendNotifyMessageA(button, BM_CLICK, 0, 0);
}

struct StaticSearch {
    const char* text;
    bool found;
};

static BOOL CALLBACK FindStaticText(HWND child, LPARAM lParam)
{
    StaticSearch* search = reinterpret_cast<StaticSearch*>(lParam);
    char text[128] = "";
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpA(text, search->text) == 0)
        search->found = true;
    return !search->found;
}

static bool WaitUntilGone(HWND window)
{
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start > StepTimeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

void DismissMessageBox(const char* text)
{
    HWND box = WaitForTopWindow("Error");
    Check(box != nullptr, "no message box \"Error\" appeared; expected \"%s\"", text);
    StaticSearch search = {text, false};
    EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&search));
    Check(search.found, "the message box does not say \"%s\"", text);
    ClickButton(box, IDOK);
    Check(WaitUntilGone(box), "the message box \"%s\" did not close on OK", text);
}

void ExpectDialogClosed(HWND dialog) { Check(WaitUntilGone(dialog), "the dialog stayed open"); }

void ExpectDialogOpen(HWND dialog)
{
    SyncWithDialog(dialog);
    Check(IsWindow(dialog) && IsWindowVisible(dialog), "the dialog closed");
    Check(FindTopWindow("Error") == nullptr, "an unexpected message box is open");
}
