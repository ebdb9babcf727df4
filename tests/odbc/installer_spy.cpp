// The Access driver's setup DLL while the tests run: each ConfigDSN request
// goes to the file TABRIX_CONFIGDSN_LOG names as "<request>|<driver>|<attribute>...";
// one naming a path with "refuse" in it answers failure.
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
