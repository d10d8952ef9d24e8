// End to end: plays the user against the real setup.exe, started from the
// product CD (drive R:, laid out by prepare-cd.sh) or from a hard disk, then
// checks what it left: files, records, shortcuts and the programs it started.
// Each scenario is one row of the table at the end.
//   test_e2e BUILD_DIR [NAME_PART]   (NAME_PART runs only the matching rows)
// BRIGHTLARK_PAUSE=<ms>: the user looks at each window met that long.
#include "check.h"
#include "core/command_line.h"
#include "core/payload_table.h"
#include "resource_ids.h"
#include "core/text_ops.h"
#include "core/user_texts.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <source_location>
#include <vector>

// What a row makes lives under C:\t, but for the installations in Program
// Files, the shortcuts and the log of started programs.
static const char Scratch[] = "C:\\t", OldDest[] = "C:\\t\\Apps\\Brightlark"; // an earlier installation
static const char DefaultDest[] = "C:\\Program Files\\Brightlark", X86Dest[] = "C:\\Program Files (x86)\\Brightlark";
static const char DiskSetup[] = "C:\\t\\disk\\setup.exe", ByHand[] = "R:\\setup.exe", Naive[] = "C:\\t\\planted\\naive.exe";
static const char ProductKey[] = "Software\\Brightlark", AppDefaults[] = "Software\\Wine\\AppDefaults\\";
// A folder typed on Japanese Windows (code page 932): C:\t\音楽ソフト\機能表.
// ソ (83 5C) and 能 (94 5C) hold the backslash's code inside a name, and
// 表 (95 5C) ends the folder with it.
static const char JapaneseParent[] = "C:\\t\\\x89\xb9\x8a\x79\x83\x5c\x83\x74\x83\x67",
                  JapaneseLast[] = "\x8b\x40\x94\x5c\x95\x5c";
static const std::string UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brightlark";
static const std::string MainCaption = std::string(TextSetupCaption) + " " + TextVersionLabel;
static const std::string ProgressCaption = std::string(TextProgressTitle) + TextCaptionSeparator + TextProgressWorking;
// How long a slow machine may take for one thing; only a failing row waits
// that long.
static const DWORD Patience = 60000;
// The shortcuts' folders: the user's Start-menu programs and desktop, then
// those of all users.
// TempLog: the log the set-up names in the temporary folder, which a folder
// of its former fixed name may not stop.
static std::string Build, StartLog, TempLog = "(new in the temporary folder)", TempDir, LinkDirs[4];
static std::string &ProgramsDir = LinkDirs[0], &DesktopDir = LinkDirs[1];
static HANDLE job; // every program a row starts, and the programs they start
static DWORD pause;

// The starter (the file name of the program that started it) is compared
// only where a row names one; "!name": any other. The player started as the
// desktop's user is started by the desktop's shell.
struct Start {
    std::string program, parameters, folder, starter = "";
};
static const char ByShell[] = "explorer.exe", NotByShell[] = "!explorer.exe";

// LinksBlocked puts a folder where each shortcut goes; NoLinks expects none.
// Planted puts recording copies of lz32.dll and comctl32.dll beside the
// set-up, in its working folder and in the destination, and lets Wine load
// such copies. Wow64 rows run only on 64-bit Windows, the others only where
// a 32-bit set-up runs as on 32-bit Windows; Japanese rows only where the
// ANSI code page is 932, the others only where it is not. ReadOnly makes the
// earlier installation's files read-only, as files copied off a CD are;
// MutexHeld has the test hold the set-up's mutex, as a set-up does before
// its first window. ForMachine expects an installation for the machine: its
// records also under HKEY_LOCAL_MACHINE, its shortcuts in all users'
// folders. MachineRecords keeps the earlier installation's records there
// only. NoDesktopShell takes OLE automation, and with it the desktop shell's
// way of starting a program, from the set-up. OtherAccount has the fault
// build's desktop shell run as another account than the set-up.
enum Flags {
    ProductRunning = 1, LinksBlocked = 2, NoLinks = 4, Planted = 8, Wow64 = 16, Japanese = 32, ReadOnlyEarlier = 64,
    MutexHeld = 128, ForMachine = 256, NoDesktopShell = 512, MachineRecords = 1024, OtherAccount = 2048
};

// A step of a row and the line of the table it stands on: each one is made
// by a call, whose default argument is where the call is.
struct Run;
using Where = std::source_location;
struct Step {
    std::function<bool(Run &)> act;
    unsigned line;
};

struct Scenario {
    const char *name;
    std::vector<Step> steps;        // what the user meets and does
    std::string installed = "";     // where a complete installation must be; "" for none
    std::vector<Start> starts = {}; // every program the run starts, and no other
    DWORD earlier = 0;              // version of an earlier installation; 0 for none
    std::string earlierFolder = OldDest; // where the earlier installation is
    std::string command = "R:\\setup.exe /autorun"; // started in the folder of its program
    const char *windows = "win98";  // what GetVersionExA reports: win98, winxp, vista, win31
    unsigned flags = 0;
    std::string folder = "";        // working folder; "" for the program's own
    std::string program = "";       // build output copied to the command's program first
    std::string blocked = "";       // a file of the earlier installation that is a folder instead
    std::string refused = "";       // the registry value or file the fault build refuses
    char escAt = 0;                 // the pump of the progress window at which the fault build presses Esc
    // A file of the earlier installation's folder that another program holds:
    // a library loaded, or else a file left by a pass, open.
    std::string held = "";
    DWORD exitCode = 0;
    std::string logFile = "";       // where the run's log is; "" for none
    std::vector<std::string> log = {}; // what the log says, in this order
};

// The set-up being played, the dialog the user is in, and where the bar
// must stand when "Abort?" is asked.
struct Run {
    const Scenario *row;
    PROCESS_INFORMATION pi = {};
    HWND dialog = nullptr, progress = nullptr;
    int askedAt = -1;
};

// The earlier installation's folder as it was before the row.
static std::map<std::string, std::string> earlierBefore;

// ---- Helpers ---------------------------------------------------------------

// By characters: on a double-byte code page 0x5C may be a character's
// second byte.
static bool EndsInBackslash(const std::string &path)
{
    return !path.empty() && *CharPrevA(path.c_str(), path.c_str() + path.size()) == '\\';
}

static std::string Join(const std::string &folder, const std::string &name)
{
    return EndsInBackslash(folder) ? folder + name : folder + "\\" + name;
}

static std::string ParentOf(const std::string &path)
{
    std::string folder = path.substr(0, path.find_last_of('\\'));
    return folder.size() == 2 ? folder + "\\" : folder;
}

