#include <windows.h>

#include "grid/library.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            tabrix::LibraryAttach(module);
            break;
        case DLL_PROCESS_DETACH:
            tabrix::LibraryDetach();
            break;
    }
    return TRUE;
}
