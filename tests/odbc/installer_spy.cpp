// A stand-in setup DLL for the Access driver, registered only while the
// tests run: the installer hands ConfigDSN the request, and this appends it
// to the file named by TABRIX_CONFIGDSN_LOG, one line per call:
// "<request>|<driver>|<attribute>|<attribute>...". A request that names a
// path containing "refuse" answers failure, so hosts' results can be seen.
#include <windows.h>

#include <cstdio>
#include <cstring>

extern "C" __declspec(dllexport) BOOL WINAPI ConfigDSN(HWND, WORD request, LPCSTR driver, LPCSTR attributes) {
    char logPath[MAX_PATH];
    if (!GetEnvironmentVariableA("TABRIX_CONFIGDSN_LOG", logPath, sizeof logPath)) return FALSE;
    FILE* log = fopen(logPath, "ab");
    if (!log) return FALSE;
    bool refuse = false;
    fprintf(log, "%u|%s", request, driver ? driver : "");
    for (const char* a = attributes; a && *a; a += strlen(a) + 1) {
        fprintf(log, "|%s", a);
        refuse = refuse || strstr(a, "refuse");
    }
    fputc('\n', log);
    fclose(log);
    return !refuse;
}