// Paths compare in any case, without a closing backslash.
static bool SamePath(std::string a, std::string b)
{
    for (std::string *path : {&a, &b})
        if (path->size() > 3 && EndsInBackslash(*path))
            path->pop_back();
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

static std::string Link(const std::string &folder) { return Join(folder, "Brightlark.lnk"); }

// What a folder holds: each name with its bytes, or "<folder>".
static std::map<std::string, std::string> Contents(const std::string &folder)
{
    std::map<std::string, std::string> contents;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Join(folder, "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (std::strcmp(found.cFileName, ".") && std::strcmp(found.cFileName, ".."))
            contents[found.cFileName] = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY
                                            ? "<folder>"
                                            : ReadFileBytes(Join(folder, found.cFileName));
    FindClose(search);
    return contents;
}

static bool CopyTo(const std::string &from, const std::string &to)
{
    SHCreateDirectoryExA(nullptr, ParentOf(to).c_str(), nullptr);
    return CopyFileA(from.c_str(), to.c_str(), FALSE);
}

// The install records, and their values as stored (see check.h); the
// uninstall entry's in the order they are written.
static const char *const Uninstall = UninstallKey.c_str();
static const struct Record {
    HKEY root;
    const char *key, *name;
} Records[] = {{HKEY_CURRENT_USER, ProductKey, "ProgramDirectory"},  {HKEY_CURRENT_USER, ProductKey, "ProgramVersion"},
               {HKEY_CURRENT_USER, ProductKey, "MonitorDevice"},     {HKEY_LOCAL_MACHINE, Uninstall, "UninstallString"},
               {HKEY_LOCAL_MACHINE, Uninstall, "DisplayVersion"},    {HKEY_LOCAL_MACHINE, Uninstall, "DisplayIcon"},
               {HKEY_LOCAL_MACHINE, Uninstall, "InstallLocation"},   {HKEY_LOCAL_MACHINE, Uninstall, "EstimatedSize"},
               {HKEY_LOCAL_MACHINE, Uninstall, "NoModify"},          {HKEY_LOCAL_MACHINE, Uninstall, "NoRepair"},
               {HKEY_LOCAL_MACHINE, Uninstall, "Publisher"},         {HKEY_LOCAL_MACHINE, Uninstall, "DisplayName"},
               {HKEY_LOCAL_MACHINE, ProductKey, "ProgramDirectory"}, {HKEY_LOCAL_MACHINE, ProductKey, "ProgramVersion"}};
using Values = std::vector<std::string>;
static const Values NoRecords(std::size(Records));
// The build whose builder names a publisher (tests/wine/CMakeLists.txt).
static const char PublishedBuild[] = "setup_published.exe";

static std::string Number(DWORD type, DWORD value) { return char(type) + std::string(reinterpret_cast<char *>(&value), 4); }
// An earlier set-up's records; a folder and a size that an update must write again.
static Values Earlier(const Scenario &row)
{
    std::string folder = Sz(row.earlierFolder), version = Number(REG_BINARY, row.earlier);
    bool machine = row.flags & MachineRecords;
    return {machine ? "" : folder, machine ? "" : version, Sz("speakers"), Sz("old"), "", "", Sz("C:\\old"),
            Number(REG_DWORD, 1), "", "", "", "", machine ? folder : "", machine ? version : ""};
}
// The size: the product's files as built, in KiB rounded up.
static Values Installed(const Scenario &row)
{
    const std::string &dest = row.installed, program = Join(dest, "Brightlark.exe");
    bool machine = row.flags & ForMachine;
    size_t bytes = 0;
    for (const PayloadEntry &entry : PayloadTable)
        bytes += ReadFileBytes(Build + "\\sample\\" + entry.fileName).size();
    return {Sz(dest), Number(REG_BINARY, 900), "", Sz("\"" + program + "\" /uninstall"), Sz(TextDottedVersion),
            Sz(program + ",0"), Sz(dest), Number(REG_DWORD, (bytes + 1023) / 1024), Number(REG_DWORD, 1),
            Number(REG_DWORD, 1), row.program == PublishedBuild ? Sz(TEST_PUBLISHER) : "", Sz("Brightlark VERSION 9"),
            machine ? Sz(dest) : "", machine ? Number(REG_BINARY, 900) : ""};
}

// Waits for `done`, giving up early when the set-up has ended.
static bool Until(Run &run, const std::function<bool()> &done)
{
    WaitFor([&] { return done() || WaitForSingleObject(run.pi.hProcess, 0) == WAIT_OBJECT_0; }, Patience);
    return done();
}

// ---- What the user meets and does -----------------------------------------

// Each returns the step with the line of the table that calls it.
static Step At(Where at, std::function<bool(Run &)> act) { return {std::move(act), at.line()}; }

// A dialog of the set-up holding `item` that takes input: one whose own
// modal dialog is still open does not.
static Step Meet(int item, std::string caption = MainCaption, Where at = Where::current())
{
    return At(at, [=](Run &run) {
        bool met = Until(run, [&] {
            run.dialog = FindDialog(run.pi.dwProcessId, caption.c_str(), item);
            return run.dialog && IsWindowEnabled(run.dialog);
        });
        return ok(met, "dialog \"%s\" with item %d", caption.c_str(), item) && (Sleep(pause), true);
    });
}

static Step Press(int button, Where at = Where::current())
{
    return At(at, [=](Run &run) { return PostMessageA(GetDlgItem(run.dialog, button), BM_CLICK, 0, 0) != 0; });
}

static Step Type(int item, std::string text, Where at = Where::current())
{
    return At(at, [=](Run &run) {
        DWORD_PTR result;
        return SendMessageTimeoutA(GetDlgItem(run.dialog, item), WM_SETTEXT, 0, LPARAM(text.c_str()), 0, Patience,
                                   &result) != 0;
    });
}

static Step Reads(int item, std::string text, Where at = Where::current())
{
    return At(at, [=](Run &run) {
        WaitFor([&] { return ItemText(run.dialog, item) == text; }, Patience);
        return ok(ItemText(run.dialog, item) == text, "item %d reads \"%s\", not \"%s\"", item,
                  ItemText(run.dialog, item).c_str(), text.c_str()) || true;
    });
}

enum State { ReadOnly = 1, Disabled = 2, Checked = 4 };

// Item `item` is in exactly the states `state`. Of the items looked at,
// only the edit fields can carry ES_READONLY.
static Step Is(int item, int state, Where at = Where::current())
{
    return At(at, [=](Run &run) {
        HWND control = GetDlgItem(run.dialog, item);
        DWORD_PTR checked = 0;
        SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, 0, Patience, &checked);
        int now = (GetWindowLongA(control, GWL_STYLE) & ES_READONLY ? ReadOnly : 0) |
                  (IsWindowEnabled(control) ? 0 : Disabled) | (checked == BST_CHECKED ? Checked : 0);
        return ok(now == state, "item %d in state %d, not %d", item, now, state) || true;
    });
}

// A box captioned `caption` says `text`; the user presses `button`.
// "Abort?" holds the pass at a known pump, with the progress window open.
static Step Box(const char *caption, std::string text, int button, Where at = Where::current())
{
    return At(at, [=](Run &run) {
        HWND box = nullptr;
        if (!ok(Until(run, [&] { return (box = FindDialog(run.pi.dwProcessId, caption)) != nullptr; }),
                "box \"%s\" saying \"%s\"", caption, text.c_str()))
            return false;
        Sleep(pause);
        ok(ItemText(box, 0xFFFF) == text, "box says \"%s\", not \"%s\"", ItemText(box, 0xFFFF).c_str(), text.c_str());
        DWORD_PTR bar = 0;
        char seen[256] = "";
        if (text == TextAskAbort) {
            run.progress = FindDialog(run.pi.dwProcessId, nullptr, IDC_PROGRESS_BAR);
            GetWindowTextA(run.progress, seen, sizeof seen);
            SendMessageTimeoutA(GetDlgItem(run.progress, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0, 0, Patience, &bar);
            ok(run.progress && ProgressCaption == seen && int(bar) == run.askedAt,
               "asked in \"%s\" with the bar at %d, not %d", seen, int(bar), run.askedAt);
        }
        PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return ok(WaitFor([&] { return !IsWindow(box); }, Patience), "box \"%s\" closes on %d", text.c_str(), button);
    });
}

static Step Answer(std::string text, int button, Where at = Where::current())
{
    return Box(TextSetupCaption, text, button, at);
}
// The failure's box, naming `file` where the failure names one.
static std::string FailureText(Failure failure, const char *file = nullptr)
{
    char message[FailureMessageSize];
    ComposeFailureMessage(failure, file, message);
    return message;
}
static Step Fatal(std::string text, Where at = Where::current()) { return Box(TextErrorCaption, text, IDOK, at); }

static Step All(std::vector<Step> steps, Where at = Where::current())
{
    return At(at, [=](Run &run) {
        return std::all_of(steps.begin(), steps.end(), [&](const Step &step) { return step.act(run); });
    });
}

// The progress window goes away, with no box on the way.
static bool ProgressGone(Run &run)
{
    HWND box = nullptr;
    Until(run, [&] {
        return !IsWindow(run.progress) || (box = FindDialog(run.pi.dwProcessId, TextErrorCaption)) ||
               (box = FindDialog(run.pi.dwProcessId, TextSetupCaption));
    });
    return ok(!box && !IsWindow(run.progress), "progress window closed, with no box on the way: \"%s\"",
              ItemText(box, 0xFFFF).c_str());
}

// Presses Install with the user's Esc on its way to pump `pump` (the first
// is 1): each pump takes one input message, so a key without meaning goes
// first for each pump before it. All is queued while the set-up stands
// still in the main dialog; the click, a posted message, is taken first.
static bool EscAt(Run &run, int pump)
{
    std::vector<INPUT> keys(pump + 1);
    for (INPUT &key : keys)
        key.type = INPUT_KEYBOARD, key.ki.wVk = VK_F24;
    keys[pump - 1].ki.wVk = keys[pump].ki.wVk = VK_ESCAPE;
    keys[pump].ki.dwFlags = KEYEVENTF_KEYUP;
    SuspendThread(run.pi.hThread);
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(run.pi.hThread, &context); // returns once the thread stands
    bool queued = PostMessageA(GetDlgItem(run.dialog, IDOK), BM_CLICK, 0, 0) &&
                  SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT)) == keys.size();
    ResumeThread(run.pi.hThread);
    run.askedAt = pump - 1;
    return ok(queued, "Install pressed, Esc on its way");
}

