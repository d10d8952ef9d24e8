// End to end: plays the user against the real setup.exe, started from the
// product CD (drive R:, laid out by prepare-cd.sh) or from a hard disk. Each
// scenario is one row of the table at the end: the state it starts from, how
// the set-up is started, what the user meets and does there, and what must be
// installed and started afterwards.
//   test_e2e BUILD_DIR [NAME_PART]   (NAME_PART runs only the matching rows)
// BRIGHTLARK_SCREENSHOTS=<folder> saves a PNG of every dialog and box met.
#include "check.h"
#include "payload_table.h"
#include "resource_ids.h"
#include "screenshot.h"
#include "setup_state.h"
#include "texts.h"

#include <commctrl.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static const char DefaultDest[] = "C:\\Program Files\\Brightlark";
static const char OldDest[] = "C:\\Apps\\Brightlark"; // where an earlier installation lives
static const char DiskSetup[] = "C:\\setupdisk\\setup.exe";
static const char ProductKey[] = "Software\\Brightlark";
static const char UninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brightlark";
static const std::string MainCaption = std::string(TextSetupCaption) + " " + TextVersionLabel;
static const std::string ProgressCaption = std::string(TextProgressTitle) + TextCaptionSeparator + TextProgressWorking;
// What a run may leave running: the set-up, the product and its helpers.
static const char *const Started[] = {"setup.exe",    "brightlark.exe", "sfxpack1.exe",
                                      "mp3coder.exe", "dxsetup.exe",    "uninstall.exe"};

static const char Naive[] = "R:\\naive.exe"; // loads LZ32 by name, beside the planted copy
static std::string Build, StartLog, Shots, ProgramsDir, DesktopDir;
static double lzAloneMs;

// ---- The step vocabulary ---------------------------------------------------

enum Op {
    Dlg,      // a dialog holding item `id` appears, captioned `text` or as known by the item
    Box,      // a box captioned "Install Brightlark" says `text`; press `id`
    Fatal,    // the same, captioned "Installation Error"
    Txt,      // item `id` of the current dialog reads `text`
    Is,       // item `id` is in exactly the State flags `id2`
    Fits,     // the text of item `id` fits its area, wrapped in the dialog's font
    Click,    // press button `id`
    Type,     // type `text` into item `id`
    Progress, // the progress window appears with its caption
    Gone,     // the progress window goes away, with no box on the way
    Abort,    // message `id` (Cancel when 0) to the progress window as soon as it appears
    Esc,      // press Install; the user's Esc key reaches the progress window at pump `id2`
    Product,  // the user closes the product's window
    Second,   // a second set-up started now ends at once, silently
    Opened,   // a shell window whose title holds `text` appears; close it
    Touch,    // create the file `text`; with `id` Held, kept open without sharing
};            // until the row ends
enum { Held = 1 };
enum State { ReadOnly = 1, Disabled = 2, Checked = 4 };

struct Step {
    Op op;
    int id = 0;
    std::string text = "";
    int id2 = 0;
};
using Steps = std::vector<Step>;

