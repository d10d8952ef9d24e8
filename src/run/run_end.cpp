#include "run/run.h"
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
