// The run-time library's directory function on top of FileSystem::Find.
#pragma once

#include "platform/platform.h"

#include <string>

// Name of the first entry matching `path` whose hidden, system and directory
// attributes are all in `attrMask` (16: folders and ordinary files; 18: hidden
// ones too; 2: ordinary and hidden files; 4 lets system ones through). A path
// ending in "\" or ":" looks inside that folder. "" when nothing matches or
// the path does not exist; a drive that is absent or not ready still fails
// (68, 71), and so does a folder that cannot be read to its end.
std::string Dir(FileSystem& fs, const std::string& path, uint32_t attrMask);
