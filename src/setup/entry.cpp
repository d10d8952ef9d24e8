#include "run/setup_state.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

// The program starts here, without the C runtime's start-up code: it needs
// nothing of it, and leaving it out keeps the program small. WinMain gets
// the command line without the program's name, and never returns.
extern "C" void SetupEntry()
{
    WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char *>(CommandTail(GetCommandLineA())),
            SW_SHOWDEFAULT);
    ExitProcess(0);
}
