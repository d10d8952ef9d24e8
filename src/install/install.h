// The installation engine: what the setup flow and the dialogs may call.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <cstdint>

#include "core/payload_table.h"

// Registry. Product value paths start with a backslash and lie under
// HKEY_CURRENT_USER\Software\Brightlark; full paths are given whole with
// their root key. Each call opens and closes its own key.
bool SetProductValue(const char *valuePath, const void *data, std::uint32_t size,
                     std::uint32_t type);
bool GetProductValue(const char *valuePath, void *buffer, std::uint32_t size,
                     std::uint32_t *count);
bool DeleteProductValue(const char *valuePath);
bool SetRootValue(const char *fullPath, const void *data, std::uint32_t size,
                  std::uint32_t type, HKEY root);
bool GetRootValue(const char *fullPath, void *buffer, std::uint32_t size, HKEY root,
                  std::uint32_t *count);

// Reads a value as a text that ends inside `buffer`; false otherwise.
bool GetProductText(const char *valuePath, char *buffer, std::uint32_t size);
bool GetRootText(const char *fullPath, char *buffer, std::uint32_t size, HKEY root);

// Writes the uninstall entry for the installation in destinationFolder.
// False when a value of it could not be written.
bool RegisterUninstall();

// The check values the build recorded for payload resource `resourceId`:
// of its compressed bytes, and of the product file it expands to. False
// when there are none.
struct PayloadChecks {
    std::uint32_t compressed, expanded;
};
bool FindPayloadChecks(std::uint32_t resourceId, PayloadChecks *checks);

// Expands payload resource `resourceId` into the pass's expanded file in
// the current folder, for the install pass to put in its target's place,
// once its compressed bytes and the file it gave match `checks`. Leaves no
// compressed file behind; null when done, else the message of the failure
// for the caller to report: TextErrorDamaged when the payload is not what
// the build made (the caller names the file), never a disk's message.
const char *ExtractPayloadFile(std::uint32_t resourceId, const PayloadChecks &checks);

// Asks the shell to start `file`, and logs whether it did: 1 when it did,
// else 0.
std::uint32_t Launch(const char *verb, const char *file, const char *parameters, const char *folder,
                     int show);

// The set-up drive and the extras on the product CD. The launchers give 1
// when the shell started the program, else 0.
std::uint32_t SetupRunsFromCd();
std::uint32_t RunCdDirectXSetup();
std::uint32_t RunCdEncoderSetup(std::uint32_t silent);
std::uint32_t OpenCdSoundFx();
std::uint32_t ExploreCd();

// True when this set-up runs elevated on Windows Vista or later.
bool RunsElevated();
// Starts `file` (a full path) with `parameters` (null: none) in `folder`
// through the desktop's own shell, so that it runs as the desktop's user and
// not with this set-up's rights. False when any step fails; the caller then
// starts it itself.
bool StartAsDesktopUser(const char *file, const char *parameters, const char *folder);

// A shortcut to the installed program in a shell special folder (a CSIDL
// value), or for an unattended run in the one of all users; a note tells the
// user when it cannot be made.
void AddShortcut(int folder, int allUsersFolder);
// Frees an item list that the shell gave, through the shell's allocator.
void FreeItemList(LPITEMIDLIST item);
std::uint32_t CreateShellLink(const char *target, const char *link, const char *description,
                              const char *workingFolder);

// Lays the product into destinationFolder under the progress window, then
// writes the records, the uninstall entry and the shortcuts. First it puts
// back what an earlier pass that never finished had set aside. False when
// the user aborted: the folder is put back as the pass found it, an earlier
// installation's files included, and nothing is recorded. A failure puts
// back the same and ends the run with its message.
bool InstallPass();
