// The art the build puts into setup.exe, which nothing else looks at: a
// banner or an icon that does not decode leaves a dialog without its picture,
// and no message says so. Its manifest as Windows reads it: one that
// Windows cannot read starts the set-up without administrator rights. And
// its version information as Properties reads it, through the version API:
// strings under another language than the one it lists show nowhere.
//   test_resources SETUP_EXE (a Unix path)
#include "check.h"
#include "core/user_texts.h"
#include "core/versions.h"
#include "resource_ids.h"

#include <cstdio>

static HMODULE setup;

// A resource of setup.exe in US English, as bytes; null when there is none.
static const BYTE *Data(LPCSTR type, WORD id, DWORD *size = nullptr)
{
    HRSRC found = FindResourceExA(setup, type, MAKEINTRESOURCEA(id), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    if (size)
        *size = SizeofResource(setup, found);
    return static_cast<const BYTE *>(LockResource(LoadResource(setup, found)));
}

int main(int, char **argv)
{
    setup = LoadLibraryExA(WinePath(argv[1]).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!ok(setup != nullptr, "setup.exe read"))
        return Summary();
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
    std::string path = WinePath(argv[1]);
    ACTCTXA manifest = {sizeof manifest, ACTCTX_FLAG_RESOURCE_NAME_VALID, path.c_str(), 0, 0, nullptr,
                        MAKEINTRESOURCEA(IDR_MANIFEST), nullptr, nullptr};
    HANDLE context = CreateActCtxA(&manifest);
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    ok(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level, sizeof level, nullptr) &&
           level.RunLevel == ACTCTX_RUN_LEVEL_REQUIRE_ADMIN && !level.UiAccess,
       "the manifest asks for administrator rights (run level %d)", level.RunLevel);

    DWORD unused, size = GetFileVersionInfoSizeA(path.c_str(), &unused);
    std::string info(size, '\0');
    VS_FIXEDFILEINFO *fixed = nullptr;
    WORD *language = nullptr;
    UINT length = 0;
    char dotted[32] = "", name[64];
    if (ok(size && GetFileVersionInfoA(path.c_str(), 0, size, info.data()) &&
               VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &length) &&
               VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&language), &length),
           "version information read")) {
        std::snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                      HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
        ok(LOWORD(fixed->dwFileVersionLS) == InstallerVersion && dotted == std::string(TextDottedVersion) &&
               fixed->dwProductVersionMS == fixed->dwFileVersionMS && fixed->dwProductVersionLS == fixed->dwFileVersionLS &&
               language[0] == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
           "version %s of the records' %u, US English (%04x)", dotted, InstallerVersion, language[0]);
        // Publisher and copyright are empty unless the builder names them.
        const char *const strings[][2] = {{"FileDescription", "Brightlark Setup"}, {"ProductName", TextProductName},
                                          {"FileVersion", dotted}, {"ProductVersion", dotted},
                                          {"OriginalFilename", "setup.exe"}, {"CompanyName", ""}, {"LegalCopyright", ""}};
        for (const auto &[key, expected] : strings) {
            char *value = nullptr;
            std::snprintf(name, sizeof name, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], key);
            ok(VerQueryValueA(info.data(), name, reinterpret_cast<void **>(&value), &length) && value == std::string(expected),
               "%s is \"%s\" (\"%s\")", key, expected, value ? value : "none");
        }
    }
    return Summary();
}
