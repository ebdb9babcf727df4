// A screen reader's walk of a grid from another process: the window given
// on the command line, its tree written one part a line to the file given.
#include <cstdio>
#include <cstdlib>

#include "tests/support/access_walk.h"
#include "tests/support/crash_filter.h"

int main(int argc, char** argv) {
    testing_host::InstallCrashFilter();
    if (argc < 3 || FAILED(CoInitialize(nullptr))) return 2;
    HWND grid = reinterpret_cast<HWND>(static_cast<INT_PTR>(_strtoi64(argv[1], nullptr, 10)));
    FILE* out = fopen(argv[2], "w");
    if (!out) return 2;
    const auto parts = testing_host::WalkWindow(grid);
    for (const auto& part : parts) fprintf(out, "%s\n", part.Line().c_str());
    fclose(out);
    CoUninitialize();
    return parts.empty() ? 1 : 0;
}
