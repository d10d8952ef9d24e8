#include "run/run.h"
#include "run/setup_state.h"

std::uint32_t GetWindowsPlatform()
{
    // A failed query leaves the platform 0, which start-up refuses.
    OSVERSIONINFOA *version = static_cast<OSVERSIONINFOA *>(setupState.scratchBlock);
    ZeroMemory(version, sizeof *version);
    version->dwOSVersionInfoSize = sizeof *version;
    GetVersionExA(version);
    return version->dwPlatformId;
}

const OSVERSIONINFOA &WindowsVersion()
{
    return *static_cast<const OSVERSIONINFOA *>(setupState.scratchBlock);
}