static Steps operator+(Steps a, const Steps &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Start {
    std::string program, parameters, folder;
};

// LinksBlocked puts a folder where each shortcut goes; NoLinks expects none.
// Planted puts the recording lz32.dll and comctl32.dll beside the set-up on
// the CD, in the working folder and in the destination, and lets Wine load
// such native copies into it. Stopped: the pass ends at a faulty fourth
// file, and the three files before it stay.
enum Flags { ProductRunning = 1, LinksBlocked = 2, NoLinks = 4, Planted = 8, Stopped = 16 };

struct Scenario {
    const char *name;
    const char *windows; // what GetVersionExA reports: win98, winxp or win31
    DWORD earlier;       // version of an earlier installation in OldDest; 0 for none
    unsigned flags;
    std::string command; // started in the folder of its program
    Steps steps;
    std::string installed; // where a complete installation must be; "" for none
    std::vector<Start> starts;
    std::string programFiles = "C:\\Program Files";
    std::string folder = "";  // working folder; "" for the program's own
    std::string program = ""; // build output copied to the command's program first
};

// ---- Helpers ---------------------------------------------------------------

static std::string Lower(std::string s)
{
    CharLowerBuffA(&s[0], DWORD(s.size()));
    return s;
}

static std::string ParentOf(const std::string &path)
{
    std::string folder = path.substr(0, path.find_last_of('\\'));
    return folder.size() == 2 ? folder + "\\" : folder;
}

static std::string Join(const std::string &folder, const std::string &name)
{
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

static std::string Link(const std::string &folder) { return Join(folder, "Brightlark.lnk"); }

// A registry value as stored: its type in the first byte, then its bytes;
// empty when there is none.
static std::string Stored(HKEY root, const char *key, const char *name)
{
    DWORD type = 0;
    std::string bytes;
    if (!ReadRegistryValue(root, key, name, &type, &bytes))
        return "";
    return char(type) + bytes;
}

static std::string Sz(const std::string &text) { return char(REG_SZ) + std::string(text.c_str(), text.size() + 1); }
static std::string Binary(DWORD value) { return char(REG_BINARY) + std::string(reinterpret_cast<char *>(&value), 4); }

static void Store(HKEY root, const char *key, const char *name, const std::string &value)
{
    WriteRegistryValue(root, key, name, BYTE(value[0]), value.substr(1));
}

static bool CopyTo(const std::string &from, const std::string &to)
{
    SHCreateDirectoryExA(nullptr, ParentOf(to).c_str(), nullptr);
    return CopyFileA(from.c_str(), to.c_str(), FALSE);
}

static double MillisecondsSince(const LARGE_INTEGER &from)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Waits until every program a run started has ended, so that the start log
// is complete, closing the product's window; ends what still runs after `ms`.
static void Settle(DWORD ms)
{
    for (DWORD waited = 0;; waited += 50, Sleep(50)) {
        if (HWND product = FindWindowA(TextProductName, nullptr))
            PostMessageA(product, WM_CLOSE, 0, 0);
        bool running = false;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
            for (const char *name : Started)
                if (Lower(entry.szExeFile) == name && (running = true) && waited >= ms) {
                    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
                    TerminateProcess(process, 99);
                    CloseHandle(process);
                }
        CloseHandle(snapshot);
        if (!running || waited >= ms)
            return;
    }
}

// ---- Windows ---------------------------------------------------------------

// A dialog or box of process `pid` by caption and item; or, with `part`, a
// window of another program (not this one, not `pid`) whose title holds it.
struct Search {
    DWORD pid;
    const char *caption; // null: any
    int item;            // 0: any
    const char *part;
    HWND found;
    std::string seen; // the set-up's other dialogs, for failure messages
};

static BOOL CALLBACK Match(HWND window, LPARAM param)
{
    Search &s = *reinterpret_cast<Search *>(param);
    DWORD pid = 0;
    char className[32] = "", caption[512] = "", text[512] = "";
    GetWindowThreadProcessId(window, &pid);
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (!IsWindowVisible(window))
        return TRUE;
    if (s.part) {
        if (pid == s.pid || pid == GetCurrentProcessId() || !std::strstr(Lower(caption).c_str(), s.part))
            return TRUE;
    } else if (pid != s.pid || std::strcmp(className, "#32770") != 0) {
        return TRUE;
    } else if ((s.caption && std::strcmp(caption, s.caption) != 0) || (s.item && !GetDlgItem(window, s.item))) {
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
        s.seen += std::string(" [") + caption + (*text ? std::string(": ") + text : "") + "]";
        return TRUE;
    }
    s.found = window;
    return FALSE;
}

static HWND Find(DWORD pid, const char *caption, int item, std::string *seen = nullptr, const char *part = nullptr)
{
    Search search = {pid, caption, item, part, nullptr, ""};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (seen)
        *seen = search.seen;
    return search.found;
}

struct Run {
    const Scenario &row;
    PROCESS_INFORMATION pi;
    DWORD deadline;
    HWND dialog = nullptr, progress = nullptr;
    LARGE_INTEGER clicked = {};
    bool aborted = false;
    int shots = 0;
    HANDLE held = INVALID_HANDLE_VALUE;
    int asked = -1; // where the bar stands when "Abort?" is asked
};

// When a wait of `ms` ends, within the row's time limit.
static DWORD Until(const Run &run, DWORD ms)
{
    DWORD now = GetTickCount();
    return now + ms < run.deadline ? now + ms : run.deadline;
}

static HWND WaitDialog(Run &run, const char *caption, int item, std::string *seen)
{
    DWORD until = Until(run, 15000);
    HWND found;
    while (!(found = Find(run.pi.dwProcessId, caption, item, seen)) && GetTickCount() < until &&
           WaitForSingleObject(run.pi.hProcess, 20) == WAIT_TIMEOUT)
        ;
    return found;
}

// `paint`: give the window time to paint; the progress window gets none.
static void Shot(Run &run, HWND window, const std::string &what, bool paint = true)
{
    if (Shots.empty())
        return;
    Sleep(paint ? 300 : 0);
    char number[16];
    std::snprintf(number, sizeof number, "-%02d-", ++run.shots);
    std::string name = (run.row.name + (number + what)).substr(0, 80);
    for (char &c : name)
        c = IsCharAlphaNumericA(c) || c == '-' ? c : '_';
    SaveWindowPng(window, Shots + "\\" + name + ".png");
}

static std::string ItemText(HWND dialog, int id)
{
    char text[2048] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

static int ItemState(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    char className[32] = "";
    GetClassNameA(item, className, sizeof className);
    bool edit = lstrcmpiA(className, "Edit") == 0;
    DWORD_PTR checked = 0;
    if (!edit)
        SendMessageTimeoutA(item, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &checked);
    return (edit && (GetWindowLongA(item, GWL_STYLE) & ES_READONLY) ? ReadOnly : 0) |
           (IsWindowEnabled(item) ? 0 : Disabled) | (checked == BST_CHECKED ? Checked : 0);
}

// Whether a static text fits its item in the font the dialog manager makes
// from the template: 8 points of "MS Sans Serif".
static bool TextFits(HWND dialog, int id, RECT *need, RECT *area)
{
    GetClientRect(GetDlgItem(dialog, id), area);
    *need = {0, 0, area->right, 0};
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, CreateFontA(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, 0, 0,
                                                   0, 0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, 0, "MS Sans Serif"));
    DrawTextA(screen, ItemText(dialog, id).c_str(), -1, need, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    DeleteObject(SelectObject(screen, old));
    ReleaseDC(nullptr, screen);
    return need->bottom <= area->bottom && need->right <= area->right;
}

// Presses Install, and Esc so that it reaches pump `id2` (the first when
// 0): each pump takes one input message, so a key without meaning goes
// first for each pump before it. All is queued while the set-up is held in
// the main dialog; the click, a posted message, is taken first.
static bool PressEscape(Run &run, const Step &step)
{
    std::vector<INPUT> keys(std::max(step.id2, 1) + 2);
    for (INPUT &key : keys)
        key.type = INPUT_KEYBOARD, key.ki.wVk = VK_F24;
    keys[keys.size() - 3].ki.wVk = keys[keys.size() - 1].ki.wVk = VK_ESCAPE;
    keys[keys.size() - 2].ki.dwFlags = keys[keys.size() - 1].ki.dwFlags = KEYEVENTF_KEYUP;
    SuspendThread(run.pi.hThread);
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(run.pi.hThread, &context); // returns once the thread stands
    bool queued = PostMessageA(GetDlgItem(run.dialog, IDOK), BM_CLICK, 0, 0) &&
                  SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
    ResumeThread(run.pi.hThread);
    run.asked = int(keys.size()) - 3;
    return ok(queued, "Install pressed, Esc on its way");
}

// One step; false when the row cannot go on.
static bool Play(Run &run, const Step &step)
{
    std::string seen;
    DWORD pid = run.pi.dwProcessId;
    const char *text = step.text.c_str();
    RECT need, area;
    switch (step.op) {
    case Dlg: {
        const char *caption = *text ? text : step.id == IDC_MENU_RUN ? "Brightlark --- CD-ROM" : MainCaption.c_str();
        run.dialog = WaitDialog(run, caption, step.id, &seen);
        if (!ok(run.dialog != nullptr, "dialog \"%s\" with item %d; open:%s", caption, step.id, seen.c_str()))
            return false;
        Shot(run, run.dialog, caption);
        break;
    }
    case Box:
    case Fatal: {
        const char *caption = step.op == Box ? TextSetupCaption : TextErrorCaption;
        HWND box = WaitDialog(run, caption, 0, &seen);
        if (!ok(box != nullptr, "box \"%s\" saying \"%s\"; open:%s", caption, text, seen.c_str()))
            return false;
        ok(ItemText(box, 0xFFFF) == step.text, "box says \"%s\", not \"%s\"", ItemText(box, 0xFFFF).c_str(), text);
        DWORD_PTR bar = 0;
        if (step.text == TextAskAbort && run.asked >= 0)
            ok(SendMessageTimeoutA(GetDlgItem(run.progress, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000,
                                   &bar) && int(bar) == run.asked,
               "asked with the bar at %d, not %d", int(bar), run.asked);
        Shot(run, box, step.text);
        PostMessageA(GetDlgItem(box, step.id), BM_CLICK, 0, 0);
        for (int i = 0; i < 100 && IsWindow(box); ++i)
            Sleep(20);
        return ok(!IsWindow(box), "box \"%s\" closes on button %d", text, step.id);
    }
    case Txt:
        ok(ItemText(run.dialog, step.id) == step.text, "item %d reads \"%s\", not \"%s\"", step.id,
           ItemText(run.dialog, step.id).c_str(), text);
        break;
    case Is:
        ok(ItemState(run.dialog, step.id) == step.id2, "item %d in state %d, not %d", step.id,
           ItemState(run.dialog, step.id), step.id2);
        break;
    case Fits: {
        bool fits = TextFits(run.dialog, step.id, &need, &area);
        ok(fits, "item %d's text needs %ldx%ld pixels, has %ldx%ld", step.id, need.right, need.bottom, area.right,
           area.bottom);
        break;
    }
    case Click:
        QueryPerformanceCounter(&run.clicked);
        return ok(PostMessageA(GetDlgItem(run.dialog, step.id), BM_CLICK, 0, 0), "button %d pressed", step.id);
    case Type: {
        DWORD_PTR result;
        SendMessageTimeoutA(GetDlgItem(run.dialog, step.id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 2000, &result);
        return ok(ItemText(run.dialog, step.id) == step.text, "typed \"%s\"", text);
    }
    case Progress:
    case Abort:
    case Esc: {
        if (step.op == Esc && !PressEscape(run, step))
            return false;
        // Polled without pause: the window takes messages only between files.
        DWORD until = Until(run, 15000);
        while (!(run.progress = Find(pid, nullptr, IDC_PROGRESS_BAR)) && GetTickCount() < until &&
               WaitForSingleObject(run.pi.hProcess, 0) == WAIT_TIMEOUT)
            ;
        if (!ok(run.progress != nullptr, "progress window shown"))
            return false;
        if ((run.aborted = step.op != Progress) && step.op == Abort)
            return PostMessageA(run.progress, step.id ? step.id : WM_COMMAND, step.id ? 0 : IDCANCEL, 0);
        if (run.aborted)
            break;
        char caption[256] = "";
        for (int i = 0; i < 400 && IsWindow(run.progress) && ProgressCaption != caption; ++i, Sleep(5))
            GetWindowTextA(run.progress, caption, sizeof caption);
        ok(ProgressCaption == caption, "progress caption \"%s\"", caption);
        Shot(run, run.progress, "progress", false);
        break;
    }
    case Gone: {
        DWORD until = Until(run, 60000);
        HWND box = nullptr;
        while (IsWindow(run.progress) && GetTickCount() < until && !(box = Find(pid, TextErrorCaption, 0)) &&
               !(box = Find(pid, TextSetupCaption, 0)))
            Sleep(1);
        if (!ok(!box, "no box during the install pass, met \"%s\"", ItemText(box, 0xFFFF).c_str()))
            return false;
        if (!run.aborted)
            std::printf("  install pass %.0f ms (LZ32 alone expands the five files in %.0f ms)\n",
                        MillisecondsSince(run.clicked), lzAloneMs);
        return ok(!IsWindow(run.progress), "progress window closed");
    }
    case Product:
        for (int i = 0; i < 100 && FindWindowA(TextProductName, nullptr); ++i, Sleep(50))
            PostMessageA(FindWindowA(TextProductName, nullptr), WM_CLOSE, 0, 0);
        return ok(!FindWindowA(TextProductName, nullptr), "product closed");
    case Second: {
        HWND marker = FindWindowA(TextSetupCaption, nullptr);
        DWORD owner = 0, code = 1;
        GetWindowThreadProcessId(marker, &owner);
        ok(marker && owner == pid && !IsWindowVisible(marker), "a hidden window marks the running set-up");
        PROCESS_INFORMATION second;
        bool shown = false;
        if (!ok(StartProcess("R:\\setup.exe", "R:\\", &second), "second set-up started"))
            break;
        for (int i = 0; i < 300 && WaitForSingleObject(second.hProcess, 50) == WAIT_TIMEOUT; ++i)
            shown = shown || Find(second.dwProcessId, nullptr, 0);
        ok(WaitExit(second, 0, &code) && code == 0 && !shown, "second set-up ends silently (%lu)", code);
        break;
    }
    case Opened: {
        HWND window = nullptr;
        for (int i = 0; i < 300 && !(window = Find(pid, nullptr, 0, nullptr, Lower(text).c_str())); ++i)
            Sleep(50);
        if (ok(window != nullptr, "a shell window on \"%s\" opens", text)) {
            Shot(run, window, "shell");
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        break;
    }
    case Touch:
        if (!ok(WriteFileBytes(step.text, "x"), "file %s made", text))
            return false;
        if (step.id == Held)
            run.held = CreateFileA(text, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        break;
    }
    return true;
}

// ---- Before and after ------------------------------------------------------

static void Clean(const Scenario *row)
{
    Settle(5000);
    DeleteRegistryTree(HKEY_CURRENT_USER, ProductKey);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, UninstallKey);
    Store(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
          Sz(row ? row->programFiles : "C:\\Program Files"));
    for (const char *folder : {DefaultDest, "C:\\Apps", "C:\\Long", "C:\\faulty"})
        RemoveTree(folder);
    for (const std::string &file : {std::string("C:\\blocker"), std::string("C:\\setupdisk\\tempfile.tmp"), StartLog,
                                    std::string(Naive), std::string("R:\\lz32.dll"), std::string("R:\\comctl32.dll")})
        DeleteFileA(file.c_str());
    DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\naive.exe");
    for (const std::string &folder : {ProgramsDir, DesktopDir}) {
        DeleteFileA(Link(folder).c_str());
        RemoveDirectoryA(Link(folder).c_str());
    }
    const char *appDefaults = "Software\\Wine\\AppDefaults\\setup.exe";
    DeleteRegistryTree(HKEY_CURRENT_USER, appDefaults);
    if (row)
        Store(HKEY_CURRENT_USER, appDefaults, "Version", Sz(row->windows));
}

static std::string SetupPath(const Scenario &row) { return row.command.substr(0, row.command.find(' ')); }
static std::string StartFolder(const Scenario &row)
{
    return row.folder.empty() ? ParentOf(SetupPath(row)) : row.folder;
}

static void Prepare(const Scenario &row)
{
    Clean(&row);
    if (!row.program.empty())
        CopyTo(Build + "\\" + row.program, SetupPath(row));
    // An earlier installation: its records and uninstall entry, an old
    // program and its uninstaller. The old program is the stand-in, so that
    // a start of it shows in the log and its replacement is seen.
    if (row.earlier) {
        Store(HKEY_CURRENT_USER, ProductKey, "ProgramDirectory", Sz(OldDest));
        Store(HKEY_CURRENT_USER, ProductKey, "ProgramVersion", Binary(row.earlier));
        Store(HKEY_CURRENT_USER, ProductKey, "MonitorDevice", Sz("speakers"));
        Store(HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString", Sz("old"));
        for (const char *name : {"Brightlark.exe", "uninstall.exe"})
            CopyTo(Build + "\\sample\\standin.exe", Join(OldDest, name));
    }
    for (const std::string &folder : {ProgramsDir, DesktopDir})
        if (row.flags & LinksBlocked)
            CreateDirectoryA(Link(folder).c_str(), nullptr);
    if (row.flags & Planted) {
        // Without the override Wine never loads a native copy of a system
        // library, and the trap proves nothing; the control shows it is live.
        // Set per program: Wine reads WINEDLLOVERRIDES only from the Unix
        // environment it was started with.
        for (const std::string program : {"setup.exe", "naive.exe"})
            for (const char *name : {"lz32", "comctl32"})
                Store(HKEY_CURRENT_USER, ("Software\\Wine\\AppDefaults\\" + program + "\\DllOverrides").c_str(), name,
                      Sz("native,builtin"));
        for (const std::string &folder : {std::string("R:\\"), StartFolder(row), std::string(OldDest)})
            for (const char *name : {"lz32.dll", "comctl32.dll"})
                CopyTo(Build + "\\planted\\" + name, Join(folder, name));
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        PROCESS_INFORMATION control;
        DWORD code = 1;
        ok(CopyTo(self, Naive) && StartProcess(std::string(Naive) + " naive", "R:\\", &control) &&
               WaitExit(control, 20000, &code) && code == 0 && ReadFileBytes(StartLog).find(Naive) != std::string::npos,
           "a program loading lz32.dll by name beside the planted copy loads it");
        DeleteFileA(StartLog.c_str());
    }
    if (row.flags & ProductRunning) {
        // Started by the test, not the set-up: kept out of the start log.
        PROCESS_INFORMATION product;
        SetEnvironmentVariableA("BRIGHTLARK_START_LOG", nullptr);
        if (StartProcess(Build + "\\sample\\Brightlark.exe", nullptr, &product))
            CloseHandle(product.hThread), CloseHandle(product.hProcess);
        SetEnvironmentVariableA("BRIGHTLARK_START_LOG", StartLog.c_str());
        for (int i = 0; i < 200 && !FindWindowA(TextProductName, nullptr); ++i)
            Sleep(50);
    }
}

static void CheckShortcut(const std::string &dest, const std::string &file)
{
    IShellLinkA *link = nullptr;
    IPersistFile *persist = nullptr;
    WCHAR wide[MAX_PATH];
    char target[MAX_PATH] = "", work[MAX_PATH] = "", description[MAX_PATH] = "";
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void **>(&link)) == S_OK &&
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&persist)) == S_OK &&
        persist->Load(wide, STGM_READ) == S_OK) {
        link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        link->GetWorkingDirectory(work, MAX_PATH);
        link->GetDescription(description, MAX_PATH);
    }
    ok(Lower(target) == Lower(Join(dest, "Brightlark.exe")) && dest == work && TextProductName == std::string(description),
       "%s: target \"%s\", folder \"%s\", description \"%s\"", file.c_str(), target, work, description);
    if (persist)
        persist->Release();
    if (link)
        link->Release();
}

// The files, records and shortcuts: a complete installation in
// `row.installed`, or else what was there before the run.
static void CheckOutcome(const Scenario &row)
{
    const std::string &dest = row.installed;
    bool done = !dest.empty(), old = !done && row.earlier;
    const struct {
        HKEY root;
        const char *key, *name;
        std::string value;
    } records[] = {
        {HKEY_CURRENT_USER, ProductKey, "ProgramDirectory", done ? Sz(dest) : old ? Sz(OldDest) : ""},
        {HKEY_CURRENT_USER, ProductKey, "ProgramVersion", done ? Binary(900) : old ? Binary(row.earlier) : ""},
        {HKEY_CURRENT_USER, ProductKey, "MonitorDevice", old ? Sz("speakers") : ""},
        {HKEY_LOCAL_MACHINE, UninstallKey, "DisplayName", done ? Sz("Brightlark VERSION 9") : ""},
        {HKEY_LOCAL_MACHINE, UninstallKey, "UninstallString",
         done ? Sz("\"" + Join(dest, "Brightlark.exe") + "\" /uninstall") : old ? Sz("old") : ""},
    };
    for (const auto &record : records)
        ok(Stored(record.root, record.key, record.name) == record.value, "%s as expected", record.name);
    for (const PayloadEntry &entry : PayloadTable) {
        std::string sample = ReadFileBytes(Build + "\\sample\\" + entry.fileName);
        if (done)
            ok(ReadFileBytes(Join(dest, entry.fileName)) == sample, "%s installed as built", entry.fileName);
        else if (old)
            ok(FileExists(Join(OldDest, entry.fileName)) ==
                   (&entry == &PayloadTable[PayloadRowProgram] || ((row.flags & Stopped) && &entry < &PayloadTable[3])),
               "%s in %s as expected", entry.fileName, OldDest);
    }
    const std::string folder = done ? dest : OldDest;
    ok(!FileExists(Join(folder, "tempfile.tmp")) && !FileExists(Join(folder, "tempfile.new")) &&
           (done || !FileExists(DefaultDest)),
       "no leftovers");
    for (const std::string &folder : {ProgramsDir, DesktopDir})
        if (done && !(row.flags & NoLinks))
            CheckShortcut(dest, Link(folder));
        else
            ok(!FileExists(Link(folder)) || (GetFileAttributesA(Link(folder).c_str()) & FILE_ATTRIBUTE_DIRECTORY),
               "no shortcut %s", Link(folder).c_str());
}

// Each start the log recorded is matched to one the row expects; folders
// compare without a closing backslash.
static void CheckStarts(const Scenario &row)
{
    auto folder = [](std::string f) { return Lower(f.size() > 3 && f.back() == '\\' ? f.substr(0, f.size() - 1) : f); };
    std::vector<Start> expected = row.starts;
    std::string log = ReadFileBytes(StartLog);
    for (size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
        std::string line = log.substr(at, end - at);
        size_t tab1 = line.find('\t'), tab2 = line.rfind('\t');
        std::string command = line.substr(tab1 + 1, tab2 - tab1 - 1);
        size_t args = command[0] == '"' ? command.find('"', 1) + 1 : command.find(' ');
        args = command.find_first_not_of(' ', args == std::string::npos ? command.size() : args);
        Start seen = {line.substr(0, tab1), args == std::string::npos ? "" : command.substr(args), line.substr(tab2 + 1)};
        size_t i = 0;
        while (i < expected.size() &&
               !(Lower(seen.program) == Lower(expected[i].program) && seen.parameters == expected[i].parameters &&
                 folder(seen.folder) == folder(expected[i].folder)))
            ++i;
        if (ok(i < expected.size(), "unexpected start: %s [%s] in %s", seen.program.c_str(), seen.parameters.c_str(),
               seen.folder.c_str()))
            expected.erase(expected.begin() + i);
    }
    for (const Start &start : expected)
        ok(false, "not started: %s [%s] in %s", start.program.c_str(), start.parameters.c_str(), start.folder.c_str());
}

static void RunScenario(const Scenario &row)
{
    int failedBefore = Failures();
    DWORD began = GetTickCount();
    Prepare(row);
    Run run = {row, {}, GetTickCount() + 120000};
    std::string folder = StartFolder(row);
    // A program named without a path is looked for in the starter's folder.
    char here[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, here);
    SetCurrentDirectoryA(folder.c_str());
    bool started = StartProcess(row.command, folder.c_str(), &run.pi);
    SetCurrentDirectoryA(here);
    if (ok(started, "started %s", row.command.c_str())) {
        for (const Step &step : row.steps)
            if (!Play(run, step))
                break;
        // A window still open when the run should be over is one the row
        // does not expect: report it and end the set-up.
        std::string seen;
        DWORD code = 1;
        bool open = WaitForSingleObject(run.pi.hProcess, 3000) == WAIT_TIMEOUT &&
                    Find(run.pi.dwProcessId, nullptr, 0, &seen);
        ok(!open, "nothing left open:%s", seen.c_str());
        ok(WaitExit(run.pi, open ? 0 : 20000, &code) && code == 0, "set-up ends with 0 (%lu)", code);
    }
    if (run.held != INVALID_HANDLE_VALUE)
        CloseHandle(run.held);
    Settle(10000);
    CheckOutcome(row);
    for (const PayloadEntry &entry : PayloadTable)
        ok(!FileExists(Join(folder, entry.fileName)), "nothing extracted into %s", folder.c_str());
    CheckStarts(row);
    std::printf("%-4s %-58s %5.1f s\n", Failures() > failedBefore ? "FAIL" : "ok", row.name,
                (GetTickCount() - began) / 1000.0);
    std::fflush(stdout);
}

// How long LZ32 takes to expand the five payload files on its own; the
// second round counts, as the first also loads LZ32.
static double ExpandAlone()
{
    std::string out = Build + "\\wine\\e2e\\lz";
    CreateDirectoryA(out.c_str(), nullptr);
    // Loaded as the set-up loads it, from the system folder.
    HMODULE lz = LoadSystemLibrary("lz32.dll");
    auto open = LookUpProc<INT(WINAPI *)(LPSTR, LPOFSTRUCT, WORD)>(lz, "LZOpenFileA");
    auto copy = LookUpProc<LONG(WINAPI *)(INT, INT)>(lz, "LZCopy");
    auto close = LookUpProc<void(WINAPI *)(INT)>(lz, "LZClose");
    LARGE_INTEGER begin;
    for (int round = 0; round < 2; ++round) {
        QueryPerformanceCounter(&begin);
        for (const PayloadEntry &entry : PayloadTable) {
            std::string name = entry.fileName, target = out + "\\" + name;
            std::string source = Build + "\\payload\\" + name.substr(0, name.size() - 1) + "_";
            OFSTRUCT from, to;
            INT in = open(&source[0], &from, OF_READ);
            INT written = open(&target[0], &to, OF_CREATE | OF_WRITE);
            copy(in, written);
            close(in);
            close(written);
        }
    }
    double ms = MillisecondsSince(begin);
    for (const PayloadEntry &entry : PayloadTable)
        ok(ReadFileBytes(out + "\\" + entry.fileName) == ReadFileBytes(Build + "\\sample\\" + entry.fileName),
           "LZ32 expands the payload's %s to the sample", entry.fileName);
    RemoveTree(out);
    return ms;
}

// ---- The scenarios ---------------------------------------------------------

static const Start Coder = {"R:\\mp3coder.exe", "/s", "R:\\"};
static const Start DiskCoder = {"C:\\mp3coder.exe", "/s", "C:\\"};
static const Start DirectX = {"R:\\directx\\dxsetup.exe", "", "R:\\directx"};
static Start Sfx(const std::string &dest, const char *parameters = "") { return {Join(dest, "sfxpack1.exe"), parameters, dest}; }
static Start Program(const std::string &dest) { return {Join(dest, "Brightlark.exe"), "", dest}; }

static const Steps Agree = {{Dlg, IDC_AGREEMENT_TEXT}, {Click, IDOK}};
static const Steps Main = {{Dlg, IDC_MAIN_FOLDER}};
static const Steps Menu = {{Dlg, IDC_MENU_RUN}, {Is, IDC_MENU_RUN, "", Checked}};
static const Steps Pass = {{Click, IDOK}, {Progress}, {Gone}};
static const Steps Abandon = {{Click, IDCANCEL}};

// The main dialog as it opens: the sentence, the button, the folder and
// whether the folder is locked.
static Steps Page(const char *sentence, const char *button, int lock, const std::string &folder = OldDest)
{
    return {{Dlg, IDC_MAIN_FOLDER},     {Txt, IDC_MAIN_SENTENCE, sentence},         {Fits, IDC_MAIN_SENTENCE},
            {Txt, IDOK, button},        {Txt, IDC_MAIN_FOLDER, folder},             {Is, IDC_MAIN_FOLDER, "", lock & ReadOnly},
            {Is, IDC_MAIN_BROWSE, "", lock & Disabled}};
}

// The offers after the pass: DirectX, then starting the product (0: not met).
static Steps Offers(int directx, int start, bool updated = false)
{
    Steps steps;
    if (directx)
        steps.push_back({Box, directx, TextAskDirectX});
    if (start)
        steps.push_back({Box, start, updated ? TextAskStartUpdated : TextAskStartInstalled});
    return steps;
}

static Steps TypeFolder(const std::string &folder) { return Agree + Main + Steps{{Type, IDC_MAIN_FOLDER, folder}}; }
static Steps Choose(int option) { return Menu + Steps{{Click, option}, {Click, IDOK}}; }

static Steps Refuse(const char *folder)
{
    return {{Dlg, IDC_MAIN_FOLDER}, {Type, IDC_MAIN_FOLDER, folder}, {Click, IDOK}, {Box, IDOK, TextInvalidDestination}};
}

// Built once the special folders are known.
static std::vector<Scenario> Table()
{
    const char *Autorun = "R:\\setup.exe /autorun", *ByHand = "R:\\setup.exe", *Win98 = "win98";
    const std::string Trail = "C:\\Apps\\Trail\\";
    const std::string Long250 = "C:\\Long\\" + std::string(242, 'd'), Long244 = "C:\\Long\\" + std::string(236, 'p');
    const Steps Browse = {{Click, IDC_MAIN_BROWSE}, {Dlg, 0, "Browse for Folder"}};
    const Steps Notes = {{Click, IDOK}, {Progress}, {Box, IDOK, TextNoteShortcut}, {Box, IDOK, TextNoteShortcut}, {Gone}};
    const Steps Fails = {{Click, IDOK}, {Fatal, IDOK, TextErrorDestination}};
    const Steps Locked = {{Dlg, IDC_AGREEMENT_TEXT}, {Is, IDC_AGREEMENT_TEXT, "", ReadOnly}, {Click, IDOK}};
    const std::vector<Start> Fresh = {Sfx(DefaultDest, "/1"), Coder};
    const std::string Long300 = "C:\\Long\\" + std::string(292, 'e'), Files = "C:\\Program Files";
    const char *Faulty = "C:\\faulty\\setup.exe";
    const Steps Stop = Agree + Main + Steps{{Click, IDOK}, {Progress}};
    // The pump after the fifth file is the sixth.
    const Steps AbortLast = Agree + Main + Steps{{Esc, 0, "", 6}, {Box, IDYES, TextAskAbort}, {Gone}};
    return {
        {"fresh install by autorun, Windows 98", Win98, 0, 0, Autorun,
         Locked + Page(TextSentenceInstall, TextButtonInstall, 0, DefaultDest) +
             Steps{{Txt, IDC_MAIN_TITLE, MainCaption}, {Txt, IDCANCEL, TextButtonCancel},
                   {Is, IDC_NEED_WINDOWS, "", Checked}, {Is, IDC_NEED_DISK, "", Checked},
                   {Is, IDC_NEED_MEMORY, "", Checked}} +
             Pass + Offers(IDNO, IDYES),
         DefaultDest, {Sfx(DefaultDest, "/1"), Coder, Program(DefaultDest)}},
        {"Windows NT: no DirectX offer", "winxp", 0, 0, Autorun, Agree + Main + Pass + Offers(0, IDNO), DefaultDest, Fresh},
        {"DirectX accepted: no final offer", Win98, 0, 0, Autorun, Agree + Main + Pass + Offers(IDYES, 0), DefaultDest,
         {Sfx(DefaultDest, "/1"), Coder, DirectX}},
        {"Win32s refused", "win31", 0, 0, Autorun, {{Fatal, IDOK, TextErrorPlatform}}, "", {}},
        {"agreement declined", Win98, 0, 0, Autorun, {{Dlg, IDC_AGREEMENT_TEXT}, {Click, IDCANCEL}}, "", {}},
        {"main dialog cancelled", Win98, 0, 0, Autorun, Agree + Main + Abandon, "", {}},
        {"folder browser: cancel, then the desktop", Win98, 0, 0, Autorun,
         Agree + Main + Browse + Steps{{Click, IDCANCEL}, {Dlg, IDC_MAIN_FOLDER}, {Txt, IDC_MAIN_FOLDER, DefaultDest}} +
             Browse + Steps{{Click, IDOK}, {Dlg, IDC_MAIN_FOLDER}, {Txt, IDC_MAIN_FOLDER, Join(DesktopDir, "Brightlark")}} +
             Abandon,
         "", {}},
        {"refused destinations, then cancel", Win98, 0, 0, Autorun,
         Agree + Refuse("C:\\") + Refuse("C:x") + Refuse("\\x") + Refuse("") + Main +
             Steps{{Txt, IDC_MAIN_FOLDER, ""}} + Abandon,
         "", {}},
        {"destination on a missing drive", Win98, 0, 0, Autorun, TypeFolder("Q:\\x") + Fails, "", {}},
        {"destination on drive ?", Win98, 0, 0, Autorun, TypeFolder("?:\\x") + Fails, "", {}},
        {"destination behind a file", Win98, 0, 0, Autorun,
         Steps{{Touch, 0, "C:\\blocker"}} + TypeFolder("C:\\blocker\\x") + Fails, "", {}},
        {"destination typed with a closing backslash", Win98, 0, 0, Autorun,
         TypeFolder(Trail) + Pass + Offers(IDNO, IDNO), Trail, {Sfx(Trail, "/1"), Coder}},
        // Deeper than LZ32's 128-character file records reach. Windows starts
        // no program whose path passes MAX_PATH: no sound effects.
        {"destination too long for shortcuts", Win98, 0, NoLinks, Autorun,
         TypeFolder(Long250) + Notes + Offers(IDNO, IDNO), Long250, {Coder}},
        {"both shortcut folders blocked", Win98, 0, LinksBlocked | NoLinks, Autorun,
         Agree + Main + Notes + Offers(IDNO, IDNO), DefaultDest, Fresh},
        {"ProgramFilesDir of 244 characters", Win98, 0, 0, Autorun,
         Agree + Main + Steps{{Txt, IDC_MAIN_FOLDER, Long244 + "\\Brightlark"}} + Abandon, "", {}, Long244},
        {"ProgramFilesDir of 245 characters", Win98, 0, 0, Autorun,
         Agree + Main + Steps{{Txt, IDC_MAIN_FOLDER, DefaultDest}} + Abandon, "", {}, Long244 + "q"},
        {"product running, autorun: silent end", Win98, 0, ProductRunning, Autorun, {}, "", {}},
        {"product running, by hand: refused until closed", Win98, 0, ProductRunning, ByHand,
         Agree + Main + Steps{{Click, IDOK}, {Box, IDOK, TextProductRunning}, {Dlg, IDC_MAIN_FOLDER}, {Product}} + Pass +
             Offers(IDNO, IDNO),
         DefaultDest, Fresh},
        {"second set-up while one runs", Win98, 0, 0, Autorun, {{Dlg, IDC_AGREEMENT_TEXT}, {Second}, {Click, IDCANCEL}},
         "", {}},
        {"update over 899 via the CD menu", Win98, 899, 0, Autorun,
         Choose(IDC_MENU_SETUP) + Agree + Page(TextSentenceUpdate, TextButtonUpdate, ReadOnly | Disabled) + Pass +
             Steps{{Box, IDNO, TextAskSoundEffects}} + Offers(IDNO, IDYES, true),
         OldDest, {Coder, Program(OldDest)}},
        {"same version 900, sound effects from the CD", Win98, 900, 0, ByHand,
         Agree + Page(TextSentenceInstall, TextButtonInstall, 0) + Pass +
             Steps{{Box, IDYES, TextAskSoundEffects}, {Opened, 0, "SoundFX"}} + Offers(IDNO, IDNO),
         OldDest, {Coder}},
        {"newer version 901 kept", Win98, 901, 0, ByHand,
         Agree + Page(TextSentenceNewer, TextButtonInstall, ReadOnly | Disabled) + Abandon, "", {}},
        {"version 301: uninstaller started", Win98, 301, 0, ByHand,
         Agree + Steps{{Box, IDOK, TextAskUninstallOld}} + Page(TextSentenceUpdate, TextButtonUpdate, ReadOnly | Disabled) +
             Abandon,
         "", {{Join(OldDest, "uninstall.exe"), "", OldDest}}},
        {"version 301: uninstall declined", Win98, 301, 0, ByHand, Agree + Steps{{Box, IDCANCEL, TextAskUninstallOld}},
         "", {}},
        {"version 302: no uninstall prompt", Win98, 302, 0, ByHand,
         Agree + Page(TextSentenceUpdate, TextButtonUpdate, ReadOnly | Disabled) + Abandon, "", {}},
        {"CD menu: run Brightlark", Win98, 900, 0, Autorun, Menu + Steps{{Click, IDOK}}, "", {Program(OldDest)}},
        {"CD menu: DirectX set-up", Win98, 900, 0, Autorun, Choose(IDC_MENU_DIRECTX), "", {DirectX}},
        {"CD menu: sound effects", Win98, 900, 0, Autorun, Choose(IDC_MENU_SOUNDFX) + Steps{{Opened, 0, "SoundFX"}},
         "", {}},
        {"CD menu: explore the CD", Win98, 900, 0, Autorun, Choose(IDC_MENU_EXPLORE) + Steps{{Opened, 0, "(R:)"}}, "",
         {}},
        {"CD menu: cancel", Win98, 900, 0, Autorun, Menu + Abandon, "", {}},
        {"from a hard disk, fresh", Win98, 0, 0, DiskSetup, Agree + Main + Pass + Offers(0, IDNO), DefaultDest,
         {Sfx(DefaultDest, "/1"), DiskCoder}},
        {"from a hard disk over 900, sound effects", Win98, 900, 0, DiskSetup,
         Agree + Main + Pass + Steps{{Box, IDYES, TextAskSoundEffects}} + Offers(0, IDNO), OldDest,
         {Sfx(OldDest), DiskCoder}},
        {"from a hard disk holding a stray tempfile.tmp", Win98, 0, 0, DiskSetup,
         Steps{{Touch, 0, "C:\\setupdisk\\tempfile.tmp"}} + Agree + Main + Pass + Offers(0, IDNO), DefaultDest,
         {Sfx(DefaultDest, "/1"), DiskCoder}},
        {"abort, fresh", Win98, 0, 0, Autorun,
         Agree + Main + Steps{{Click, IDOK}, {Abort}, {Box, IDYES, TextAskAbort}, {Gone}}, "", {}},
        {"abort over 899 by the close box", Win98, 899, 0, ByHand,
         Agree + Main + Steps{{Click, IDOK}, {Abort, WM_CLOSE}, {Box, IDYES, TextAskAbort}, {Gone}}, "", {}},
        {"abort declined: the pass goes on", Win98, 0, 0, Autorun,
         Agree + Main + Steps{{Click, IDOK}, {Abort}, {Box, IDNO, TextAskAbort}, {Gone}} + Offers(IDNO, IDNO),
         DefaultDest, Fresh},
        // Stopped at the first pump, the pass never reaches a destination it
        // could not create.
        {"abort at the first pump: destination untouched", Win98, 0, 0, Autorun,
         TypeFolder("Q:\\x") + Steps{{Esc}, {Box, IDYES, TextAskAbort}, {Gone}}, "", {}},
        {"abort after the fifth file, fresh", Win98, 0, 0, Autorun, AbortLast, "", {}},
        {"abort after the fifth file over 899", Win98, 899, 0, ByHand, AbortLast, "", {}},
        {"faulty payload over 899: fourth file missing", Win98, 899, Stopped, Faulty,
         Stop + Steps{{Fatal, IDOK, TextErrorResource}}, "", {}, Files, "", "setup_fault_missing.exe"},
        {"faulty payload over 899: fourth file truncated", Win98, 899, Stopped, Faulty,
         Stop + Steps{{Fatal, IDOK, TextErrorWriteFile}}, "", {}, Files, "", "setup_fault_truncated.exe"},
        {"faulty payload over 899: wrong signature", Win98, 899, Stopped, Faulty,
         Stop + Steps{{Fatal, IDOK, TextErrorResource}}, "", {}, Files, "", "setup_fault_badsig.exe"},
        {"faulty payload over 899: wrong mode byte", Win98, 899, Stopped, Faulty,
         Stop + Steps{{Fatal, IDOK, TextErrorResource}}, "", {}, Files, "", "setup_fault_badmode.exe"},
        {"earlier program held open by another program", Win98, 899, 0, ByHand,
         Steps{{Touch, Held, Join(OldDest, "Brightlark.exe")}} + Stop + Steps{{Fatal, IDOK, TextErrorCreateFile}}, "", {}},
        // Any line of the start log naming setup.exe is a planted library at
        // work; the destination is the current folder when LZ32 is needed.
        // On Vista the set-up leaves the DLL search as it is: only loading
        // by full path keeps the planted copies out.
        {"planted lz32.dll and comctl32.dll never loaded, Vista", "vista", 900, Planted, ByHand,
         Agree + Main + Pass + Steps{{Box, IDNO, TextAskSoundEffects}} + Offers(0, IDNO), OldDest, {Coder}, Files,
         "C:\\Apps"},
        // The set-up drive comes from the first colon of the command line.
        {"started as plain setup.exe: no set-up drive", Win98, 0, 0, "setup.exe", Agree + Main + Pass + Offers(0, IDNO),
         DefaultDest, {Sfx(DefaultDest, "/1")}, Files, "R:\\"},
        {"drive only in an argument", Win98, 0, 0, "setup.exe x c:\\foo", Agree + Main + Pass + Offers(0, IDNO),
         DefaultDest, {Sfx(DefaultDest, "/1"), DiskCoder}, Files, "R:\\"},
        {"lower-case drive letter", Win98, 0, 0, "r:\\setup.exe /autorun", Agree + Main + Pass + Offers(IDNO, IDNO),
         DefaultDest, Fresh},
        {"/AUTORUN over 900: the CD menu", Win98, 900, 0, "R:\\setup.exe /AUTORUN", Menu + Abandon, "", {}},
        {"destination of 300 characters: cut to 255", Win98, 0, NoLinks, Autorun,
         TypeFolder(Long300) + Notes + Offers(IDNO, IDNO), Long300.substr(0, 255), {Coder}},
    };
}

int main(int argc, char **argv)
{
    // The control of the planted-library row, run as R:\naive.exe: loads
    // LZ32 by name, as a careless program would.
    if (argc == 2 && !std::strcmp(argv[1], "naive"))
        return LoadLibraryA("lz32.dll") ? 0 : 1;
    if (argc < 2) {
        std::puts("usage: test_e2e BUILD_DIR [NAME_PART]");
        return 2;
    }
    Build = WinePath(argv[1]);
    StartLog = Build + "\\wine\\e2e\\starts.log";
    CreateDirectoryA((Build + "\\wine\\e2e").c_str(), nullptr);
    if (const char *shots = std::getenv("BRIGHTLARK_SCREENSHOTS")) {
        Shots = shots[0] == '/' ? WinePath(shots) : shots;
        SHCreateDirectoryExA(nullptr, Shots.c_str(), nullptr);
    }
    // Every program the set-up starts inherits it.
    SetEnvironmentVariableA("BRIGHTLARK_START_LOG", StartLog.c_str());
    CoInitialize(nullptr);
    char path[MAX_PATH];
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, TRUE);
    ProgramsDir = path;
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, TRUE);
    DesktopDir = path;
    if (!ok(GetDriveTypeA("R:\\") == DRIVE_CDROM && FileExists("R:\\setup.exe"), "R: is the product CD"))
        return Summary();
    CopyTo(Build + "\\setup.exe", DiskSetup);
    CopyTo(Build + "\\sample\\standin.exe", "C:\\mp3coder.exe");

    lzAloneMs = ExpandAlone();
    for (const Scenario &row : Table())
        if (argc < 3 || std::strstr(row.name, argv[2]))
            RunScenario(row);

    Clean(nullptr);
    RemoveTree(ParentOf(DiskSetup));
    DeleteFileA("C:\\mp3coder.exe");
    CoUninitialize();
    return Summary();
}
