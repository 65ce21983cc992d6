// The shared memory through which a timed build reports its start-up steps
// to the probe that started it: a list of (performance-counter ticks, step
// name), each the moment that step began. The probe creates and clears it
// before each start; a timed program that finds none records nothing.
#pragma once

#include <cstdint>

constexpr const wchar_t* kStepLogName = L"Local\\MapwellBenchStartupSteps";
constexpr int kMaxStepRecords = 1024;

struct StepRecord {
    int64_t ticks;
    char name[32];
};

struct StepLog {
    volatile long count;
    StepRecord records[kMaxStepRecords];
};
