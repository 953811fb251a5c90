// Key names and what the user may type for a key: F1..F12, in either case,
// with one or two digits; nothing else.
#include "../../plugin/key_entry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const ShortcutKey Untouched = 0xDEAD;

struct EntryCase {
    const char* entry;
    KeyEntryOutcome outcome;
    ShortcutKey key;  // Untouched unless accepted
};

const char* NameOf(KeyEntryOutcome outcome)
{
    switch (outcome) {
    case KeyEntryNone: return "no entry";
    case KeyEntryRejected: return "rejected";
    case KeyEntryAccepted: return "accepted";
    }
    return "?";
}

TEST(ParseKeyEntry, AcceptsFunctionKeysAndRejectsEverythingElse)
{
    const EntryCase cases[] = {
        {"f7", KeyEntryAccepted, 118},
        {"F01", KeyEntryAccepted, 112},
        {"F1", KeyEntryAccepted, 112},
        {"F9", KeyEntryAccepted, 120},
        {"F10", KeyEntryAccepted, 121},
        {"f12", KeyEntryAccepted, 123},
        {"F12", KeyEntryAccepted, 123},
        {"", KeyEntryNone, Untouched},
        // The first character must be F or f.
        {"G1", KeyEntryRejected, Untouched},
        {" F1", KeyEntryRejected, Untouched},
        {"1", KeyEntryRejected, Untouched},
        // At most three characters.
        {"F012", KeyEntryRejected, Untouched},
        {"F1 ", KeyEntryRejected, Untouched},
        {"F0000000000000000000000000000001", KeyEntryRejected, Untouched},
        // Digits only after the F.
        {"F-1", KeyEntryRejected, Untouched},
        {"F+1", KeyEntryRejected, Untouched},
        {"F1x", KeyEntryRejected, Untouched},
        {"Fx", KeyEntryRejected, Untouched},
        // 1 to 12.
        {"F", KeyEntryRejected, Untouched},
        {"F0", KeyEntryRejected, Untouched},
        {"F00", KeyEntryRejected, Untouched},
        {"F13", KeyEntryRejected, Untouched},
        {"F99", KeyEntryRejected, Untouched},
    };
    for (const EntryCase& c : cases) {
        ShortcutKey key = Untouched;
        KeyEntryOutcome outcome = ParseKeyEntry(c.entry, &key);
        EXPECT_EQ(outcome, c.outcome) << '"' << c.entry << "\": " << NameOf(outcome) << ", expected "
                                      << NameOf(c.outcome);
        EXPECT_EQ(key, c.key) << '"' << c.entry << '"';
    }
}

struct NameCase {
    ShortcutKey key;
    const char* before;
    const char* after;
};

TEST(FormatKeyName, NamesF1ToF12AndLeavesOtherKeysAlone)
{
    const NameCase cases[] = {
        {0x70, "", "F1"},
        {0x77, "", "F8"},
        {0x78, "F12", "F9"},
        {0x79, "F1", "F10"},
        {0x7B, "", "F12"},
        {0x6F, "F3", "F3"},  // VK_F1 - 1
        {0x7C, "F3", "F3"},  // VK_F13
        {65, "", ""},        // the A key: a text never set stays empty
        {0x170, "F5", "F5"},
    };
    for (const NameCase& c : cases) {
        char text[KeyNameSize] = {};
        std::string(c.before).copy(text, KeyNameSize - 1);
        FormatKeyName(c.key, text);
        EXPECT_STREQ(text, c.after) << "key 0x" << std::hex << c.key << " over \"" << c.before << '"';
    }
}

}  // namespace
