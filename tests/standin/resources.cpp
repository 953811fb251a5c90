// A module's resources: the compiled resource file (.res) that the resource
// compiler made from the module's script, read where a DLL would carry it.
// Only what dialogs need: find a DIALOG template by numeric id and decode it.
#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "standin.h"

namespace standin {

namespace {

// A little-endian reader over the bytes of one resource file.
struct Reader {
    const std::vector<unsigned char>& bytes;
    size_t at;
    bool failed = false;

    unsigned int Read(size_t size)
    {
        if (at + size > bytes.size()) {
            failed = true;
            return 0;
        }
        unsigned int value = 0;
        for (size_t i = 0; i < size; ++i)
            value |= static_cast<unsigned int>(bytes[at + i]) << (8 * i);
        at += size;
        return value;
    }
    WORD Word() { return static_cast<WORD>(Read(2)); }
    DWORD Dword() { return Read(4); }
    short Short() { return static_cast<short>(Word()); }
    void AlignTo4(size_t base) { at = base + (at - base + 3) / 4 * 4; }

    // The texts here are ASCII, stored as UTF-16.
    std::string Text()
    {
        std::string text;
        for (WORD c = Word(); c != 0 && !failed; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal (0xFFFF then the number); ordinals come back as "#n".
    std::string NameOrOrdinal()
    {
        size_t start = at;
        if (Word() == 0xFFFF)
            return "#" + std::to_string(Word());
        at = start;
        return Text();
    }
};

// The predefined control classes that a template may name by ordinal.
std::string ClassOfOrdinal(const std::string& name)
{
    static const char* const classes[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    for (int i = 0; i < 6; ++i) {
        if (name == "#" + std::to_string(0x80 + i))
            return classes[i];
    }
    return name;
}

bool DecodeDialog(Reader& r, DialogTemplate* layout)
{
    size_t base = r.at;
    layout->style = r.Dword();
    layout->exStyle = r.Dword();
    if ((layout->style & 0xFFFF) == 1 && (layout->style >> 16) == 0xFFFF)
        return false;  // DIALOGEX: this module never uses it
    WORD count = r.Word();
    layout->x = r.Short();
    layout->y = r.Short();
    layout->cx = r.Short();
    layout->cy = r.Short();
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // window class
    layout->caption = r.Text();
    if (layout->style & DS_SETFONT) {
        layout->fontSize = r.Word();
        layout->fontName = r.Text();
    }
    for (WORD i = 0; i < count && !r.failed; ++i) {
        r.AlignTo4(base);
        DialogItemTemplate item;
        item.style = r.Dword();
        item.exStyle = r.Dword();
        item.x = r.Short();
        item.y = r.Short();
        item.cx = r.Short();
        item.cy = r.Short();
        item.id = r.Word();
        item.className = ClassOfOrdinal(r.NameOrOrdinal());
        item.text = r.NameOrOrdinal();
        r.at += r.Word();  // creation data
        layout->items.push_back(item);
    }
    return !r.failed;
}

std::string ResourceFileOf(HMODULE module)
{
    link_map* map = nullptr;
    if (module == nullptr || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
        return std::string();
    std::string path = map->l_name;
    const std::string suffix = ".dll";
    if (path.size() < suffix.size() || path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::string();
    return path.substr(0, path.size() - suffix.size()) + ".res";
}

}  // namespace

bool FindDialogTemplate(HMODULE module, int id, DialogTemplate* layout, DWORD* error)
{
    std::string path = ResourceFileOf(module);
    std::ifstream file(path, std::ios::binary);
    if (path.empty() || !file) {
        *error = ERROR_RESOURCE_DATA_NOT_FOUND;  // no resource section at all
        return false;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Reader r{bytes, 0};
    bool anyDialog = false;
    while (r.at < bytes.size()) {
        size_t start = r.at;
        DWORD dataSize = r.Dword();
        DWORD headerSize = r.Dword();
        std::string type = r.NameOrOrdinal();
        std::string name = r.NameOrOrdinal();
        r.AlignTo4(0);
        r.Dword();  // data version
        r.Word();   // memory flags
        WORD language = r.Word();
        if (r.failed)
            break;
        size_t data = start + headerSize;
        if (type == "#" + std::to_string(RT_DIALOG)) {
            anyDialog = true;
            if (name == "#" + std::to_string(id)) {
                Reader body{bytes, data};
                layout->language = language;
                if (DecodeDialog(body, layout))
                    return true;
                // Not a platform failure: the stand-in reads only classic DIALOG templates.
                std::fprintf(stderr, "stand-in: cannot decode dialog %d in %s\n", id, path.c_str());
                std::abort();
            }
        }
        r.at = data + dataSize;
        r.AlignTo4(0);
    }
    *error = anyDialog ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND;
    return false;
}

}  // namespace standin
