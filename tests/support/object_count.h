// Counts of the GDI and USER objects a process holds, for leak checks.
#pragma once

namespace testing_host {

// Live GDI objects of this process. Where the platform's own counter
// answers nothing (Wine's is a stub), the shared GDI handle table is
// counted instead.
int LiveGdiObjects();
// Windows of this thread, top-level and children: the USER objects a grid
// makes.
int LiveWindows();

}  // namespace testing_host