// The product's window, asked to close until it has; true once it is gone.
static bool ProductClosed()
{
    HWND product = FindWindowA(TextProductName, nullptr);
    return !product || (PostMessageA(product, WM_CLOSE, 0, 0), false);
}

static Step CloseProduct(Where at = Where::current())
{
    return At(at, [](Run &) { return ok(WaitFor(ProductClosed, Patience), "product closed"); });
}

// The shell opens a folder window titled `title`; the user closes it.
static Step ShellOpens(std::string title, Where at = Where::current())
{
    return At(at, [=](Run &) {
        HWND window = nullptr;
        if (ok(WaitFor([&] { return (window = FindWindowA(nullptr, title.c_str())) != nullptr; }, Patience),
               "a shell window \"%s\" opens", title.c_str()))
            PostMessageA(window, WM_CLOSE, 0, 0);
        return true;
    });
}

static Step Agree(Where at = Where::current()) { return All({Meet(IDC_AGREEMENT_TEXT), Press(IDOK)}, at); }
static Step Main(Where at = Where::current()) { return Meet(IDC_MAIN_FOLDER, MainCaption, at); }
static Step Cancel(Where at = Where::current()) { return Press(IDCANCEL, at); }
static Step Install(Where at = Where::current()) { return Press(IDOK, at); }
static Step Menu(Where at = Where::current())
{
    return All({Meet(IDC_MENU_RUN, "Brightlark --- CD-ROM"), Is(IDC_MENU_RUN, Checked)}, at);
}

static Step Choose(int option, Where at = Where::current()) { return All({Menu(), Press(option), Press(IDOK)}, at); }
static Step TypeFolder(const std::string &folder, Where at = Where::current())
{
    return All({Agree(), Main(), Type(IDC_MAIN_FOLDER, folder)}, at);
}
static Step Browse(int button, Where at = Where::current())
{
    return All({Press(IDC_MAIN_BROWSE), Meet(0, "Browse for Folder"), Press(button), Main()}, at);
}

// The main dialog as it opens: the sentence, the button, the folder, and
// whether the folder is locked.
static Step Page(const char *sentence, const char *button, const std::string &folder, int lock, Where at = Where::current())
{
    return All({Main(), Reads(IDC_MAIN_SENTENCE, sentence), Reads(IDOK, button), Reads(IDC_MAIN_FOLDER, folder),
                Is(IDC_MAIN_FOLDER, lock & ReadOnly), Is(IDC_MAIN_BROWSE, lock & Disabled)},
               at);
}

// Install pressed with Esc on its way to pump `pump`.
static Step Esc(int pump, Where at = Where::current())
{
    return At(at, [=](Run &run) { return EscAt(run, pump); });
}

// The same, with "Abort?" answered.
static Step Abort(int pump, int answer, Where at = Where::current())
{
    return All({Esc(pump, at), Answer(TextAskAbort, answer), At(at, ProgressGone)}, at);
}

// Until the set-up ends, no window of it shows.
static Step Unseen(Where at = Where::current())
{
    return At(at, [=](Run &run) {
        char seen[256] = "";
        DWORD began = GetTickCount();
        do {
            if (HWND window = FindDialog(run.pi.dwProcessId, nullptr)) {
                seen[0] = '?'; // for one without a caption
                GetWindowTextA(window, seen, sizeof seen);
            }
        } while (WaitForSingleObject(run.pi.hProcess, 2) == WAIT_TIMEOUT && GetTickCount() - began < Patience);
        return ok(!*seen, "no window of the set-up shows: \"%s\"", seen) || true;
    });
}

// "Abort?" holds the pass at a known pump; the power goes there, and comes
// back for the same set-up to be started again.
static bool StartSetup(Run &run);
static Step PowerCut(Where at = Where::current())
{
    return At(at, [](Run &run) {
        bool held = Until(run, [&] { return FindDialog(run.pi.dwProcessId, TextSetupCaption) != nullptr; });
        DWORD code;
        TerminateProcess(run.pi.hProcess, 1);
        return ok(held && WaitExit(run.pi, Patience, &code), "the set-up cut off at \"%s\"", TextAskAbort);
    });
}
static Step Restart(Where at = Where::current()) { return At(at, StartSetup); }

