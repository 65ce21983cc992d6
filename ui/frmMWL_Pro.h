// The main window's logic: the program's state and every handler, as the
// window's events reach them. It sees the machine only through Platform and
// the window only through MainWindow, so the native tests drive it on a
// simulated machine exactly as the Win32 window drives it on a real one.
//
// The handlers are defined in the folder of the subsystem they belong to:
// start-up in app/, the letter lists in drives/, folder selection in
// folders/, subst runs in subst/, permanent drives in permanent/, help in help/.
#pragma once

#include "drives/remembered_drives.h"
#include "folders/dir_list.h"
#include "folders/drive_list.h"
#include "permanent/state_file.h"
#include "platform/platform.h"
#include "platform/rt_error.h"
#include "ui/main_window.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr const char* kAppTitle = "Mapwell";
constexpr const char* kHelpFile = "mwl.chm";
constexpr const char* kStateFileName = "himem32.mwl";

class frmMWL_Pro {
public:
    frmMWL_Pro(Platform& platform, MainWindow& window);

    // --- start-up and exit (app/) ---
    // The start-up sequence. False when the program is to end without
    // showing the window.
    bool Form_Load();
    void Form_Activate();
    void cmdCancel_Click();
    void mnuFileExit_Click();

    // --- errors (ui/) ---
    void ShowErrorMessage(uint8_t code);

    // --- letter lists (drives/) ---
    void RefreshLetterLists();
    bool ScanDriveLetters(const std::string& letter);
    bool IsNetworkPath();
    void lstAvail_Click();
    void lstAvail_DblClick();
    void lstUsedLtrs_Click();
    void lstUsedLtrs_DblClick();

    // --- subst runs (subst/) ---
    void cmdOk_Click();
    void RunSubst();
    // Returns once more than `seconds` have passed; dispatches no messages.
    void Pause(double seconds);
    // The one wait every command uses: until more than `seconds` have passed
    // or `done` (when given) is true, dispatching no messages; then the
    // keyboard and mouse input given meanwhile is thrown away.
    void Wait(double seconds, const std::function<bool()>& done);

    void cmdRemove_Click();
    void mnuView_Click();
    void mnuRepair_Click();

    // --- permanent drives (permanent/) ---
    void cmdDefault_Click();
    // The user's Startup folder; "" when it cannot be found.
    std::string GetStartupFolder();
    // False, after error 1, when the batch file has a line for Ltr.
    bool CanAddPermanentEntry(const std::string& batchFile);
    void RemovePermanentEntry();

    // --- help and About (help/, ui/) ---
    void ShowHelpTopic(uint32_t contextId);
    void mnuAbout_Click();

    // --- folder selection (folders/) ---
    void DrvList_Change();
    void dirList_Change();
    void dirList_KeyPress(int keyAscii);
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void dirList_MouseDown(int button, int shift, int x, int y);
    // What the controls report: a line of the folder list highlighted or
    // double-clicked, a line of the drive list picked.
    void dirList_Click(int line);
    void dirList_DblClick(int line);
    void DrvList_Select(int line);

    // --- program state ---
    std::string Ltr;
    std::string Path;
    uint8_t redo = 0;
    std::string sPath;
    bool Hidden = false;
    std::string SubFolder;
    // The typed hidden folder's full path, which the folder list goes back to
    // while Hidden is True; Path is a working string other commands overwrite.
    std::string HiddenFolder;
    std::string Hold;
    std::string OSFamily;
    std::string Quote; // the double-quote character, set at start-up
    std::string StateFilePath;
    StateImage StateRecord;
    int32_t WorkingMask = 0;
    // False while the stored mask has been neither read nor written: the
    // state file could not be read at start-up. WorkingMask then says
    // nothing about which letters are permanent.
    bool PermanentKnown = false;
    bool MakingPermanent = false;
    std::array<char, 11> CDLtrs{};
    uint8_t CDCount = 0;

