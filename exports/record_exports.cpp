// Exports of record exchange: check the handle, fetch the records, hand
// the strings to the record formats.
#include "edit/editors.h"
#include "grid/grid_access.h"
#include "grid/rows.h"
#include "records/delimited.h"
#include "records/fixed_width.h"
#include "view/loaded_rows.h"

namespace {

template <class Op>
const char* RecordText(HWND hwnd, Op op) {
    return tabrix::WithComparedGridText(hwnd, tabrix::kNotGridRecordText, [&](const Grid& g) { return op(*g.arrays); });
}

// One row written: the row count follows the store and the scroll records
// go back to the top; the bars and the screen are left for the host's
// next repaint, so writing many rows costs no drawing.
template <class Op>
int PutRow(HWND hwnd, Op put) {
    return tabrix::WithGrid(hwnd, [&](const Grid& g) {
        const int rc = put(g.arrays, g.state->encoding);
        if (rc == tabrix::kStored) {
            g.state->rowCount = g.arrays->maxRow;
            tabrix::ResetScrollRecords(g.state);
        }
        return rc;
    });
}

template <class Op>
int LoadRows(HWND hwnd, Op load) {
    return tabrix::WithGrid(hwnd, [&](const Grid& g) {
        if (!tabrix::EditorClosed(g)) return tabrix::kEditRefused;
        const tabrix::LoadOutcome outcome = load(g.arrays, g.state->encoding);
        if (outcome.replaced) tabrix::ShowReplacedRows(g);
        return outcome.result;
    });
}
}  // namespace

extern "C" {

const char* WINAPI GetRecordRAF(HWND hwnd, int32_t row) {
    return RecordText(hwnd, [&](const GridArrays& a) { return tabrix::FixedWidthRecord(&a, row); });
}

int32_t WINAPI PutRecordRAF(HWND hwnd, int32_t row, const char* record) {
    return PutRow(hwnd, [&](GridArrays* a, const tabrix::TextEncoding& e) {
        return tabrix::PutFixedWidthRecord(a, row, record, e);
    });
}

int32_t WINAPI LoadRecordsetRAF(HWND hwnd, const char* data) {
    return LoadRows(hwnd, [&](GridArrays* a, const tabrix::TextEncoding& e) {
        return tabrix::LoadFixedWidthRecords(a, data, e);
    });
}

const char* WINAPI GetRecordDelimited(HWND hwnd, int32_t row, int32_t /*unused*/, const char* delimiter,
                                      int32_t quote) {
    return RecordText(hwnd, [&](const GridArrays& a) { return tabrix::DelimitedRecord(&a, row, delimiter, quote); });
}

int32_t WINAPI PutRecordDelimited(HWND hwnd, int32_t row, const char* record, const char* lineEnd,
                                  const char* delimiter) {
    return PutRow(hwnd, [&](GridArrays* a, const tabrix::TextEncoding& e) {
        return tabrix::PutDelimitedRecord(a, row, record, lineEnd, delimiter, e);
    });
}

int32_t WINAPI LoadRecordsetDelimited(HWND hwnd, const char* text, const char* lineEnd, const char* delimiter) {
    return LoadRows(hwnd,
                    [&](GridArrays* a, const tabrix::TextEncoding& e) {
                        return tabrix::LoadDelimitedRecords(a, text, lineEnd, delimiter, e);
                    });
}

}  // extern "C"
