#include "records/delimited.h"

#include <climits>
#include <cstring>

#include "grid/cell_store.h"
#include "records/field_scan.h"
#include "support/temp_string.h"
#include "support/text_scan.h"

namespace tabrix {
namespace {

constexpr uint8_t kQuotedTag = 1;  // the first tag byte of fixed-length character columns

bool Empty(const char* text) { return !text || !*text; }

struct LineScan {
    bool lineEnded;
    bool anyCharacter;
};

// Stores the fields of the line at the scanner's cursor into the data
// columns of `record`; fields after the last data column are skipped up to
// the line end. With clearTails, a present field replaces the whole old
// text; a load writes into zero-filled slots and skips that work.
LineScan StoreLine(FieldScanner& scanner, const GridArrays* a, uint8_t* record, bool clearTails,
                   const TextEncoding& encoding) {
    const char* start = scanner.position();
    const int lastDataColumn = LastRecordColumn(a) - 1;
    for (int col = 1;; ++col) {
        ScannedField field;
        if (col <= lastDataColumn) {
            const size_t size = static_cast<size_t>(DeclaredSize(a, col));
            char* slot = reinterpret_cast<char*>(SlotAddress(a, record, col));
            field = scanner.Next(slot, size);
            // A field longer than its slot keeps whole characters only.
            if (field.cut && !encoding.SingleByte()) {
                const size_t whole = WholeCharacters(slot, field.kept, encoding);
                memset(slot + whole, 0, field.kept - whole);
                field.kept = whole;
            }
            if (clearTails && field.present) memset(slot + field.kept, 0, size + 1 - field.kept);
        } else {
            field = scanner.Next(nullptr, 0);
        }
        if (field.end != FieldEnd::Delimiter) {
            return {field.end == FieldEnd::LineEnd, scanner.position() != start};
        }
    }
}

// Rows a load will fill, counted at the line end's last character: exact
// for CR LF and LF-only texts. Other texts are grown into as they load;
// allocating once matters, since growing copies the block again and again.
int64_t ExpectedRows(const char* text, const char* lineEnd) {
    const char mark = lineEnd && lineEnd[0] ? (lineEnd[1] ? lineEnd[1] : lineEnd[0]) : '\0';
    if (!mark) return 1;
    return 1 + static_cast<int64_t>(CountByte(text, TextLength(text), mark));
}

bool Quoted(const GridArrays* a, int col, int quote) {
    return quote && a->colTag1 && a->colTag1[col] == kQuotedTag;
}

size_t CellLength(const uint8_t* record, const GridArrays* a, int col) {
    return strnlen(SlotText(a, record, col), static_cast<size_t>(DeclaredSize(a, col)));
}

}  // namespace

const char* DelimitedRecord(const GridArrays* arrays, int row, const char* delimiter, int quote) {
    const uint8_t* record = RowRecord(arrays, row);
    if (row < 1 || row >= arrays->maxRow || !record) return TempText(kInvalidRowText);
    if (!delimiter) delimiter = "";
    const size_t delimiterLength = strlen(delimiter);
    const int last = LastRecordColumn(arrays);

    int64_t length = 0;
    for (int col = 1; col <= last; ++col) {
        length += static_cast<int64_t>(CellLength(record, arrays, col)) + (Quoted(arrays, col, quote) ? 2 : 0);
        if (col < last - 1) length += static_cast<int64_t>(delimiterLength);
        if (length > INT_MAX) return TempText("");
    }
    char* out = RecordBuffer(length);
    if (!out) return TempText("");

    char* at = out;
    for (int col = 1; col <= last; ++col) {
        const bool quoted = Quoted(arrays, col, quote);
        const size_t len = CellLength(record, arrays, col);
        if (quoted) *at++ = '"';
        memcpy(at, SlotText(arrays, record, col), len);
        at += len;
        if (quoted) *at++ = '"';
        if (col < last - 1) {
            memcpy(at, delimiter, delimiterLength);
            at += delimiterLength;
        }
    }
    return out;
}

int PutDelimitedRecord(GridArrays* arrays, int row, const char* record, const char* lineEnd, const char* delimiter,
                       const TextEncoding& encoding) {
    if (Empty(record) || Empty(delimiter) || row < 0 || row == INT_MAX) return kNotStored;
    if (!LastRecordColumn(arrays) || !MakeRoomForRow(arrays, row)) return kNotStored;
    FieldScanner scanner(record, lineEnd, delimiter[0]);
    StoreLine(scanner, arrays, RowRecord(arrays, row), true, encoding);
    FinishPutRow(arrays, row);
    return kStored;
}

LoadOutcome LoadDelimitedRecords(GridArrays* arrays, const char* text, const char* lineEnd, const char* delimiter,
                                 const TextEncoding& encoding) {
    if (Empty(text) || Empty(delimiter)) return {kNotStored, false};
    if (!LastRecordColumn(arrays)) return {kNotStored, false};
    const int64_t expected = ExpectedRows(text, lineEnd);
    if (!ReplaceRows(arrays, expected > kLoadMargin ? expected : kLoadMargin)) return {kNotStored, false};

    FieldScanner scanner(text, lineEnd, delimiter[0]);
    int row = 1;
    int result = 1;
    for (;;) {
        // Room for the row and the new-record row after it; when growth
        // fails the rows loaded so far stay, followed by an empty row.
        if (!MakeRoomForRow(arrays, row)) {
            result = 0;
            break;
        }
        const LineScan line = StoreLine(scanner, arrays, RowRecord(arrays, row), false, encoding);
        if (line.lineEnded) {
            ++row;
            if (scanner.AtEnd()) break;
            continue;
        }
        if (line.anyCharacter) ++row;
        break;
    }
    arrays->maxRow = row;
    return {result, true};
}

}  // namespace tabrix
