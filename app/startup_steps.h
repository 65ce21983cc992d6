// The steps of start-up, named for the bench's timed build of Mapwell
// (bench/steps/). A StartupStep charges the time from its start to the next
// step that starts, and when it ends the time goes back to the step it
// interrupted, so every moment from the entry on belongs to exactly one
// step. Mapwell.exe is built without MAPWELL_STEP_TIMES: there a
// step is an empty object and costs nothing.
#pragma once

#ifdef MAPWELL_STEP_TIMES
class StartupStep {
public:
    explicit StartupStep(const char* name);
    ~StartupStep();
    StartupStep(const StartupStep&) = delete;
    StartupStep& operator=(const StartupStep&) = delete;

private:
    const char* outer_;
};
#else
// Unused by design: the object only names the code it stands in.
class [[maybe_unused]] StartupStep {
public:
    explicit constexpr StartupStep(const char*) {}
};
#endif
