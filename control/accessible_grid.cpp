#include "control/accessible_grid.h"

#include <oleacc.h>

#include <cstring>
#include <new>
#include <string>

#include "edit/check_box.h"
#include "edit/deletion.h"
#include "edit/focus.h"
#include "edit/mouse.h"
#include "edit/navigation.h"
#include "grid/cell_store.h"
#include "grid/grid_access.h"
#include "support/memory.h"
#include "support/text_scan.h"
#include "support/wide_text.h"
#include "view/accessible_ids.h"
#include "view/layout.h"

namespace tabrix {

// Made at a grid's first WM_GETOBJECT; the grid and every object handed out
// hold it, so an object outliving the grid finds `connected` cleared rather
// than a freed record or a window handle used again by another window.
struct AccessibleRoot {
    LONG refs;
    HWND hwnd;
    DWORD thread;
    bool connected;
};

namespace {

using Part = AccessiblePart;

// The entry points of oleacc, oleaut32 and ole32, found at the first
// WM_GETOBJECT. The libraries stay loaded: objects handed out may be
// called until the process ends.
struct ComEntries {
    bool looked = false;
    LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    BSTR(WINAPI* sysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
    HRESULT(WINAPI* getApartmentType)(APTTYPE*, APTTYPEQUALIFIER*) = nullptr;
} com;

template <class F>
void Find(const char* dll, const char* name, F* entry) {
    HMODULE module = LoadLibraryA(dll);
    *entry = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// Calls arrive on the grid's thread only in a single-threaded apartment; in
// a multithreaded one they would come from the platform's worker threads,
// and without COM nothing can be marshalled at all.
bool ComServesThisThread() {
    if (!com.looked) {
        com.looked = true;
        Find("oleacc.dll", "LresultFromObject", &com.lresultFromObject);
        Find("oleacc.dll", "CreateStdAccessibleObject", &com.createStdAccessibleObject);
        Find("oleaut32.dll", "SysAllocStringLen", &com.sysAllocStringLen);
        Find("ole32.dll", "CoGetApartmentType", &com.getApartmentType);
    }
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    return com.lresultFromObject && com.createStdAccessibleObject && com.sysAllocStringLen && com.getApartmentType &&
           SUCCEEDED(com.getApartmentType(&type, &qualifier)) && (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
}

// An object a client holds keeps code of this library on its call paths
// until the client lets go, perhaps after the host unloaded the library:
// once any is handed out, the library stays loaded.
void PinLibrary() {
    static bool pinned = false;
    HMODULE self;
    if (!pinned) {
        pinned = GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                    reinterpret_cast<LPCSTR>(&PinLibrary), &self) != FALSE;
    }
}

void ReleaseRoot(AccessibleRoot* root) {
    if (InterlockedDecrement(&root->refs) == 0) FreeBlock(root);
}

enum ActionKind { kToggle = 1, kSelect = 2, kFocus = 3 };

PartRef Make(Part part, int row = 0, int col = 0) { return PartRef{part, row, col}; }

PartRef ParentOf(const PartRef& p) {
    switch (p.part) {
        case Part::HeaderRow:
        case Part::Row:
            return Make(Part::Table);
        case Part::ColumnHeader:
            return Make(Part::HeaderRow);
        case Part::Cell:
            return Make(Part::Row, p.row);
        default:
            return Make(Part::None);
    }
}

bool Within(PartRef p, const PartRef& ancestor) {
    for (; p.part != Part::None; p = ParentOf(p)) {
        if (p == ancestor) return true;
    }
    return false;
}

// Headings and cells are plain children of their row: ids, not objects.
bool Simple(const PartRef& p) { return p.part == Part::Cell || p.part == Part::ColumnHeader; }

PartRef ChildOf(const GridState* s, const PartRef& self, LONG id) {
    if (id == CHILDID_SELF) return self;
    const bool column = id >= 1 && id <= DataColumns(s);
    switch (self.part) {
        case Part::Table:
            return TablePart(s, id);
        case Part::HeaderRow:
            return column ? Make(Part::ColumnHeader, 0, static_cast<int>(id)) : Make(Part::None);
        case Part::Row:
            return column ? Make(Part::Cell, self.row, static_cast<int>(id)) : Make(Part::None);
        default:
            return Make(Part::None);
    }
}

int ChildCount(const GridState* s, const PartRef& p) {
    switch (p.part) {
        case Part::Table:
            return 1 + RowsInView(s);
        case Part::HeaderRow:
        case Part::Row:
            return DataColumns(s);
        default:
            return 0;
    }
}

// The element next to `p` in direction `dir`, among the parts in view.
PartRef Neighbour(const GridState* s, const PartRef& p, long dir) {
    const int cols = DataColumns(s), first = s->vScroll.nPos, last = first + RowsInView(s) - 1;
    const bool before = dir == NAVDIR_PREVIOUS || dir == NAVDIR_LEFT, after = dir == NAVDIR_NEXT || dir == NAVDIR_RIGHT;
    auto row = [&](int r) { return r >= first && r <= last ? Make(Part::Row, r) : Make(Part::None); };
    auto cell = [&](int r, int c) {
        return r >= first && r <= last && c >= 1 && c <= cols ? Make(Part::Cell, r, c) : Make(Part::None);
    };
    auto heading = [&](int c) { return c >= 1 && c <= cols ? Make(Part::ColumnHeader, 0, c) : Make(Part::None); };
    switch (p.part) {
        case Part::Table:
            if (dir == NAVDIR_FIRSTCHILD) return Make(Part::HeaderRow);
            if (dir == NAVDIR_LASTCHILD) return last >= first ? row(last) : Make(Part::HeaderRow);
            break;
        case Part::HeaderRow:
            if (dir == NAVDIR_FIRSTCHILD) return heading(1);
            if (dir == NAVDIR_LASTCHILD) return heading(cols);
            if (dir == NAVDIR_NEXT || dir == NAVDIR_DOWN) return row(first);
            break;
        case Part::Row:
            if (dir == NAVDIR_FIRSTCHILD) return cell(p.row, 1);
            if (dir == NAVDIR_LASTCHILD) return cell(p.row, cols);
            if (dir == NAVDIR_NEXT || dir == NAVDIR_DOWN) return row(p.row + 1);
            if (dir == NAVDIR_PREVIOUS || dir == NAVDIR_UP) return p.row == first ? Make(Part::HeaderRow) : row(p.row - 1);
            break;
        case Part::ColumnHeader:
            if (before || after) return heading(p.col + (after ? 1 : -1));
            if (dir == NAVDIR_DOWN) return cell(first, p.col);
            break;
        case Part::Cell:
            if (before || after) return cell(p.row, p.col + (after ? 1 : -1));
            if (dir == NAVDIR_DOWN) return cell(p.row + 1, p.col);
            if (dir == NAVDIR_UP) return p.row == first ? heading(p.col) : cell(p.row - 1, p.col);
            break;
        default:
            break;
    }
    return Make(Part::None);
}

int Min(int a, int b) { return a < b ? a : b; }

// Where a part lies in the client area as the last paint laid it out;
// empty when it is out of view.
RECT PartArea(const GridState* s, const PartRef& p) {
    const int W = s->clientRect.right, B = s->clientRect.bottom;
    RECT area{0, 0, 0, 0};
    switch (p.part) {
        case Part::Table:
            return RECT{0, 0, W, B};
        case Part::HeaderRow:
            return RECT{0, 0, W, s->headerHeight};
        case Part::ColumnHeader:
            VisitShownColumns(s, W, [&](int c, int col, int x, int w) {
                if (c > 0 && col == p.col) area = RECT{x, 0, Min(x + w, W), s->headerHeight};
            });
            return area;
        case Part::Row:
            if (const int v = ViewPlace(s, p.row)) area = RECT{0, RowTop(s, v) + 1, Min(s->gridRight, W), Min(RowLine(s, v), B)};
            return area;
        case Part::Cell:
            CellArea(s, s->clientRect, p.row, p.col, &area);
            return area;
        default:
            return area;
    }
}

// The part under a point of the client area.
PartRef PartAt(const GridState* s, POINT at) {
    if (at.x < 0 || at.y < 0 || at.x >= s->clientRect.right || at.y >= s->clientRect.bottom) return Make(Part::None);
    int col = 0;
    VisitShownColumns(s, s->clientRect.right, [&](int c, int shown, int x, int w) {
        if (at.x >= x && at.x < x + w) col = c == 0 ? 0 : shown;
    });
    const bool data = col >= 1 && col <= DataColumns(s);
    if (at.y < s->headerHeight) return data ? Make(Part::ColumnHeader, 0, col) : Make(Part::HeaderRow);
    const int v = (at.y - s->headerHeight) / RowPitch(s) + 1;
    if (v > RowsInView(s)) return Make(Part::Table);
    const int row = s->vScroll.nPos + v - 1;
    return data ? Make(Part::Cell, row, col) : Make(Part::Row, row);
}

PartRef FocusedPart(const Grid& grid) {
    const GridState* s = grid.state;
    if (input.focusedGrid != grid.hwnd) return Make(Part::None);
    const PartRef cell = Make(Part::Cell, s->curRow, s->curCol);
    return ViewPlace(s, s->curRow) && PartExists(s, cell) ? cell : Make(Part::Table);
}

// The text a cell shows, as painting shows it: trailing blanks dropped, a
// deleted row's marker spelled out, nothing in the new-record row.
std::wstring CellWords(const GridState* s, const GridArrays* a, int row, int col, bool* deleted) {
    const char* text = row < s->rowCount ? CellText(a, row, col) : nullptr;
    const size_t length = text ? TrimmedLength(text, strlen(text)) : 0;
    *deleted = text && IsDeletedMarker(text, length);
    if (*deleted) return ToWide(kDeletedText, TextCodePage(s));
    std::wstring words;
    if (length) ToWide(text, static_cast<int>(length), TextCodePage(s), &words);
    return words;
}

bool CheckBox(const GridArrays* a, int col) { return ValidColumn(a, col) && a->colType[col] == FieldCheck; }

bool ReadOnlyCell(const Grid& grid, const PartRef& p, bool deleted) {
    return grid.state->readOnly || deleted || (ValidColumn(grid.arrays, p.col) && grid.arrays->colLocked[p.col]);
}

std::wstring Name(const Grid& grid, const PartRef& p) {
    const GridState* s = grid.state;
    switch (p.part) {
        case Part::Table: {
            wchar_t title[256] = L"";
            GetWindowTextW(grid.hwnd, title, 256);
            return title;
        }
        case Part::HeaderRow:
            return L"Column headers";
        case Part::ColumnHeader:
            return ToWide(s->colLabel[p.col], TextCodePage(s));
        case Part::Row:
            return p.row == s->rowCount ? L"New record" : std::to_wstring(p.row);
        case Part::Cell: {
            bool deleted;
            const std::wstring label = ToWide(s->colLabel[p.col], TextCodePage(s));
            const std::wstring words = CellWords(s, grid.arrays, p.row, p.col, &deleted);
            // A check box says its value through its state.
            return CheckBox(grid.arrays, p.col) || words.empty() ? label : label + L": " + words;
        }
        default:
            return L"";
    }
}

LONG Role(const Grid& grid, const PartRef& p) {
    switch (p.part) {
        case Part::Table:
            return ROLE_SYSTEM_TABLE;
        case Part::ColumnHeader:
            return ROLE_SYSTEM_COLUMNHEADER;
        case Part::Cell:
            return CheckBox(grid.arrays, p.col) ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_CELL;
        default:
            return ROLE_SYSTEM_ROW;
    }
}

LONG State(const Grid& grid, const PartRef& p) {
    const GridState* s = grid.state;
    const PartRef focused = FocusedPart(grid);
    RECT area = PartArea(s, p);
    LONG state = IsRectEmpty(&area) ? STATE_SYSTEM_OFFSCREEN : 0;
    if (!IsWindowVisible(grid.hwnd)) state |= STATE_SYSTEM_INVISIBLE;
    if (focused == p) state |= STATE_SYSTEM_FOCUSED;
    if (p.part == Part::Table) state |= STATE_SYSTEM_FOCUSABLE | (s->readOnly ? STATE_SYSTEM_READONLY : 0);
    if (p.part == Part::Row && p.row < s->rowCount) state |= STATE_SYSTEM_SELECTABLE;
    if ((p.part == Part::Row || p.part == Part::Cell) && p.row == s->selectedRow) state |= STATE_SYSTEM_SELECTED;
    if (p.part == Part::Cell) {
        bool deleted;
        const std::wstring words = CellWords(s, grid.arrays, p.row, p.col, &deleted);
        state |= STATE_SYSTEM_FOCUSABLE | (ReadOnlyCell(grid, p, deleted) ? STATE_SYSTEM_READONLY : 0);
        if (CheckBox(grid.arrays, p.col) && words == L"1") state |= STATE_SYSTEM_CHECKED;
    }
    return state;
}

// A check box the user could toggle, named from outside.
bool Toggles(const Grid& grid, const PartRef& p) {
    if (p.part != Part::Cell || !CheckBox(grid.arrays, p.col)) return false;
    bool deleted;
    CellWords(grid.state, grid.arrays, p.row, p.col, &deleted);
    return !ReadOnlyCell(grid, p, deleted);
}

void PostAction(const Grid& grid, ActionKind kind, int row, int col) {
    PostMessageA(grid.hwnd, kAccessibleAction, static_cast<WPARAM>(row), MAKELPARAM(col, kind));
}

class AccessibleObject final : public IAccessible {
public:
    static AccessibleObject* New(AccessibleRoot* root, const PartRef& part) {
        void* block = ZeroAlloc(sizeof(AccessibleObject));
        return block ? new (block) AccessibleObject(root, part) : nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, __uuidof(IUnknown)) && !IsEqualIID(iid, __uuidof(IDispatch)) &&
            !IsEqualIID(iid, __uuidof(IAccessible))) {
            return E_NOINTERFACE;
        }
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) {
            AccessibleRoot* root = root_;
            this->~AccessibleObject();
            FreeBlock(this);
            ReleaseRoot(root);
        }
        return static_cast<ULONG>(refs);
    }

