// The built DLL loaded as a host loads it: by name, through its export table.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/gtest_crash.h"

#include <set>
#include <utility>
#include <vector>

namespace {
using CreateGridFn = HWND(WINAPI*)(HWND, HINSTANCE, int, int, int, int, int, int);
using GridFn = int(WINAPI*)(HWND);

struct Library {
    HMODULE module = LoadLibraryA("tabrix32.dll");
    ~Library() {
        if (module) FreeLibrary(module);
    }
    template <class Fn>
    Fn Get(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

HWND MakeParent() {
    return CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

bool ClassRegistered() {
    WNDCLASSA wc;
    return GetClassInfoA(GetModuleHandleA(nullptr), "tabrix32grid", &wc) != 0;
}

// 13x13 pixels of a bitmap resource, rows from the top, as 0x00RRGGBB.
std::vector<uint32_t> BitmapPixels(HMODULE module, const char* name) {
    HBITMAP bitmap = LoadBitmapA(module, name);
    EXPECT_NE(bitmap, nullptr) << name;
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 13) << name;
    EXPECT_EQ(info.bmHeight, 13) << name;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 13;
    bi.bmiHeader.biHeight = -13;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(13 * 13);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, 13, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

const std::set<std::pair<int, int>> kTick = {{9, 3}, {8, 4}, {9, 4}, {3, 5}, {7, 5}, {8, 5}, {9, 5},
                                             {3, 6}, {4, 6}, {6, 6}, {7, 6}, {8, 6}, {3, 7}, {4, 7},
                                             {5, 7}, {6, 7}, {7, 7}, {4, 8}, {5, 8}, {6, 8}, {5, 9}};
}  // namespace

TEST(Dll, EveryExportResolvesByItsPlainName) {
    Library lib;
    ASSERT_NE(lib.module, nullptr);
    const char* names[] = {"CreateGrid",  "FreeGrid",    "DimCols",       "DefineField",       "InsertColLabel",
                           "ClearColLabels", "LockField", "GetColCount",  "GetColWidth",       "GetFldSize",
                           "DimRows",     "RedimPreserveRows", "CreateCell", "SetCellText",    "GetCell",
                           "GetRowCount", "ClearCells",  "ClearGrid",     "SetGridAttr",       "MakeFont",
                           "ShowLineNumbers", "SetRowHeight", "GetRowHeight", "OnEntryStyle", "SetUndoBuffer"};
    for (const char* name : names) EXPECT_NE(GetProcAddress(lib.module, name), nullptr) << name;
}

TEST(Dll, GridsWorkThroughTheLoadedLibrary) {
    Library lib;
    HWND parent = MakeParent();
    auto create = lib.Get<CreateGridFn>("CreateGrid");
    auto colCount = lib.Get<GridFn>("GetColCount");
    ASSERT_TRUE(create && colCount);
    // Any module's instance may create grids: the class is global.
    HWND grid = create(parent, GetModuleHandleA(nullptr), 0, 9, 0, 0, 200, 100);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(colCount(grid), 1);
    EXPECT_EQ(colCount(parent), -3);
    DestroyWindow(parent);
}

TEST(Dll, UnloadingUnregistersTheClassSoItCanLoadAgain) {
    for (int round = 0; round < 2; ++round) {
        {
            Library lib;
            ASSERT_NE(lib.module, nullptr);
            ASSERT_TRUE(ClassRegistered()) << "round " << round;
            HWND parent = MakeParent();
            auto create = lib.Get<CreateGridFn>("CreateGrid");
            EXPECT_NE(create(parent, GetModuleHandleA(nullptr), 0, 1, 0, 0, 100, 100), nullptr) << "round " << round;
            DestroyWindow(parent);
        }
        EXPECT_FALSE(ClassRegistered()) << "the class would point into unloaded code";
    }
}

TEST(Dll, CheckBoxImagesHaveTheirPixels) {
    Library lib;
    std::vector<uint32_t> checked = BitmapPixels(lib.module, "bmCHECK");
    std::vector<uint32_t> unchecked = BitmapPixels(lib.module, "bmUNCHECK");
    std::vector<uint32_t> grey = BitmapPixels(lib.module, "bmgrayCHK");
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            const bool frame = x == 0 || y == 0 || x == 12 || y == 12;
            const bool tick = kTick.count({x, y}) > 0;
            const uint32_t c = checked[y * 13 + x], u = unchecked[y * 13 + x];
            EXPECT_EQ(c, frame || tick ? 0x000000u : 0xFFFFFFu) << "bmCHECK " << x << "," << y;
            EXPECT_EQ(u, frame ? 0x000000u : 0xFFFFFFu) << "bmUNCHECK " << x << "," << y;
        }
    }
    // The greyed box keeps the shape in grey tones: no black, no pure white.
    std::set<uint32_t> tones(grey.begin(), grey.end());
    EXPECT_EQ(tones.count(0x000000u), 0u);
    EXPECT_EQ(tones.count(0xFFFFFFu), 0u);
    EXPECT_EQ(grey[5 * 13 + 3], grey[0]) << "tick and frame share the dark grey";
    EXPECT_NE(grey[1 * 13 + 1], grey[0]);
}

TEST(Dll, RowResizeCursorIsCentredOnItsHotSpot) {
    Library lib;
    HCURSOR cursor = LoadCursorA(lib.module, "rsCURSOR");
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 15u);
    EXPECT_EQ(info.yHotspot, 15u);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST(Dll, UnloadingGivesTheHookedWindowItsOwnProcedure) {
    HWND parent = MakeParent();
    const LONG_PTR own = GetWindowLongPtrA(parent, GWLP_WNDPROC);
    {
        Library lib;
        auto trap = lib.Get<void(WINAPI*)(HWND)>("TrapInitMenuPopup");
        ASSERT_NE(trap, nullptr);
        trap(parent);
        ASSERT_NE(GetWindowLongPtrA(parent, GWLP_WNDPROC), own);
    }
    EXPECT_EQ(GetWindowLongPtrA(parent, GWLP_WNDPROC), own);
    SendMessageA(parent, WM_INITMENUPOPUP, 0, 0);  // would run unloaded code
    DestroyWindow(parent);
}

int main(int argc, char** argv) {
    testing_host::InstallTestCrashFilter();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
