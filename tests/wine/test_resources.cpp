// What the build could get wrong in setup.exe's resources: bits that windres
// adds to or drops from the styles the script writes, control classes stored
// as names instead of atoms, a second language, the payload under another
// type, a template that does not parse to its end, art that does not load.
//   test_resources SETUP_EXE SETUP_RC (Unix paths)
#include "check.h"
#include "resource_ids.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

static HMODULE setup;

// A template read word by word; reading past its end leaves zeros.
struct Reader {
    const BYTE *data;
    DWORD size, at = 0;
    template <typename T> T Get()
    {
        T value{};
        if (at + sizeof value <= size)
            std::memcpy(&value, data + at, sizeof value);
        at += sizeof value;
        return value;
    }
    // A text, or an ordinal as "#n".
    std::string Name()
    {
        if (Get<WORD>() == 0xFFFF)
            return "#" + std::to_string(Get<WORD>());
        std::string text;
        for (at -= 2; WCHAR c = Get<WCHAR>();)
            text += char(c);
        return text;
    }
};

// The styles the script writes for template `name`: the dialog's style and
// extended style, then each control's.
static std::vector<DWORD> ScriptStyles(const std::string &script, const std::string &name)
{
    std::vector<DWORD> styles;
    std::istringstream lines(script.substr(script.find("\n" + name + " DIALOGEX")));
    std::string line;
    while (std::getline(lines, line) && line != "END") {
        for (const char *key : {"STYLE ", "EXSTYLE "})
            if (line.rfind(key, 0) == 0)
                styles.push_back(std::stoul(line.substr(std::strlen(key)), nullptr, 0));
        if (line.find("CONTROL \"") == std::string::npos)
            continue;
        std::vector<std::string> fields;
        std::istringstream rest(line.substr(line.rfind('"') + 2));
        for (std::string field; std::getline(rest, field, ',');)
            fields.push_back(field);
        styles.push_back(std::stoul(fields.at(2), nullptr, 0));
        styles.push_back(std::stoul(fields.at(7), nullptr, 0));
    }
    return styles;
}

static BOOL CALLBACK EachLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR)
{
    ok(language == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), "resource %p of type %p in language %04X", name,
       type, language);
    return TRUE;
}

static BOOL CALLBACK EachName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR)
{
    return EnumResourceLanguagesA(module, type, name, EachLanguage, 0);
}

static BOOL CALLBACK EachType(HMODULE module, LPSTR type, LONG_PTR)
{
    return EnumResourceNamesA(module, type, EachName, 0);
}

static void TestDialog(WORD id, const char *name, const std::string &script)
{
    HRSRC found = FindResourceExA(setup, RT_DIALOG, MAKEINTRESOURCEA(id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    Reader r = {static_cast<const BYTE *>(LockResource(LoadResource(setup, found))), SizeofResource(setup, found)};
    if (!ok(r.data != nullptr, "dialog %u is there in US English", id))
        return;
    r.at = 8;
    std::vector<DWORD> styles = {r.Get<DWORD>(), r.Get<DWORD>()};
    std::swap(styles[0], styles[1]); // stored as extended style, then style
    WORD count = r.Get<WORD>();
    r.at += 8;
    r.Name(), r.Name(), r.Name(), r.Get<DWORD>(), r.Get<WORD>(), r.Name(); // menu, class, caption, font
    for (WORD i = 0; i < count; ++i) {
        r.at = (r.at + 3) & ~3u;
        r.Get<DWORD>();
        DWORD exStyle = r.Get<DWORD>(), style = r.Get<DWORD>();
        styles.push_back(style), styles.push_back(exStyle);
        r.at += 12; // place, size and id
        std::string windowClass = r.Name();
        r.Name();
        r.at += r.Get<WORD>();
        ok(windowClass == "#128" || windowClass == "#129" || windowClass == "#130" ||
               windowClass == "msctls_progress32",
           "dialog %u item %u: class \"%s\" as an atom, or the progress bar by its exact name", id, i, windowClass.c_str());
    }
    ok(r.at == r.size, "dialog %u parses to its end (%lu of %lu bytes)", id, r.at, r.size);
    if (name)
        ok(styles.size() == 2 + 2 * size_t(count) && styles == ScriptStyles(script, name),
           "dialog %u holds exactly the styles the script writes", id);
}

int main(int, char **argv)
{
    setup = LoadLibraryExA(WinePath(argv[1]).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::ifstream in(argv[2]);
    std::string script((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!ok(setup && !script.empty(), "setup.exe and its script read"))
        return Summary();

    // A second language would be the one shown on some systems.
    EnumResourceTypesA(setup, EachType, 0);

    TestDialog(IDD_MAIN, "IDD_MAIN", script);
    TestDialog(IDD_AGREEMENT, "IDD_AGREEMENT", script);
    TestDialog(IDD_AUTORUN, "IDD_AUTORUN", script);
    TestDialog(IDD_PROGRESS, nullptr, script); // written as bytes: nothing for windres to change

    for (int id = IDR_PAYLOAD_PROGRAM; id <= IDR_PAYLOAD_SOUNDFX; ++id) {
        HRSRC found = FindResourceA(setup, MAKEINTRESOURCEA(id), "RT_RCDATA");
        const char *data = static_cast<const char *>(LockResource(LoadResource(setup, found)));
        ok(data && std::memcmp(data, "SZDD", 4) == 0, "payload %d is an SZDD file under the type \"RT_RCDATA\"", id);
    }

    BITMAP banner = {};
    HANDLE loaded = LoadImageA(setup, MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    ok(loaded && GetObjectA(loaded, sizeof banner, &banner) && banner.bmWidth == 189 && banner.bmHeight == 67,
       "the banner decodes to 189x67 pixels");
    HRSRC group = FindResourceA(setup, MAKEINTRESOURCEA(IDI_SETUP), RT_GROUP_ICON);
    BYTE *icons = static_cast<BYTE *>(LockResource(LoadResource(setup, group)));
    ok(icons && reinterpret_cast<WORD *>(icons)[2] == 2, "the icon group holds two images");
    for (int size : {16, 32}) {
        int id = icons ? LookupIconIdFromDirectoryEx(icons, TRUE, size, size, 0) : 0;
        HRSRC found = FindResourceA(setup, MAKEINTRESOURCEA(id), RT_ICON);
        BYTE *bits = static_cast<BYTE *>(LockResource(LoadResource(setup, found)));
        ok(bits && reinterpret_cast<BITMAPINFOHEADER *>(bits)->biWidth == size &&
               CreateIconFromResourceEx(bits, SizeofResource(setup, found), TRUE, 0x00030000, size, size, 0),
           "the icon group's %dx%d image decodes", size, size);
    }
    return Summary();
}
