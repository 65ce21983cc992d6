// The driver's side of the inspector (inspector/inspector.cpp): hooks the DLL
// into a running Mapwell's UI thread and asks it queries there.
#pragma once

#include "driver.h"
#include "inspector/protocol.h"
#include "platform/win32/handles.h"

#include <string>

class Inspector {
public:
    Inspector() = default;
    Inspector(const Inspector&) = delete;
    Inspector& operator=(const Inspector&) = delete;
    ~Inspector();
    // Hooks mapwell_inspector.dll (beside the driver) into the app's UI thread.
    bool Attach(const MapwellProcess& app);
    // One query ("tip", "version"...); "<no answer>" when none came in time.
    std::string Ask(const std::string& request, double seconds = 5);

private:
    UniqueKernel mapping_;
    inspector::Shared* shared_ = nullptr;
    UniqueModule dll_;
    HHOOK hook_ = nullptr;
    HWND main_ = nullptr;
    LONG serial_ = 0;
};
