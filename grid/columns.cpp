#include "grid/columns.h"

#include <cstring>

#include "grid/cell_store.h"
#include "support/answers.h"
#include "support/memory.h"
#include "support/wide_text.h"

namespace tabrix {
namespace {

void RemoveHeaderItems(const Grid& grid) {
    HWND header = grid.state->hwndHeader;
    if (!header) return;
    for (int count = Header_GetItemCount(header); count > 0; --count) {
        if (!Header_DeleteItem(header, count - 1)) break;
    }
}

template <class T>
bool AllocColumnArray(T*& array, int count) {
    array = static_cast<T*>(ZeroAlloc(sizeof(T) * static_cast<size_t>(count)));
    return array != nullptr;
}

bool AllocColumnArrays(GridArrays* a) {
    const int n = a->fieldCapacity;
    return AllocColumnArray(a->colLocked, n) && AllocColumnArray(a->colType, n) && AllocColumnArray(a->colTag1, n) &&
           AllocColumnArray(a->colTag2, n) && AllocColumnArray(a->colTag3, n) &&
           AllocColumnArray(a->colBackColor, n) && AllocColumnArray(a->colTextColor, n) &&
           AllocColumnArray(a->colAlign, n) && AllocColumnArray(a->colMultiline, n);
}

// Labels are cut to what the label table holds, at a character's end.
void CopyLabel(char (&label)[kLabelChars], const char* text, const TextEncoding& encoding) {
    size_t len = strnlen(text, kLabelChars - 1);
    if (text[len] != '\0') len = WholeCharacters(text, len, encoding);
    memcpy(label, text, len);
    label[len] = '\0';
}

bool DefinableColumn(const Grid& grid, int col) { return col >= 1 && col <= grid.state->colCount; }

// DefineField keeps the low byte of each host tag.
void SetColumnTags(GridArrays* a, int col, const FieldDef& def) {
    a->colTag1[col] = static_cast<uint8_t>(def.tag1);
    a->colTag2[col] = static_cast<uint8_t>(def.tag2);
    a->colTag3[col] = static_cast<uint8_t>(def.tag3);
}

}  // namespace

bool ColumnCountFits(int n) { return n >= 1 && n <= kMaxDataCols; }

int DimCols(const Grid& grid, int n) {
    if (!ColumnCountFits(n)) return kTooBig;
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    s->selectedRow = 0;

    ClearColLabels(grid);
    RemoveHeaderItems(grid);
    FreeGridArrays(a);
    s->colCount = 0;
    s->rowCount = 0;
    s->undoEnabled = 0;
    memset(s->colLabel, 0, sizeof s->colLabel);
    memset(s->colCharLimit, 0, sizeof s->colCharLimit);

    for (int i = 0; i < n + 2; ++i) {
        if (AddField(a, 0) < 0) break;
    }
    // A grid whose columns could not all be made stays without columns
    // rather than with arrays shorter than its column count.
    if (a->fieldCount != n + 2 || !AllocColumnArrays(a)) {
        FreeGridArrays(a);
        return 0;
    }
    const int ownWidth = s->metrics.rowHeaderWidth;
    s->colWidth[0] = ownWidth;
    s->colCount = a->fieldCapacity - 1;
    SendHeaderItem(grid, HDM_INSERTITEMA, 0, ownWidth, "", HDF_CENTER);
    InsertColLabel(grid, ownWidth, "", n + 1, HDF_CENTER);
    return kDone;
}

int DefineField(const Grid& grid, int col, int type, const FieldDef* def) {
    GridArrays* a = grid.arrays;
    if (!DefinableColumn(grid, col)) return kNotDefinable;
    if (!def || def->size < 1) return kBadDefinition;
    if (def->size > kMaxFieldSize) return kTooBig;
    // The slot comes first: it is the only step that can fail, and a failed
    // definition must leave the column as it was.
    if (!AppendFieldSlot(a, col, def->size)) return kTooBig;

    SetColumnTags(a, col, *def);
    grid.state->colCharLimit[col] = 0;
    InsertColLabel(grid, def->width, def->label ? def->label : "", col, def->align);
    ApplyColumnSettings(grid, col, type, *def);
    return kDone;
}

void ApplyColumnSettings(const Grid& grid, int col, int type, const FieldDef& def) {
    GridState* s = grid.state;
    GridArrays* a = grid.arrays;
    s->colWidth[col] = def.width;
    a->colAlign[col] = def.align;
    if (def.multiline > 0) a->colMultiline[col] = 4;
    a->colBackColor[col] = def.backColor > 0 ? def.backColor : -1;
    a->colTextColor[col] = def.textColor > 0 ? def.textColor : -1;
    if (def.fontFace) {
        // memmove: a refreshed column passes the grid's own copy back.
        const size_t length = strnlen(def.fontFace, LF_FACESIZE - 1);
        memmove(s->colFaceText[col], def.fontFace, length);
        s->colFaceText[col][length] = '\0';
        s->colFontFace[col] = s->colFaceText[col];
        s->colFontSize[col] = def.fontSize;
        s->colFontWeight[col] = def.fontWeight;
        s->colFontItalic[col] = def.fontItalic;
        s->colFontUnderline[col] = def.fontUnderline;
    }
    a->colLocked[col] = static_cast<uint8_t>(def.locked);
    a->colType[col] = static_cast<uint8_t>(type);
}

int RedefineFieldInPlace(const Grid& grid, int col, int type, const FieldDef* def) {
    GridArrays* a = grid.arrays;
    if (!DefinableColumn(grid, col)) return kNotDefinable;
    if (!def || def->size < 1) return kBadDefinition;
    if (def->size > kMaxFieldSize) return kTooBig;
    if (!ValidColumn(a, col) || (DeclaredSize(a, col) != def->size && !AppendFieldSlot(a, col, def->size))) {
        return kTooBig;
    }
    SetColumnTags(a, col, *def);
    CopyLabel(grid.state->colLabel[col], def->label ? def->label : "", grid.state->encoding);
    ApplyColumnSettings(grid, col, type, *def);
    // The existing header item shows the new label and width at the next paint.
    grid.state->headerDirty = 1;
    return kDone;
}

int DefineRawField(const Grid& grid, int size, int col, uint8_t locked, int type) {
    if (size < 1) return kBadDefinition;
    if (!ValidFieldType(type)) return kBadFieldType;
    if (!DefinableColumn(grid, col)) return kNotDefinable;
    if (size > kMaxFieldSize || !AppendFieldSlot(grid.arrays, col, size)) return kTooBig;
    grid.arrays->colLocked[col] = locked;
    grid.arrays->colType[col] = static_cast<uint8_t>(type);
    return kDone;
}

int InsertColLabel(const Grid& grid, int width, const char* text, int index, int align) {
    if (index < 1 || index >= kColSlots || !text) return kBadColumnIndex;
    GridState* s = grid.state;
    CopyLabel(s->colLabel[index], text, s->encoding);
    SendHeaderItem(grid, HDM_INSERTITEMA, index, width, s->colLabel[index], align);
    s->colWidth[index] = width;
    s->headerDirty = 1;
    return kDone;
}

void ResizeOwnColumns(const Grid& grid) {
    GridState* s = grid.state;
    const int ownWidth = s->metrics.rowHeaderWidth;
    s->colWidth[0] = ownWidth;
    SendHeaderItem(grid, HDM_SETITEMA, 0, ownWidth, "", HDF_CENTER);
    if (s->colCount > 0 && s->colCount < kColSlots) s->colWidth[s->colCount] = ownWidth;
    s->headerDirty = 1;
}

int ClearColLabels(const Grid& grid) {
    GridState* s = grid.state;
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<char*>("");
    for (int col = 1; col <= s->colCount && col < kColSlots; ++col) {
        SendMessageA(s->hwndHeader, HDM_SETITEMA, col, reinterpret_cast<LPARAM>(&item));
        s->colLabel[col][0] = '\0';
    }
    return kDone;
}

int LockField(const Grid& grid, int col, uint8_t locked) {
    if (!ValidColumn(grid.arrays, col)) return kBadColumnIndex;
    grid.arrays->colLocked[col] = locked;
    return kLocked;
}

void SendHeaderItem(const Grid& grid, UINT message, int index, int width, const char* text, int align) {
    if (Utf8Grid(grid.state)) {
        // The header shows a UTF-8 grid's labels as characters.
        const std::wstring wide = ToWide(text, CP_UTF8);
        HDITEMW item{};
        item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
        item.cxy = width;
        item.pszText = const_cast<wchar_t*>(wide.c_str());
        item.cchTextMax = static_cast<int>(wide.size()) + 1;
        item.fmt = HDF_STRING | align;
        const UINT wideMessage = message == HDM_INSERTITEMA ? HDM_INSERTITEMW : HDM_SETITEMW;
        SendMessageW(grid.state->hwndHeader, wideMessage, index, reinterpret_cast<LPARAM>(&item));
        return;
    }
    HDITEMA& item = grid.state->headerItem;
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.cxy = width;
    item.pszText = const_cast<char*>(text);
    item.cchTextMax = static_cast<int>(strlen(text)) + 1;
    item.fmt = HDF_STRING | align;
    SendMessageA(grid.state->hwndHeader, message, index, reinterpret_cast<LPARAM>(&item));
}

int ColumnWidth(const GridState* state, int col) {
    return col >= 0 && col < kColSlots ? state->colWidth[col] : 0;
}

int GetFldSize(const Grid& grid, int col) {
    return ValidColumn(grid.arrays, col) ? grid.arrays->fieldTable[col].size : 0;
}

}  // namespace tabrix