// A window of the class that set-ups of every version look for marks this one.
static Step Marked(Where at = Where::current())
{
    return At(at, [](Run &run) {
        DWORD owner = 0;
        GetWindowThreadProcessId(FindWindowA(TextSetupCaption, nullptr), &owner);
        return ok(owner == run.pi.dwProcessId, "a window of class \"%s\" marks the set-up", TextSetupCaption) || true;
    });
}

// ---- Before and after ------------------------------------------------------

static std::string SetupPath(const Scenario &row) { return row.command.substr(0, row.command.find(' ')); }
static std::string StartFolder(const Scenario &row) { return row.folder.empty() ? ParentOf(SetupPath(row)) : row.folder; }

// Ends what the row started: the product's window is closed and the rest
// gets its time to end by itself (on a slow machine a program takes seconds
// to start and record its start), then is ended. Until the set-up's windows
// are gone with its process, a new set-up would take it for one still running.
static void Settle()
{
    auto ended = [] {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
        return ProductClosed() && !FindWindowA(TextSetupCaption, nullptr) &&
               QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr) &&
               info.ActiveProcesses == 0;
    };
    if (!WaitFor(ended, Patience))
        TerminateJobObject(job, 99), WaitFor(ended, Patience);
}

// The name the set-up tries first today, which another user may have taken.
static std::string TakenLog()
{
    SYSTEMTIME today;
    GetLocalTime(&today);
    char name[64];
    std::snprintf(name, sizeof name, "Brightlark Setup %04u-%02u-%02u 1.log", today.wYear, today.wMonth, today.wDay);
    return Join(TempDir, name);
}

// The logs in the temporary folder, but a taken one.
static std::vector<std::string> TempLogs()
{
    std::vector<std::string> logs;
    for (const auto &[name, bytes] : Contents(TempDir))
        if (name.starts_with("Brightlark Setup ") && name.ends_with(".log") && Join(TempDir, name) != TakenLog())
            logs.push_back(Join(TempDir, name));
    return logs;
}

// Takes away all that rows make.
static HANDLE heldMutex, heldFile;
static HMODULE heldLibrary;
static void Clean()
{
    Settle();
    CloseHandle(heldMutex);
    CloseHandle(heldFile);
    FreeLibrary(heldLibrary);
    heldMutex = heldFile = nullptr;
    heldLibrary = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, ProductKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ProductKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, UninstallKey.c_str());
    for (const char *program : {"setup.exe", "naive.exe"})
        RegDeleteTreeA(HKEY_CURRENT_USER, (AppDefaults + std::string(program)).c_str());
    std::vector<std::string> files = TempLogs();
    files.insert(files.end(), {StartLog, TakenLog(), Join(TempDir, "Brightlark Setup.log"), Link(LinkDirs[0]), Link(LinkDirs[1]),
                               Link(LinkDirs[2]), Link(LinkDirs[3])});
    for (const std::string &file : files)
        DeleteFileA(file.c_str()), RemoveDirectoryA(file.c_str());
    for (const char *folder : {Scratch, DefaultDest, X86Dest})
        RemoveTree(folder);
}

// Without the override Wine never loads a copy of a system library, and the
// trap would prove nothing; the control shows it is live. Set per program:
// Wine reads WINEDLLOVERRIDES only from the environment it started with.
static void PlantLibraries(const Scenario &row)
{
    for (const char *program : {"setup.exe\\", "naive.exe\\"})
        for (const char *name : {"lz32", "comctl32"})
            WriteValue(HKEY_CURRENT_USER, (AppDefaults + std::string(program) + "DllOverrides").c_str(), name,
                       Sz("native,builtin"));
    for (const std::string &folder : {ParentOf(SetupPath(row)), StartFolder(row), std::string(OldDest)})
        for (const char *name : {"lz32.dll", "comctl32.dll"})
            CopyTo(Build + "\\planted\\" + name, Join(folder, name));
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    PROCESS_INFORMATION control;
    DWORD code = 1;
    ok(CopyTo(self, Naive) && StartProcess(std::string(Naive) + " naive", ParentOf(Naive).c_str(), &control, job) &&
           WaitExit(control, Patience, &code) && code == 0 && ReadFileBytes(StartLog).find(Naive) != std::string::npos,
       "a program loading lz32.dll by name beside the planted copy loads it");
    DeleteFileA(StartLog.c_str());
}

static void Prepare(const Scenario &row)
{
    Clean();
    CreateDirectoryA(Scratch, nullptr);
    WriteValue(HKEY_CURRENT_USER, (AppDefaults + std::string("setup.exe")).c_str(), "Version", Sz(row.windows));
    if (!row.program.empty())
        CopyTo(Build + "\\" + row.program, SetupPath(row));
    // An earlier installation: its records, and where its folder can hold
    // them its five files and its uninstaller. Its program is the stand-in,
    // so that a start of it shows in the log; each other file holds bytes of
    // its own.
    Values values = row.earlier ? Earlier(row) : NoRecords;
    for (size_t i = 0; i < values.size(); ++i)
        WriteValue(Records[i].root, Records[i].key, Records[i].name, values[i]);
    bool files = row.earlier && Join(row.earlierFolder, "Brightlark.exe").size() < MAX_PATH;
    if (files)
        SHCreateDirectoryExA(nullptr, row.earlierFolder.c_str(), nullptr);
    for (const PayloadEntry &entry : PayloadTable)
        if (files)
            WriteFileBytes(Join(row.earlierFolder, entry.fileName), std::string("earlier ") + entry.fileName);
    for (const char *name : {"Brightlark.exe", "uninstall.exe"})
        if (files)
            CopyTo(Build + "\\sample\\standin.exe", Join(row.earlierFolder, name));
    for (const PayloadEntry &entry : PayloadTable)
        if (row.flags & ReadOnlyEarlier)
            SetFileAttributesA(Join(row.earlierFolder, entry.fileName).c_str(), FILE_ATTRIBUTE_READONLY);
    if (row.flags & NoDesktopShell)
        WriteValue(HKEY_CURRENT_USER, (AppDefaults + std::string("setup.exe\\DllOverrides")).c_str(), "oleaut32", Sz(""));
    if (row.flags & MutexHeld)
        heldMutex = CreateMutexA(nullptr, FALSE, "Global\\Install Brightlark");
    if (!row.blocked.empty())
        DeleteFileA(Join(row.earlierFolder, row.blocked).c_str()), CreateDirectoryA(Join(row.earlierFolder, row.blocked).c_str(), nullptr);
    for (const std::string &folder : {ProgramsDir, DesktopDir})
        if (row.flags & LinksBlocked)
            CreateDirectoryA(Link(folder).c_str(), nullptr);
    if (row.flags & Planted)
        PlantLibraries(row);
    if (row.logFile == TempLog) {
        CreateDirectoryA(Join(TempDir, "Brightlark Setup.log").c_str(), nullptr);
        WriteFileBytes(TakenLog(), "another's");
    }
    // Held as the loader holds a library, or as a program holds a file it
    // reads: neither can be deleted meanwhile.
    std::string held = Join(row.earlierFolder, row.held);
    if (row.held.ends_with(".dll") && CopyTo(Build + "\\sample\\" + row.held, held))
        heldLibrary = LoadLibraryA(held.c_str());
    else if (!row.held.empty() && WriteFileBytes(held, "left by a committed pass"))
        heldFile = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ok(row.held.empty() || heldLibrary || heldFile != INVALID_HANDLE_VALUE, "%s held", held.c_str());
    if (row.flags & ProductRunning) {
        // Started by the test, not the set-up: kept out of the start log.
        PROCESS_INFORMATION product;
        SetEnvironmentVariableA("BRIGHTLARK_START_LOG", nullptr);
        if (StartProcess(Build + "\\sample\\Brightlark.exe", nullptr, &product, job))
            CloseHandle(product.hThread), CloseHandle(product.hProcess);
        SetEnvironmentVariableA("BRIGHTLARK_START_LOG", StartLog.c_str());
        ok(WaitFor([] { return FindWindowA(TextProductName, nullptr) != nullptr; }, Patience), "product running");
    }
    earlierBefore = Contents(row.earlierFolder);
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
    ok(SamePath(target, Join(dest, "Brightlark.exe")) && dest == work && TextProductName == std::string(description),
       "%s: target \"%s\", folder \"%s\", description \"%s\"", file.c_str(), target, work, description);
    for (IUnknown *object : {static_cast<IUnknown *>(persist), static_cast<IUnknown *>(link)})
        if (object)
            object->Release();
}

