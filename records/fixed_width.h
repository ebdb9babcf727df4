// Fixed-width records: each column's field is exactly its declared size,
// the text left-aligned and padded with spaces, fields back to back in
// column order. Bytes travel unchanged both ways.
#pragma once

#include "records/record_rows.h"

namespace tabrix {

// Row's record as a pooled string; kInvalidRowText outside rows 0 .. maxRow.
const char* FixedWidthRecord(const GridArrays* arrays, int row);

// Stores one record into `row`: 1, kBadRow, kShortRecord or kNotStored. A record ending inside a field fills that
// field with what is left; fields after it keep their texts. Raises maxRow
// to the row after `row`, which becomes the next new-record row at the end.
// A character of `encoding` the field's end splits is left out of it.
int PutFixedWidthRecord(GridArrays* arrays, int row, const char* record, const TextEncoding& encoding = TextEncoding{});

// Replaces every row with the whole records of `data` (a trailing partial
// record is ignored); maxRow becomes the new-record row after them.
LoadOutcome LoadFixedWidthRecords(GridArrays* arrays, const char* data, const TextEncoding& encoding = TextEncoding{});

}  // namespace tabrix
