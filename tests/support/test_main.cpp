// Test programs link the library's code directly; this stands in for the
// DLL's process attach and detach.
#include <gtest/gtest.h>

#include <cstring>

#include "control/library_entry.h"
#include "grid/library.h"
#include "tests/support/gtest_crash.h"

int main(int argc, char** argv) {
    testing_host::InstallTestCrashFilter();
    // The crash-filter test runs its own program with this to see it fail.
    if (argc > 1 && strcmp(argv[1], "--crash") == 0) *static_cast<volatile int*>(nullptr) = 1;
    testing::InitGoogleTest(&argc, argv);
    if (!tabrix::LibraryAttach(GetModuleHandleA(nullptr))) {
        fprintf(stderr, "the grid window class could not be registered\n");
        return 2;
    }
    int result = RUN_ALL_TESTS();
    tabrix::LibraryDetach();
    return result;
}
