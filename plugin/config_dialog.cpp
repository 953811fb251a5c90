// The configuration dialog: the enabled box and the two shortcut fields.
// OK applies what it can at once; the settings are saved only when nothing
// was refused.
#include "key_entry.h"
#include "plugin.h"
#include "resource.h"
#include "settings.h"

// The names of the keys in effect; they outlive the dialog.
static char prevKeyText[KeyNameSize];
static char nextKeyText[KeyNameSize];

static const char DialogCaption[] = "Tarnwick";
static const char ErrorCaption[] = "Error";
static const char OnlyFunctionKeysText[] = "You can only assign F1..F12!";
static const char SameKeyText[] = "You can't assign the same key to these fields!";

// One shortcut field and what it sets.
struct KeyField {
    int control;
    char* text;
    ShortcutKey* key;
    void (*handOver)(ShortcutKey);
};

static void OnInitDialog(HWND dialog)
{
    if (settings.enabled == 1)
        CheckDlgButton(dialog, IDC_ENABLE, BST_CHECKED);
    SetWindowTextA(dialog, DialogCaption);
    SetDlgItemTextA(dialog, IDC_ENABLE, "Enable this plugin");
    SetDlgItemTextA(dialog, IDC_PREV_LABEL, "Previous track shortcut:");
    SetDlgItemTextA(dialog, IDC_NEXT_LABEL, "Next track shortcut:");
    FormatKeyName(settings.ptvKey, prevKeyText);
    SetDlgItemTextA(dialog, IDC_PREV_KEY, prevKeyText);
    FormatKeyName(settings.ntvKey, nextKeyText);
    SetDlgItemTextA(dialog, IDC_NEXT_KEY, nextKeyText);
}

// Arms or disarms at once, even if the dialog then stays open.
static void ApplyEnabledBox(HWND dialog)
{
    if (IsDlgButtonChecked(dialog, IDC_ENABLE) == BST_CHECKED) {
        settings.enabled = 1;
        ArmJournalHook();
    } else {
        settings.enabled = 0;
        DisarmJournalHook();
    }
}

static bool RefuseEntry(HWND dialog, const KeyField& field, const char* message)
{
    MessageBoxA(nullptr, message, ErrorCaption, MB_ICONWARNING | MB_OK);
    SetDlgItemTextA(dialog, field.control, field.text);
    return false;
}

// Applies one field; false if its entry was refused. A key is stored only
// after it has passed every check, and then shown in its normal form.
static bool ConfirmKeyField(HWND dialog, const KeyField& field, ShortcutKey otherKey)
{
    char entry[32];
    GetDlgItemTextA(dialog, field.control, entry, sizeof entry);
    ShortcutKey key = 0;
    KeyEntryOutcome outcome = ParseKeyEntry(entry, &key);
    if (outcome == KeyEntryNone)
        return true;
    if (outcome == KeyEntryRejected)
        return RefuseEntry(dialog, field, OnlyFunctionKeysText);
    if (key == otherKey)
        return RefuseEntry(dialog, field, SameKeyText);
    *field.key = key;
    FormatKeyName(key, field.text);
    SetDlgItemTextA(dialog, field.control, field.text);
    field.handOver(key);
    return true;
}

static void OnConfirm(HWND dialog)
{
    ApplyEnabledBox(dialog);
    // Built here, not as constants: the setters' addresses come from the import table at run time.
    KeyField prevField = {IDC_PREV_KEY, prevKeyText, &settings.ptvKey, SetPTVKey};
    KeyField nextField = {IDC_NEXT_KEY, nextKeyText, &settings.ntvKey, SetNTVKey};
    bool errorSeen = !ConfirmKeyField(dialog, prevField, settings.ntvKey);
    if (!ConfirmKeyField(dialog, nextField, settings.ptvKey))
        return;
    if (errorSeen)
        return;
    SaveSettings();
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        OnInitDialog(dialog);
        return 0;
    }
    if (msg != WM_COMMAND)
        return 0;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnConfirm(dialog);
        break;
    case IDCANCEL:
    case IDCLOSE:
        EndDialog(dialog, 0);
        break;
    }
    return 0;
}
