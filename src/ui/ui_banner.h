// The product's banner in the picture item of the CD menu and main dialog.
#pragma once
#include <windows.h>

void ShowBanner(HWND dialog, int item);
