// Text files as the program reads them: 8-bit lines ended by CR LF, a lone
// CR or a lone LF. A last line without an end still counts; the end of the
// last line does not start another.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SplitLines(const std::string& text);
