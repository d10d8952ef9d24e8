// The installation engine: what the dialogs and the setup flow may call.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include <cstdint>

#include "core/payload_table.h"
#include "core/user_texts.h"

// Registry. Product value paths start with a backslash and lie under
// Software\Brightlark: the user's (HKEY_CURRENT_USER), or the machine's where
// a root key is given; uninstall value paths likewise under the uninstall
// entry's key in HKEY_LOCAL_MACHINE; full paths are given whole with their
// root key. Each call opens and closes its own key.
bool SetProductValue(const char *valuePath, const void *data, std::uint32_t size,
                     std::uint32_t type, HKEY root = HKEY_CURRENT_USER);
bool GetProductValue(const char *valuePath, void *buffer, std::uint32_t size,
                     std::uint32_t *count, HKEY root = HKEY_CURRENT_USER);
bool DeleteProductValue(const char *valuePath);
bool SetUninstallValue(const char *valuePath, const void *data, std::uint32_t size,
                       std::uint32_t type);
bool SetRootValue(const char *fullPath, const void *data, std::uint32_t size,
                  std::uint32_t type, HKEY root);
bool GetRootValue(const char *fullPath, void *buffer, std::uint32_t size, HKEY root,
                  std::uint32_t *count);

// Reads a value as a text that ends inside `buffer`; false otherwise.
bool GetProductText(const char *valuePath, char *buffer, std::uint32_t size, HKEY root = HKEY_CURRENT_USER);
bool GetRootText(const char *fullPath, char *buffer, std::uint32_t size, HKEY root);

// The install records. Reads the earlier installation's records into the
// state: hasPreviousInstall, previousVersion and previousFolder; the user's,
// or where they are absent the machine's, which make the run an
// installation for the machine.
void DetectPreviousInstall();
// Writes ProgramDirectory and ProgramVersion for the installation in
// destinationFolder, the user's and for an installation for the machine the
// machine's too, having deleted MonitorDevice; false when one could not be
// written.
bool WriteProductRecords();
// Writes the uninstall entry for the installation in destinationFolder.
// False when a value of it could not be written.
bool RegisterUninstall();
// The bytes of the product's files as the payload gives them, which the
// install pass holds them to.
std::uint32_t PayloadExpandedBytes();

// The check values the build recorded for payload row `row`: of its
// compressed bytes, and of the product file it expands to. False when
// there are none.
struct PayloadChecks {
    std::uint32_t compressed, expanded;
};
bool FindPayloadChecks(unsigned row, PayloadChecks *checks);

// Expands payload resource `resourceId` into the pass's expanded file in
// the current folder, for the install pass to put in its target's place,
// once its compressed bytes and the file it gave match `checks`. Leaves no
// compressed file behind. FailureNone when done; FailureDamaged when the
// payload is not what the build made (the caller names the file), never a
// disk's failure then.
Failure ExtractPayloadFile(std::uint32_t resourceId, const PayloadChecks &checks);

// Every program the set-up starts goes through these, with the shell's
// default action and without waiting for it; each gives 1 when the
// program was started, else 0, and the log says which. An unattended run
// starts only what asks nobody anything: the CD's encoder set-up, silently.
//
// A program of the product or the old version, in `folder`.
std::uint32_t StartProgram(const char *file, const char *parameters, const char *folder);
// The installed player in `folder` as the desktop's user, never with this
// set-up's rights.
std::uint32_t StartProduct(const char *folder);
// The set-up drive and the extras on the product CD.
std::uint32_t SetupRunsFromCd();
std::uint32_t RunCdDirectXSetup();
std::uint32_t RunCdEncoderSetup(std::uint32_t silent);
std::uint32_t OpenCdSoundFx();
std::uint32_t ExploreCd();

// True when the product's window is open.
bool ProductWindowOpen();
// True when the product runs: its window is open, or a product file in
// `folder` is held by another program (the player open in another session,
// a library another program loaded), which the log names. Its files cannot
// be replaced then.
bool ProductRuns(const char *folder);

// True when this set-up runs as another account than the desktop's shell
// (an administrator's password typed for a standard user); false where the
// shell cannot be asked.
bool SetupRunsAsAnotherUser();

// A shortcut to the installed program in a shell special folder (a CSIDL
// value), or for an installation for the machine in the one of all users; a
// note tells the user when it cannot be made.
void AddShortcut(int folder, int allUsersFolder);
// Frees an item list that the shell gave, through the shell's allocator.
void FreeItemList(LPITEMIDLIST item);
std::uint32_t CreateShellLink(const char *target, const char *link, const char *description,
                              const char *workingFolder);

// How the install pass shows where it stands. The flow gives it, so that
// the engine knows no window. `open` shows the pass starting, with a bar of
// `rows` steps; `show` sets the status text (null keeps it) and the bar's
// position (-1 keeps it); `aborted` takes at most one pending message of
// the person at the machine and tells whether they have asked to abort.
struct PassProgress {
    void (*open)(std::int32_t rows);
    void (*show)(const char *text, std::int32_t position);
    bool (*aborted)();
    void (*close)();
};

// Lays the product into destinationFolder, showing its progress through
// `progress`, then writes the records, the uninstall entry and the
// shortcuts. First it puts back what an earlier pass that never finished had
// set aside. False when the user aborted: the folder is put back as the pass
// found it, an earlier installation's files included, and nothing is
// recorded. A failure puts back the same and ends the run with its message.
bool InstallPass(const PassProgress &progress);
