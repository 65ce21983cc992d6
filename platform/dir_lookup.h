// The run-time library's directory function on top of FileSystem::Find.
#pragma once

#include "platform/path_text.h"
#include "platform/platform.h"

#include <string>

// Name of the first entry matching `path` whose hidden, system and directory
// attributes are all in `attrMask` (16: folders and ordinary files; 18: hidden
// ones too; 2: ordinary and hidden files). A path ending in "\" looks inside
// that folder (a backslash of its own: the second byte of ソ is not one). "" when nothing matches
// or the path does not exist; a drive that is absent or not ready still fails (68, 71).
std::string Dir(FileSystem& fs, const PathText& text, const std::string& path, uint32_t attrMask);
