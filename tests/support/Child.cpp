#include "support/Child.h"

#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace testsupport
