// The set-up program's own resources as Windows finds them in setup.exe:
// the four dialog templates field by field, the banner, the class icon, and
// the shape of the agreement text.
//   test_resources SETUP_EXE (a Unix path)
#include "check.h"
#include "ui.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

static const WORD UsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
static HMODULE setupModule;

// Predefined control classes are stored as atoms; others by name.
static const char Button[] = "#128", Edit[] = "#129", Static[] = "#130";

struct Item {
    DWORD id;
    const char *windowClass, *text;
    DWORD style, exStyle;
    short x, y, cx, cy;
};

struct Dialog {
    WORD id;
    DWORD style, exStyle;
    short cx, cy;
    const char *caption;
    std::vector<Item> items;
};

static const DWORD Decoration = 0xFFFFFFFF;

static const Dialog Dialogs[] = {
    {1000, 0x80C808C4, 0, 254, 256, "Brightlark --- Installation", {
        {1001, Static, "Program Installation", 0x50020000, 0, 58, 142, 142, 8},
        {Decoration, Static, "", 0x50000010, 0, 58, 152, 196, 1},
        {1002, Static, "Brightlark will be installed in your PC in the specified folder.", 0x50020000, 0, 66, 158,
         144, 34},
        {1, Button, "&I n s t a l l", 0x50010001, 0x20, 58, 220, 64, 22},
        {2, Button, "&C a n c e l", 0x50010000, 0, 134, 220, 64, 22},
        {1003, Edit, "", 0x50830080, 0x20, 58, 194, 122, 12},
        {1004, Button, "...", 0x50010000, 0x200, 184, 194, 14, 12},
        {Decoration, Static, "", 0x50000010, 0, 58, 94, 196, 1},
        {Decoration, Static, "System Requirements", 0x50020000, 0, 58, 84, 142, 8},
        {1005, Button, "Windows 9x/ME/NT", 0x50008103, 0, 66, 100, 142, 10},
        {1006, Button, "3 megabytes free disk space to install", 0x50008103, 0, 66, 110, 142, 10},
        {1007, Button, "7 megabytes free memory to run", 0x50008103, 0, 66, 120, 142, 10},
        {1010, Static, "", 0x5000020E, 0x20, 56, 14, 136, 48},
        {Decoration, Static, "", 0x50000005, 0, 52, 6, 202, 8},
        {Decoration, Static, "", 0x50000005, 0, 0, 62, 196, 8},
        {Decoration, Static, "", 0x50000006, 0, 52, 10, 144, 56},
    }},
    {2000, 0x80C808C4, 0, 254, 256, "Brightlark --- License", {
        {1, Button, "&A g r e e", 0x50010001, 0x20, 58, 220, 64, 22},
        {2, Button, "&D i s a g r e e", 0x50010000, 0, 134, 220, 64, 22},
        {2001, Edit, "", 0x50A10804, 0x20, 20, 16, 214, 188},
    }},
    {3000, 0x90C809C0, 0x84, 246, 15, "", {
        {3002, "msctls_progress32", "Progress1", 0x50800001, 0, 4, 4, 238, 8},
    }},
    {4000, 0x80C808C4, 0, 254, 198, "Brightlark --- CD-ROM", {
        {1, Button, "&O K", 0x50010001, 0x20, 58, 162, 64, 22},
        {2, Button, "&C a n c e l", 0x50010000, 0, 134, 162, 64, 22},
        {4001, Button, "&Run Brightlark", 0x50000009, 0, 60, 88, 126, 10},
        {4002, Button, "Run Brightlark &Setup", 0x50000009, 0, 60, 100, 126, 10},
        {4003, Button, "Run Microsoft &DirectX Setup", 0x50000009, 0, 60, 112, 126, 10},
        {4004, Button, "Install Additional Sound &FX Packs", 0x50000009, 0, 60, 124, 126, 10},
        {4005, Button, "&Explore Brightlark CD-ROM", 0x50000009, 0, 60, 136, 126, 10},
        {4006, Static, "", 0x5000020E, 0x20, 56, 14, 136, 48},
        {Decoration, Static, "", 0x50000005, 0, 52, 6, 202, 8},
        {Decoration, Static, "", 0x50000005, 0, 0, 62, 196, 8},
        {Decoration, Static, "", 0x50000006, 0, 52, 10, 144, 56},
    }},
};

// Reads a resource's bytes in order; a read past the end marks it short.
struct Reader {
    const BYTE *data;
    DWORD size, at = 0;
    bool shortData = false;

    template <typename T> T Get()
    {
        T value{};
        shortData = shortData || at + sizeof value > size;
        if (!shortData)
            std::memcpy(&value, data + at, sizeof value);
        at += sizeof value;
        return value;
    }
    // Text, or an ordinal as "#n"; an empty text is a single zero word.
    std::string Name()
    {
        std::string text;
        if (Get<WORD>() == 0xFFFF)
            return "#" + std::to_string(Get<WORD>());
        for (at -= 2; WCHAR c = Get<WCHAR>();)
            text += c < 0x80 && !shortData ? char(c) : '?';
        return text;
    }
};

