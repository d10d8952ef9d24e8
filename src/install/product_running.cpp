#include "core/destination.h"
#include "core/text_ops.h"
#include "install/install.h"
#include "run/run.h"

// The product's window is of a class named as the product.
bool ProductWindowOpen()
{
    return FindWindowA(TextProductName, nullptr) != nullptr;
}

// The pass replaces an earlier file (sets it aside) and then deletes it: a
// file another program has open or loaded (the player in another session,
// where its window cannot be seen; a library) could be set aside but never
// deleted. Opened to be written, shared with nobody, it shows; a file that is
// only read-only, or is not there, does not count. Nothing is written.
static bool FileHeld(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool ProductRuns(const char *folder)
{
    if (ProductWindowOpen())
        return true;
    char path[FullNameSize];
    for (const PayloadEntry &entry : PayloadTable) {
        if (JoinPath(folder, entry.fileName, path, FullNameSize) && FileHeld(path)) {
            WriteLog("In use by another program: %s", path);
            return true;
        }
    }
    return false;
}
