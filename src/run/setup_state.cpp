#include "run/setup_state.h"

// Zero until start-up fills it, so that it takes no room in the program file.
SetupState setupState;
