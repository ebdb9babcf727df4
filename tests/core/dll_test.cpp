// The built DLL loaded as a host loads it: by name, through its export table.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/gtest_crash.h"

namespace {
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

bool ClassRegistered() {
    WNDCLASSA wc;
    return GetClassInfoA(GetModuleHandleA(nullptr), "tabrix32grid", &wc) != 0;
}

// A 13x13 bitmap resource as 0x00RRGGBB pixels, rows from the top.
std::vector<uint32_t> BitmapPixels(HMODULE module, const char* name) {
    HBITMAP bitmap = LoadBitmapA(module, name);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_TRUE(bitmap && info.bmWidth == 13 && info.bmHeight == 13) << name;
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), 13, -13, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<uint32_t> pixels(13 * 13);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, 13, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}
}  // namespace

TEST(Dll, EveryExportResolvesByItsPlainName) {
    Library lib;
    ASSERT_NE(lib.module, nullptr);
    std::istringstream names(
        "CreateGrid FreeGrid DimCols DefineField InsertColLabel ClearColLabels LockField GetColCount GetColWidth "
        "GetFldSize DimRows RedimPreserveRows CreateCell SetCellText GetCell GetRowCount ClearCells ClearGrid "
        "SetGridAttr MakeFont ShowLineNumbers SetRowHeight GetRowHeight OnEntryStyle SetUndoBuffer GotoCell ViewGrid "
        "GetFirstVisRow GetFirstVisCol GetCurrentRow GetCurrentCol SetFuncCallback GetNotifyHwnd GetRecordRAF "
        "PutRecordRAF LoadRecordsetRAF GetRecordDelimited PutRecordDelimited LoadRecordsetDelimited");
    for (std::string name; names >> name;) EXPECT_NE(GetProcAddress(lib.module, name.c_str()), nullptr) << name;
}

TEST(Dll, GridsWorkAndUnloadingUnregistersTheClassSoItCanLoadAgain) {
    for (int round = 0; round < 2; ++round) {
        {
            Library lib;
            ASSERT_TRUE(ClassRegistered()) << "round " << round;
            HWND parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                          GetModuleHandleA(nullptr), nullptr);
            // Any module's instance may create grids: the class is global.
            HWND grid = lib.Get<HWND(WINAPI*)(HWND, HINSTANCE, int, int, int, int, int, int)>("CreateGrid")(
                parent, GetModuleHandleA(nullptr), 0, 9, 0, 0, 200, 100);
            auto colCount = lib.Get<int(WINAPI*)(HWND)>("GetColCount");
            EXPECT_EQ(colCount(grid), 1) << "round " << round;
            EXPECT_EQ(colCount(parent), -3);
            DestroyWindow(parent);
        }
        EXPECT_FALSE(ClassRegistered()) << "the class would point into unloaded code";
    }
}

TEST(Dll, CheckBoxImagesAndTheRowResizeCursor) {
    Library lib;
    const std::set<std::pair<int, int>> tick = {{9, 3}, {8, 4}, {9, 4}, {3, 5}, {7, 5}, {8, 5}, {9, 5},
                                                {3, 6}, {4, 6}, {6, 6}, {7, 6}, {8, 6}, {3, 7}, {4, 7},
                                                {5, 7}, {6, 7}, {7, 7}, {4, 8}, {5, 8}, {6, 8}, {5, 9}};
    const std::vector<uint32_t> checked = BitmapPixels(lib.module, "bmCHECK");
    const std::vector<uint32_t> unchecked = BitmapPixels(lib.module, "bmUNCHECK");
    const std::vector<uint32_t> grey = BitmapPixels(lib.module, "bmgrayCHK");
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            const bool frame = x == 0 || y == 0 || x == 12 || y == 12;
            EXPECT_EQ(checked[y * 13 + x], frame || tick.count({x, y}) ? 0u : 0xFFFFFFu) << "bmCHECK " << x << "," << y;
            EXPECT_EQ(unchecked[y * 13 + x], frame ? 0u : 0xFFFFFFu) << "bmUNCHECK " << x << "," << y;
        }
    }
    // The greyed box keeps the shape in grey tones: no black, no pure white.
    const std::set<uint32_t> tones(grey.begin(), grey.end());
    EXPECT_EQ(tones.count(0u) + tones.count(0xFFFFFFu), 0u);
    EXPECT_EQ(grey[5 * 13 + 3], grey[0]) << "tick and frame share the dark grey";
    EXPECT_NE(grey[1 * 13 + 1], grey[0]);

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(LoadCursorA(lib.module, "rsCURSOR"), &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_TRUE(!info.fIcon && info.xHotspot == 15 && info.yHotspot == 15 && mask.bmWidth == 32)
        << "a 32-pixel cursor with its hot spot at 15,15";
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

int main(int argc, char** argv) {
    testing_host::InstallTestCrashFilter();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