static BOOL CALLBACK AddLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages)
{
    reinterpret_cast<std::vector<WORD> *>(languages)->push_back(language);
    return TRUE;
}

// A resource, which must be there in US English only: a second language
// would be the one shown on some systems.
static Reader Resource(LPCSTR type, WORD id)
{
    std::vector<WORD> languages;
    EnumResourceLanguagesA(setupModule, type, MAKEINTRESOURCEA(id), AddLanguage, LONG_PTR(&languages));
    ok(languages == std::vector<WORD>{UsEnglish}, "resource %u of type %u only in language 0x0409 (%u, first %04X)",
       id, unsigned(ULONG_PTR(type)), unsigned(languages.size()), languages.empty() ? 0 : languages[0]);
    HRSRC found = FindResourceExA(setupModule, type, MAKEINTRESOURCEA(id), UsEnglish);
    const BYTE *data = found ? static_cast<const BYTE *>(LockResource(LoadResource(setupModule, found))) : nullptr;
    return {data, data ? SizeofResource(setupModule, found) : 0};
}

static std::string Format(const char *format, ...) __attribute__((format(printf, 1, 2)));
static std::string Format(const char *format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// Every field of a template, its header and each item, compared as one text
// so that a failure shows what was found beside what was wanted.
static void TestDialog(const Dialog &want)
{
    Reader r = Resource(RT_DIALOG, want.id);
    if (!ok(r.data != nullptr, "dialog %u is there", want.id))
        return;
    WORD version = r.Get<WORD>(), signature = r.Get<WORD>();
    DWORD help = r.Get<DWORD>(), exStyle = r.Get<DWORD>(), style = r.Get<DWORD>();
    WORD count = r.Get<WORD>();
    short x = r.Get<short>(), y = r.Get<short>(), cx = r.Get<short>(), cy = r.Get<short>();
    std::string menu = r.Name(), windowClass = r.Name(), caption = r.Name();
    WORD points = r.Get<WORD>(), weight = r.Get<WORD>();
    BYTE italic = r.Get<BYTE>(), charset = r.Get<BYTE>();
    std::string face = r.Name();
    std::string got = Format("v%u %04X help %lu style %08lX ex %08lX items %u at %d,%d size %dx%d menu '%s' "
                             "class '%s' caption '%s' font %u '%s' weight %u italic %u charset %u",
                             version, signature, help, style, exStyle, count, x, y, cx, cy, menu.c_str(),
                             windowClass.c_str(), caption.c_str(), points, face.c_str(), weight, italic, charset);
    std::string wanted = Format("v1 FFFF help 0 style %08lX ex %08lX items %u at 0,0 size %dx%d menu '' "
                                "class '' caption '%s' font 8 'MS Sans Serif' weight 0 italic 0 charset 1",
                                want.style, want.exStyle, unsigned(want.items.size()), want.cx, want.cy, want.caption);
    ok(got == wanted, "dialog %u:\n  got  %s\n  want %s", want.id, got.c_str(), wanted.c_str());

    for (unsigned i = 0; i < want.items.size() && i < count; ++i) {
        const Item &w = want.items[i];
        r.at = (r.at + 3) & ~3u;
        DWORD itemHelp = r.Get<DWORD>(), itemExStyle = r.Get<DWORD>(), itemStyle = r.Get<DWORD>();
        x = r.Get<short>(), y = r.Get<short>(), cx = r.Get<short>(), cy = r.Get<short>();
        DWORD id = r.Get<DWORD>();
        std::string itemClass = r.Name(), text = r.Name();
        WORD extra = r.Get<WORD>();
        r.at += extra;
        got = Format("id %08lX class '%s' text '%s' style %08lX ex %08lX at %d,%d size %dx%d help %lu extra %u", id,
                     itemClass.c_str(), text.c_str(), itemStyle, itemExStyle, x, y, cx, cy, itemHelp, extra);
        wanted = Format("id %08lX class '%s' text '%s' style %08lX ex %08lX at %d,%d size %dx%d help 0 extra 0",
                        w.id, w.windowClass, w.text, w.style, w.exStyle, w.x, w.y, w.cx, w.cy);
        ok(got == wanted, "dialog %u item %u:\n  got  %s\n  want %s", want.id, i + 1, got.c_str(), wanted.c_str());
    }
    ok(!r.shortData && r.at == r.size, "dialog %u ends with its last item (%lu of %lu bytes)", want.id, r.at, r.size);
}

static void TestBanner()
{
    Reader r = Resource(RT_BITMAP, 200);
    const BITMAPINFOHEADER *header = reinterpret_cast<const BITMAPINFOHEADER *>(r.data);
    if (!ok(header && r.size == 40 + 256 * 4 + header->biSizeImage,
            "banner is its header, 256 colours and its run-length coded rows, nothing more (%lu bytes)", r.size))
        return;
    ok(header->biSize == 40 && header->biWidth == 189 && header->biHeight == 67 && header->biPlanes == 1 &&
           header->biBitCount == 8 && header->biCompression == BI_RLE8 &&
           (header->biClrUsed == 0 || header->biClrUsed == 256),
       "banner header: %ldx%ld, %u bits, compression %lu, %lu colours", header->biWidth, header->biHeight,
       header->biBitCount, header->biCompression, header->biClrUsed);

    // The dialogs load it this way; the run-length coding must come out whole.
    HANDLE loaded = LoadImageA(setupModule, MAKEINTRESOURCEA(200), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    BITMAP bitmap = {};
    ok(loaded && GetObjectA(loaded, sizeof bitmap, &bitmap) && bitmap.bmWidth == 189 && bitmap.bmHeight == 67,
       "banner loads as a 189x67 bitmap");

    // The dialogs load it with LR_LOADMAP3DCOLORS, which would swap these
    // greys for the user's 3-D colours.
    const RGBQUAD *palette = reinterpret_cast<const RGBQUAD *>(header + 1);
    int mapped = 0;
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD &c = palette[i];
        mapped += c.rgbRed == c.rgbGreen && c.rgbGreen == c.rgbBlue &&
                  (c.rgbRed == 128 || c.rgbRed == 192 || c.rgbRed == 223);
    }
    ok(mapped == 0, "banner palette holds no grey that loading remaps (%d)", mapped);
}

static void TestIcon()
{
    Reader group = Resource(RT_GROUP_ICON, 100);
    WORD reserved = group.Get<WORD>(), type = group.Get<WORD>(), count = group.Get<WORD>();
    if (!ok(group.data && reserved == 0 && type == 1 && count == 2 && group.size == 6 + 2 * 14,
            "icon group 100 has two entries (%u, %lu bytes)", count, group.size))
        return;
    // Each image: header, 16 colours, 4-bit pixels and 1-bit mask, in rows
    // of whole 32-bit words.
    const struct {
        BYTE size;
        WORD id;
        DWORD bytes;
    } images[] = {{16, 1, 40 + 64 + 8 * 16 + 4 * 16}, {32, 2, 40 + 64 + 16 * 32 + 4 * 32}};
    for (const auto &want : images) {
        BYTE width = group.Get<BYTE>(), height = group.Get<BYTE>();
        BYTE colours = group.Get<BYTE>(), zero = group.Get<BYTE>();
        WORD planes = group.Get<WORD>(), bits = group.Get<WORD>();
        DWORD bytes = group.Get<DWORD>();
        WORD id = group.Get<WORD>();
        ok(width == want.size && height == want.size && colours == 16 && zero == 0 && planes == 1 && bits == 4 &&
               bytes == want.bytes && id == want.id,
           "group entry %ux%u, %u colours, %u planes, %u bits, %lu bytes, icon %u", width, height, colours, planes,
           bits, bytes, id);

        Reader icon = Resource(RT_ICON, want.id);
        const BITMAPINFOHEADER *header = reinterpret_cast<const BITMAPINFOHEADER *>(icon.data);
        ok(header && icon.size == want.bytes && header->biWidth == want.size && header->biHeight == 2 * want.size &&
               header->biBitCount == 4 && header->biCompression == BI_RGB,
           "icon %u is a %ux%u 4-bit image with its mask (%lu bytes)", want.id, want.size, want.size, icon.size);
        HICON handle = header ? CreateIconFromResourceEx(const_cast<BYTE *>(icon.data), icon.size, TRUE, 0x00030000,
                                                         want.size, want.size, 0)
                              : nullptr;
        ok(handle != nullptr, "Windows makes an icon of icon %u", want.id);
        DestroyIcon(handle);
    }
}

static void TestAgreementText()
{
    const std::string text = AgreementText;
    ok(text.size() == 1589, "agreement text is 1,589 characters (%u)", unsigned(text.size()));
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n\r\n", start)) != std::string::npos; start = end + 4)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    ok(parts.size() >= 3, "a heading and paragraphs (%u parts)", unsigned(parts.size()));
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string &part = parts[i];
        bool printable = !part.empty();
        for (char c : part)
            printable = printable && c >= 0x20 && c < 0x7F;
        ok(printable && part.front() != ' ' && part.back() != ' ',
           "part %u is one line of printable ASCII, no tab, no stray blank: '%.40s'", unsigned(i + 1), part.c_str());
    }
}

int main(int argc, char **argv)
{
    std::string path = WinePath(argc > 1 ? argv[1] : "");
    setupModule = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (ok(setupModule != nullptr, "%s loads as data (error %lu)", path.c_str(), GetLastError())) {
        for (const Dialog &dialog : Dialogs)
            TestDialog(dialog);
        TestBanner();
        TestIcon();
    }
    TestAgreementText();
    return Summary();
}
