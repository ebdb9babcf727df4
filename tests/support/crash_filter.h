// Under Wine an unhandled exception starts the crash debugger and hangs (or,
// with the crash dialog off, exits with status 0 and reads as a pass). Every
// test program and benchmark installs this filter so a crash fails at once.
#pragma once

#include <windows.h>

#include <cstdio>

namespace testing_host {

// Names what was running when the crash came; set by the program.
using CrashContext = const char* (*)();
inline CrashContext crashContext = nullptr;

inline LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    const char* running = crashContext ? crashContext() : nullptr;
    fprintf(stderr, "\nCRASH: exception 0x%08lx at %p while running %s\n",
            static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode), info->ExceptionRecord->ExceptionAddress,
            running ? running : "(unknown)");
    fflush(stderr);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

inline void InstallCrashFilter(CrashContext context = nullptr) {
    crashContext = context;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
}

}  // namespace testing_host
