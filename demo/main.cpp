// Tabrix demo: a small data-entry program for a database table.
//
//   tabrix_demo [--connect "ODBC connection string"] [--sql "SELECT ..."]
//               [--table NAME] [--database FILE.db] [--screenshot FILE.png]
//               [--script FILE]   (the end-to-end test's hook: script_player.h)
//
// Without --connect it opens (and on first run makes) demo.db beside the
// program, a SQLite file, through the SQLite ODBC driver.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>

#include "demo/main_window.h"

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

bool ParseOptions(int argc, char** argv, demo::Options* options) {
    options->database = ProgramFolder() + "demo.db";
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        std::string* target = nullptr;
        if (strcmp(argv[i], "--connect") == 0) target = &options->connection;
        if (strcmp(argv[i], "--sql") == 0) target = &options->sql;
        if (strcmp(argv[i], "--table") == 0) target = &options->table;
        if (strcmp(argv[i], "--database") == 0) target = &options->database;
        if (strcmp(argv[i], "--screenshot") == 0) target = &options->screenshot;
        if (strcmp(argv[i], "--script") == 0) target = &options->script;
        if (!target || !hasValue) return false;
        *target = argv[++i];
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    demo::Options options;
    if (!ParseOptions(__argc, __argv, &options)) {
        const char* usage =
            "usage: tabrix_demo [--connect \"ODBC connection string\"] [--sql \"SELECT ...\"]\n"
            "                   [--table NAME] [--database FILE.db] [--screenshot FILE.png]\n"
            "                   [--script FILE]\n";
        fputs(usage, stderr);
        return 2;
    }
    // A single-threaded apartment on the window's thread lets screen
    // readers read the grid; without COM it answers as a plain window.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const int status = demo::RunMainWindow(options);
    if (com) CoUninitialize();
    return status;
}
