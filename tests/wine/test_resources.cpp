// What the build could get wrong in setup.exe's resources: bits that windres
// adds to or drops from the styles the script writes, control classes stored
// as names instead of atoms, another language than US English, the payload
// under another type, a template that does not parse to its end, art that
// does not load.
//   test_resources SETUP_EXE SETUP_RC (Unix paths)
#include "check.h"
#include "resource_ids.h"

#include <cstdio>
#include <cstring>
#include <vector>

static HMODULE setup;

// A resource of setup.exe in US English, as bytes; null when there is none.
static const BYTE *Data(LPCSTR type, WORD id, DWORD *size = nullptr)
{
    HRSRC found = FindResourceExA(setup, type, MAKEINTRESOURCEA(id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (size)
        *size = SizeofResource(setup, found);
    return static_cast<const BYTE *>(LockResource(LoadResource(setup, found)));
}

// The styles the script writes for template `name`: the dialog's style and
// extended style, then each control's.
static std::vector<DWORD> ScriptStyles(const char *script, const char *name)
{
    std::vector<DWORD> styles;
    long long style = 0, exStyle = 0;
    const char *line = std::strstr(script, (std::string("\n") + name + " DIALOGEX").c_str());
    for (; line && std::strncmp(line, "\nEND", 4) != 0; line = std::strchr(line + 1, '\n')) {
        if (std::sscanf(line, "\nSTYLE %lli", &style) == 1 || std::sscanf(line, "\nEXSTYLE %lli", &style) == 1)
            styles.push_back(DWORD(style));
        const char *text = line + std::strspn(line, "\n ");
        const char *format = "\", %*[^,], %*[^,], %lli, %*d, %*d, %*d, %*d, %lli"; // after the control's text
        if (std::strncmp(text, "CONTROL \"", 9) == 0 &&
            std::sscanf(std::strchr(text + 9, '"'), format, &style, &exStyle) == 2)
            styles.push_back(DWORD(style)), styles.push_back(DWORD(exStyle));
    }
    return styles;
}

// A template read word by word.
struct Reader {
    const WORD *at;
    DWORD Long() { return at += 2, at[-2] | DWORD(at[-1]) << 16; }
    // A text, or an ordinal as "#n".
    std::string Name()
    {
        if (*at == 0xFFFF)
            return at += 2, "#" + std::to_string(at[-1]);
        std::string text;
        while (*at)
            text += char(*at++);
        return ++at, text;
    }
};

static void TestDialog(WORD id, const char *name, const char *script)
{
    DWORD size = 0;
    const BYTE *data = Data(RT_DIALOG, id, &size);
    if (!ok(data != nullptr, "dialog %u is there", id))
        return;
    Reader r = {reinterpret_cast<const WORD *>(data) + 4};
    DWORD exStyle = r.Long();
    std::vector<DWORD> styles = {r.Long(), exStyle};
    WORD count = *r.at;
    r.at += 5;
    r.Name(), r.Name(), r.Name(), r.at += 3, r.Name(); // menu, class, caption, font
    for (WORD i = 0; i < count; ++i) {
        r.at = reinterpret_cast<const WORD *>((reinterpret_cast<ULONG_PTR>(r.at) + 3) & ~ULONG_PTR(3));
        r.Long(), exStyle = r.Long(), styles.push_back(r.Long()), styles.push_back(exStyle);
        r.at += 6; // place, size and id
        std::string windowClass = r.Name();
        r.Name();
        r.at += 1 + *r.at / 2;
        ok(windowClass == "#128" || windowClass == "#129" || windowClass == "#130" || windowClass == "msctls_progress32",
           "dialog %u item %u: class \"%s\" as an atom, or the progress bar by its exact name", id, i, windowClass.c_str());
    }
    DWORD parsed = DWORD(reinterpret_cast<const BYTE *>(r.at) - data);
    ok(parsed == size, "dialog %u parses to its end (%lu of %lu bytes)", id, parsed, size);
    ok(!name || styles == ScriptStyles(script, name), "dialog %u holds exactly the styles the script writes", id);
}

int main(int, char **argv)
{
    setup = LoadLibraryExA(WinePath(argv[1]).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::string script = ReadFileBytes(WinePath(argv[2]));
    if (!ok(setup && !script.empty(), "setup.exe and its script read"))
        return Summary();
    TestDialog(IDD_MAIN, "IDD_MAIN", script.c_str());
    TestDialog(IDD_AGREEMENT, "IDD_AGREEMENT", script.c_str());
    TestDialog(IDD_AUTORUN, "IDD_AUTORUN", script.c_str());
    TestDialog(IDD_PROGRESS, nullptr, script.c_str()); // written as bytes: nothing for windres to change

    for (WORD id = IDR_PAYLOAD_PROGRAM; id <= IDR_PAYLOAD_SOUNDFX; ++id)
        ok(Data("RT_RCDATA", id) && std::memcmp(Data("RT_RCDATA", id), "SZDD", 4) == 0,
           "payload %u is an SZDD file under the type \"RT_RCDATA\"", id);
    BITMAP banner = {};
    HANDLE loaded = LoadImageA(setup, MAKEINTRESOURCEA(IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    ok(loaded && GetObjectA(loaded, sizeof banner, &banner) && banner.bmWidth == 189 && banner.bmHeight == 67,
       "the banner decodes to 189x67 pixels");
    BYTE *icons = const_cast<BYTE *>(Data(RT_GROUP_ICON, IDI_SETUP));
    ok(icons && reinterpret_cast<WORD *>(icons)[2] == 2, "the icon group holds two images");
    for (int size : {16, 32}) {
        DWORD bytes = 0;
        BYTE *bits = const_cast<BYTE *>(Data(RT_ICON, icons ? LookupIconIdFromDirectoryEx(icons, TRUE, size, size, 0) : 0, &bytes));
        ok(bits && reinterpret_cast<BITMAPINFOHEADER *>(bits)->biWidth == size &&
               CreateIconFromResourceEx(bits, bytes, TRUE, 0x00030000, size, size, 0),
           "the icon group's %dx%d image decodes", size, size);
    }
    return Summary();
}
