// Loading and unloading of the library: the shared resources, the window
// class and the per-thread memory of grids.
#pragma once

#include <windows.h>

namespace tabrix {

// Loads the shared resources and registers the window class; false when the
// class could not be registered.
bool LibraryAttach(HINSTANCE module);
// Releases what LibraryAttach made and unregisters the class, so a later load
// of the library can register it again.
void LibraryDetach();

}  // namespace tabrix
