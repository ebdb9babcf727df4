// A UTF-8 grid: texts in every script through the store, the screen, the
// editors, the list, find and the record formats, and every cut to a byte
// size ending on a whole character.
#include <string>
#include <vector>

#include "grid/text_encoding.h"
#include "records/delimited.h"
#include "records/fixed_width.h"
#include "support/wide_text.h"
#include "tests/edit/session.h"
#include "tests/support/record_store.h"

namespace {

using testing_host::ColumnField;

const char* const kTexts[] = {
    "plain", "Caf\xC3\xA9 cr\xC3\xA8me", "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC",
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "smile \xF0\x9F\x98\x80", "e\xCC\x81t\xCC\x88", "bad\xC3(\xFF"};
constexpr int kRows = 7;

class Utf8Test : public EditSession {
protected:
    void SetUp() override {
        EditSession::SetUp();
        ASSERT_EQ(SetGridCodePage(grid, 1252), 0) << "only 0 and UTF-8";
        ASSERT_EQ(SetGridCodePage(grid, TABRIX_UTF8), 1);
        Columns({ColumnField("\xE5\x90\x8D\xE5\x89\x8D", 115, 40), ColumnField("typed", 115, 40),
                 ColumnField("list", 100, 40)},
                {tabrix::FieldText, tabrix::FieldText, tabrix::FieldCombo});
        for (int row = 1; row <= kRows; ++row) ASSERT_EQ(CreateCell(grid, row, 1, kTexts[row - 1]), 1) << row;
        Settle();
    }
    // Characters outside the ANSI code page reach a window only through a
    // Unicode message loop, as a host of UTF-8 grids runs it.
    static void TypeUnicode(const std::wstring& text) {
        for (wchar_t unit : text) {
            INPUT in[2] = {};
            for (INPUT& i : in) i.type = INPUT_KEYBOARD, i.ki.wScan = unit, i.ki.dwFlags = KEYEVENTF_UNICODE;
            in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
            SendInput(2, in, sizeof in[0]);
            for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) TranslateMessage(&msg), DispatchMessageW(&msg);
        }
    }
};

TEST_F(Utf8Test, EveryTextIsStoredDrawnEditedAndFoundAsItsCharacters) {
    Press(VK_RIGHT);  // no current cell's frame over the cells compared
    UpdateWindow(grid);
    HDC screen = GetDC(grid);
    for (int row = 1; row <= kRows; ++row) {
        const std::string text = kTexts[row - 1];
        EXPECT_EQ(Cell(row, 1), text) << "byte for byte, row " << row;
        // The cell's pixels are the platform's own drawing of the characters.
        RECT cell;
        ASSERT_EQ(GetCellRect(grid, row, 1, &cell), 1) << row;
        const int w = cell.right - cell.left, h = cell.bottom - cell.top;
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
        SelectObject(dc, bitmap);
        SelectObject(dc, state()->cellFont);
        RECT all{0, 0, w, h}, area{6, 1, w - 2, h};
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        const std::wstring wide = tabrix::ToWide(text.c_str(), CP_UTF8);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, DT_SINGLELINE | DT_NOPREFIX);
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) differing += GetPixel(dc, x, y) != GetPixel(screen, cell.left + x, cell.top + y);
        EXPECT_EQ(differing, 0) << "pixels unlike the platform's drawing of row " << row;
        DeleteDC(dc);
        DeleteObject(bitmap);
        // Opened, the editor holds the text; typed, it stores the characters.
        Click(row, 1);
        ASSERT_TRUE(Editing()) << row;
        if (row < kRows) {
            EXPECT_EQ(Cell(row, 1, 1), text) << "the editor's text, row " << row;
        }
        Press(VK_ESCAPE);
        if (row == kRows) continue;  // invalid bytes cannot be typed
        Click(row, 2);
        TypeUnicode(wide);
        Press(VK_RETURN);
        EXPECT_EQ(Cell(row, 2), text) << "typed into row " << row;
    }
    ReleaseDC(grid, screen);
    wchar_t heading[16] = L"";
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = heading;
    item.cchTextMax = 16;
    SendMessageW(FindWindowExA(grid, nullptr, WC_HEADERA, nullptr), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(heading, L"\x540D\x524D") << "the header shows the label's characters";
    ASSERT_EQ(GotoCell(grid, 1, 1), 1);
    EXPECT_EQ(GridFind(grid, "\xE6\x9C\xAC", 0, 0, 1), 1);
    EXPECT_EQ(GetCurrentRow(grid), 4) << "found inside the CJK text";
    EXPECT_EQ(GridFind(grid, "\xA9", 0, 0, 1), 1) << "bytes match bytes, as in every grid";
}

