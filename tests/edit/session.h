// A user at the grid: clicks at cells, keys through real input, typing.
#pragma once

#include <initializer_list>
#include <vector>

#include "tests/support/grid_fixture.h"

#include <commctrl.h>

class EditSession : public GridTest {
protected:
    // Real input reaches only the focus of the active window.
    void SetUp() override {
        GridTest::SetUp();
        SetForegroundWindow(host.hwnd());
        SetFocus(grid);
    }
    POINT CellPoint(int row, int col) {  // column 0: the row header
        RECT header;
        GetWindowRect(FindWindowExA(grid, nullptr, WC_HEADERA, nullptr), &header);
        int x = 40;
        for (int c = GetFirstVisCol(grid); c < col; ++c) x += GetColWidth(grid, c);
        const int h = GetRowHeight(grid);
        return POINT{col == 0 ? 10 : x, header.bottom - header.top + (row - GetFirstVisRow(grid)) * h + h / 2};
    }
    void Mouse(UINT message, int row, int col) {
        const POINT p = CellPoint(row, col);
        SendMessageA(grid, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }
    void Click(int row, int col, bool pump = true) {
        UpdateWindow(grid);
        for (UINT m : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}) Mouse(m, row, col);
        if (pump) testing_host::PumpMessages();
    }
    void Edit(int row, int col, const char* text) { Click(row, col), Type(text), Press(VK_ESCAPE); }  // then Escape
    // Selects the row with a double click on its header; Delete deletes it.
    void Delete(int row) {
        Click(row, 0);
        for (UINT m : {WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Mouse(m, row, 0);
        Press(VK_DELETE);
    }
    // `key` pressed and released while `held` keys are down. The grid reads
    // the modifiers as the key arrives: they are let go after it was handled.
    static void Press(WORD key, std::initializer_list<WORD> held = {}) {
        auto send = [](WORD vk, DWORD flags) {
            INPUT in{};
            in.type = INPUT_KEYBOARD, in.ki.wVk = vk, in.ki.dwFlags = flags;
            SendInput(1, &in, sizeof in);
        };
        for (WORD h : held) send(h, 0);
        send(key, 0), send(key, KEYEVENTF_KEYUP);
        testing_host::PumpMessages();
        for (WORD h : held) send(h, KEYEVENTF_KEYUP);
        testing_host::PumpMessages();
    }
    static void Keys(std::initializer_list<WORD> keys) { for (WORD key : keys) Press(key); }
    // Lower-case letters and digits; '\t' and '\n' as Tab and Enter.
    static void Type(const char* text) {
        for (; *text; ++text) Press(*text == '\t' ? VK_TAB : *text == '\n' ? VK_RETURN : LOBYTE(VkKeyScanA(*text)));
    }
    bool Editing() const { return GetFocus() != grid && IsChild(grid, GetFocus()); }
    // The grid notifications the host heard, in order.
    std::vector<UINT> Heard() const {
        std::vector<UINT> codes;
        for (const auto& m : host.messages())
            if (m.message >= GN_ROWCHANGING && m.message <= GN_DROPDOWN) codes.push_back(m.message);
        return codes;
    }
};
