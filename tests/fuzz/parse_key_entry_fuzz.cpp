// ParseKeyEntry against an oracle of its own: the accepted entries are the
// finite set 'F' or 'f' followed by 1..12 written with one or two digits.
// The entry is handed over in a heap block of exactly its size, so that
// AddressSanitizer stops any read past its NUL.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "../../plugin/key_entry.h"

static std::map<std::string, ShortcutKey> AcceptedEntries()
{
    std::map<std::string, ShortcutKey> accepted;
    for (unsigned int n = 1; n <= 12; ++n) {
        ShortcutKey key = 0x70 + n - 1;  // VK_F1 .. VK_F12
        std::string digits = std::to_string(n);
        for (const char* f : {"F", "f"}) {
            accepted[f + digits] = key;
            if (n < 10)
                accepted[f + ("0" + digits)] = key;
        }
    }
    return accepted;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::map<std::string, ShortcutKey> accepted = AcceptedEntries();
    // A text ends at its first NUL, as one read from an edit box does.
    std::string entry(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    char* copy = static_cast<char*>(std::malloc(entry.size() + 1));
    std::memcpy(copy, entry.c_str(), entry.size() + 1);

    const ShortcutKey untouched = 0xFFFFFFFF;
    ShortcutKey key = untouched;
    KeyEntryOutcome outcome = ParseKeyEntry(copy, &key);
    std::free(copy);

    auto found = accepted.find(entry);
    if (entry.empty()) {
        if (outcome != KeyEntryNone || key != untouched)
            std::abort();
    } else if (found == accepted.end()) {
        if (outcome != KeyEntryRejected || key != untouched)
            std::abort();
    } else if (outcome != KeyEntryAccepted || key != found->second) {
        std::abort();
    }
    return 0;
}
