/* Brightlark: the sample media player window. The set-up recognises a running
   player by a top-level window of class "Brightlark", so the class name is
   fixed; everything else here is a modest stand-in. */
#include <windows.h>

#include "start_record.h"

static const char kClassName[] = "Brightlark";
static const char kCaption[] = "Brightlark";

enum { IDM_EXIT = 100, IDM_ABOUT = 101 };

/* The first argument of a command line (the file to play), or "". */
static const char *FirstArgument(const char *command)
{
    if (*command == '"') {
        ++command;
        while (*command && *command != '"')
            ++command;
        if (*command)
            ++command;
    } else {
        while (*command && *command != ' ' && *command != '\t')
            ++command;
    }
    while (*command == ' ' || *command == '\t')
        ++command;
    return command;
}

static HMENU CreateMainMenu(void)
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU help = CreatePopupMenu();

    AppendMenuA(file, MF_STRING, IDM_EXIT, "E&xit");
    AppendMenuA(help, MF_STRING, IDM_ABOUT, "&About Brightlark...");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)file, "&File");
    AppendMenuA(bar, MF_POPUP, (UINT_PTR)help, "&Help");
    return bar;
}

static void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const char *track = FirstArgument(GetCommandLineA());
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT area;

    GetClientRect(window, &area);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, *track ? track : "No track loaded", -1, &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message,
                                       WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_EXIT:
            /* The same way out as the close box and a posted WM_CLOSE. */
            PostMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        case IDM_ABOUT:
            MessageBoxA(window, "Brightlark media player\nSample build",
                        kCaption, MB_OK | MB_ICONINFORMATION);
            return 0;
        }
        break;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    /* WM_CLOSE falls through to DestroyWindow here. */
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command,
                   int show)
{
    WNDCLASSA windowClass;
    HWND window;
    MSG message;

    (void)previous;
    (void)command;

    /* Recorded before the window exists, so a test that waits for the
       window can rely on the record already being there. */
    RecordStart();

    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;

    window = CreateWindowExA(0, kClassName, kCaption, WS_OVERLAPPEDWINDOW,
                             CW_USEDEFAULT, CW_USEDEFAULT, 420, 160, NULL,
                             CreateMainMenu(), instance, NULL);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
