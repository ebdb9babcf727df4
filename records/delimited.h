// Delimited records: one record per line, fields split at the first
// character of the field delimiter. Every double quote is dropped and
// quotes do not protect a separator; a field longer than its column keeps
// its first declared-size characters.
#pragma once

#include "records/record_rows.h"

namespace tabrix {

// Row's record as a pooled string: the whole delimiter after every data
// column but the last, the filler column's text straight after the last.
// With `quote` set, columns whose first tag byte is 1 are enclosed in
// double quotes (embedded quotes are not doubled). kInvalidRowText for a
// row below 1 or not below maxRow.
const char* DelimitedRecord(const GridArrays* arrays, int row, const char* delimiter, int quote);

// Parses one line into `row`. An empty field between two separators leaves
// its cell as it was; a field at the end of the record, or made of quotes
// only, empties it. Answers 1, or 0 for an empty record or delimiter, a
// row below 0, or no room. A field longer than its column is cut to whole
// characters of `encoding`.
int PutDelimitedRecord(GridArrays* arrays, int row, const char* record, const char* lineEnd, const char* delimiter,
                       const TextEncoding& encoding = TextEncoding{});

// Replaces every row with the lines of `text`. A line end is the first
// character of `lineEnd`, its second, or the two in that order; it always
// ends the row. Fields beyond the last data column are skipped, missing
// fields stay empty, a blank line is an empty row, and a last line without
// a line end is a row when it holds any character. maxRow becomes the
// new-record row after the loaded rows.
LoadOutcome LoadDelimitedRecords(GridArrays* arrays, const char* text, const char* lineEnd, const char* delimiter,
                                 const TextEncoding& encoding = TextEncoding{});

}  // namespace tabrix
