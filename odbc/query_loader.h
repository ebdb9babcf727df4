// Filling a grid from an ODBC result: the one-call load, its block fetch,
// the older row-by-row load, and the column shaping they share.
#pragma once

#include <windows.h>
#include <sql.h>

#include "grid/grid_state.h"

namespace tabrix {

// Native codes of the loader's own usage errors, read with odbcGetErrCode.
constexpr int32_t kColumnCountMismatch = -500;
constexpr int32_t kTooManyColumns = -501;
constexpr int32_t kRowsSkipped = -502;
constexpr int32_t kLoadOutOfMemory = -503;

// The open statement, or -1 with the failure in the last-error state. The
// loads below replace every row: the caller closes an open editor first.
SQLHSTMT LoadRecordset(const Grid& grid, SQLHDBC dbc, const char* text, bool define, bool* failed);
// What a block fetch answered, and whether it already kept the failure
// (the driver's, or its own usage error, which must stay the last one).
struct FetchOutcome {
    SQLRETURN rc;
    bool recorded;
};

// Runs `text` (or the statement already prepared) and fetches every row
// into the grid's cell store, replacing its rows.
FetchOutcome FetchIntoGrid(const Grid& grid, SQLHSTMT stmt, int columns, const char* text, bool prepared);
SQLRETURN FetchRowByRow(const Grid& grid, SQLHSTMT stmt, int columns);
int InitColumn(const Grid& grid, int col, int type, const FieldDef& def);

}  // namespace tabrix
