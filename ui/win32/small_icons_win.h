// The folder and drive icons of the main window: the program's own pictures
// (app/make_icons.py), in one image list at the system's small-icon size.
#pragma once

#include "platform/win32/handles.h"
#include "ui/controls.h"

#include <windows.h>

// Image indexes: the drive kinds in the order of DriveIcon, then the folders.
constexpr int kClosedFolderImage = static_cast<int>(DriveIcon::Unknown) + 1;
constexpr int kOpenFolderImage = kClosedFolderImage + 1;

UniqueImageList LoadSmallIcons(HINSTANCE instance);
