#include "support/Child.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace testsupport {

int RunInChild(const std::function<int()>& body, bool asNobody) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (asNobody && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(kChildSetupFailed);
        }
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

CommandResult RunCommand(const std::string& shellCommand) {
    CommandResult result;
    FILE* pipe = ::popen(shellCommand.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        result.output.append(chunk, n);
    }
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace testsupport
