#include "tests/support/capture.h"

#include <fstream>
#include <map>

namespace testing_host {

COLORREF Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Capture::CountOtherThan(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (At(x, y) != colour) ++count;
        }
    }
    return count;
}

Capture CaptureClient(HWND hwnd) {
    UpdateWindow(hwnd);
    Capture capture;
    RECT client;
    GetClientRect(hwnd, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    if (capture.width <= 0 || capture.height <= 0) return capture;

    // Top-down rows of 32-bit pixels.
    BITMAPINFO info{{sizeof info.bmiHeader, capture.width, -capture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HDC window = GetDC(hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP section = CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, capture.width, capture.height, window, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
    for (uint32_t& p : capture.pixels) p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(hwnd, window);
    return capture;
}

Capture ReadPicture(const std::string& file) {
    Capture picture;
    std::ifstream in(file);
    int colours = 0;
    if (!(in >> picture.width >> picture.height >> colours)) return Capture{};
    std::map<char, uint32_t> palette;
    for (char letter; colours-- > 0 && in >> letter;) in >> std::hex >> palette[letter] >> std::dec;
    std::string row;
    while (static_cast<int>(picture.pixels.size()) < picture.width * picture.height && in >> row) {
        for (char letter : row) picture.pixels.push_back(palette[letter]);
    }
    return picture;
}

void WritePicture(const std::string& file, const Capture& shot, const RECT& area) {
    std::map<uint32_t, char> letters;
    std::string rows;
    for (int y = area.top; y < area.bottom; ++y, rows += '\n') {
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t p = shot.pixels[static_cast<size_t>(y) * shot.width + x];
            rows += letters.emplace(p, static_cast<char>('0' + letters.size())).first->second;
        }
    }
    std::ofstream out(file);
    out << area.right - area.left << " " << area.bottom - area.top << " " << letters.size() << "\n" << std::hex;
    for (const auto& [pixel, letter] : letters) out << letter << " " << pixel << "\n";
    out << rows;
}

}  // namespace testing_host