// A complete installation in `row.installed` with its records and shortcuts;
// or else all as it was before the run: the earlier installation's records
// and files, nothing new.
static void CheckOutcome(const Scenario &row)
{
    const std::string &dest = row.installed;
    bool done = !dest.empty(), old = !done && row.earlier;
    Values values = done ? Installed(row) : old ? Earlier(row) : NoRecords;
    // A refused value of the uninstall entry leaves it and those after it
    // unwritten: Windows lists no entry that is not whole.
    bool cut = false;
    for (size_t i = 0; i < values.size(); ++i) {
        bool refused = row.refused == Records[i].name;
        cut |= refused && Records[i].key == Uninstall;
        ok(ReadValue(Records[i].root, Records[i].key, Records[i].name) == (refused || cut ? "" : values[i]),
           "%s as expected", Records[i].name);
    }
    for (const PayloadEntry &entry : PayloadTable)
        if (done)
            ok(ReadFileBytes(Join(dest, entry.fileName)) == ReadFileBytes(Build + "\\sample\\" + entry.fileName),
               "%s installed as built", entry.fileName);
    // An update that did not finish leaves the earlier installation's folder
    // as it was, byte for byte.
    ok(!old || Contents(row.earlierFolder) == earlierBefore, "%s as it was", row.earlierFolder.c_str());
    // Nothing of the pass's own stays.
    for (const auto &[name, bytes] : Contents(done ? dest : row.earlierFolder))
        ok(name.find(".~") == std::string::npos || name == row.held, "no leftover %s", name.c_str());
    ok(done || !FileExists(DefaultDest), "no %s", DefaultDest);
    // A typed folder's levels are made whole, with no other folder beside them.
    if (row.flags & Japanese)
        ok(Contents(Scratch).size() == 1 && Contents(JapaneseParent).size() == 1, "no other folder under %s", Scratch);
    for (int i = 0; i < 4; ++i)
        if (done && !(row.flags & NoLinks) && (i >= 2) == bool(row.flags & ForMachine))
            CheckShortcut(dest, Link(LinkDirs[i]));
        else
            ok(!FileExists(Link(LinkDirs[i])) || (GetFileAttributesA(Link(LinkDirs[i]).c_str()) & FILE_ATTRIBUTE_DIRECTORY),
               "no shortcut %s", Link(LinkDirs[i]).c_str());
    // The log says what the row expects, in order; one made in the
    // temporary folder is new.
    std::vector<std::string> logs = row.logFile == TempLog ? TempLogs() : std::vector{row.logFile};
    ok(logs.size() == 1, "one log, not %u", unsigned(logs.size()));
    ok(row.logFile != TempLog || ReadFileBytes(TakenLog()) == "another's", "%s as it was", TakenLog().c_str());
    std::string log = ReadFileBytes(logs.empty() ? "" : logs[0]);
    size_t at = 0;
    for (const std::string &line : row.log)
        if (ok((at = log.find(line, at)) != std::string::npos, "the log says \"%s\"", line.c_str()) || (at = 0))
            at += line.size();
}

// Each start the log recorded (the program, its command line, its folder
// and its starter) is matched to one the row expects.
static void CheckStarts(const Scenario &row)
{
    std::vector<Start> expected = row.starts;
    // What the desktop's shell starts is outside the job, so Settle does not
    // wait for it: its record may come after the set-up has ended.
    std::string log;
    WaitFor([&] {
        log = ReadFileBytes(StartLog);
        return size_t(std::count(log.begin(), log.end(), '\n')) >= expected.size();
    }, Patience);
    for (size_t at = 0, end; (end = log.find("\r\n", at)) != std::string::npos; at = end + 2) {
        std::string line = log.substr(at, end - at);
        size_t tab = line.find('\t'), lastTab = line.rfind('\t'), folderTab = line.rfind('\t', lastTab - 1);
        Start seen = {line.substr(0, tab), CommandTail(line.substr(tab + 1, folderTab - tab - 1).c_str()),
                      line.substr(folderTab + 1, lastTab - folderTab - 1), line.substr(lastTab + 1)};
        auto match = std::find_if(expected.begin(), expected.end(), [&](const Start &start) {
            return SamePath(seen.program, start.program) && seen.parameters == start.parameters &&
                   SamePath(seen.folder, start.folder) &&
                   (start.starter.empty() || (start.starter[0] == '!') == bool(lstrcmpiA(seen.starter.c_str(),
                                                                                        start.starter.c_str() + (start.starter[0] == '!'))));
        });
        if (ok(match != expected.end(), "unexpected start: %s [%s] in %s by %s", seen.program.c_str(),
               seen.parameters.c_str(), seen.folder.c_str(), seen.starter.c_str()))
            expected.erase(match);
    }
    for (const Start &start : expected)
        ok(false, "not started: %s [%s] in %s by %s", start.program.c_str(), start.parameters.c_str(),
           start.folder.c_str(), start.starter.empty() ? "any" : start.starter.c_str());
}

// A program named without a path is looked for in the starter's folder.
static bool StartSetup(Run &run)
{
    const Scenario &row = *run.row;
    std::string folder = StartFolder(row);
    char here[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, here);
    SetCurrentDirectoryA(folder.c_str());
    bool started = StartProcess(row.command, folder.c_str(), &run.pi, job);
    SetCurrentDirectoryA(here);
    for (const char *variable : {"BRIGHTLARK_REFUSED", "BRIGHTLARK_ESC_AT", "BRIGHTLARK_OTHER_ACCOUNT"})
        SetEnvironmentVariableA(variable, nullptr);
    return ok(started, "started %s", row.command.c_str());
}

