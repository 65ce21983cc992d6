// Records each start-up step in the probe's step log (see step_log.h). Only
// the bench's timed builds link this; Mapwell.exe has no steps to record.
#include "app/startup_steps.h"
#include "steps/step_log.h"

#include <windows.h>

#include <cstring>

namespace {

const char* current = "(none)";

StepLog* Log() {
    // Opened once, after the first step's time is taken: the look-up is
    // charged to that step.
    static StepLog* log = [] {
        HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kStepLogName);
        return mapping ? static_cast<StepLog*>(
                             MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(StepLog)))
                       : nullptr;
    }();
    return log;
}

void Enter(const char* name) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    current = name;
    StepLog* log = Log();
    if (!log || log->count >= kMaxStepRecords) return;
    StepRecord& r = log->records[log->count];
    r.ticks = now.QuadPart;
    std::strncpy(r.name, name, sizeof(r.name) - 1);
    r.name[sizeof(r.name) - 1] = '\0';
    // Written before it is counted, so the probe never reads half a record.
    MemoryBarrier();
    log->count = log->count + 1;
}

} // namespace

StartupStep::StartupStep(const char* name) : outer_(current) {
    Enter(name);
}

StartupStep::~StartupStep() {
    Enter(outer_);
}
