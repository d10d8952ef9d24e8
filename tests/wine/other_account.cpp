// In the fault build the desktop's shell runs as another account than the
// set-up while BRIGHTLARK_OTHER_ACCOUNT is set, as after an administrator's
// password typed for a standard user, which Wine cannot show. It takes the
// place of the set-up's own question.
#include "install/install.h"

bool SetupRunsAsAnotherUser()
{
    return GetEnvironmentVariableA("BRIGHTLARK_OTHER_ACCOUNT", nullptr, 0) != 0;
}
