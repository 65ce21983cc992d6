#include "waits.h"

#include "common/results.h"
#include "process_stats.h"
#include "tests/e2e/driver.h"
#include "ui/control_ids.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const std::string kFolder = "C:\\bench\\folder";
const std::string kAddLetter = "M:";
// Clear of the letters wine-prefix.sh gives fixture drives in bench/run.sh.
const std::vector<std::string> kRestoreLetters{"E:", "G:", "H:", "J:", "K:"};

struct Cost {
    double cpu = -1; // negative: the operation did not complete
    double wall = 0;
};

bool HasAll(const std::vector<std::string>& items, const std::vector<std::string>& wanted) {
    return std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) {
        return std::find(items.begin(), items.end(), w) != items.end();
    });
}

bool HasNone(const std::vector<std::string>& items, const std::vector<std::string>& wanted) {
    return std::none_of(wanted.begin(), wanted.end(), [&](const std::string& w) {
        return std::find(items.begin(), items.end(), w) != items.end();
    });
}

// Returns once the window's thread takes messages again, i.e. the handler
// that was running has returned.
bool HandlerDone(const MapwellProcess& app) {
    DWORD_PTR ignored;
    return SendMessageTimeoutA(app.main(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored) != 0;
}

bool StartReady(MapwellProcess& app) {
    return app.Start() && app.WaitForMainWindow() &&
           WaitUntil([&] { return app.FocusedId() == ids::lstAvail; });
}

Cost Failed(const char* what, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", what, why.c_str());
    return {};
}

Cost OneAdd() {
    ReleaseStandInMappings();
    MapwellProcess app;
    if (!StartReady(app)) return Failed("add", "Mapwell did not start");
    if (!app.OpenFolder(kFolder) || !app.SelectListItem(ids::lstAvail, kAddLetter))
        return Failed("add", "could not choose the folder and letter");
    std::optional<double> cpu0 = CpuSeconds(app.pid());
    double t0 = Now();
    app.Click(ids::cmdOk);
    std::string text = app.Answer("Done!", IDOK);
    bool done = HandlerDone(app);
    double t1 = Now();
    std::optional<double> cpu1 = CpuSeconds(app.pid());
    if (text != "Operation Completed!" || !done || !cpu0 || !cpu1)
        return Failed("add", "no \"Operation Completed!\" (got " + text + ")");
    std::vector<std::string> drives = DriveLetters();
    if (std::find(drives.begin(), drives.end(), kAddLetter) == drives.end())
        return Failed("add", kAddLetter + " was not mapped");
    return {*cpu1 - *cpu0, t1 - t0};
}

Cost OneRestore() {
    ReleaseStandInMappings();
    for (const std::string& l : kRestoreLetters)
        if (RunAndWait("subst.exe " + l + " " + kFolder) != 0)
            return Failed("restore", "subst.exe " + l + " failed");
    MapwellProcess app;
    if (!StartReady(app)) return Failed("restore", "Mapwell did not start");
    if (!HasNone(app.ListItems(ids::lstAvail), kRestoreLetters))
        return Failed("restore", "the mapped letters are listed as free");
    std::optional<double> cpu0 = CpuSeconds(app.pid());
    double t0 = Now();
    app.MenuCommand(ids::mnuRepair);
    std::string text = app.Answer("Restore MWL", IDOK);
    bool back =
        WaitUntil([&] { return HasAll(app.ListItems(ids::lstAvail), kRestoreLetters); }, 60);
    bool done = HandlerDone(app);
    double t1 = Now();
    std::optional<double> cpu1 = CpuSeconds(app.pid());
    if (text == "<none>" || !back || !done || !cpu0 || !cpu1)
        return Failed("restore", "the letters did not come back");
    return {*cpu1 - *cpu0, t1 - t0};
}

void Print(const std::string& name, const std::vector<Cost>& costs) {
    std::vector<double> cpu, wall;
    for (const Cost& c : costs) {
        if (c.cpu < 0) continue;
        cpu.push_back(c.cpu);
        wall.push_back(c.wall);
    }
    PrintResult("cpu." + name, Summarize(cpu));
    PrintResult("wall." + name, Summarize(wall));
    PrintResult("failures." + name, std::to_string(costs.size() - cpu.size()));
}

} // namespace

void MeasureWaits(int runs) {
    CreateDirectoryA("C:\\bench", nullptr);
    CreateDirectoryA(kFolder.c_str(), nullptr);
    std::vector<Cost> adds, restores;
    for (int i = 0; i < runs; ++i) adds.push_back(OneAdd());
    for (int i = 0; i < runs; ++i) restores.push_back(OneRestore());
    ReleaseStandInMappings();
    Print("add", adds);
    Print("restore", restores);
}
