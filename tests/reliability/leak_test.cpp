// Long use of the real DLL, loaded by name with every call through its export
// table, gives back what it takes: grids by the thousand and a hundred loads
// and unloads leave GDI objects, windows, classes and private bytes as they were.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/field_def.h"
#include "tests/support/gtest_crash.h"
#include "tests/support/object_count.h"
#include "tests/support/test_host.h"

namespace {

#define TABRIX_CALLS(X)                                                                                      \
    X(CreateGrid) X(FreeGrid) X(DimCols) X(DefineField) X(CreateCell) X(LoadRecordsetDelimited) X(GridFind) \
    X(GetRecordDelimited) X(GetRowHeight) X(MakeFont) X(SetGridAttr) X(GetNotifyHwnd) X(TrapInitMenuPopup)

struct Tabrix {
    HMODULE module = LoadLibraryA("tabrix32.dll");
    template <class F>
    F Export(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
#define TABRIX_CALL(name) decltype(&::name) name = Export<decltype(&::name)>(#name);
    TABRIX_CALLS(TABRIX_CALL)
#undef TABRIX_CALL
    ~Tabrix() { FreeLibrary(module); }
};

// Keys as a person presses them: real input reaches the focus of the active window.
void Press(std::initializer_list<int> keys) {
    for (int key : keys) {
        INPUT in[2]{};
        for (INPUT& i : in) i.type = INPUT_KEYBOARD, i.ki.wVk = static_cast<WORD>(key);
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        testing_host::PumpMessages();
    }
}

// Four columns, each with a font face of its own: two text, a check box and a list.
const struct { const char* face; int type; } kColumns[] = {{"Arial", TABRIX_FIELD_TEXT},
    {"Courier New", TABRIX_FIELD_TEXT}, {"Arial", TABRIX_FIELD_CHECK}, {"Times New Roman", TABRIX_FIELD_COMBO}};
constexpr int kWidth = 70;

// One grid's life: shaped, filled, given a font, every kind of editor opened
// and committed by keys and a click, searched, and destroyed by the host or
// with the host with an editor open. The answers are checked, so a grid that
// quietly stopped working cannot pass as one that leaks nothing.
void UseGrid(const Tabrix& dll, testing_host::TestHost& host, int id, bool destroyNow) {
    host.Answer(GN_DROPDOWN, [&dll](WPARAM, LPARAM) -> LRESULT {
        for (const char* item : {"pear", "plum"}) SendMessageA(dll.GetNotifyHwnd(), CB_ADDSTRING, 0, LPARAM(item));
        return 0;
    });
    HWND grid = dll.CreateGrid(host.hwnd(), GetModuleHandleA(nullptr), 1, id, id % 2 * 390, id / 2 * 110, 380, 100);
    ASSERT_NE(grid, nullptr);
    // A font the grid takes over and deletes with itself; the other grids keep the default one.
    GridAttr attr{};
    attr.cellFont = destroyNow ? dll.MakeFont("Tahoma", 9, 400, 0, 0, 0) : nullptr;
    ASSERT_EQ(dll.SetGridAttr(grid, &attr), 1);
    ASSERT_EQ(dll.DimCols(grid, 4), 1);
    for (int col = 1; col <= 4; ++col) {
        const FieldDef def = testing_host::ColumnField("c", kWidth, 8, 0, 0, 0, kColumns[col - 1].face);
        ASSERT_EQ(dll.DefineField(grid, col, kColumns[col - 1].type, &def), 1);
    }
    ASSERT_EQ(dll.LoadRecordsetDelimited(grid, "ann,a1,1,kiwi\r\nbob,b2,0,fig\r\n", "\r\n", ","), 1);
    for (int col = 1; col <= 4; ++col) ASSERT_EQ(dll.CreateCell(grid, 3, col, col == 3 ? "1" : "cy"), 1);
    SetFocus(grid);
    // Both text editors, each committed by Enter, which opens the next.
    Press({VK_F2, 'X', VK_RETURN, 'Y', VK_RETURN});
    // The check box is current now: a click on it toggles it.
    RECT header;
    GetWindowRect(FindWindowExA(grid, nullptr, WC_HEADERA, nullptr), &header);
    const LPARAM at = MAKELPARAM(40 + 2 * kWidth + 10, header.bottom - header.top + dll.GetRowHeight(grid) / 2);
    for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageA(grid, m, MK_LBUTTON, at);
    testing_host::PumpMessages();
    // Enter opens the list; Down asks the host for its items and drops it,
    // Down takes the first, Enter commits it and opens the next row's editor.
    Press({VK_RETURN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_STREQ(dll.GetRecordDelimited(grid, 1, 0, ",", 0), "annx,a1y,0,pear") << "grid " << id;
    EXPECT_EQ(dll.GridFind(grid, "cy", 0, 0, TABRIX_FIND_EQUALS), 1);
    Press({VK_F2});
    if (destroyNow) dll.FreeGrid(grid), DestroyWindow(grid);
}

// `once` runs `warmUp` times, so the system's own caches (fonts, the
// controls' classes, the heap) fill first, then `times` times more. Objects
// come back exactly. Memory may not: the system's heap commits in 64 KB steps
// and grows to its working size over the first 500 or so grids (320 KB),
// then stays, so six steps are allowed: a leak of 72 KB a load, of 4 KB a
// grid over 100 or of 80 bytes a grid over 5,000 is beyond it.
template <class Once>
void ExpectGivenBack(const char* what, int warmUp, int times, Once once) {
    for (int n = 0; n < warmUp; ++n) once();
    const long long before[] = {testing_host::LiveGdiObjects(), testing_host::LiveWindows(), testing_host::PrivateKb()};
    for (int n = 0; n < times && !testing::Test::HasFatalFailure(); ++n) once();
    const long long after[] = {testing_host::LiveGdiObjects(), testing_host::LiveWindows(), testing_host::PrivateKb()};
    printf("%s: GDI objects %lld -> %lld, windows %lld -> %lld, private %lld -> %lld KB\n", what, before[0], after[0],
           before[1], after[1], before[2], after[2]);
    EXPECT_EQ(after[0], before[0]) << "GDI objects";
    EXPECT_EQ(after[1], before[1]) << "windows";
    EXPECT_LE(after[2] - before[2], 384) << "private KB";
}

int Count(const char* variable, int fallback) {
    const int n = getenv(variable) ? atoi(getenv(variable)) : 0;
    return n > 0 ? n : fallback;
}

// Grids live a few at a time in one host window, as in a form, each in its
// own place; every second one goes with the host.
TEST(Leaks, GridsGiveBackWhatTheyTook) {
    Tabrix dll;
    ASSERT_NE(dll.module, nullptr);
    constexpr int kBatch = 10;
    const int grids = Count("TABRIX_LEAK_GRIDS", 100);
    const std::string what = std::to_string(grids / kBatch * kBatch) + " grids";
    ExpectGivenBack(what.c_str(), 3, grids / kBatch, [&dll] {
        testing_host::TestHost host;
        SetForegroundWindow(host.hwnd());
        for (int i = 0; i < kBatch && !testing::Test::HasFatalFailure(); ++i) UseGrid(dll, host, i, i % 2 == 0);
    });
}

// Each load hooks its host window, and the grids are gone before the unload;
// a second hooked window outlives the DLL and must get its own procedure
// back, or its next message runs unloaded code. Every load after an unload
// registers the class again and makes working grids.
TEST(Leaks, TheDllLoadsAndUnloadsOverAndOver) {
    const int loads = Count("TABRIX_LEAK_LOADS", 30);
    ExpectGivenBack((std::to_string(loads) + " loads").c_str(), 1, loads, [] {
        HWND kept = CreateWindowExA(0, "STATIC", "kept", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        const LONG_PTR own = GetWindowLongPtrA(kept, GWLP_WNDPROC);
        {
            Tabrix dll;
            ASSERT_NE(dll.module, nullptr);
            testing_host::TestHost host;
            SetForegroundWindow(host.hwnd());
            dll.TrapInitMenuPopup(host.hwnd());
            UseGrid(dll, host, 1, true);
            UseGrid(dll, host, 2, false);
            SendMessageA(host.hwnd(), WM_INITMENUPOPUP, 0, 0);
            dll.TrapInitMenuPopup(kept);
            ASSERT_NE(GetWindowLongPtrA(kept, GWLP_WNDPROC), own);
        }
        WNDCLASSA wc;
        EXPECT_FALSE(GetModuleHandleA("tabrix32.dll") || GetClassInfoA(GetModuleHandleA(nullptr), "tabrix32grid", &wc));
        EXPECT_EQ(GetWindowLongPtrA(kept, GWLP_WNDPROC), own);
        SendMessageA(kept, WM_INITMENUPOPUP, 0, 0);
        DestroyWindow(kept);
    });
}

}  // namespace

int main(int argc, char** argv) {
    testing_host::InstallTestCrashFilter();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
