// The product's versions as the set-up knows them. An earlier installation's
// version is compared with these by the named questions of the run layer
// (run/setup_state.h), never by a bare number.
#pragma once
#include <cstdint>

#include "core/build_settings.h"

// The version this set-up installs, written as ProgramVersion and compared,
// unsigned, with an earlier installation's: the build's one definition.
constexpr std::uint32_t InstallerVersion = BRIGHTLARK_VERSION;
// Versions up to this one brought an uninstaller of their own, which must
// remove them before this version is installed.
constexpr std::uint32_t LastVersionWithOwnUninstaller = 301;
