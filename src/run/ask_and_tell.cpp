#include "run/setup_state.h"

bool RunsUnattended()
{
    return setupState.options.mode != RunInteractive;
}

void EndSetup(SetupOutcome outcome)
{
    static const std::uint32_t UnattendedCodes[] = {0, 1603, 1602, 1603, 1618};
    static const char *const Ends[] = {"installed", "stopped", "aborted", "failed", "another set-up runs"};
    std::uint32_t code = RunsUnattended() ? UnattendedCodes[outcome] : 0;
    // The log of a set-up that finds another running may be the other's.
    if (outcome != OutcomeOtherSetup)
        WriteLog("Set-up ended: %s (exit code %lu)", Ends[outcome], code);
    ExitProcess(code);
}

void FatalError(const char *message)
{
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

// Unattended, nobody can choose again: the run fails as it would on an error.
void Refuse(const char *text, UINT flags)
{
    if (RunsUnattended())
        FatalError(text);
    AskUser(text, flags, nullptr);
}
