// Shortcut keys as the dialog shows and reads them: "F1" to "F12".
#pragma once

#include "../hooklib/velk_kh.h"

// Display texts hold up to three characters and the terminating NUL.
const int KeyNameSize = 4;

// Copies the key's name into `text`; a key without a name leaves `text` as it was.
void FormatKeyName(ShortcutKey key, char* text);

enum KeyEntryOutcome {
    KeyEntryNone,      // empty: the key stays as it is
    KeyEntryRejected,  // not F1..F12
    KeyEntryAccepted,  // `*key` holds the key
};

// Reads what the user typed; writes `*key` only when the entry is accepted.
KeyEntryOutcome ParseKeyEntry(const char* entry, ShortcutKey* key);
