/* sfxpack1: stand-in for the sound-effects pack installer that the set-up
   runs after copying the player. It only notes that it was started. */
#include <windows.h>

#include "start_record.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command,
                   int show)
{
    (void)instance;
    (void)previous;
    (void)command;
    (void)show;

    /* Success either way: the set-up must not see a failure it would not
       see from the real pack. */
    RecordStart();
    return 0;
}