    DirList& dirList() { return dirList_; }
    DriveList& DrvList() { return drvList_; }

private:
    // Runs one start-up step under its error rule: a file-system failure
    // skips the step, any other is tried again, a few times at most.
    template <class Step> void RunStartupStep(Step step);
    // The "Error Number:" box of an unexpected failure while classifying.
    void ReportClassifyFailure(int number);
    // Captures subst.exe's listing into "temp" in the data folder, which it
    // makes the current folder; returns the system directory it used.
    std::string CaptureListing();
    // The capture's lines; false (and none) when it cannot be read.
    bool ReadCapture(std::vector<std::string>& lines);
    // Restore's edit of the batch file: every letter's line goes, the
    // user's own lines stay; a file with nothing else left goes whole.
    void DropEveryLettersLines(const std::string& batch, const std::string& content);
    // False only when the state file, read anew, marks no letter.
    bool MayHavePermanentDrives();
    // True when a failure with `number` means the file is not there.
    bool IsAbsent(const std::string& path, int number);
    // True when a disk or a share, not a virtual drive, holds the letter.
    bool HeldByADrive(char letter);
    // The folder a virtual drive at the letter shows when it is not `folder`;
    // "" when it shows that folder, or is no virtual drive.
    std::string ShowsAnotherFolder(char letter, const std::string& folder);
    // An existing file that is neither hidden nor system.
    bool IsOrdinaryFile(const std::string& path);
    // Drops Ltr's lines from folder\name; false, after telling the user,
    // when the file could not be changed.
    // A batch file as it was before a command changed it (nothing: absent).
    struct BatchEdit {
        std::string file;
        std::optional<std::string> before;
    };
    bool DropFromBatchFile(const std::string& folder, const std::string& name,
                           bool deleteWhenEmptied, std::vector<BatchEdit>& edits);
    // The lock that each edit of the state file and the batch files holds for
    // its span, waited for a little; null, after telling the user that
    // `outcome`, when another window keeps it. Throws RtError when the state
    // file cannot be opened.
    std::unique_ptr<FileLock> HoldPermanentFiles(const std::string& outcome);
    // Puts the files back as they were; false when one could not be.
    bool UndoBatchEdits(const std::vector<BatchEdit>& edits);
    // Replaces a file whole with `content` through a new work file beside it;
    // throws WorkFilesTaken when every name the work file may take is taken.
    void ReplaceWhole(const std::string& file, const std::string& content);
    struct WorkFilesTaken : RtError {
        explicit WorkFilesTaken(std::string in);
        std::string folder;
    };
    // What the user is told of a failure: the run-time error's description,
    // or what Mapwell itself ran into.
    std::string Describe(const RtError& e) const;
    void RemoveQuietly(const std::string& path);
    // A file's bytes; nothing when it does not exist.
    std::optional<std::string> ReadIfPresent(const std::string& path);
    void ReportPermanentFailure(int number, const std::string& more);
    // The Load sequence on its own: record 2 into StateRecord and
    // WorkingMask. Throws RtError when the state file cannot be read.
    void LoadPermanentMask();
    // "The state file ... could not be read: ..." for error `number`.
    std::string UnreadableStateText(int number) const;
    // "could not be `what`" ("read", "changed") and why; the letter stays permanent.
    void ReportBatchFailure(const std::string& batch, const RtError& e, const char* what);
    // The folder as the subst command line and the batch line carry it.
    std::string SubstArgument(const std::string& folder) const;
    // The folder look-up of a subst run: a drive root is found when it can be
    // reached, any other folder when the directory function lists it; false
    // on a drive that has gone or is not ready. Throws RtError when the
    // folder above cannot be read to its end.
    bool FolderExists(const std::string& folder, uint32_t mask);
    // A folder that could not be opened from the lists.
    void ReportFolderFailure(const std::string& folder, int number);
    // Reads the drives anew; when the shown drive has gone, the folder list
    // follows the drive list to the drive it moved to.
    void RefreshDriveList();

    Platform& pf_;
    MainWindow& w_;
    // The letters' kinds, kept while start-up looks at the drives (Form_Load).
    RememberedDrives drives_;
    DirList dirList_;
    DriveList drvList_;
    // The state file while start-up holds it open; null at any other time.
    std::unique_ptr<RandomFile> file1_;
};