static void RunScenario(const Scenario &row)
{
    int failedBefore = failedChecks;
    DWORD began = GetTickCount();
    checkContext = row.name;
    Prepare(row);
    Run run = {&row};
    // The fault build refuses what the row names, presses Esc where it says
    // and runs the desktop's shell as another account; a set-up started
    // again meets none of it.
    const char escAt[] = {char('0' + row.escAt), '\0'};
    SetEnvironmentVariableA("BRIGHTLARK_REFUSED", row.refused.empty() ? nullptr : row.refused.c_str());
    SetEnvironmentVariableA("BRIGHTLARK_ESC_AT", row.escAt ? escAt : nullptr);
    SetEnvironmentVariableA("BRIGHTLARK_OTHER_ACCOUNT", row.flags & OtherAccount ? "1" : nullptr);
    run.askedAt = row.escAt - 1;
    // A step that cannot be done names its line in the table; so do the
    // checks made on its way.
    if (StartSetup(run)) {
        for (const Step &step : row.steps) {
            checkContext = std::string(row.name) + " (at the step of line " + std::to_string(step.line) + ")";
            if (!CheckAt(__FILE_NAME__, step.line, step.act(run), "the step could not be done"))
                break;
        }
        checkContext = row.name;
        // A window still open when the run should be over is one the row
        // does not expect: report it, and end the set-up.
        HWND open = WaitForSingleObject(run.pi.hProcess, 5000) ? FindDialog(run.pi.dwProcessId, nullptr) : nullptr;
        DWORD code = 1;
        ok(!open, "nothing left open: \"%s\"", ItemText(open, 0xFFFF).c_str());
        ok(WaitExit(run.pi, open ? 0 : Patience, &code) && code == row.exitCode, "set-up ends with %lu (%lu)", row.exitCode, code);
    }
    Settle();
    CheckOutcome(row);
    std::string folder = StartFolder(row);
    for (const PayloadEntry &entry : PayloadTable)
        ok(!FileExists(Join(folder, entry.fileName)), "nothing extracted into %s", folder.c_str());
    CheckStarts(row);
    checkContext.clear();
    std::printf("%-4s %-60s %5.1f s\n", failedChecks > failedBefore ? "FAIL" : "ok", row.name,
                (GetTickCount() - began) / 1000.0);
    std::fflush(stdout);
}

// ---- The scenarios ---------------------------------------------------------

static const Start Coder = {"R:\\mp3coder.exe", "/s", "R:\\"};
static const Start DiskCoder = {"C:\\mp3coder.exe", "/s", "C:\\"};
static const Start DirectX = {"R:\\directx\\dxsetup.exe", "", "R:\\directx"};
static Start Sfx(const std::string &dest, const char *parameters = "") { return {Join(dest, "sfxpack1.exe"), parameters, dest}; }
static Start Program(const std::string &dest, const char *starter) { return {Join(dest, "Brightlark.exe"), "", dest, starter}; }

