#pragma once

#include "ui/about.h"

#include <windows.h>

// The About box, modal to `owner`; returns when OK or the close box ends it.
void ShowAboutBox(HWND owner, const AboutTexts& texts);
