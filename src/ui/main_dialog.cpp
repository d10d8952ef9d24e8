#include "core/text_ops.h"
#include "install/install.h"
#include "resource_ids.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "ui/ui.h"
#include "ui/ui_banner.h"

#include <shlobj.h>

static const char *Sentence()
{
    return EarlierIsOlder() ? TextSentenceUpdate : EarlierIsNewer() ? TextSentenceNewer : TextSentenceInstall;
}

static void InitMainDialog(HWND dialog)
{
    ShowBanner(dialog, IDC_MAIN_BANNER);
    char caption[256];
    ComposeSetupCaption(caption, sizeof caption);
    SetWindowTextA(dialog, caption);
    SetDlgItemTextA(dialog, IDC_MAIN_TITLE, caption);
    SetDlgItemTextA(dialog, IDC_MAIN_SENTENCE, Sentence());
    SetDlgItemTextA(dialog, IDCANCEL, TextButtonCancel);
    SetDlgItemTextA(dialog, IDOK, EarlierIsOlder() ? TextButtonUpdate : TextButtonInstall);
    SetDlgItemTextA(dialog, IDC_MAIN_FOLDER, setupState.destinationFolder);
    // A locked folder: the field is read-only and the browse button disabled.
    bool locked = FolderLocked();
    SendDlgItemMessageA(dialog, IDC_MAIN_FOLDER, EM_SETREADONLY, locked ? 1 : 0, 0);
    EnableWindow(GetDlgItem(dialog, IDC_MAIN_BROWSE), !locked);
    for (int item : {IDC_NEED_WINDOWS, IDC_NEED_DISK, IDC_NEED_MEMORY})
        SendDlgItemMessageA(dialog, item, BM_SETCHECK, BST_CHECKED, 0);
}

// The chosen folder with "\Brightlark" after it goes into the field. A
// folder without a file-system path, or one that leaves no room for the
// product's folder, leaves the field as it was.
static void BrowseForFolder(HWND dialog)
{
    static char chosen[MAX_PATH];
    BROWSEINFOA browse = {dialog, nullptr, chosen, TextBrowseTitle, 0, nullptr, 0, 0};
    // The folder browser needs COM on this thread.
    HRESULT com = CoInitialize(nullptr);
    LPITEMIDLIST item = SHBrowseForFolderA(&browse);
    chosen[0] = '\0';
    if (item != nullptr) {
        SHGetPathFromIDListA(item, chosen);
        FreeItemList(item);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    char folder[DestinationSize];
    if (chosen[0] != '\0' && JoinPath(chosen, TextProductName, folder, DestinationSize))
        SetDlgItemTextA(dialog, IDC_MAIN_FOLDER, folder);
}

static void ConfirmInstall(HWND dialog)
{
    // A folder longer than destinationFolder holds is refused whole, never
    // taken cut short: an empty destination is one the sequence refuses.
    // Read with two bytes to spare, so that a longer text still comes out
    // longer when the read stops short of a double-byte character.
    char typed[DestinationSize + 2];
    GetDlgItemTextA(dialog, IDC_MAIN_FOLDER, typed, sizeof typed);
    if (!TextsFit(DestinationSize, {typed}))
        typed[0] = '\0';
    // The product's files cannot be replaced while it runs.
    if (ProductRuns(typed)) {
        Refuse(TextProductRunning, MB_OK | MB_ICONERROR);
        return;
    }
    CopyText(typed, setupState.destinationFolder);
    EndDialog(dialog, 1);
}

INT_PTR MainDialogHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        InitMainDialog(dialog);
    } else if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK:
            ConfirmInstall(dialog);
            break;
        case IDCANCEL:
            EndDialog(dialog, 0);
            break;
        case IDC_MAIN_BROWSE:
            BrowseForFolder(dialog);
            break;
        }
    }
    return 0;
}
