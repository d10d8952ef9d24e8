// Pictures of the set-up's windows for a person to look at.
#pragma once
#include <windows.h>

#include <string>

// Saves what the screen shows of `window` as a PNG file. False when the
// window cannot be read or the file not written.
bool SaveWindowPng(HWND window, const std::string &path);
