#include "control/grid_window.h"

#include "control/accessible_grid.h"
#include "control/paint_cycle.h"
#include "edit/editors.h"
#include "edit/focus.h"
#include "edit/keys.h"
#include "edit/mouse.h"
#include "edit/navigation.h"
#include "edit/undo.h"
#include "edit/wheel.h"
#include "grid/appearance.h"
#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/grid_access.h"
#include "grid/image_events.h"
#include "grid/library.h"
#include "grid/rows.h"
#include "grid/text_encoding.h"
#include "support/memory.h"
#include "support/wide_text.h"
#include "view/header.h"
#include "view/scroll.h"
#include "view/surface.h"

namespace tabrix {
namespace {

// Sent to child windows when their parent's resolution changed (not in
// every platform header this builds with).
constexpr UINT kDpiChangedAfterParent = 0x02E3;

bool CreateHeader(const Grid& grid) {
    GridState* s = grid.state;
    s->hwndHeader = CreateWindowExA(0, WC_HEADERA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, grid.hwnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHeaderId)),
                                    WindowInstance(grid.hwnd), nullptr);
    if (!s->hwndHeader) return false;
    SubclassHeader(grid);
    SendMessageA(s->hwndHeader, WM_SETFONT, reinterpret_cast<WPARAM>(s->headerFont), TRUE);
    s->headerItem.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    s->headerItem.fmt = HDF_STRING;
    ShowWindow(s->hwndHeader, SW_SHOW);
    return true;
}

// The list editor, in the cell font, fits in the smallest row.
int SmallestRowHeight(const GridState* s) {
    RECT combo;
    GetWindowRect(s->hwndCombo, &combo);
    return combo.bottom - combo.top + s->metrics.rowHeightExtra;
}

int WindowDpi(HWND hwnd) { return library.windowDpi ? library.windowDpi(hwnd) : kDefaultDpi; }

// Step by step as a host would shape a new grid: one column, row 1, the
// new-record row and undo. False when any step ran out of memory.
bool ShapeNewGrid(const Grid& grid) {
    GridState* s = grid.state;
    GridAttr defaults{};
    defaults.showGridLines = 1;
    defaults.showLineNumbers = 1;
    SetGridAttr(grid, defaults);
    if (!CreateComboBox(grid)) return false;

    s->minRowHeight = SmallestRowHeight(s);
    s->rowHeight = s->minRowHeight;

    if (!s->hwndHeader && !CreateHeader(grid)) return false;
    GetClientRect(grid.hwnd, &s->clientRect);
    if (!s->memDC) RebuildSurface(grid, s->clientRect.right, s->clientRect.bottom);
    s->curRow = 1;
    s->curCol = 1;
    LayOutHeader(grid);

    return DimCols(grid, 1) == kDone && DefineRawField(grid, 1, 1, 0, FieldText) == kDone &&
           InsertColLabel(grid, s->metrics.rowHeaderWidth, "", 1, HDF_LEFT) == kDone && CreateCell(grid, 1, 1, "") == kStored &&
           CreateCell(grid, 1, 1, "") == kStored && SetUndoBuffer(grid) == kDone;
}

LRESULT OnCreate(HWND hwnd) {
    auto* state = static_cast<GridState*>(ZeroAlloc(sizeof(GridState)));
    auto* arrays = static_cast<GridArrays*>(ZeroAlloc(sizeof(GridArrays)));
    // A grid without its records could only crash later: refuse creation,
    // which makes CreateWindowEx (and so CreateGrid) answer 0.
    if (!state || !arrays) {
        FreeBlock(state);
        FreeBlock(arrays);
        return -1;
    }
    state->hwndGrid = hwnd;
    state->metrics = MetricsAt(WindowDpi(hwnd));
    state->newRowIndex = -1;
    // No keyboard move is pending; 0 would read as a pending SB_LINEUP.
    state->vScrollCode = -1;
    state->hScrollCode = -1;
    SetTextEncoding(state, kAnsiTexts);
    library.lastGrid = hwnd;
    AttachRecords(hwnd, state, arrays);

    INITCOMMONCONTROLSEX controls{sizeof controls, 0};
    InitCommonControlsEx(&controls);

    Grid grid{hwnd, state, arrays};
    if (!ShapeNewGrid(grid)) return -1;  // WM_DESTROY follows and frees what was made
    if (!GridSurvived(grid)) return -1;   // a focus change let the host destroy it
    RequestRepaint(grid);
    return 0;
}

// The parent moved to a display of another resolution: every measure the
// grid owns follows, the fonts it made itself are made anew, the row height
// it chose itself follows the list editor's, and an open editor moves to
// where its cell is now, in one repaint. Widths and heights the host gave
// stay: the host scales them, as for any control.
LRESULT OnDpiChanged(const Grid& grid) {
    GridState* s = grid.state;
    const int dpi = WindowDpi(grid.hwnd);
    if (MetricsAt(dpi).dpi == s->metrics.dpi) return 0;
    const int oldMinimum = s->minRowHeight;
    s->metrics = MetricsAt(dpi);
    RemakeOwnFonts(grid);
    // Measured in the cell font, as at creation; an open list editor then
    // gets its column's font back.
    SendMessageA(s->hwndCombo, WM_SETFONT, reinterpret_cast<WPARAM>(s->cellFont), FALSE);
    s->minRowHeight = SmallestRowHeight(s);
    RefitEditorFonts(grid);
    if (s->rowHeight == oldMinimum || s->rowHeight < s->minRowHeight) s->rowHeight = s->minRowHeight;
    ResizeOwnColumns(grid);
    s->editorLastX = -100;
    if (!HasCells(s)) return LayOutHeader(grid), 0;
    return OnSize(grid);
}

