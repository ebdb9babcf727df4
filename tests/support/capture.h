// A copy of a window's client area, for checks on what a user would see.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testing_host {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows from the top

    // The pixel as a COLORREF (0x00BBGGRR), comparable with GDI colours.
    COLORREF At(int x, int y) const;
    // Pixels of a rectangle that differ from `colour`.
    int CountOtherThan(const RECT& area, COLORREF colour) const;
};

// Paints the window if it needs it, then copies its client area.
Capture CaptureClient(HWND hwnd);

// A committed picture, kept as text: "width height", a "letter rrggbb" line
// per colour, then a line of letters per row. A file that cannot be read
// gives an empty picture.
Capture ReadPicture(const std::string& file);
void WritePicture(const std::string& file, const Capture& shot, const RECT& area);

}  // namespace testing_host
