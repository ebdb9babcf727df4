/* Runs every C example of the documentation as written (doc_examples.inc,
   made from the Markdown in docs/), each on a fresh grid of three columns
   and two rows in a host window, then the complete programs with their
   message loops told to quit. Built as C89 and, through doc_host.cpp, as C++98: a host of
   either may copy the examples. A crash names the example. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tabrix32.h"

typedef LRESULT (*ExampleFunction)(HWND, HINSTANCE, HWND, ODBCHANDLE, UINT, WPARAM, LPARAM);
typedef int(WINAPI* ProgramFunction)(HINSTANCE, HINSTANCE, LPSTR, int);
struct DocExample {
    const char* where;
    ExampleFunction run;
};
struct DocProgram {
    const char* where;
    ProgramFunction run;
};

#include "doc_examples.inc"

static const char* running = "the host";

/* Under Wine an unhandled exception hangs or exits with 0: end at once. */
static LONG WINAPI Crashed(EXCEPTION_POINTERS* info) {
    fprintf(stderr, "CRASH: exception 0x%08lx in the example at %s\n",
            (unsigned long)info->ExceptionRecord->ExceptionCode, running);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

static HWND FixtureGrid(HWND host, HINSTANCE self) {
    static char labels[3][16] = {"Item", "Quantity", "Stocked"};
    FieldDef d;
    int i;
    HWND grid = CreateGrid(host, self, 1, 100, 0, 0, 400, 300);
    DimCols(grid, 3);
    for (i = 0; i < 3; ++i) {
        memset(&d, 0, sizeof d);
        d.label = labels[i];
        d.width = 100;
        d.size = i == 2 ? 1 : 30;
        DefineField(grid, i + 1, i == 2 ? TABRIX_FIELD_CHECK : TABRIX_FIELD_TEXT, &d);
    }
    LoadRecordsetDelimited(grid, "Paper clips,200,1\r\nStaples,5000,0\r\n", "\r\n", ",");
    SetUndoBuffer(grid);
    return grid;
}

int main(void) {
    HINSTANCE self = GetModuleHandleA(NULL);
    HWND host;
    int i, examples, failed = 0;
    MSG m;
    char commandLine[] = "";
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(Crashed);
    host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, NULL, NULL, self,
                           NULL);
    for (i = 0; docExamples[i].where; ++i) {
        HWND grid = FixtureGrid(host, self);
        running = docExamples[i].where;
        docExamples[i].run(host, self, grid, -1, GN_CELLCHANGING, MAKEWPARAM(100, 0), MAKELPARAM(1, 2));
        while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        if (IsWindow(grid)) DestroyWindow(grid);
        printf("ran the example at %s\n", running);
    }
    examples = i;
    for (i = 0; docPrograms[i].where; ++i) {
        running = docPrograms[i].where;
        PostQuitMessage(0); /* the program's message loop ends once its queue is empty */
        if (docPrograms[i].run(self, NULL, commandLine, SW_SHOWNORMAL) != 0) {
            printf("FAIL: the program at %s answered non-zero\n", running);
            failed = 1;
        }
        printf("ran the program at %s\n", running);
    }
    DestroyWindow(host);
    printf("%d examples and %d programs ran\n", examples, i);
    return failed;
}
