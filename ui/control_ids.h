// Fixed ids of the main window's controls and menu commands. Shared with the
// end-to-end driver, which finds controls and sends commands by these ids.
#pragma once

namespace ids {

constexpr int lstAvail = 1001;
constexpr int txtPath = 1002;
constexpr int DrvList = 1003;
constexpr int dirList = 1004;
constexpr int cmdOk = 1005;
constexpr int cmdDefault = 1006;
constexpr int cmdCancel = 2; // IDCANCEL: Esc in the window presses it
constexpr int cmdRemove = 1007;
constexpr int lstUsedLtrs = 1008;
constexpr int Label3 = 1009;
constexpr int Label1 = 1010;
constexpr int Label2 = 1011;

constexpr int mnuAbout = 2001;
constexpr int mnuRepair = 2002;
constexpr int mnuFileExit = 2003;
constexpr int mnuView = 2004;
constexpr int MnuHelpIntro = 2010;
constexpr int mnuHelpCreate = 2011;
constexpr int mnuHelpCD = 2012;
constexpr int mnuHelpKB = 2013;
constexpr int mnuHelpPerm = 2014;
constexpr int mnuHelpRemove = 2015;
constexpr int mnuHelpMisc = 2016;

// The main window's class name, so a driver can find it without relying on
// the caption alone.
constexpr const char* kMainWindowClass = "MapwellMainWindow";
constexpr const char* kMainCaption = "Mapwell - Pro";

} // namespace ids