TEST_F(Utf8Test, ListItemsKeepTheirCharacters) {
    host.Answer(GN_DROPDOWN, [](WPARAM, LPARAM) -> LRESULT {
        for (const char* item : {kTexts[1], kTexts[3]}) SendMessageA(GetNotifyHwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return 0;
    });
    Click(2, 3);
    HWND combo = GetFocus() ? GetParent(GetFocus()) : nullptr;
    ASSERT_TRUE(Editing());
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    Press(VK_RETURN);
    EXPECT_EQ(Cell(2, 3), kTexts[3]) << "the list item, as UTF-8";
}

// Cuts to a byte size: in a UTF-8 grid's records and labels, and in a
// double-byte code page's records.
TEST(TextCuts, EndOnAWholeCharacter) {
    const tabrix::TextEncoding utf8 = tabrix::EncodingOf(CP_UTF8), japanese = tabrix::EncodingOf(932);
    ASSERT_TRUE(japanese.anyLeadByte) << "code page 932 has lead bytes";
    const struct { tabrix::TextEncoding encoding; const char* field; int size; const char* kept; } cases[] = {
        {utf8, "\xE6\x97\xA5\xE6\x9C\xAC", 4, "\xE6\x97\xA5"},   // inside the second character
        {utf8, "smile\xF0\x9F\x98\x80", 8, "smile"},             // inside a 4-byte sequence
        {utf8, "Caf\xC3\xA9", 4, "Caf"},
        {utf8, "bad\xC3(\xFF!", 6, "bad\xC3(\xFF"},              // invalid bytes stay as they are
        {japanese, "a\x82\xA0\x82\xA0", 4, "a\x82\xA0"},         // inside a lead and trail pair
        {japanese, "\x82\xA0z", 1, ""},
        {tabrix::TextEncoding{}, "\xE6\x97\xA5", 2, "\xE6\x97"},  // single-byte: cut where asked
    };
    for (const auto& c : cases) {
        RecordStore s({c.size});
        const std::string line = std::string(c.field) + "\r\n";
        ASSERT_EQ(tabrix::LoadDelimitedRecords(&s.a, line.c_str(), "\r\n", ",", c.encoding).result, 1);
        EXPECT_EQ(s.Text(1, 1), c.kept) << "delimited " << c.field << " cut to " << c.size;
        ASSERT_EQ(tabrix::PutFixedWidthRecord(&s.a, 1, c.field, c.encoding), 1);
        EXPECT_EQ(s.Text(1, 1), c.kept) << "fixed-width " << c.field << " cut to " << c.size;
    }
}

TEST_F(Utf8Test, LabelsAreCutToWholeCharacters) {
    std::string label;
    for (int i = 0; i < 100; ++i) label += "\xC3\xA9";
    for (int i = 0; i < 30; ++i) label += "\xE6\x97\xA5";
    ASSERT_EQ(InsertColLabel(grid, 60, label.c_str(), 2, 0), 1);
    EXPECT_EQ(GetColLabel(grid, 2, nullptr, 0), 254) << "200 bytes of accents and 18 whole characters";
}

}  // namespace
