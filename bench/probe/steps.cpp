#include "steps.h"

#include "common/results.h"
#include "process_stats.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

StepLogReader::StepLogReader() {
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(StepLog),
                                  kStepLogName);
    if (mapping_)
        log_ =
            static_cast<StepLog*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(StepLog)));
}

StepLogReader::~StepLogReader() {
    if (log_) UnmapViewOfFile(log_);
    if (mapping_) CloseHandle(mapping_);
}

void StepLogReader::Clear() {
    if (log_) log_->count = 0;
}

StepTimes StepLogReader::Times(double start, double end) const {
    StepTimes times;
    if (!log_) return times;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double tick = 1.0 / static_cast<double>(frequency.QuadPart);
    auto charge = [&](const std::string& name, double seconds) {
        auto at = std::find_if(times.begin(), times.end(),
                               [&](const auto& t) { return t.first == name; });
        if (at == times.end())
            times.emplace_back(name, seconds);
        else
            at->second += seconds;
    };
    const long count = std::min<long>(static_cast<long>(log_->count), kMaxStepRecords);
    double from = start;
    std::string name = "load";
    for (long i = 0; i < count; ++i) {
        const StepRecord& r = log_->records[i];
        double at = static_cast<double>(r.ticks) * tick;
        charge(name, at - from);
        from = at;
        name.assign(r.name, strnlen(r.name, sizeof(r.name)));
    }
    charge(name, end - from);
    return times;
}

void StepLogReader::PrintRecords(double start) const {
    if (!log_) return;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const long count = std::min<long>(static_cast<long>(log_->count), kMaxStepRecords);
    for (long i = 0; i < count; ++i) {
        const StepRecord& r = log_->records[i];
        double at = static_cast<double>(r.ticks) / static_cast<double>(frequency.QuadPart);
        std::printf("%9.3f ms  %.*s\n", (at - start) * 1000, static_cast<int>(sizeof(r.name)),
                    r.name);
    }
    std::fflush(stdout);
}

int PrintOneStart(const std::string& exe, double afterIdle) {
    StepLogReader log;
    log.Clear();
    std::string line = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    double start = Now();
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &si,
                        &pi)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        return 1;
    }
    bool idle = WaitForInputIdle(pi.hProcess, 20000) == 0;
    double idleAt = Now();
    // What the program does right after it first waits for input is part of the picture.
    while (Now() < idleAt + afterIdle && WaitForSingleObject(pi.hProcess, 10) == WAIT_TIMEOUT) {
    }
    log.PrintRecords(start);
    std::printf("%9.3f ms  (the probe saw it wait for input%s)\n", (idleAt - start) * 1000,
                idle ? "" : ": timed out");
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return 0;
}

void StepSeries::Add(const StepTimes& times) {
    for (const auto& [name, seconds] : times) {
        auto at = std::find(names_.begin(), names_.end(), name);
        if (at == names_.end()) {
            names_.push_back(name);
            seconds_.emplace_back();
            at = names_.end() - 1;
        }
        seconds_[static_cast<size_t>(at - names_.begin())].push_back(seconds);
    }
}

void StepSeries::Print(const std::string& key) const {
    for (size_t i = 0; i < names_.size(); ++i) {
        Spread s = Summarize(seconds_[i]);
        std::printf("RESULT step.%s.%zu %.6g %.6g %.6g %zu %s\n", key.c_str(), i, s.median, s.min,
                    s.max, s.count, names_[i].c_str());
    }
    std::fflush(stdout);
}
