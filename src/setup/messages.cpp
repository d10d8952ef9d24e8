#include "setup_state.h"

void FatalError(const char *message)
{
    MessageBoxA(nullptr, message, TextErrorCaption, MB_OK | MB_ICONHAND);
    ExitProcess(0);
}

int AskUser(const char *text, UINT flags, HWND owner)
{
    return MessageBoxA(owner, text, TextSetupCaption, flags);
}
