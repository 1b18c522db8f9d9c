// Work done in a forked child process: under a file-size limit, without
// root's power over permissions, or in a folder made its root.
#pragma once

#include <functional>
#include <string>

namespace testsupport {

// The exit code a child gives when it could not drop root's privileges or
// change its root folder.
constexpr int kChildSetupFailed = 125;

// Runs `body` in a forked child and answers the code it returns, or -1 when
// the child ended by a signal. With `asNobody`, a child running as root
// first becomes the user nobody.
int RunInChild(const std::function<int()>& body, bool asNobody = false);

// A shell command's standard output and exit code (-1 when it ended by a
// signal).
struct CommandResult {
    int exitCode = -1;
    std::string output;
};
CommandResult RunCommand(const std::string& shellCommand);

}  // namespace testsupport
