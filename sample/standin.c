/* standin: the sound-effects pack installer of the sample product, and a
   general stand-in for any helper program the set-up may start (an encoder,
   a DirectX installer, an uninstaller). Tests copy it under the helper's
   name; the record carries that name, since it comes from the module path
   as started. */
#include <windows.h>

#include "start_record.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command,
                   int show)
{
    (void)instance;
    (void)previous;
    (void)command;
    (void)show;

    /* Always succeeds: the tests judge the set-up by what it started, not
       by how the helper fared. */
    RecordStart();
    return 0;
}