    // IDispatch: clients reach the properties through the interface itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        Grid grid;
        const HRESULT hr = Reach(&grid);
        if (count) *count = 0;
        return FAILED(hr) ? hr : count ? S_OK : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return Unsupported();
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return Unsupported(); }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return Unsupported();
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        Grid grid;
        PartRef self;
        HRESULT hr = Resolve(SelfId(), &grid, &self);
        if (FAILED(hr)) return hr;
        if (part_.part != Part::Table) return Hand(ParentOf(part_), parent);
        IAccessible* window = nullptr;
        hr = com.createStdAccessibleObject(grid.hwnd, OBJID_WINDOW, __uuidof(IAccessible), reinterpret_cast<void**>(&window));
        *parent = window;
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        Grid grid;
        PartRef self;
        const HRESULT hr = Resolve(SelfId(), &grid, &self);
        if (SUCCEEDED(hr)) *count = ChildCount(grid.state, part_);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        Grid grid;
        PartRef target;
        const HRESULT hr = Resolve(child, &grid, &target);
        if (FAILED(hr)) return hr;
        if (target == part_) return E_INVALIDARG;
        return Simple(target) && ParentOf(target) == part_ ? S_FALSE : Hand(target, out);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return Text(child, out, S_FALSE, [](const Grid& g, const PartRef& p, std::wstring* text) {
            *text = Name(g, p);
            return true;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return Text(child, out, DISP_E_MEMBERNOTFOUND, [](const Grid& g, const PartRef& p, std::wstring* text) {
            bool deleted;
            if (p.part == Part::Cell) *text = CellWords(g.state, g.arrays, p.row, p.col, &deleted);
            return p.part == Part::Cell;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override { return NoText(child, out); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override { return NoText(child, out); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override { return NoText(child, out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (topic) *topic = 0;
        return NoText(child, file);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](const Grid& g, const PartRef& p) { return Role(g, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [](const Grid& g, const PartRef& p) { return State(g, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        return Found(out, [](const Grid& g) { return FocusedPart(g); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return Found(out, [](const Grid& g) {
            const int row = g.state->selectedRow;
            return row > 0 && ViewPlace(g.state, row) ? Make(Part::Row, row) : Make(Part::None);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return Text(child, out, DISP_E_MEMBERNOTFOUND, [](const Grid& g, const PartRef& p, std::wstring* text) {
            if (!Toggles(g, p)) return false;
            *text = State(g, p) & STATE_SYSTEM_CHECKED ? L"Uncheck" : L"Check";
            return true;
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        Grid grid;
        PartRef target;
        const HRESULT hr = Resolve(child, &grid, &target);
        if (FAILED(hr)) return hr;
        const GridState* s = grid.state;
        const bool row = target.part == Part::Row, cell = target.part == Part::Cell;
        const long selection = flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION);
        // Only data rows are selected; a cell takes the focus only.
        if (!(row || cell) || !flags || (flags & ~(SELFLAG_TAKEFOCUS | selection)) ||
            (selection && (cell || target.row >= s->rowCount))) {
            return E_INVALIDARG;
        }
        // The focus first, as the click that makes a row current comes before the double click that selects it.
        if (flags & SELFLAG_TAKEFOCUS) PostAction(grid, kFocus, target.row, cell ? target.col : 1);
        if (flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION)) {
            PostAction(grid, kSelect, target.row, 0);
        } else if (selection && target.row == s->selectedRow) {
            PostAction(grid, kSelect, 0, 0);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        Grid grid;
        PartRef target;
        const HRESULT hr = Resolve(child, &grid, &target);
        if (FAILED(hr)) return hr;
        RECT area = PartArea(grid.state, target);
        if (IsRectEmpty(&area)) return S_OK;
        MapWindowPoints(grid.hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
        *left = area.left;
        *top = area.top;
        *width = area.right - area.left;
        *height = area.bottom - area.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        end->vt = VT_EMPTY;
        Grid grid;
        PartRef from;
        const HRESULT hr = Resolve(start, &grid, &from);
        if (FAILED(hr)) return hr;
        if ((dir == NAVDIR_FIRSTCHILD || dir == NAVDIR_LASTCHILD) && !(from == part_)) return E_INVALIDARG;
        if (dir < NAVDIR_UP || dir > NAVDIR_LASTCHILD) return E_INVALIDARG;
        return Answer(Neighbour(grid.state, from, dir), false, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        return Found(out, [x, y](const Grid& g) {
            POINT at{x, y};
            MapWindowPoints(HWND_DESKTOP, g.hwnd, &at, 1);
            return PartAt(g.state, at);
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        Grid grid;
        PartRef target;
        const HRESULT hr = Resolve(child, &grid, &target);
        if (FAILED(hr)) return hr;
        if (!Toggles(grid, target)) return DISP_E_MEMBERNOTFOUND;
        PostAction(grid, kToggle, target.row, target.col);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return Unsupported(); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return Unsupported(); }

private:
    AccessibleObject(AccessibleRoot* root, const PartRef& part) : root_(root), part_(part) {
        InterlockedIncrement(&root->refs);
    }
    ~AccessibleObject() = default;

    static VARIANT SelfId() {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return self;
    }

    // The grid behind the object, or why there is none.
    HRESULT Reach(Grid* grid) const {
        if (!root_->connected) return CO_E_OBJNOTCONNECTED;
        if (GetCurrentThreadId() != root_->thread) return RPC_E_WRONG_THREAD;
        *grid = GridFromWindow(root_->hwnd);
        return grid->state && grid->arrays ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT Unsupported() const {
        Grid grid;
        const HRESULT hr = Reach(&grid);
        return FAILED(hr) ? hr : E_NOTIMPL;
    }
    // The part a child id names from this object; the object's own part
    // must still exist (a row cut away since is gone).
    HRESULT Resolve(const VARIANT& child, Grid* grid, PartRef* target) const {
        const HRESULT hr = Reach(grid);
        if (FAILED(hr)) return hr;
        if (child.vt != VT_I4 || !PartExists(grid->state, part_)) return E_INVALIDARG;
        *target = ChildOf(grid->state, part_, child.lVal);
        return PartExists(grid->state, *target) ? S_OK : E_INVALIDARG;
    }
    // A new object for `part`, handed to the client.
    HRESULT Hand(const PartRef& part, IDispatch** out) const {
        *out = New(root_, part);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    // `found` as this object names it: itself, one of its plain children,
    // or an object; `direct` answers the child of this object on the way
    // to it, as hit testing and the focus do.
    HRESULT Answer(PartRef found, bool direct, VARIANT* out) const {
        out->vt = VT_EMPTY;
        if (found.part == Part::None) return S_FALSE;
        while (direct && !(found == part_) && !(ParentOf(found) == part_)) found = ParentOf(found);
        if (found == part_ || (Simple(found) && ParentOf(found) == part_)) {
            out->vt = VT_I4;
            out->lVal = found == part_ ? CHILDID_SELF : found.col;
            return S_OK;
        }
        IDispatch* object = nullptr;
        const HRESULT hr = Hand(found, &object);
        if (SUCCEEDED(hr)) {
            out->vt = VT_DISPATCH;
            out->pdispVal = object;
        }
        return hr;
    }
    // Hit testing, the focus and the selection: a part found in the grid,
    // answered when it lies within this object.
    template <class Find>
    HRESULT Found(VARIANT* out, Find find) const {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        Grid grid;
        PartRef self;
        const HRESULT hr = Resolve(SelfId(), &grid, &self);
        if (FAILED(hr)) return hr;
        const PartRef found = find(grid);
        return found.part != Part::None && Within(found, part_) ? Answer(found, true, out) : S_FALSE;
    }
    template <class Read>
    HRESULT Text(const VARIANT& child, BSTR* out, HRESULT absent, Read read) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        Grid grid;
        PartRef target;
        const HRESULT hr = Resolve(child, &grid, &target);
        if (FAILED(hr)) return hr;
        std::wstring text;
        if (!read(grid, target, &text)) return absent;
        *out = com.sysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT NoText(const VARIANT& child, BSTR* out) const {
        return Text(child, out, S_FALSE, [](const Grid&, const PartRef&, std::wstring*) { return false; });
    }
    template <class Read>
    HRESULT Number(const VARIANT& child, VARIANT* out, Read read) const {
        if (!out) return E_POINTER;
        out->vt = VT_EMPTY;
        Grid grid;
        PartRef target;
        const HRESULT hr = Resolve(child, &grid, &target);
        if (FAILED(hr)) return hr;
        out->vt = VT_I4;
        out->lVal = read(grid, target);
        return S_OK;
    }

    LONG refs_ = 1;
    AccessibleRoot* root_;
    PartRef part_;
};

}  // namespace

bool AnswerGetObject(const Grid& grid, WPARAM wParam, LPARAM objectId, LRESULT* result) {
    if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT || !ComServesThisThread()) return false;
    GridState* s = grid.state;
    if (!s->accessibleRoot) {
        auto* root = static_cast<AccessibleRoot*>(ZeroAlloc(sizeof(AccessibleRoot)));
        if (!root) return false;
        *root = AccessibleRoot{1, grid.hwnd, GetCurrentThreadId(), true};
        s->accessibleRoot = root;
    }
    AccessibleObject* table = AccessibleObject::New(s->accessibleRoot, PartRef{Part::Table, 0, 0});
    if (!table) return false;
    const LRESULT answer = com.lresultFromObject(__uuidof(IAccessible), wParam, table);
    table->Release();
    if (FAILED(answer)) return false;
    PinLibrary();
    *result = answer;
    return true;
}

LRESULT OnAccessibleAction(const Grid& grid, WPARAM wParam, LPARAM lParam) {
    const int row = static_cast<int>(wParam), col = LOWORD(lParam);
    switch (HIWORD(lParam)) {
        case kToggle:
            ToggleCheckBoxAt(grid, row, col);
            break;
        case kSelect:
            if (row > 0) {
                SelectRowAsUser(grid, row);
            } else {
                SelectRow(grid, 0);
            }
            break;
        case kFocus:
            MoveAsClick(grid, row, col);
            break;
    }
    if (GridSurvived(grid)) RequestRepaint(grid);
    return 0;
}

void DisconnectAccessible(GridState* s) {
    if (!s->accessibleRoot) return;
    s->accessibleRoot->connected = false;
    ReleaseRoot(s->accessibleRoot);
    s->accessibleRoot = nullptr;
}

}  // namespace tabrix
