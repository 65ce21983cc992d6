#pragma once

#include <windows.h>

#include <string>

// A modal box asking for one line of text, centred on `owner`; "" when cancelled.
std::string ShowInputBox(HWND owner, const std::string& prompt, const std::string& title);
