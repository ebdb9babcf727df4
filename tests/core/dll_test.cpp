// The built DLL loaded as a host loads it: by name, through its export table.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "tests/support/gtest_crash.h"

namespace {
bool ClassRegistered() {
    WNDCLASSA wc;
    return GetClassInfoA(GetModuleHandleA(nullptr), "tabrix32grid", &wc) != 0;
}
}  // namespace

TEST(Dll, GridsWorkAndUnloadingUnregistersTheClassSoItCanLoadAgain) {
    for (int round = 0; round < 2; ++round) {
        HMODULE dll = LoadLibraryA("tabrix32.dll");
        ASSERT_TRUE(dll && ClassRegistered()) << "round " << round;
        HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        // Any module's instance may create grids: the class is global.
        auto get = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(dll, name)); };
        auto create = reinterpret_cast<HWND(WINAPI*)(HWND, HINSTANCE, int, int, int, int, int, int)>(get("CreateGrid"));
        auto colCount = reinterpret_cast<int(WINAPI*)(HWND)>(get("GetColCount"));
        EXPECT_EQ(colCount(create(parent, GetModuleHandleA(nullptr), 0, 9, 0, 0, 200, 100)), 1) << "round " << round;
        EXPECT_EQ(colCount(parent), -3);
        DestroyWindow(parent);
        FreeLibrary(dll);
        EXPECT_FALSE(ClassRegistered()) << "the class would point into unloaded code";
    }
}

TEST(Dll, CheckBoxImagesAndTheRowResizeCursor) {
    HMODULE dll = LoadLibraryA("tabrix32.dll");
    const std::set<std::pair<int, int>> tick = {{9, 3}, {8, 4}, {9, 4}, {3, 5}, {7, 5}, {8, 5}, {9, 5},
                                                {3, 6}, {4, 6}, {6, 6}, {7, 6}, {8, 6}, {3, 7}, {4, 7},
                                                {5, 7}, {6, 7}, {7, 7}, {4, 8}, {5, 8}, {6, 8}, {5, 9}};
    HDC dc = CreateCompatibleDC(nullptr);
    std::set<COLORREF> greys;
    for (const std::string name : {"bmCHECK", "bmUNCHECK", "bmgrayCHK"}) {
        HBITMAP bitmap = LoadBitmapA(dll, name.c_str());
        BITMAP info{};
        ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info) && info.bmWidth == 13 && info.bmHeight == 13) << name;
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 13; ++x) {
                const bool ink = x == 0 || y == 0 || x == 12 || y == 12 || (name == "bmCHECK" && tick.count({x, y}));
                if (name == "bmgrayCHK") greys.insert(GetPixel(dc, x, y));
                else EXPECT_EQ(GetPixel(dc, x, y), ink ? 0u : 0xFFFFFFu) << name << " " << x << "," << y;
            }
        }
        // The greyed box keeps the shape in grey tones: no black, no pure white.
        if (name == "bmgrayCHK") {
            EXPECT_EQ(greys.count(0u) + greys.count(0xFFFFFFu), 0u);
            EXPECT_EQ(GetPixel(dc, 3, 5), GetPixel(dc, 0, 0)) << "tick and frame share the dark grey";
            EXPECT_NE(GetPixel(dc, 1, 1), GetPixel(dc, 0, 0));
        }
        DeleteObject(SelectObject(dc, old));
    }
    DeleteDC(dc);
    ICONINFO cursor{};
    ASSERT_TRUE(GetIconInfo(LoadCursorA(dll, "rsCURSOR"), &cursor));
    BITMAP mask{};
    GetObjectA(cursor.hbmMask, sizeof mask, &mask);
    EXPECT_TRUE(!cursor.fIcon && cursor.xHotspot == 15 && cursor.yHotspot == 15 && mask.bmWidth == 32)
        << "a 32-pixel cursor with its hot spot at 15,15";
    DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor) DeleteObject(cursor.hbmColor);
    FreeLibrary(dll);
}

TEST(Dll, UnloadingGivesTheHookedWindowItsOwnProcedure) {
    HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    const LONG_PTR own = GetWindowLongPtrA(parent, GWLP_WNDPROC);
    HMODULE dll = LoadLibraryA("tabrix32.dll");
    auto trap = reinterpret_cast<void(WINAPI*)(HWND)>(reinterpret_cast<void*>(GetProcAddress(dll, "TrapInitMenuPopup")));
    ASSERT_NE(trap, nullptr);
    trap(parent);
    ASSERT_NE(GetWindowLongPtrA(parent, GWLP_WNDPROC), own);
    FreeLibrary(dll);
    EXPECT_EQ(GetWindowLongPtrA(parent, GWLP_WNDPROC), own);
    SendMessageA(parent, WM_INITMENUPOPUP, 0, 0);  // would run unloaded code
    DestroyWindow(parent);
}

int main(int argc, char** argv) {
    testing_host::InstallTestCrashFilter();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
