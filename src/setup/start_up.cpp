#include "core/cd_path.h"
#include "core/text_ops.h"
#include "resource_ids.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "setup/sequence.h"

// A disc taken out, or an empty drive, fails the call that meets it instead
// of the system's box waiting for a disc.
static void QuietCriticalErrors()
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

// Learns the lead bytes of the ANSI code page, so that paths are walked by
// its characters from here on.
static void ReadAnsiLeadBytes()
{
    CPINFO codePage;
    if (GetCPInfo(CP_ACP, &codePage))
        SetLeadByteRanges(codePage.LeadByte);
}

// The class that marks a running set-up; a hidden window of it lives as
// long as this process, so that a second set-up finds it and ends.
static void MarkSetupRunning()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = setupState.instanceHandle;
    windowClass.hIcon = LoadIconA(setupState.instanceHandle, MAKEINTRESOURCEA(IDI_SETUP));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = TextSetupCaption;
    RegisterClassA(&windowClass);
    CreateWindowExA(0, TextSetupCaption, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    setupState.instanceHandle, nullptr);
}

// Two set-ups started in the same instant (the CD's autorun and a
// double-click) could both pass the window check before either had made its
// window: the mutex, taken before any window, lets only one through. It
// lives where every session of the machine sees it (Windows 2000 and later,
// where several users may be logged on); Windows 95 to NT 4.0 refuse such a
// name and take the plain one. A mutex that another user's set-up holds is
// refused to this one. It is never released; it goes with the process.
static bool AnotherSetupRuns()
{
    char globalName[32];
    CopyText(TextSetupCaption, CopyText("Global\\", globalName));
    HANDLE mutex = CreateMutexA(nullptr, FALSE, globalName);
    if (mutex == nullptr && GetLastError() != ERROR_ACCESS_DENIED)
        mutex = CreateMutexA(nullptr, FALSE, TextSetupCaption);
    DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED ||
           FindWindowA(TextSetupCaption, nullptr) != nullptr;
}

// The log's first lines: the product and its version, the command line and
// Windows. A log asked for that cannot be made ends the run before anything
// changes.
static void StartLog()
{
    static const char *const Modes[] = {"an interactive run", "an unattended run with the progress window",
                                        "an unattended run without windows"};
    const OSVERSIONINFOA &version = WindowsVersion();
    if (!WriteLog("%s %s set-up (%lu)", TextProductName, TextVersionLabel, InstallerVersion) ||
        !WriteLog("Command line: %s", GetCommandLineA()) ||
        !WriteLog("Windows %lu.%lu.%lu, platform %lu; %s", version.dwMajorVersion, version.dwMinorVersion,
                  version.dwBuildNumber & 0xFFFF, version.dwPlatformId, Modes[setupState.options.mode]))
        FatalError(FailureLog);
    if (setupState.options.ignored[0] != '\0')
        WriteLog("Ignored, as no option of this set-up: %s", setupState.options.ignored);
}

// The CD's programs are started from the drive the set-up program lies on,
// never from one an option names. From a network share there is none.
static void FindSetupDrive()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    setupState.setupDrive = length != 0 && length < MAX_PATH ? DriveOfPath(path) : '\0';
    if (setupState.setupDrive == '\0')
        WriteLog("The set-up runs from no drive letter: the CD's programs are not started");
}

// An unattended run is a deployment's, often as the machine's own account:
// it installs for the machine. So does a set-up that runs as another account
// than the desktop's (an administrator's password typed for a standard
// user), whose own records and shortcuts that user would never see.
static void DecideForMachine()
{
    if (RunsUnattended()) {
        setupState.forMachine = 1;
    } else if (SetupRunsAsAnotherUser()) {
        setupState.forMachine = 1;
        WriteLog("The set-up runs as another account than the desktop's user: it installs for the machine");
    }
}

void StartUp()
{
    QuietCriticalErrors();
    ReadAnsiLeadBytes();
    setupState.instanceHandle = GetModuleHandleA(nullptr);
    setupState.versionLabel = TextVersionLabel;
    ParseCommandLine(GetCommandLineA(), &setupState.options);
    // The Windows version is read once, into the scratch block, before any
    // DLL is loaded: where the DLL search may be restricted depends on it.
    setupState.scratchBlock = GlobalAlloc(GMEM_FIXED, ScratchBlockSize);
    if (setupState.scratchBlock == nullptr)
        FatalError(FailureMemory);
    setupState.platformId = GetWindowsPlatform();
    RestrictDllSearch();
    // Before the log: it may be the other set-up's.
    if (AnotherSetupRuns())
        EndSetup(OutcomeOtherSetup);
    MarkSetupRunning();
    InitCommonControlsFromSystem();
    StartLog();
    if (setupState.platformId == VER_PLATFORM_WIN32s)
        FatalError(FailurePlatform);
    FindSetupDrive();
    DecideForMachine();
    DetectPreviousInstall();
    ChooseDefaultDestination();
}
