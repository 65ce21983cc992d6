// Tests read back the exact command lines the program under test launched: when
// SUBST_STANDIN_LOG names a file, each run appends GetCommandLineW() verbatim, as UTF-8, plus
// CR LF.
// The line starts with the program part exactly as the launcher wrote it (quoted or not,
// with or without a path), since that is part of what the launcher chose.
#pragma once

namespace bench {

// Never throws: a log that cannot be written is reported on stderr and the command still runs,
// so the missing line is what a test notices.
void LogCommandLine();

} // namespace bench