LRESULT OnDestroy(const Grid& grid) {
    GridState* s = grid.state;
    if (s->editing) CommitEdit(grid);
    DisconnectAccessible(s);
    ReleaseSurface(s);
    RestoreWindowProc(s->hwndEdit, s->editPrevProc);
    RestoreWindowProc(s->hwndComboEdit, s->comboEditPrevProc);
    RestoreWindowProc(s->hwndHeader, s->headerPrevProc);
    if (s->hwndEdit && IsWindow(s->hwndEdit)) DestroyWindow(s->hwndEdit);
    if (s->hwndCombo && IsWindow(s->hwndCombo)) DestroyWindow(s->hwndCombo);
    // The grid owns every font made for it; the children are gone, so none
    // of them still draws with one.
    DeleteOwned(s->cellFont);
    DeleteOwned(s->headerFont);
    DeleteOwned(s->editFont);
    DeleteOwned(s->comboFont);
    ForgetGridInput(grid.hwnd);
    // A message arriving after this finds no records rather than freed ones.
    DetachRecords(grid.hwnd);
    FreeGridArrays(grid.arrays);
    FreeBlock(grid.arrays);
    FreeBlock(s);
    return 0;
}

}  // namespace

LRESULT CALLBACK GridWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return OnCreate(hwnd);
    Grid grid = GridFromWindow(hwnd);
    if (!grid.state || !grid.arrays) return DefWindowProcA(hwnd, message, wParam, lParam);
    NoteImageEvent(grid.state, message);

    switch (message) {
        case WM_DESTROY:
            CancelRowDrag(grid);
            return OnDestroy(grid);
        case WM_CTLCOLOREDIT: {
            LRESULT brush;
            if (OnCtlColorEdit(grid, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), &brush)) {
                return brush;
            }
            break;
        }
        case WM_PAINT:
            return OnPaint(grid);
        case WM_ERASEBKGND:
            // The paint that follows covers every pixel from its off-screen
            // image; painting here too would nest one BeginPaint in another.
            return TRUE;
        case WM_SIZE:
            return OnSize(grid);
        case WM_VSCROLL:
            return OnVScroll(grid, LOWORD(wParam));
        case WM_HSCROLL:
            return OnHScroll(grid, LOWORD(wParam));
        case WM_NOTIFY: {
            LRESULT result;
            if (OnHeaderNotify(grid, reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
            break;
        }
        case WM_GETDLGCODE:
            // A dialog host passes Tab, Enter, Escape and the arrows on.
            return DLGC_WANTALLKEYS;
        case WM_SETFOCUS:
            return OnSetFocus(grid);
        case WM_KILLFOCUS:
            return OnKillFocus(grid);
        case WM_KEYDOWN:
            return OnKeyDown(grid, wParam);
        case WM_SYSKEYDOWN:
            if (OnSysKeyDown(grid, wParam)) return 0;
            break;
        case WM_CHAR:
            return OnChar(grid, wParam);
        case WM_KEYUP:
            return OnKeyUp(grid, wParam);
        case WM_COMMAND:
            if (OnComboCommand(grid, wParam)) return 0;
            break;
        case WM_MOUSEMOVE:
            return OnMouseMove(grid, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnLButtonDown(grid, lParam);
        case WM_LBUTTONUP:
            return OnLButtonUp(grid, lParam);
        case WM_LBUTTONDBLCLK:
            return OnLButtonDblClk(grid, lParam);
        case WM_RBUTTONUP:
            return OnRButtonUp(grid, lParam);
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
            if (OnMouseWheel(grid, message, wParam)) return 0;
            break;
        case WM_CONTEXTMENU:
            return OnContextMenu(grid, lParam);
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            CancelRowDrag(grid);
            break;
        case WM_SHOWWINDOW:
            if (!wParam) CancelRowDrag(grid);
            break;
        case WM_GETOBJECT: {
            LRESULT object;
            if (AnswerGetObject(grid, wParam, lParam, &object)) return object;
            break;
        }
        case kDpiChangedAfterParent:
            return OnDpiChanged(grid);
        case kAccessibleAction:
            return OnAccessibleAction(grid, wParam, lParam);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

ATOM RegisterGridClass(HINSTANCE module) {
    WNDCLASSA wc{};
    wc.style = CS_GLOBALCLASS | CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = GridWndProc;
    wc.cbWndExtra = kWindowExtraBytes;
    wc.hInstance = module;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kGridClassName;
    return RegisterClassA(&wc);
}

HWND CreateGridWindow(HWND parent, HINSTANCE instance, int border, int id, int x, int y, int width,
                      int height) {
    if (!instance) return nullptr;
    // The grid never draws under its children (header, editors): clipping
    // them keeps a repaint of the cells from repainting the header too.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
    if (border == 1) style |= WS_BORDER;
    DWORD exStyle = border == 2 ? WS_EX_CLIENTEDGE : 0;
    return CreateWindowExA(exStyle, kGridClassName, "", style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace tabrix
