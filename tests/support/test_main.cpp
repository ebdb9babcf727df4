// Test programs link the library's code directly; this stands in for the
// DLL's process attach and detach.
#include <gtest/gtest.h>

#include "grid/library.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!tabrix::LibraryAttach(GetModuleHandleA(nullptr))) {
        fprintf(stderr, "the grid window class could not be registered\n");
        return 2;
    }
    int result = RUN_ALL_TESTS();
    tabrix::LibraryDetach();
    return result;
}