// Built once the special folders are known.
static std::vector<Scenario> Table()
{
    const std::string Trail = "C:\\t\\Trail\\", Long300 = "C:\\t\\" + std::string(295, 'e');
    const std::string JapaneseDest = std::string(JapaneseParent) + "\\" + JapaneseLast;
    const std::vector<Start> Fresh = {Sfx(DefaultDest, "/1"), Coder};
    auto NoDirectX = [](Where at = Where::current()) { return Answer(TextAskDirectX, IDNO, at); };
    auto NoStart = [](Where at = Where::current()) { return Answer(TextAskStartInstalled, IDNO, at); };
    auto Notes = [](Where at = Where::current()) {
        return All({Install(), Answer(TextNoteShortcut, IDOK), Answer(TextNoteShortcut, IDOK)}, at);
    };
    const int Locked = ReadOnly | Disabled;
    const std::string Blanks = "C:\\t\\My Apps\\Brightlark";
    const std::string Damaged = FailureText(FailureDamaged, "trkpl32.dll");
    const std::string NotPutBack = std::string(TextNoteNotPutBack) + "Brightlark.exe" + TextNoteKeptAs +
                                   Join(OldDest, "Brightlark.~1") + TextNoteNextRun;
    return {
        {.name = "fresh install by autorun, Windows 98",
         .steps = {Meet(IDC_AGREEMENT_TEXT), Is(IDC_AGREEMENT_TEXT, ReadOnly), Press(IDOK),
                   Page(TextSentenceInstall, TextButtonInstall, DefaultDest, 0), Install(), NoDirectX(),
                   Answer(TextAskStartInstalled, IDYES)},
         .installed = DefaultDest, .starts = {Sfx(DefaultDest, "/1"), Coder, Program(DefaultDest, NotByShell)}},
        // Elevated on Windows 10, the player is started as the desktop's
        // user, by the desktop's shell; where the shell cannot, by the set-up.
        // The set-up drive is where its program lies, never the drive an
        // option names: the encoder at the root of C: is not the CD's.
        {.name = "Windows 10, started as plain setup.exe /DIR=C:..., without the desktop shell's way",
         .steps = {Agree(), Main(), Install(), Answer(TextAskStartInstalled, IDYES)}, .installed = "C:\\t\\Bare",
         .starts = {Sfx("C:\\t\\Bare", "/1"), Coder, Program("C:\\t\\Bare", NotByShell)}, .command = "setup.exe /DIR=C:\\t\\Bare",
         .windows = "win10", .flags = NoDesktopShell, .folder = "R:\\"},
        {.name = "both shortcut folders blocked, DirectX accepted: no final offer",
         .steps = {Agree(), Main(), Notes(), Answer(TextAskDirectX, IDYES)}, .installed = DefaultDest,
         .starts = {Sfx(DefaultDest, "/1"), Coder, DirectX}, .flags = LinksBlocked | NoLinks},
        {.name = "Win32s refused", .steps = {Fatal(FailureText(FailurePlatform))}, .windows = "win31"},
        {.name = "agreement declined", .steps = {Meet(IDC_AGREEMENT_TEXT), Marked(), Cancel()}},
        {.name = "folder browser: cancel, then the desktop",
         .steps = {Agree(), Main(), Browse(IDCANCEL), Reads(IDC_MAIN_FOLDER, DefaultDest), Browse(IDOK),
                   Reads(IDC_MAIN_FOLDER, Join(DesktopDir, "Brightlark")), Cancel()}},
        // Records naming a folder no Install could use count as no earlier
        // installation, and stay.
        {.name = "records naming a folder of 250 characters; a destination on a missing drive",
         .steps = {Agree(), Page(TextSentenceInstall, TextButtonInstall, DefaultDest, 0), Type(IDC_MAIN_FOLDER, "Q:\\x"),
                   Install(), Fatal(FailureText(FailureDestination))},
         .earlier = 899, .earlierFolder = "C:\\t\\" + std::string(246, 'g')},
        // A destination too long for its files is refused whole, never cut.
        {.name = "destination of 300 characters refused, one with a closing backslash taken",
         .steps = {TypeFolder(Long300), Install(), Answer(TextInvalidDestination, IDOK), Main(), Reads(IDC_MAIN_FOLDER, ""),
                   Type(IDC_MAIN_FOLDER, Trail), Install(), NoDirectX(), NoStart()},
         .installed = Trail, .starts = {Sfx(Trail, "/1"), Coder}},
        {.name = "product running, autorun: silent end", .steps = {}, .flags = ProductRunning},
        {.name = "product running, by hand: refused until closed; abort declined, the pass goes on",
         .steps = {Agree(), Main(), Install(), Answer(TextProductRunning, IDOK), Main(), CloseProduct(), Abort(1, IDNO),
                   NoDirectX(), NoStart()},
         .installed = DefaultDest, .starts = Fresh, .command = ByHand, .flags = ProductRunning},
        {.name = "a set-up holds the mutex, with no window yet: this one ends at once, 1618", .steps = {Unseen()},
         .command = "R:\\setup.exe /VERYSILENT", .flags = MutexHeld, .exitCode = 1618},
        // Installed for the machine by a deployment, found by a user's set-up:
        // the page locked to its folder, updated for the machine.
        {.name = "update over 899 via the CD menu, Windows 10, of an installation the machine's records name",
         .steps = {Choose(IDC_MENU_SETUP), Agree(), Page(TextSentenceUpdate, TextButtonUpdate, OldDest, Locked), Install(),
                   Answer(TextAskSoundEffects, IDNO), Answer(TextAskStartUpdated, IDYES), ShellOpens(TextProductName)},
         .installed = OldDest, .starts = {Coder, Program(OldDest, ByShell)}, .earlier = 899, .windows = "win10",
         .flags = MachineRecords | ForMachine},
        {.name = "same version 900, sound effects from the CD",
         .steps = {Agree(), Page(TextSentenceInstall, TextButtonInstall, OldDest, 0), Install(),
                   Answer(TextAskSoundEffects, IDYES), ShellOpens("SoundFX"), NoDirectX(), NoStart()},
         .installed = OldDest, .starts = {Coder}, .earlier = 900, .command = ByHand},
        {.name = "version 301: uninstaller started",
         .steps = {Agree(), Answer(TextAskUninstallOld, IDOK), Page(TextSentenceUpdate, TextButtonUpdate, OldDest, Locked),
                   Cancel()},
         .starts = {{Join(OldDest, "uninstall.exe"), "", OldDest}}, .earlier = 301, .command = ByHand},
        {.name = "CD menu: run Brightlark, Windows 10", .steps = {Menu(), Press(IDOK)}, .starts = {Program(OldDest, ByShell)},
         .earlier = 900, .windows = "win10"},
        {.name = "from a hard disk over 900, sound effects; a build naming its publisher",
         .steps = {Agree(), Main(), Install(), Answer(TextAskSoundEffects, IDYES), NoStart()}, .installed = OldDest,
         .starts = {Sfx(OldDest), DiskCoder}, .earlier = 900, .command = DiskSetup, .program = PublishedBuild},
        // An update that does not finish leaves the earlier installation as
        // it was, byte for byte, whenever it stops. The pump after the fifth
        // file is the sixth.
        // Without dialogs, the fault build presses Esc for the person at the
        // machine.
        {.name = "abort after the fifth file over 899, unattended with the progress window: 1602",
         .steps = {Answer(TextAskAbort, IDYES)}, .earlier = 899, .command = "C:\\t\\faulty\\setup.exe /SILENT /LOG=C:\\t\\setup.log",
         .program = "setup_fault_refusals.exe", .escAt = 6, .exitCode = 1602, .logFile = "C:\\t\\setup.log",
         .log = {"Abort? [Yes]", "ended: aborted (exit code 1602)"}},
        // Cut off with two files set aside, the update starts again from
        // the earlier installation, read-only files and all.
        {.name = "an update over read-only files cut off, then run again",
         .steps = {Agree(), Main(), Esc(3), PowerCut(), Restart(), Agree(), Main(), Install(),
                   Answer(TextAskSoundEffects, IDNO), NoDirectX(), Answer(TextAskStartUpdated, IDNO)},
         .installed = OldDest, .starts = {Coder}, .earlier = 899, .command = ByHand, .flags = ReadOnlyEarlier},
        // An earlier file that cannot go back is reported and kept aside; the
        // next run puts it back first, so that its own abort leaves the
        // earlier installation whole.
        {.name = "an undo that cannot put the earlier program back, then an abort",
         .steps = {Agree(), Main(), Esc(3), Answer(TextAskAbort, IDYES), Answer(NotPutBack, IDOK), Restart(), Agree(), Main(),
                   Abort(2, IDYES)},
         .earlier = 899, .command = "C:\\t\\faulty\\setup.exe", .program = "setup_fault_refusals.exe",
         .refused = "Brightlark.~1"},
        {.name = "a folder in the fourth file's place over 899",
         .steps = {Agree(), Main(), Install(), Fatal(FailureText(FailureCreateFile))}, .earlier = 899, .command = ByHand,
         .blocked = "trkpl32.dll"},
        // A copy of the set-up with one byte of its fourth file changed says
        // so; the three files before it are written, then taken away again
        // with the folders the pass made.
        {.name = "damaged set-up, fresh: nothing left", .steps = {Agree(), Main(), Install(), Fatal(Damaged)},
         .command = "C:\\t\\faulty\\setup.exe", .program = "setup_fault_damaged.exe"},
        {.name = "damaged set-up over 899, unattended: 1603", .steps = {Unseen()}, .earlier = 899,
         .command = "C:\\t\\faulty\\setup.exe /VERYSILENT /LOG=C:\\t\\setup.log", .program = "setup_fault_damaged.exe",
         .exitCode = 1603, .logFile = "C:\\t\\setup.log",
         .log = {"Set aside the earlier cdrdr32.dll", "Put back the earlier Brightlark.exe", Damaged, "ended: failed (exit code 1603)"}},
        // Records the registry refuses: the files stay, one note says which.
        // An administrator's password typed for a standard user: the set-up
        // runs as another account than the desktop's, and installs for the
        // machine, whose records the user's next set-up finds.
        {.name = "product records that cannot be written, as another account than the desktop's: a note",
         .steps = {Agree(), Main(), Install(), Answer(TextNoteRecords, IDOK), NoStart()}, .installed = DefaultDest,
         .starts = {Sfx(DefaultDest, "/1"), DiskCoder}, .command = "C:\\t\\faulty\\setup.exe",
         .flags = ForMachine | OtherAccount, .program = "setup_fault_refusals.exe", .refused = "ProgramVersion"},
        {.name = "a value of the uninstall entry that cannot be written: a note, and no name",
         .steps = {Agree(), Main(), Install(), Answer(TextNoteUninstall, IDOK), NoStart()}, .installed = DefaultDest,
         .starts = {Sfx(DefaultDest, "/1"), DiskCoder}, .command = "C:\\t\\faulty\\setup.exe",
         .program = "setup_fault_refusals.exe", .refused = "EstimatedSize"},
        // Any line of the start log naming setup.exe is a planted library at
        // work; the destination is the current folder when LZ32 is needed.
        // On Vista the set-up leaves the DLL search as it is: only loading by
        // full path keeps the planted copies out. The set-up is a signed copy,
        // as downloaded.
        {.name = "planted lz32.dll and comctl32.dll never loaded, Vista, a signed set-up",
         .steps = {Agree(), Main(), Install(), Answer(TextAskSoundEffects, IDNO), NoStart()}, .installed = OldDest,
         .starts = {DiskCoder}, .earlier = 900, .command = "C:\\t\\planted\\setup.exe", .windows = "vista",
         .flags = Planted, .folder = "C:\\t\\Apps", .program = "setup_signed.exe"},
        // Unattended: no window, no question, no program of its own started,
        // an exit code for the deployment tool and a log for its administrator.
        // Each option quoted whole, as PowerShell passes an argument with a
        // blank; a mistyped option is found in the log.
        {.name = "unattended: a fresh /VERYSILENT install into a folder with blanks, quoted as PowerShell does",
         .steps = {Unseen()}, .installed = Blanks, .starts = {Coder},
         .command = "R:\\setup.exe \"/VERYSILENT\" \"/DIR=" + Blanks + "\" \"/LOG=C:\\t\\set-up log.txt\" /SP- /DIRR=C:\\x",
         .flags = ForMachine, .logFile = "C:\\t\\set-up log.txt",
         .log = {"Brightlark VERSION 9 set-up (900)", "Command line: R:\\setup.exe \"/VERYSILENT\"", "Windows 4.10.",
                 "Ignored, as no option of this set-up: /DIRR=C:\\x", "Laid down Brightlark.exe", "Made the shortcut " + Link(LinkDirs[3]),
                 "Not started, as nobody is at the machine: sfxpack1.exe /1", "ended: installed (exit code 0)"}},
        // /DIR names the recorded folder, however written; a folder of the
        // log's former fixed name stands in the temporary folder.
        {.name = "unattended: an update over 899 by the CD's autorun, /DIR as the folder, a new log in the temporary folder",
         .steps = {Unseen()}, .installed = OldDest, .starts = {Coder}, .earlier = 899,
         .command = "R:\\setup.exe /autorun /verysilent /log /noicons /DIR=c:\\t\\apps\\BRIGHTLARK\\", .flags = NoLinks | ForMachine,
         .logFile = TempLog,
         .log = {"Earlier installation: version 899 in C:\\t\\Apps\\Brightlark", "CD menu not shown",
                 "Installing into C:\\t\\Apps\\Brightlark", "Set aside the earlier Brightlark.exe as Brightlark.~1",
                 "Laid down Brightlark.exe", "No shortcuts: /NOICONS", std::string(TextAskSoundEffects) + " [No, unattended]",
                 "ended: installed (exit code 0)"}},
        // A player open in another session shows no window: its files show
        // it. A set-aside file a committed pass could not delete never
        // stands beside a marker, where it would read as an earlier file.
        {.name = "unattended: a library of the installation loaded by another program: 1603, nothing changed",
         .steps = {Unseen()}, .earlier = 899, .command = "R:\\setup.exe /VERYSILENT /LOG=C:\\t\\setup.log",
         .held = "cdrdr32.dll", .exitCode = 1603, .logFile = "C:\\t\\setup.log",
         .log = {"In use by another program: C:\\t\\Apps\\Brightlark\\cdrdr32.dll", TextProductRunning, "(exit code 1603)"}},
        {.name = "unattended: a set-aside file left by a committed pass, held: 1603 before the pass begins",
         .steps = {Unseen()}, .earlier = 899, .command = "R:\\setup.exe /VERYSILENT /LOG=C:\\t\\setup.log",
         .held = "Brightlark.~3", .exitCode = 1603, .logFile = "C:\\t\\setup.log",
         .log = {FailureText(FailureUnfinished, "Brightlark.~3"), "(exit code 1603)"}},
        {.name = "unattended over a newer version 901: 1603, nothing changed", .steps = {Unseen()}, .earlier = 901,
         .command = "R:\\setup.exe /SILENT /LOG=C:\\t\\setup.log", .exitCode = 1603, .logFile = "C:\\t\\setup.log",
         .log = {TextSentenceNewer, "ended: failed (exit code 1603)"}},
        // Program Files of the 32-bit view, and the records in it.
        {.name = "WoW64: a 32-bit set-up on 64-bit Windows",
         .steps = {Agree(), Page(TextSentenceInstall, TextButtonInstall, X86Dest, 0), Install(), NoStart()},
         .installed = X86Dest, .starts = {Sfx(X86Dest, "/1"), DiskCoder}, .command = DiskSetup, .windows = "winxp",
         .flags = Wow64, .program = "setup.exe"},
        // Walked byte by byte, the folder's levels would be cut inside its
        // characters, and the files' names would lose their backslash.
        {.name = "Japanese Windows: a typed folder of double-byte characters",
         .steps = {TypeFolder(JapaneseDest), Install(), NoDirectX(), NoStart()}, .installed = JapaneseDest,
         .starts = {Sfx(JapaneseDest, "/1"), Coder}, .flags = Japanese},
    };
}

