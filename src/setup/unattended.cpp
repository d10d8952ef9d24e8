#include "core/text_ops.h"
#include "resource_ids.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "setup/sequence.h"

// What the command line answers in place of a person, all in this file: the
// folder /DIR names, and for an unattended run (/SILENT, /VERYSILENT) each
// dialog's answer. The questions in boxes take their safe answer where they
// are asked (AskUser).

// Set where /DIR names another folder than the one an earlier installation
// fixes: an unattended run, which cannot show the locked page, fails on it.
static bool dirNotTaken;

// /DIR's folder is the default wherever a person could change it: an
// earlier installation of another version keeps its own folder, and the
// page shows that one, locked. Where /DIR names the recorded folder, however
// written, the destination is that folder as the records hold it.
bool TakeDirOption()
{
    const char *dir = setupState.options.dir;
    if (!(setupState.options.given & OptionDir) ||
        (setupState.hasPreviousInstall && SameFolder(dir, setupState.previousFolder)))
        return false;
    if (FolderLocked()) {
        WriteLog("/DIR not taken: the earlier installation's folder is %s", setupState.previousFolder);
        dirNotTaken = true;
        return false;
    }
    CopyText(dir, setupState.destinationFolder);
    return true;
}

// The main page's answer: an Install with the destination the command line
// or the records give, where an Install would go through; the run ends as a
// failure where it would not. A newer installed version is never replaced,
// and /DIR may not name another folder than the one an earlier installation
// fixes.
static INT_PTR ConfirmUnattended()
{
    if (ProductRuns(setupState.destinationFolder))
        Refuse(TextProductRunning, MB_OK | MB_ICONERROR);
    if (EarlierIsNewer())
        Refuse(TextSentenceNewer, 0);
    if (dirNotTaken)
        FatalError(FailureOtherFolder);
    return 1;
}

// The CD menu goes on with the set-up, and the command line's option itself
// accepts the agreement.
static INT_PTR AnswerUnattended(unsigned templateId)
{
    if (templateId == IDD_MAIN)
        return ConfirmUnattended();
    bool menu = templateId == IDD_AUTORUN;
    WriteLog(menu ? "CD menu not shown: the set-up goes on" : "Agreement accepted by the command line's option");
    return menu ? IDC_MENU_SETUP : 1;
}

INT_PTR RunDialog(unsigned templateId, DialogHandler handler)
{
    if (RunsUnattended())
        return AnswerUnattended(templateId);
    return RunModalDialog(nullptr, templateId, handler);
}
