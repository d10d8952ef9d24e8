// The steps of the setup sequence that WinMain walks through.
#pragma once
#include <cstdint>

// A disc taken out, or an empty drive, fails the call that meets it instead
// of the system's box waiting for a disc. Called first thing.
void QuietCriticalErrors();
// Learns the lead bytes of the ANSI code page, so that paths are walked by
// its characters from here on. Called first thing.
void ReadAnsiLeadBytes();
std::uint32_t GetWindowsPlatform();
void DetectPreviousInstall();
void ChooseDefaultDestination();
// An earlier installation of another version fixes the destination to its
// folder.
bool FolderLocked();
bool ValidateDestination();
bool OfferOldVersionUninstall();
void OfferSoundEffects();
void OfferStartProduct();

// Starts a program of the product or the old version with the shell's
// default action, without waiting for it. An unattended run starts none:
// each would ask a person something.
void StartProgram(const char *file, const char *parameters, const char *folder);
// Starts the installed player in `folder` as the desktop's user, never with
// this set-up's rights.
void StartProduct(const char *folder);