int main(int argc, char **argv)
{
    // The control of the planted-library row: loads LZ32 by name, as a
    // careless program would.
    if (argc == 2 && !std::strcmp(argv[1], "naive"))
        return LoadLibraryA("lz32.dll") ? 0 : 1;
    Build = WinePath(argv[1]);
    char text[MAX_PATH];
    pause = GetEnvironmentVariableA("BRIGHTLARK_PAUSE", text, MAX_PATH) ? std::atoi(text) : 0;
    StartLog = Build + "\\wine\\e2e\\starts.log";
    CreateDirectoryA((Build + "\\wine\\e2e").c_str(), nullptr);
    // Every program the set-up starts inherits it.
    SetEnvironmentVariableA("BRIGHTLARK_START_LOG", StartLog.c_str());
    CoInitialize(nullptr);
    // Wine's desktop program starts with the first window; outside the job.
    GetDesktopWindow();
    job = CreateJobObjectA(nullptr, nullptr);
    int folders[] = {CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DESKTOPDIRECTORY};
    for (int i = 0; i < 4; ++i)
        SHGetSpecialFolderPathA(nullptr, text, folders[i], TRUE), LinkDirs[i] = text;
    GetTempPathA(MAX_PATH, text);
    TempDir = text;
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (!ok(wow64 || (GetDriveTypeA("R:\\") == DRIVE_CDROM &&
                      ReadFileBytes("R:\\setup.exe") == ReadFileBytes(Build + "\\setup.exe")),
            "R: is the product CD of this build"))
        return Summary();
    CopyTo(Build + "\\sample\\standin.exe", "C:\\mp3coder.exe");
    int played = 0;
    for (const Scenario &row : Table())
        if (bool(row.flags & Wow64) == bool(wow64) && bool(row.flags & Japanese) == (GetACP() == 932) &&
            (argc < 3 || std::strstr(row.name, argv[2])))
            RunScenario(row), ++played;
    ok(played > 0, "a row to play%s%s", argc < 3 ? "" : " matching ", argc < 3 ? "" : argv[2]);
    Clean();
    DeleteFileA("C:\\mp3coder.exe");
    return Summary();
}
