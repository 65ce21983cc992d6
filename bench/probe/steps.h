// The start-up steps a timed build reports (bench/steps/), read back by the
// probe after each start and summed up over the runs.
#pragma once

#include "steps/step_log.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Seconds per step of one start, in the order the steps first came.
using StepTimes = std::vector<std::pair<std::string, double>>;

class StepLogReader {
public:
    StepLogReader();
    ~StepLogReader();
    StepLogReader(const StepLogReader&) = delete;
    StepLogReader& operator=(const StepLogReader&) = delete;

    // Before each start: the log is empty.
    void Clear();
    // The steps of the last start, by name: "load" from `start` (seconds on
    // the performance counter, as Now()) to the program's first step, then
    // each step until the next one began, the last one until `end`.
    StepTimes Times(double start, double end) const;
    // Each step of the last start as it came: milliseconds since `start`, name.
    void PrintRecords(double start) const;

private:
    HANDLE mapping_ = nullptr;
    StepLog* log_ = nullptr;
};

// The times of many starts of one program: per step the median, least and
// most, printed as
//   RESULT step.KEY.N <median> <min> <max> <count> <step name>
// for N = 0, 1, … in the steps' order.
class StepSeries {
public:
    void Add(const StepTimes& times);
    void Print(const std::string& key) const;

private:
    std::vector<std::string> names_;
    std::vector<std::vector<double>> seconds_;
};

// Starts a timed build once and prints its steps as they came, up to
// `afterIdle` seconds past the moment it first waited for input: how one
// start went, for a closer look than the medians give.
//   mapwell_probe steps EXE [SECONDS]
int PrintOneStart(const std::string& exe, double afterIdle);
