// A private home for the tests of the desktop's services: HOME and the XDG
// folders point into a fresh folder before anything reads them, so no test
// touches the real user's trash, settings or applications, and no session
// bus is reached.
#pragma once

#include <string>

namespace testsupport {

// The private home; set up by the test program's main before the tests run.
const std::string& PrivateHome();

// Makes `home` the private home of this process. Call first thing in main.
void UsePrivateDesktop(const std::string& home);

}  // namespace testsupport
