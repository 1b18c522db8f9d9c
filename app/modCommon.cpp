#include "app/modCommon.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "app/QtUserInterface.h"
#include "app/frmMain.h"
#include "filecontrol/VbString.h"
#include "platform/attributes.h"
#include "platform/codepage.h"
#include "platform/process.h"
#include "platform/ui.h"

namespace app {

std::string strAppPath;
std::string strCmdFile;
bool F_AutoRun = false;
std::unique_ptr<filecontrol::clsFileControl> objFileControl;

std::string CommandLineText(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += platform::FromAnsi(argv[i]);
    }
    return text;
}

std::string CleanCommandLine(const std::string& text) {
    std::string cleaned = filecontrol::vb::Trim(text);
    std::erase(cleaned, '"');
    return cleaned;
}

std::string AbsoluteFromStart(const std::string& path) {
    if (path.empty() || path.front() == platform::kPathSeparator) {
        return path;
    }
    return platform::FromAnsi(platform::GetCurrentDirectoryA()) + platform::kPathSeparator + path;
}

bool LoadQtTranslation(QTranslator& translator) {
    if (!translator.load(QLocale(QLocale::Korean), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(&translator);
    return true;
}

bool F_Find_File(const std::string& path) {
    try {
        if (path.empty()) {
            return false;
        }
        const std::string ansiPath = platform::ToAnsi(path);
        const platform::DWORD attributes = platform::GetFileAttributesA(ansiPath);
        if (attributes == platform::INVALID_FILE_ATTRIBUTES ||
            (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return false;
        }
        // A link counts only when what it points to is there.
        platform::FileIdentity target;
        return (attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT) == 0 ||
               platform::GetFileIdentity(ansiPath, target);
    } catch (const std::exception& e) {
        platform::MsgBox(e.what(), platform::vbExclamation, std::string("F_Find_File"));
        return false;
    }
}

bool AcquireSingleInstance() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
    const std::string lockFile =
        folder + "/fulltextrecognition-" + std::to_string(::getuid()) + ".lock";
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return true;  // no lock can be had, so none is held by another either
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    return true;  // the descriptor stays open, holding the lock, until the process ends
}

int Main(int argc, char** argv) {
    // The windowing toolkit comes first and goes last, so that every box of
    // the start, the refused second start and the trap below included, is a
    // real one.
    QApplication application(argc, argv);
    QTranslator qtTranslation;
    LoadQtTranslation(qtTranslation);
    QtUserInterface ui;
    try {
        if (!AcquireSingleInstance()) {
            platform::MsgBox("프로그램이 이미 실행 중 입니다.",
                             platform::vbOKOnly | platform::vbInformation, std::string("알림"));
            return 0;
        }
        strCmdFile = AbsoluteFromStart(CleanCommandLine(CommandLineText(argc, argv)));
        strAppPath = platform::ApplicationFolder();
        frmMain window;
        window.Load();
        window.show();
        return application.exec();
    } catch (const std::exception& e) {
        platform::MsgBox(e.what(), platform::vbExclamation, std::string("main"));
        return 1;
    }
}

}  // namespace app
