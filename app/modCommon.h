// Start-up: the single-instance rule, the command-line file, the application
// folder and the state the whole application shares.
#pragma once

#include <memory>
#include <string>

#include "filecontrol/clsFileControl.h"

class QTranslator;

namespace app {

// The application folder, used as the current folder for every engine call.
extern std::string strAppPath;
// The command-line text, trimmed and without double quotes.
extern std::string strCmdFile;
// Set by the window's load handler when strCmdFile names an existing file.
extern bool F_AutoRun;
// The file utility object of the last recognition run.
extern std::unique_ptr<filecontrol::clsFileControl> objFileControl;

// The whole argument text of a command line: the arguments joined by blanks.
std::string CommandLineText(int argc, char** argv);

// The command-line text trimmed, then every double quote removed.
std::string CleanCommandLine(const std::string& text);

// `path` made absolute against the current folder, as it is when the program
// starts: every recognition run makes the application folder current, so a
// relative command-line path would name another file by then.
std::string AbsoluteFromStart(const std::string& path);

// Loads the Korean translation of Qt's own dialogs and menus into
// `translator` and installs it; false where it is not installed.
bool LoadQtTranslation(QTranslator& translator);

// True when `path` names an existing file (not a folder).
bool F_Find_File(const std::string& path);

// Holds the per-user instance lock for the life of the process; false when
// another instance holds it.
bool AcquireSingleInstance();

// The process: refuses a second instance, prepares the shared state and runs
// the main window. Answers the exit code.
int Main(int argc, char** argv);

}  // namespace app
