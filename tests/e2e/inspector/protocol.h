// What the driver and the inspector DLL share. The driver creates the mapping
// named for Mapwell's process, writes a request line, and posts kQueryMessage
// with a new serial to Mapwell's main window; the inspector, running on
// Mapwell's UI thread, writes the answer and then the serial it answered.
#pragma once

#include <windows.h>

#include <string>

namespace inspector {

inline constexpr const char* kQueryMessage = "MapwellInspector.Query";
inline constexpr const char* kHookExport = "InspectorGetMessageHook";

struct Shared {
    volatile LONG answered; // serial of the last request answered
    char request[1024];     // "VERB ARGS..."
    char answer[60000];     // lines; "error: ..." for a request it cannot answer
};

inline std::string MappingName(DWORD pid) {
    return "MapwellInspector." + std::to_string(pid);
}

} // namespace inspector
