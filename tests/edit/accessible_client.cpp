// A screen reader's walk of a grid from another process: the window given
// on the command line, its tree written one part a line to the file given.
#include "tests/support/access_walk.h"
#include "tests/support/crash_filter.h"

int main(int argc, char** argv) {
    testing_host::InstallCrashFilter();
    FILE* out = argc == 3 && SUCCEEDED(CoInitialize(nullptr)) ? fopen(argv[2], "w") : nullptr;
    if (!out) return 2;
    const auto parts = testing_host::WalkWindow(reinterpret_cast<HWND>(_strtoi64(argv[1], nullptr, 10)));
    for (const auto& part : parts) fprintf(out, "%s\n", part.Line().c_str());
    fclose(out);
    return parts.empty() ? 1 : 0;
}
