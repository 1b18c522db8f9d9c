#include "support/PrivateDesktop.h"

#include <cstdlib>
#include <filesystem>

namespace testsupport {

namespace {

std::string& Home() {
    static std::string home;
    return home;
}

}  // namespace

const std::string& PrivateHome() {
    return Home();
}

void UsePrivateDesktop(const std::string& home) {
    Home() = home;
    std::filesystem::create_directories(home + "/.local/share/applications");
    std::filesystem::create_directories(home + "/.config");
    std::filesystem::create_directories(home + "/.cache");
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
    ::setenv("GIO_USE_VFS", "local", 1);
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ::unsetenv("XDG_CURRENT_DESKTOP");
}

}  // namespace testsupport
