// The logic on the simulated machine, on the host: one full letter scan, and
// the two passes over the startup batch file (the duplicate check of Make
// Permanent and the removal of a letter's lines) at growing file sizes, to
// see that their cost per line stays flat.
//
// Besides Google Benchmark's own table it prints RESULT lines (see
// bench/common/results.h) for bench/run.sh.
#include "common/results.h"
#include "permanent/batch_file.h"
#include "platform/sim/sim_machine.h"
#include "ui/frmMWL_Pro.h"
#include "ui/sim/sim_window.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kRepetitions = 9;
constexpr double kMinSeconds = 0.05;
// The letter the batch lines are checked for: on no line, so the check reads
// the whole file, as it does for every letter not yet permanent.
constexpr char kAbsentLetter = 'Q';
// The letter whose lines are dropped: on one line in 25.
constexpr char kDroppedLetter = 'E';

// The lines Make Permanent writes, for every letter but kAbsentLetter in turn.
std::string BatchFile(int lines) {
    std::string text;
    const std::string letters = "ABCDEFGHIJKLMNOPRSTUVWXYZ";
    for (int i = 0; i < lines; ++i)
        text += BatchLine(std::string(1, letters[i % letters.size()]),
                          "\"C:\\Users\\me\\Documents\\Project " + std::to_string(i) + "\"") +
                "\r\n";
    return text;
}

struct SimApp {
    SimMachine m;
    SimWindow w;
    frmMWL_Pro f{m.platform(), w};
};

void BM_RefreshLetterLists(benchmark::State& state) {
    SimApp app;
    app.m.AddDrive('D', DriveKind::CdRom, false);
    app.m.AddDrive('F', DriveKind::Fixed, true, "Data");
    app.m.AddDrive('N', DriveKind::Network, true, "\\\\server\\share");
    app.m.AddDrive('R', DriveKind::CdRom, true, "Disc");
    app.m.AddDrive('Z', DriveKind::Fixed, true, "Root");
    for (auto _ : state) app.f.RefreshLetterLists();
    if (app.w.used.items.size() != 6) state.SkipWithError("the used list is not C D F n R Z");
}

void BM_CanAddPermanentEntry(benchmark::State& state) {
    SimApp app;
    const int lines = static_cast<int>(state.range(0));
    const std::string batch = app.m.startup + "\\subit.bat";
    app.m.AddFile(batch, BatchFile(lines));
    app.f.OSFamily = "NT";
    app.f.Ltr = std::string(1, kAbsentLetter);
    bool free = true;
    for (auto _ : state) free = app.f.CanAddPermanentEntry(batch) && free;
    if (!free) state.SkipWithError("the letter was found in the batch file");
    state.counters["lines"] = lines;
}

void BM_DropLetterLines(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const std::string content = BatchFile(lines);
    size_t kept = 0;
    for (auto _ : state) {
        FilteredBatch out = DropLetterLines(content, kDroppedLetter);
        kept = out.lines - out.dropped;
        benchmark::DoNotOptimize(out.text.data());
    }
    if (kept + (lines + 20) / 25 != static_cast<size_t>(lines))
        state.SkipWithError("not one line in 25 was dropped");
    state.counters["lines"] = lines;
}

double Min(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}
double Max(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

void Configure(benchmark::internal::Benchmark* b) {
    b->Repetitions(kRepetitions)
        ->MinTime(kMinSeconds)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", Min)
        ->ComputeStatistics("max", Max);
}

// Keeps the median, min and max of each benchmark's time per run (divided by
// its "lines" counter when it has one) while the console shows the usual table.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    struct Entry {
        std::map<std::string, double> stats; // aggregate name -> nanoseconds
    };
    std::map<std::string, Entry> entries;

    // Plain text: the table goes to a log, and escape codes would stick to
    // the RESULT lines after it.
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Aggregate || r.error_occurred) continue;
            double ns =
                r.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(r.time_unit);
            auto lines = r.counters.find("lines");
            if (lines != r.counters.end() && lines->second.value > 0) ns /= lines->second.value;
            // Keyed "BM_x/10": the full name also carries the run settings.
            std::string name = r.run_name.function_name;
            if (!r.run_name.args.empty()) name += "/" + r.run_name.args;
            entries[name].stats[r.aggregate_name] = ns;
        }
    }

    void Print(const std::string& key, const std::string& name) const {
        auto e = entries.find(name);
        if (e == entries.end() || !e->second.stats.count("median")) {
            PrintResult(key, std::string("n/a"));
            return;
        }
        const auto& s = e->second.stats;
        PrintResult(key, Spread{s.at("median"), s.at("min"), s.at("max"), kRepetitions});
    }

    void PrintGrowth(const std::string& key, const std::string& base) const {
        auto small = entries.find(base + "/10"), large = entries.find(base + "/10000");
        if (small == entries.end() || large == entries.end()) {
            PrintResult(key, std::string("n/a"));
            return;
        }
        char ratio[32];
        std::snprintf(ratio, sizeof(ratio), "%.3g",
                      large->second.stats.at("median") / small->second.stats.at("median"));
        PrintResult(key, std::string(ratio));
    }
};

} // namespace

BENCHMARK(BM_RefreshLetterLists)->Apply(Configure);
BENCHMARK(BM_CanAddPermanentEntry)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Apply(Configure);
BENCHMARK(BM_DropLetterLines)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Apply(Configure);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    reporter.Print("native.refresh_ns", "BM_RefreshLetterLists");
    for (const char* n : {"10", "100", "1000", "10000"}) {
        reporter.Print(std::string("native.canadd_ns_per_line.") + n,
                       std::string("BM_CanAddPermanentEntry/") + n);
        reporter.Print(std::string("native.drop_ns_per_line.") + n,
                       std::string("BM_DropLetterLines/") + n);
    }
    reporter.PrintGrowth("native.canadd_growth", "BM_CanAddPermanentEntry");
    reporter.PrintGrowth("native.drop_growth", "BM_DropLetterLines");
    return 0;
}
