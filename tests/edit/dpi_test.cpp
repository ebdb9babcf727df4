// The grid at the display's resolution: the Dpi tests run in prefixes at 96,
// 144 and 192 DPI (the edit_tests_*dpi entries); the others point the grid
// at a resolution through the library's reader.
#include <string>

#include "grid/library.h"
#include "tests/edit/session.h"
#include "tests/support/capture.h"

namespace {

int ScreenDpi() { HDC dc = GetDC(nullptr); const int dpi = GetDeviceCaps(dc, LOGPIXELSY); return ReleaseDC(nullptr, dc), dpi; }

class Dpi : public EditSession {
protected:
    void SetUp() override { EditSession::SetUp(), dpi = tabrix::library.windowDpi(grid); }
    void TearDown() override { tabrix::library.windowDpi = reader, EditSession::TearDown(); }
    int Px(int pixels) const { return MulDiv(pixels, dpi, 96); }
    // The grid's first row and column at this resolution: two columns, the second of check boxes.
    void Rows() {
        Columns({testing_host::ColumnField("t", Px(60), 5), testing_host::ColumnField("c", Px(60), 1)},
                {tabrix::FieldText, tabrix::FieldCheck});
        for (int row = 1; row <= 4; ++row) ASSERT_EQ(CreateCell(grid, row, 2, row == 2 ? "0" : "1"), 1);
        Settle();
    }
    int HeaderBottom() { RECT r; GetWindowRect(FindWindowExA(grid, nullptr, WC_HEADERA, nullptr), &r); return r.bottom - r.top - 1; }
    int RowTop(int r) { return HeaderBottom() + (r - 1) * GetRowHeight(grid) - 1; }
    void Mouse(POINT p, DWORD flags) {
        ClientToScreen(grid, &p);
        INPUT in{};
        in.type = INPUT_MOUSE, in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = (p.x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
        in.mi.dy = (p.y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
        SetCursorPos(p.x, p.y), SendInput(1, &in, sizeof in), testing_host::PumpMessages();
    }
    void RealClick(POINT p) { Mouse(p, 0), Mouse(p, MOUSEEVENTF_LEFTDOWN), Mouse(p, MOUSEEVENTF_LEFTUP); }
    tabrix::WindowDpiReader reader = tabrix::library.windowDpi;
    int dpi = 96;
};

// Every measure the grid owns is the 96-DPI one scaled: the row header,
// the cells and check boxes a click finds, the row-border band a drag starts in.
TEST_F(Dpi, RealClicksLandWhereTheGridDrawsAtTheDisplaysResolution) {
    ASSERT_EQ(dpi, ScreenDpi()) << "the grid reads its window's resolution";
    Rows();
    EXPECT_EQ(GetColWidth(grid, 0), Px(35)) << "the row header";
    const int h = GetRowHeight(grid), box = Px(35) + Px(60) + (Px(60) - Px(13)) / 2 - 1 + Px(13) / 2;
    RealClick({Px(35) + 5, RowTop(3) + h / 2});
    Expect(3, 1);
    Press(VK_ESCAPE);
    for (int click = 0; click < 2; ++click) RealClick({box, RowTop(2) + (h - Px(13)) / 2 + Px(13) / 2});
    EXPECT_EQ(Cell(2, 2), "1") << "the second click on the check box ticks it";
    for (int beyond = 0; beyond <= 1; ++beyond) {
        const int before = GetRowHeight(grid);
        const POINT press{Px(10), HeaderBottom() + before + Px(3) + beyond};
        Mouse(press, MOUSEEVENTF_LEFTDOWN);
        Mouse({press.x, press.y + Px(10)}, 0);
        Mouse({press.x, press.y + Px(10)}, MOUSEEVENTF_LEFTUP);
        EXPECT_EQ(GetRowHeight(grid), beyond ? before : before + Px(10)) << "a drag " << Px(3) + beyond << " pixels below row 1";
    }
}

// A host that never declared itself aware of the resolution gets the grid
// as drawn for 96 DPI, whatever the display's: the resource's check box.
TEST(DpiUnaware, AHostUnawareOfTheResolutionSeesThe96DpiGrid) {
    using SetContext = HANDLE(WINAPI*)(HANDLE);
    const auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_NE(set, nullptr);
    HANDLE before = set(reinterpret_cast<HANDLE>(-1));  // DPI_AWARENESS_CONTEXT_UNAWARE
    {
        testing_host::TestHost host;
        HWND grid = CreateGrid(host.hwnd(), host.instance(), 0, 77, 0, 0, 400, 300);
        const FieldDef def = testing_host::ColumnField("c", 60, 1);
        ASSERT_EQ(DimCols(grid, 1), 1);
        ASSERT_EQ(DefineField(grid, 1, tabrix::FieldCheck, &def), 1);
        ASSERT_EQ(CreateCell(grid, 1, 1, "1"), 1);
        EXPECT_EQ(GetColWidth(grid, 0), 35);
        const testing_host::Capture shot = testing_host::CaptureClient(grid);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, tabrix::library.ownLook.checkedBitmap);
        RECT header;
        GetWindowRect(FindWindowExA(grid, nullptr, WC_HEADERA, nullptr), &header);
        const int top = header.bottom - header.top - 2 + (GetRowHeight(grid) - 13) / 2;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x) ASSERT_EQ(shot.At(35 + 22 + x, top + y), GetPixel(dc, x, y)) << "check-box pixel " << x << "," << y;
        SelectObject(dc, old), DeleteDC(dc), DestroyWindow(grid);
    }
    set(before);
}

class DpiChange : public Dpi {};

// Check boxes at 144 and 192 DPI against committed pictures of boxes drawn
// at that size (a stretched 13-pixel image differs); TABRIX_WRITE_PICTURE=1
// writes them anew.
TEST_F(DpiChange, CheckBoxesAreDrawnAtTheirSizeNotStretched) {
    for (int at : {144, 192}) {
        static int fake;
        fake = at;
        tabrix::library.windowDpi = [](HWND) { return fake; };
        SendMessageA(grid, 0x02E3, 0, 0);  // WM_DPICHANGED_AFTERPARENT
        dpi = at;
        Rows();
        CreateCell(grid, 3, 2, tabrix::kDeletedMarker);
        const RECT area{Px(35) + Px(60), RowTop(1), Px(35) + 2 * Px(60), RowTop(4)};
        const std::string file = std::string("Z:") + TABRIX_TESTS_DIR + "/edit/check_boxes_" + std::to_string(at) + "dpi.txt";
        const testing_host::Capture shot = testing_host::CaptureClient(grid);
        if (getenv("TABRIX_WRITE_PICTURE")) testing_host::WritePicture(file, shot, area);
        const testing_host::Capture want = testing_host::ReadPicture(file);
        ASSERT_EQ(want.width * want.height, (area.right - area.left) * (area.bottom - area.top)) << file;
        for (int y = 0; y < want.height; ++y)
            for (int x = 0; x < want.width; ++x) ASSERT_EQ(shot.At(area.left + x, area.top + y), want.At(x, y)) << "pixel " << x << "," << y << " of " << file;
    }
}

// The parent moved to a display of another resolution: the open editor
// moves to its cell's new place at the new resolution.
TEST_F(DpiChange, ALiveChangeMovesTheOpenEditorToItsCell) {
    Rows();
    RealClick({Px(35) + 5, RowTop(3) + GetRowHeight(grid) / 2});
    ASSERT_TRUE(Editing());
    HWND editor = GetFocus();
    static int fake;
    fake = dpi = 2 * dpi;
    tabrix::library.windowDpi = [](HWND) { return fake; };
    SendMessageA(grid, 0x02E3, 0, 0);  // WM_DPICHANGED_AFTERPARENT
    RECT place;
    GetWindowRect(editor, &place);
    MapWindowPoints(nullptr, grid, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(GetColWidth(grid, 0), Px(35));
    EXPECT_EQ(place.left, Px(35) + Px(6)) << "the editor's left edge";
    EXPECT_EQ(place.top, RowTop(3) + Px(2)) << "the editor's top edge";
    EXPECT_TRUE(Editing() && GetFocus() == editor && IsWindowVisible(editor));
}

}  // namespace
