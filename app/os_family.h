#pragma once

#include "platform/platform.h"

#include <string>

// "W95", "NT", "Vista" or "Failed", from what GetVersionExA reports.
std::string GetOSFamily(OsInfo& os);
