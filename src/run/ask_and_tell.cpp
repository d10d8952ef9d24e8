#include "run/run.h"

void FatalError(Failure failure, const char *file)
{
    static char message[FailureMessageSize];
    ComposeFailureMessage(failure, file, message);
    WriteLog("%s", message);
    if (!RunsUnattended())
        MessageBoxA(nullptr, message, TextErrorCaption, MB_OK | MB_ICONHAND);
    EndSetup(OutcomeFailed);
}

int AskUser(const char *text, UINT flags, HWND owner)
{
    // The buttons' names by the identifiers MessageBoxA gives, 0 to 7.
    static const char *const Answers[] = {"no box", "OK", "Cancel", "", "", "", "Yes", "No"};
    bool unattended = RunsUnattended() && owner == nullptr;
    UINT buttons = flags & MB_TYPEMASK;
    int answer = !unattended ? MessageBoxA(owner, text, TextSetupCaption, flags)
                 : buttons == MB_YESNO ? IDNO
                 : buttons == MB_OKCANCEL ? IDCANCEL
                                          : IDOK;
    WriteLog("%s [%s%s]", text, Answers[answer & 7], unattended ? ", unattended" : "");
    return answer;
}

// Unattended, nobody can choose again: the run fails as it would on an
// error, with the refusal's text in the log.
void Refuse(const char *text, UINT flags)
{
    if (RunsUnattended()) {
        WriteLog("%s", text);
        EndSetup(OutcomeFailed);
    }
    AskUser(text, flags, nullptr);
}
