#include "demo/script_player.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "demo/wide.h"
#include "tabrix32.h"

namespace demo {
namespace {

constexpr UINT kTickMs = 40;
constexpr int kWaitTicks = 30000 / kTickMs;  // how long `wait` and `dialog` may wait
constexpr int kExitFailed = 3;

struct Step {
    int line;
    std::string verb;
    std::vector<std::string> words;  // the arguments, split at blanks
    std::string rest;                // everything after the verb
};

struct Player {
    ScriptTarget target{};
    std::vector<Step> steps;
    size_t next = 0;
    int waited = 0;              // ticks the current step has waited
    size_t typed = 0;            // characters of a `type` step sent so far
    std::vector<WORD> released;  // modifiers to let go of on the next tick
    bool busy = false;
    bool done = false;
};
Player player;

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

// ---- Reading the grid the way the user sees it ----

int ParseRow(const std::string& word) { return word == "new" ? GetRowCount(player.target.grid) + 1 : atoi(word.c_str()); }

// Where the grid shows the cell now, scrolled as it is; column 0 is the row
// header, the grid's first header item.
bool CellPoint(int row, int col, POINT* point, std::string* error) {
    HWND grid = player.target.grid;
    RECT rowHeader{}, cell{};
    SendMessageA(FindWindowExA(grid, nullptr, WC_HEADERA, nullptr), HDM_GETITEMRECT, 0,
                 reinterpret_cast<LPARAM>(&rowHeader));
    const bool shown = GetCellRect(grid, row, col == 0 ? GetFirstVisCol(grid) : col, &cell) == TABRIX_DONE;
    point->x = col == 0 ? rowHeader.right / 2 : cell.left + 4;
    point->y = (cell.top + cell.bottom) / 2;
    if (!shown) *error = "the cell is not on the screen";
    return shown;
}

bool Click(const Step& step, bool twice, std::string* error) {
    POINT p;
    if (step.words.size() != 2 || !CellPoint(ParseRow(step.words[0]), atoi(step.words[1].c_str()), &p, error))
        return error->empty() ? (*error = "click ROW COL", false) : false;
    const LPARAM at = MAKELPARAM(p.x, p.y);
    HWND grid = player.target.grid;
    PostMessageA(grid, WM_MOUSEMOVE, 0, at);
    PostMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(grid, WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageA(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(grid, WM_LBUTTONUP, 0, at);
    }
    return true;
}

// ---- Keys ----

WORD KeyNamed(const std::string& name) {
    static const struct { const char* name; WORD vk; } keys[] = {
        {"enter", VK_RETURN}, {"tab", VK_TAB},   {"escape", VK_ESCAPE}, {"delete", VK_DELETE},
        {"backspace", VK_BACK}, {"up", VK_UP},   {"down", VK_DOWN},     {"left", VK_LEFT},
        {"right", VK_RIGHT},  {"home", VK_HOME}, {"end", VK_END},       {"f3", VK_F3},
    };
    for (const auto& key : keys) {
        if (name == key.name) return key.vk;
    }
    return name.size() == 1 ? LOBYTE(VkKeyScanA(name[0])) : 0;
}

// The grid reads Ctrl and Shift as the key arrives, so they stay down until
// the next tick, after the key was handled.
bool Key(const Step& step, std::string* error) {
    std::string name = step.rest;
    std::vector<WORD> held;
    for (const auto& mod : {std::make_pair("ctrl+", VK_CONTROL), std::make_pair("shift+", VK_SHIFT)}) {
        if (name.compare(0, strlen(mod.first), mod.first) == 0) {
            held.push_back(static_cast<WORD>(mod.second));
            name.erase(0, strlen(mod.first));
        }
    }
    const WORD vk = KeyNamed(name);
    if (!vk) return *error = "unknown key \"" + name + "\"", false;
    for (WORD h : held) SendKey(h, false);
    SendKey(vk, false);
    SendKey(vk, true);
    player.released = held;
    return true;
}

// A character no key of the layout gives, as an input method sends it: its
// UTF-16 units (two for a character beyond U+FFFF) in one go.
void TypeCharacter(const std::string& utf8) {
    for (wchar_t unit : Wide(utf8)) {
        INPUT in[2] = {};
        for (INPUT& i : in) i.type = INPUT_KEYBOARD, i.ki.wScan = unit, i.ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof in[0]);
    }
}

// One character a tick, as a person types: keys sent ahead of an editor
// that a Tab or Enter opens may not reach it. The script is UTF-8.
bool Type(const Step& step, std::string* error) {
    const std::string& text = step.rest;
    size_t& i = player.typed;
    if (i >= text.size()) return i = 0, true;
    if (static_cast<unsigned char>(text[i]) >= 0x80) {
        size_t end = i + 1;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        TypeCharacter(text.substr(i, end - i));
        i = end;
        *error = "waiting";
        return false;
    }
    char c = text[i++];
    if (c == '\\' && i < text.size()) {
        c = text[i] == 't' ? '\t' : text[i] == 'n' ? '\n' : text[i];
        ++i;
    }
    const SHORT scan = c == '\t' ? VK_TAB : c == '\n' ? VK_RETURN : VkKeyScanA(c);
    const bool shift = (scan & 0x100) != 0;
    if (shift) SendKey(VK_SHIFT, false);
    SendKey(LOBYTE(scan), false);
    SendKey(LOBYTE(scan), true);
    if (shift) SendKey(VK_SHIFT, true);
    *error = "waiting";
    return false;
}

// ---- Menus and message boxes ----

std::string Label(HMENU menu, UINT position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    std::string label;
    for (const char* p = text; *p && *p != '\t'; ++p) {
        if (*p != '&') label += *p;
    }
    return label;
}

// As a user opens the menu first, the program greys what does not apply.
bool FindItem(HMENU menu, const std::string& label, UINT* id, bool* greyed) {
    SendMessageA(player.target.window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (FindItem(sub, label, id, greyed)) return true;
        } else if (lstrcmpiA(Label(menu, i).c_str(), label.c_str()) == 0) {
            *id = GetMenuItemID(menu, i);
            *greyed = (GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) != 0;
            return true;
        }
    }
    return false;
}

// Posted, so that a message box the command opens runs its own loop, in
// which the following ticks go on.
bool Menu(const Step& step, std::string* error) {
    UINT id = 0;
    bool greyed = false;
    if (!FindItem(GetMenu(player.target.window), step.rest, &id, &greyed))
        return *error = "no menu item \"" + step.rest + "\"", false;
    if (greyed) return *error = "the menu item is greyed", false;
    PostMessageA(player.target.window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return true;
}

struct BoxSearch {
    std::string title;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    char title[128] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    if (!IsWindowVisible(hwnd) || search->title != title) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// Answers false while the box is not up yet; the step then waits.
bool Dialog(const Step& step, std::string* error) {
    BoxSearch search{step.rest, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return *error = "waiting", false;
    // A message box's text is its static control with id 0xFFFF.
    wchar_t text[512] = L"";
    GetDlgItemTextW(search.found, 0xFFFF, text, 512);
    fprintf(stderr, "dialog \"%s\": %s\n", step.rest.c_str(), Utf8(text).c_str());
    SetForegroundWindow(search.found);
    SendKey(VK_RETURN, false);
    SendKey(VK_RETURN, true);
    return true;
}

bool Signal(const Step& step, std::string* error) {
    HANDLE file = CreateFileA(step.rest.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return *error = "cannot make the file", false;
    CloseHandle(file);
    return true;
}

bool Wait(const Step& step, std::string* error) {
    if (GetFileAttributesA(step.rest.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    return *error = "waiting", false;
}

// ---- Checks ----

std::string StatusMessage() {
    wchar_t text[512] = L"";
    const HWND status = player.target.status;
    if (LOWORD(SendMessageW(status, SB_GETTEXTLENGTHW, player.target.messagePart, 0)) < 512)
        SendMessageW(status, SB_GETTEXTW, player.target.messagePart, reinterpret_cast<LPARAM>(text));
    return Utf8(text);
}

// The text after the first `words` words of a step, blanks kept.
std::string TextAfter(const Step& step, size_t words) {
    size_t at = 0;
    for (size_t i = 0; i < words && at != std::string::npos; ++i) {
        at = step.rest.find_first_not_of(' ', at);
        at = step.rest.find(' ', at);
    }
    return at == std::string::npos ? "" : step.rest.substr(at + 1);
}

bool Expect(const Step& step, std::string* error) {
    HWND grid = player.target.grid;
    const auto& w = step.words;
    const auto number = [&w](size_t i) { return i < w.size() ? atoi(w[i].c_str()) : -1; };
    const std::string what = w.empty() ? "" : w[0];
    std::string want, got;
    if (what == "cell" && w.size() >= 3) {
        want = TextAfter(step, 3);
        FieldDef def{};
        got = GetCell(grid, 0, ParseRow(w[1]), number(2), &def);
    } else if (what == "rows" && w.size() == 2) {
        want = w[1], got = std::to_string(GetRowCount(grid));
    } else if (what == "state" && w.size() == 3) {
        want = w[2], got = std::to_string(RowModified(grid, number(1)));
    } else if (what == "current" && w.size() == 3) {
        want = w[1] + " " + w[2];
        got = std::to_string(GetCurrentRow(grid)) + " " + std::to_string(GetCurrentCol(grid));
    } else if (what == "message" && w.size() >= 2) {
        want = TextAfter(step, 1);
        got = StatusMessage();
        if (got.find(want) != std::string::npos) return true;
    } else {
        return *error = "expect cell|rows|state|current|message ...", false;
    }
    if (want == got) return true;
    *error = "wanted \"" + want + "\", the program shows \"" + got + "\"";
    return false;
}

// ---- Playing ----

using StepFunction = bool (*)(const Step&, std::string*);

StepFunction FunctionFor(const std::string& verb) {
    static const struct { const char* verb; StepFunction run; } verbs[] = {
        {"click", [](const Step& s, std::string* e) { return Click(s, false, e); }},
        {"dblclick", [](const Step& s, std::string* e) { return Click(s, true, e); }},
        {"key", Key}, {"type", Type}, {"menu", Menu}, {"dialog", Dialog},
        {"signal", Signal}, {"wait", Wait}, {"expect", Expect},
    };
    for (const auto& v : verbs) {
        if (verb == v.verb) return v.run;
    }
    return nullptr;
}

void Finish(UINT_PTR timer, int code) {
    KillTimer(nullptr, timer);
    player.done = true;
    fflush(stderr);
    PostQuitMessage(code);
}

// One step a tick. Ticks come only when the queue is empty, so the input the
// previous step sent has been handled; they also come inside a message box's
// own loop, where the next step can answer the box.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    if (player.busy || player.done) return;
    if (player.next == player.steps.size()) return Finish(timer, 0);
    player.busy = true;
    for (WORD vk : player.released) SendKey(vk, true);
    player.released.clear();
    const Step& step = player.steps[player.next];
    std::string error;
    if (FunctionFor(step.verb)(step, &error)) {
        ++player.next;
        player.waited = 0;
    } else if (error != "waiting" || ++player.waited > kWaitTicks) {
        fprintf(stderr, "script line %d (%s %s): %s\n", step.line, step.verb.c_str(), step.rest.c_str(),
                error == "waiting" ? "gave up waiting" : error.c_str());
        Finish(timer, kExitFailed);
    }
    player.busy = false;
}

}  // namespace

bool StartScript(const std::string& file, const ScriptTarget& target, std::string* error) {
    std::ifstream in(file);
    if (!in) return *error = "cannot read the script " + file, false;
    player.target = target;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        Step step{number, line.substr(0, line.find(' ')), {}, ""};
        if (line.size() > step.verb.size()) step.rest = line.substr(step.verb.size() + 1);
        std::istringstream words(step.rest);
        for (std::string word; words >> word;) step.words.push_back(word);
        if (!FunctionFor(step.verb)) return *error = "script line " + std::to_string(number) + ": unknown step", false;
        player.steps.push_back(step);
    }
    // Real input reaches the focus of the active window only.
    SetForegroundWindow(target.window);
    SetFocus(target.grid);
    return SetTimer(nullptr, 0, kTickMs, Tick) != 0;
}

}  // namespace demo
