#include "setup_state.h"

SetupState setupState = {
    nullptr, nullptr, 0, 0, 0, 0, {}, {}, TextVersionLabel,
};
