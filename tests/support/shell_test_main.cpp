// The shell tests run in a private home, made before GIO reads any folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/PrivateDesktop.h"
#include "support/TempDir.h"

int main(int argc, char** argv) {
    const testsupport::TempDir home;
    testsupport::UsePrivateDesktop(home.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
