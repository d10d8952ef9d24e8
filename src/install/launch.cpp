#include "core/cd_path.h"
#include "core/destination.h"
#include "core/text_ops.h"
#include "install/desktop_shell.h"
#include "install/install.h"
#include "run/run.h"
#include "run/setup_state.h"

#include <shellapi.h>

static const char DirectXFolder[] = "directx\\";
static const char DirectXProgram[] = "directx\\dxsetup.exe";
static const char EncoderProgram[] = "mp3coder.exe";
static const char EncoderSilent[] = "/s";
static const char SoundFxFolder[] = "SoundFX";

static char cdFile[CdPathSize], cdFolder[CdPathSize];

// A program to start, as the shell takes it.
struct ProgramStart {
    const char *verb, *file, *parameters, *folder;
    int show;
    bool asksNobody;    // may start in an unattended run
    bool asDesktopUser; // the installed player: never with the set-up's rights
};

// Elevated on Windows Vista or later, the set-up asks the desktop's own
// shell to start the player, which then runs as the desktop's user:
// otherwise it would run as administrator, Explorer could not drop files on
// it, and all it wrote would be written as administrator.
static bool StartedAsDesktopUser(const ProgramStart &program)
{
    char path[FullNameSize];
    if (!RunsElevated() || !JoinPath(program.folder, program.file, path, FullNameSize) ||
        !StartAsDesktopUser(path, program.parameters, program.folder))
        return false;
    WriteLog("Started %s as the desktop's user", path);
    return true;
}

// The one gate every start goes through. An unattended run starts nothing
// that would ask a person something.
static std::uint32_t Start(const ProgramStart &program)
{
    const char *parameters = program.parameters ? program.parameters : "";
    if (RunsUnattended() && !program.asksNobody) {
        WriteLog("Not started, as nobody is at the machine: %s %s", program.file, parameters);
        return 0;
    }
    if (program.asDesktopUser && StartedAsDesktopUser(program))
        return 1;
    HINSTANCE started = ShellExecuteA(nullptr, program.verb, program.file, program.parameters, program.folder,
                                      program.show);
    std::uint32_t done = reinterpret_cast<UINT_PTR>(started) > 32;
    WriteLog("%s %s %s", done ? "Started" : "Could not start", program.file, parameters);
    return done;
}

std::uint32_t StartProgram(const char *file, const char *parameters, const char *folder)
{
    return Start({nullptr, file, parameters, folder, SW_SHOW, false, false});
}

std::uint32_t StartProduct(const char *folder)
{
    return Start({nullptr, PayloadTable[PayloadRowProgram].fileName, nullptr, folder, SW_SHOW, false, true});
}

std::uint32_t SetupRunsFromCd()
{
    return ComposeCdPath(setupState.setupDrive, "", cdFolder) && GetDriveTypeA(cdFolder) == DRIVE_CDROM;
}

std::uint32_t RunCdDirectXSetup()
{
    char drive = setupState.setupDrive;
    if (!ComposeCdPath(drive, DirectXProgram, cdFile) || !ComposeCdPath(drive, DirectXFolder, cdFolder))
        return 0;
    return Start({nullptr, cdFile, nullptr, cdFolder, SW_SHOW, false, false});
}

// Silently, it asks nobody anything.
std::uint32_t RunCdEncoderSetup(std::uint32_t silent)
{
    char drive = setupState.setupDrive;
    if (!ComposeCdPath(drive, EncoderProgram, cdFile) || !ComposeCdPath(drive, "", cdFolder))
        return 0;
    return Start({nullptr, cdFile, silent ? EncoderSilent : nullptr, cdFolder, SW_SHOW, silent != 0, false});
}

std::uint32_t OpenCdSoundFx()
{
    if (!ComposeCdPath(setupState.setupDrive, SoundFxFolder, cdFile))
        return 0;
    return Start({nullptr, cdFile, nullptr, nullptr, SW_SHOWNORMAL, false, false});
}

std::uint32_t ExploreCd()
{
    if (!ComposeCdPath(setupState.setupDrive, "", cdFile))
        return 0;
    return Start({"explore", cdFile, nullptr, nullptr, SW_SHOWNORMAL, false, false});
}
