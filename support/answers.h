// What exports and internal routines answer, one name per meaning. Hosts
// compare these values, so none of them may change.
#pragma once

namespace tabrix {

// Every export that takes a grid handle.
constexpr int kDone = 1;
constexpr int kNotGrid = -3;           // null, destroyed, or a window of another class
constexpr int kNoRecords = 0;          // a grid window whose records are gone
constexpr int kEditRefused = 0;        // the open editor kept its text: the host refused it

// Texts answered where a number cannot be.
constexpr char kNotGridText[] = "DB_ERROR";        // GetCell
constexpr char kNotGridRecordText[] = "DB_ERR";    // the record exports
constexpr char kInvalidRowText[] = "INVALID_ROW_NUMBER";

// Columns.
constexpr int kNotDefinable = 0;       // DefineField: the column is outside 1 .. colCount - 1
constexpr int kBadDefinition = -1;     // null definition or a size below 1
constexpr int kBadFieldType = -2;
constexpr int kBadColumnIndex = -2;    // InsertColLabel, LockField
constexpr int kTooBig = -4;            // over the field size or column limits, or out of memory
constexpr int kLocked = 0;             // LockField's answer on success, as hosts have always seen it

// The cell store.
constexpr int kStored = 1;
constexpr int kBadCell = -1;           // row below 0, column outside the field table, or no text
constexpr int kTooLong = -2;           // text longer than the field; the cell keeps its text
constexpr int kCouldNotGrow = 0;       // the block could not grow; nothing changed

// Record puts and loads.
constexpr int kBadRow = -1;            // a row below 0; nothing changed
constexpr int kShortRecord = -2;       // shorter than the first column's field; nothing changed
constexpr int kNotStored = 0;          // no columns, no room, or a size that does not fit

// Appearance.
constexpr int kNoAttributes = -1;      // SetGridAttr without a record

// The view.
constexpr int kOutsideGrid = -1;       // GotoCell to a cell that does not exist

// How the last paste ended (GetPasteResult); 0 before any paste.
constexpr int kPasteDone = 1;          // the whole text was pasted
constexpr int kPasteRefused = 2;       // the host refused a cell's value
constexpr int kPasteRowRefused = 3;    // the host refused to leave a row
constexpr int kPasteTooLong = 4;       // a text longer than its field
constexpr int kPasteNotCheck = 5;      // a check box given other than "0", "1" or ""
constexpr int kPasteReadOnly = 6;      // a read-only grid, or one without cells
constexpr int kPasteNoText = 7;        // nothing to paste
constexpr int kPasteDeletedRow = 8;    // the paste reached a deleted row

}  // namespace tabrix
