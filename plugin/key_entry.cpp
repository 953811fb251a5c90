#include "key_entry.h"

// F1 is VK_F1; Fn is VK_F1 + n - 1.
static const ShortcutKey FirstFunctionKey = 0x70;
static const int FunctionKeyCount = 12;
static const int LongestEntry = 3;

void FormatKeyName(ShortcutKey key, char* text)
{
    if (key < FirstFunctionKey || key >= FirstFunctionKey + FunctionKeyCount)
        return;
    unsigned int number = key - FirstFunctionKey + 1;
    int at = 0;
    text[at++] = 'F';
    if (number >= 10)
        text[at++] = '1';
    text[at++] = static_cast<char>('0' + number % 10);
    text[at] = '\0';
}

// Never reads past the entry's NUL, however long the entry is.
KeyEntryOutcome ParseKeyEntry(const char* entry, ShortcutKey* key)
{
    if (entry[0] == '\0')
        return KeyEntryNone;
    if (entry[0] != 'F' && entry[0] != 'f')
        return KeyEntryRejected;
    int length = 1;
    while (length <= LongestEntry && entry[length] != '\0')
        ++length;
    if (length > LongestEntry)
        return KeyEntryRejected;
    unsigned int number = 0;
    for (int at = 1; at < length; ++at) {
        if (entry[at] < '0' || entry[at] > '9')
            return KeyEntryRejected;
        number = number * 10 + static_cast<unsigned int>(entry[at] - '0');
    }
    if (number < 1 || number > FunctionKeyCount)
        return KeyEntryRejected;
    *key = FirstFunctionKey + number - 1;
    return KeyEntryAccepted;
}
