#include "odbc/query_loader.h"

#include <sqlext.h>

#include <cstring>
#include <string>
#include <vector>

#include "edit/undo.h"
#include "grid/cell_store.h"
#include "grid/columns.h"
#include "grid/edit_history.h"
#include "grid/grid_access.h"
#include "grid/rows.h"
#include "odbc/column_description.h"
#include "odbc/last_error.h"
#include "odbc/odbc_calls.h"
#include "odbc/result_block.h"
#include "odbc/text_mode.h"
#include "records/record_rows.h"
#include "support/text_cut.h"
#include "view/loaded_rows.h"

namespace tabrix {
namespace {

static_assert(sizeof(SQLLEN) == sizeof(Indicator), "the block's indicators are the driver manager's SQLLEN");

constexpr int kMinRefreshedWidth = 5;

// A field's bytes for `display` characters: as many in the ANSI code page,
// up to four each in UTF-8, never past the largest field.
int FieldSizeForDisplaySize(const GridState* s, int32_t display) {
    const int characters = SlotLengthForDisplaySize(display) - 1;
    if (!Utf8Grid(s)) return characters;
    return characters > kMaxFieldSize / 4 ? kMaxFieldSize : characters * 4;
}

// A new column shaped from its description.
FieldDef NewFieldFromDescription(const GridState* s, const ColDesc& d) {
    FieldDef def{};
    def.label = const_cast<char*>(d.name);
    def.width = d.autoIncrement ? s->metrics.counterColumnWidth : s->metrics.queryColumnWidth;
    def.size = FieldSizeForDisplaySize(s, d.displaySize);
    def.align = d.fixedPrecScale || d.autoIncrement ? 1 : 0;
    def.tag1 = d.dataType;
    def.tag2 = static_cast<int32_t>(d.columnSize);
    def.tag3 = d.nullable;
    def.multiline = 1;
    def.locked = d.autoIncrement ? 1 : 0;
    return def;
}

// A predefined column keeps what the host gave it; the query names it and
// sizes its field.
FieldDef RefreshedField(const Grid& grid, int col, const ColDesc& d) {
    const GridState* s = grid.state;
    const GridArrays* a = grid.arrays;
    FieldDef def{};
    def.label = const_cast<char*>(d.name);
    const int width = ColumnWidth(s, col);
    def.width = width > kMinRefreshedWidth ? width : kMinRefreshedWidth;
    def.size = FieldSizeForDisplaySize(s, d.displaySize);
    def.align = a->colAlign[col];
    def.tag1 = d.dataType;
    def.tag2 = static_cast<int32_t>(d.columnSize);
    def.tag3 = d.nullable;
    def.textColor = a->colTextColor[col];
    def.backColor = a->colBackColor[col];
    def.multiline = a->colMultiline[col];
    def.locked = a->colLocked[col];
    def.fontFace = s->colFontFace[col];
    def.fontSize = s->colFontSize[col];
    def.fontWeight = s->colFontWeight[col];
    def.fontItalic = s->colFontItalic[col];
    def.fontUnderline = s->colFontUnderline[col];
    return def;
}

struct Shaping {
    int result;    // of the last column's description
    bool changed;  // a field or the column count changed
};

Shaping ShapeColumns(const Grid& grid, SQLHSTMT stmt, int n, bool define) {
    Shaping shaping{0, define};
    if (define) DimCols(grid, n);
    for (int col = 1; col <= n; ++col) {
        ColDesc desc{};
        shaping.result = DescribeColumn(stmt, static_cast<SQLUSMALLINT>(col), &desc);
        if (!OdbcSucceeded(static_cast<SQLRETURN>(shaping.result)) || !ValidColumn(grid.arrays, col)) continue;
        if (define) {
            const FieldDef def = NewFieldFromDescription(grid.state, desc);
            DefineField(grid, col, desc.displaySize == 1 ? FieldCheck : FieldText, &def);
        } else {
            const FieldDef def = RefreshedField(grid, col, desc);
            shaping.changed |= DeclaredSize(grid.arrays, col) != def.size;
            RedefineFieldInPlace(grid, col, grid.arrays->colType[col], &def);
        }
        // The editor takes no more characters than the database holds.
        if (col < kColSlots && desc.displaySize > 0 && desc.displaySize < kMaxFieldSize) {
            grid.state->colCharLimit[col] = desc.displaySize;
        }
    }
    return shaping;
}

// After a shaping that the load does not follow: the old rows no longer
// fit the new record, so the grid keeps one empty new-record row.
void LeaveNoRows(const Grid& grid) {
    if (!ReplaceRows(grid.arrays, 0)) return;
    grid.arrays->maxRow = 1;
    ShowReplacedRows(grid);
}

std::vector<int64_t> DisplaySizes(SQLHSTMT stmt, int n) {
    std::vector<int64_t> sizes(static_cast<size_t>(n), 0);
    for (int col = 1; col <= n; ++col) {
        SQLCHAR name[256];
        SQLSMALLINT nameLength, type, digits, nullable;
        SQLULEN size;
        if (!OdbcSucceeded(SQLDescribeCol(stmt, static_cast<SQLUSMALLINT>(col), name, sizeof name, &nameLength, &type, &size,
                                      &digits, &nullable))) {
            continue;
        }
        SQLLEN display = 0;
        SQLColAttribute(stmt, static_cast<SQLUSMALLINT>(col), SQL_DESC_DISPLAY_SIZE, nullptr, 0, nullptr, &display);
        sizes[static_cast<size_t>(col - 1)] = display;
    }
    return sizes;
}

constexpr char kOutOfMemoryText[] = "USAGE_ERROR_OUT_OF_MEMORY";

// A UTF-8 grid's bytes from a driver without wide characters: up to four
// for each character the display size counts.
std::vector<int64_t> ByteBudgets(const GridState* s, std::vector<int64_t> sizes, bool wide) {
    if (!Utf8Grid(s) || wide) return sizes;
    for (int64_t& size : sizes) size = size > 0 && size < kMaxFieldSize / 4 ? size * 4 : 0;
    return sizes;
}

// Drivers that hold the whole result once it ran (SQLite, PostgreSQL
// without a declared cursor) know its row count: the store is then made
// once instead of grown and copied again and again. Others answer -1 and
// the store grows as rows arrive.
void ReserveRows(GridArrays* a, SQLHSTMT stmt) {
    SQLLEN count = -1;
    if (!OdbcSucceeded(SQLRowCount(stmt, &count)) || count < 1 || count > INT32_MAX - 4) return;
    ReplaceRows(a, count);
    a->maxRow = 1;
}

// The statement goes back to the host: nothing of it may point into the
// block, the status array or the counter once they are gone.
void UnbindBlock(SQLHSTMT stmt) {
    SQLFreeStmt(stmt, SQL_UNBIND);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
}

// The statement attributes and bindings of a row-wise block fetch.
SQLRETURN BindBlock(SQLHSTMT stmt, BlockLayout& layout, uint8_t* block, SQLUSMALLINT* statuses,
                    SQLULEN* fetched) {
    SQLRETURN rc = SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE,
                                  reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(layout.rowsPerBlock)), 0);
    if (OdbcSucceeded(rc)) {
        rc = SQLSetStmtAttr(stmt, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(layout.rowSize), 0);
    }
    if (OdbcSucceeded(rc)) rc = SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, statuses, 0);
    if (OdbcSucceeded(rc)) rc = SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, fetched, 0);
    for (size_t i = 0; OdbcSucceeded(rc) && i < layout.columns.size(); ++i) {
        BlockColumn& column = layout.columns[i];
        auto bind = [&](SQLSMALLINT type) {
            return SQLBindCol(stmt, static_cast<SQLUSMALLINT>(i + 1), type, block + column.offset, column.slotLength,
                              reinterpret_cast<SQLLEN*>(block + column.offset + static_cast<size_t>(column.slotLength)));
        };
        rc = bind(column.wide ? SQL_C_WCHAR : SQL_C_CHAR);
        // A driver without wide characters hands its bytes over as they
        // are: for the UTF-8 databases a UTF-8 grid is made for, UTF-8.
        if (column.wide && !OdbcSucceeded(rc)) {
            column.wide = false;
            rc = bind(SQL_C_CHAR);
        }
    }
    return rc;
}

// What a run of block fetches left: the last answer, the rows stored, the
// rows the driver flagged as unreadable, and whether the store ran out of room.
struct FetchTally {
    SQLRETURN rc;
    int rows;
    int64_t skipped;
    bool outOfMemory;
};

// The row-wise block, its status array and the fetched-row counter, bound
// to the statement for as long as this lives.
class BoundBlock {
public:
    BoundBlock(SQLHSTMT stmt, const std::vector<int64_t>& displaySizes, bool wide) : stmt_(stmt) {
        if (wide ? LayOutWideBlock(displaySizes, &layout_) : LayOutBlock(displaySizes, &layout_)) {
            memory_ = GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, layout_.rowSize * static_cast<size_t>(layout_.rowsPerBlock));
        }
        if (!memory_) return;
        statuses_.resize(static_cast<size_t>(layout_.rowsPerBlock));
        bindResult_ = BindBlock(stmt_, layout_, rows(), statuses_.data(), &fetched_);
    }
    ~BoundBlock() {
        if (!memory_) return;
        UnbindBlock(stmt_);
        GlobalFree(memory_);
    }
    BoundBlock(const BoundBlock&) = delete;
    BoundBlock& operator=(const BoundBlock&) = delete;

    bool Made() const { return memory_ != nullptr; }
    SQLRETURN BindResult() const { return bindResult_; }
    const BlockLayout& Layout() const { return layout_; }
    uint8_t* rows() const { return static_cast<uint8_t*>(memory_); }
    SQLUSMALLINT Status(SQLULEN i) const { return statuses_[i]; }
    // Rows the last fetch put in the block, never more than it holds.
    SQLULEN Fetched() const {
        return fetched_ < static_cast<SQLULEN>(layout_.rowsPerBlock) ? fetched_ : static_cast<SQLULEN>(layout_.rowsPerBlock);
    }

private:
    SQLHSTMT stmt_;
    BlockLayout layout_;
    HGLOBAL memory_ = nullptr;
    std::vector<SQLUSMALLINT> statuses_;
    SQLULEN fetched_ = 0;
    SQLRETURN bindResult_ = SQL_ERROR;
};

// Until rows arrive the grid holds only its new-record row, whatever stops
// the fetch.
void EmptyRows(const Grid& grid) {
    ResizeRows(grid, 1, false);
    grid.arrays->maxRow = 1;
    ShowReplacedRows(grid);
}

SQLRETURN RunStatement(SQLHSTMT stmt, const char* text, bool prepared) {
    return prepared ? SQLExecute(stmt) : ExecuteText(stmt, text);
}

// Fetches block after block into the store from row 1 on.
FetchTally CopyBlocks(GridArrays* a, SQLHSTMT stmt, int dataColumns, const BoundBlock& block,
                      const TextEncoding& encoding) {
    FetchTally tally{block.BindResult(), 0, 0, false};
    while (OdbcSucceeded(tally.rc)) {
        tally.rc = SQLFetchScroll(stmt, SQL_FETCH_NEXT, 0);
        if (!OdbcSucceeded(tally.rc)) break;
        if (!ReserveRowsDoubling(a, static_cast<int64_t>(tally.rows) + static_cast<int64_t>(block.Fetched()))) {
            tally.outOfMemory = true;
            return tally;
        }
        for (SQLULEN i = 0; i < block.Fetched(); ++i) {
            const SQLUSMALLINT status = block.Status(i);
            if (status != SQL_ROW_SUCCESS && status != SQL_ROW_SUCCESS_WITH_INFO) {
                ++tally.skipped;
                continue;
            }
            if (tally.rows == INT32_MAX - 2 || !MakeRoomForRow(a, tally.rows + 1)) {
                tally.outOfMemory = true;
                return tally;
            }
            ++tally.rows;
            CopyBlockRow(a, tally.rows, dataColumns, block.Layout(), block.rows(), static_cast<int>(i), encoding);
        }
    }
    if (tally.rc == SQL_NO_DATA) tally.rc = SQL_SUCCESS;
    return tally;
}

// A usage error is recorded last: it is what the host reads.
FetchOutcome ReportFetch(const FetchTally& tally) {
    if (tally.outOfMemory) {
        RecordUsageError(kLoadOutOfMemory, kOutOfMemoryText);
        return {SQL_ERROR, true};
    }
    if (tally.skipped > 0) {
        const std::string message =
            "USAGE_ERROR_ROWS_SKIPPED: " + std::to_string(tally.skipped) + " rows could not be read";
        RecordUsageError(kRowsSkipped, message.c_str());
        return {SQL_ERROR, true};
    }
    return {tally.rc, !OdbcSucceeded(tally.rc)};
}

}  // namespace

FetchOutcome FetchIntoGrid(const Grid& grid, SQLHSTMT stmt, int n, const char* text, bool prepared) {
    if (n < 1 || !text) return {SQL_ERROR, false};
    EmptyRows(grid);
    // Run first, then describe and bind: a statement the host only allocated
    // has no description before it runs, and unknown sizes would mean a
    // 32,000-byte slot for every value.
    const SQLRETURN ran = RunStatement(stmt, text, prepared);
    if (!OdbcSucceeded(ran)) {
        RecordDiagnostics(SQL_HANDLE_STMT, stmt);
        return {KnownCode(ran), true};
    }
    ReserveRows(grid.arrays, stmt);
    FetchTally tally{};
    // A UTF-8 grid asks for wide characters. A driver may take the binding
    // and refuse the conversion at its first fetch: the statement then runs
    // again and the driver's bytes are taken as UTF-8.
    for (bool wide = Utf8Grid(grid.state);; wide = false) {
        const BoundBlock block(stmt, ByteBudgets(grid.state, DisplaySizes(stmt, n), wide), wide);
        if (!block.Made()) {
            RecordUsageError(kLoadOutOfMemory, kOutOfMemoryText);
            return {SQL_ERROR, true};
        }
        tally = CopyBlocks(grid.arrays, stmt, grid.state->colCount - 1, block, grid.state->encoding);
        const bool refusedWide = wide && tally.rc == SQL_ERROR && tally.rows == 0 && tally.skipped == 0;
        // Kept before the unbinding: every call on the statement replaces
        // its diagnostics.
        if (!refusedWide) {
            if (!OdbcSucceeded(tally.rc)) RecordDiagnostics(SQL_HANDLE_STMT, stmt);
            break;
        }
        SQLFreeStmt(stmt, SQL_CLOSE);
        const SQLRETURN again = RunStatement(stmt, text, prepared);
        if (!OdbcSucceeded(again)) {
            RecordDiagnostics(SQL_HANDLE_STMT, stmt);
            return {KnownCode(again), true};
        }
    }
    grid.arrays->maxRow = tally.rows + 1;
    ShowReplacedRows(grid);
    return ReportFetch(tally);
}

SQLHSTMT LoadRecordset(const Grid& grid, SQLHDBC dbc, const char* text, bool define, bool* failed) {
    *failed = true;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!OdbcSucceeded(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt))) {
        RecordDiagnostics(SQL_HANDLE_DBC, dbc);
        return SQL_NULL_HSTMT;
    }
    bool recorded = false;

    const std::string query = StatementText(text);
    SQLRETURN rc;
    if (OdbcTextsUtf8()) {
        std::basic_string<SQLWCHAR> wide = OdbcWide(query.c_str());
        rc = SQLPrepareW(stmt, &wide[0], static_cast<SQLINTEGER>(wide.size()));
    } else {
        rc = SQLPrepare(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(query.c_str())),
                        static_cast<SQLINTEGER>(query.size()));
    }
    SQLSMALLINT n = 0;
    if (OdbcSucceeded(rc)) rc = SQLNumResultCols(stmt, &n);
    if (OdbcSucceeded(rc) && n > kMaxDataCols) {
        RecordUsageError(kTooManyColumns, "USAGE_ERROR_TOO_MANY_COLUMNS: more than 500 result columns");
        OdbcFreeStmt(stmt);
        return SQL_NULL_HSTMT;
    }
    if (OdbcSucceeded(rc) && n > 0) {
        if (!define && grid.state->colCount - 1 != n) {
            RecordUsageError(kColumnCountMismatch,
                             "Tabrix Usage ERROR: The column count returned by the SQL query does not match your "
                             "pre-defined column count.");
            OdbcFreeStmt(stmt);
            return SQL_NULL_HSTMT;
        }
        const Shaping shaping = ShapeColumns(grid, stmt, n, define);
        rc = static_cast<SQLRETURN>(shaping.result);
        if (OdbcSucceeded(rc)) {
            const FetchOutcome fetch = FetchIntoGrid(grid, stmt, n, query.c_str(), true);
            rc = fetch.rc;
            recorded = fetch.recorded;
        } else if (shaping.changed) {
            LeaveNoRows(grid);
        }
        PostMessageA(grid.hwnd, WM_SIZE, 0, 0);
    }
    if (OdbcSucceeded(rc)) {
        *failed = false;
        return stmt;
    }
    if (!recorded) RecordDiagnostics(SQL_HANDLE_STMT, stmt);
    OdbcFreeStmt(stmt);
    return SQL_NULL_HSTMT;
}

namespace {

// Column `col` of the current row as the cell's text in `buffer`, at most
// size - 1 bytes of whole characters.
SQLRETURN ReadValue(SQLHSTMT stmt, int col, SQLLEN size, std::vector<bool>& wide, const TextEncoding& encoding,
                    std::vector<char>* buffer, SQLLEN* indicator) {
    const SQLUSMALLINT column = static_cast<SQLUSMALLINT>(col);
    const size_t bytes = static_cast<size_t>(size > 0 ? size : 1);
    buffer->assign(bytes, '\0');
    if (wide[static_cast<size_t>(col - 1)]) {
        std::vector<uint16_t> units(bytes, 0);
        const SQLRETURN rc = SQLGetData(stmt, column, SQL_C_WCHAR, units.data(), static_cast<SQLLEN>(bytes * 2), indicator);
        if (OdbcSucceeded(rc)) {
            (*buffer)[Utf16ToUtf8(units.data(), units.size(), buffer->data(), bytes - 1)] = '\0';
            return rc;
        }
        if (rc != SQL_ERROR) return rc;
        wide[static_cast<size_t>(col - 1)] = false;
    }
    const SQLRETURN rc = SQLGetData(stmt, column, SQL_C_CHAR, buffer->data(), size, indicator);
    // A value cut by the driver may end inside a character.
    const size_t kept = strlen(buffer->data());
    if (*indicator == SQL_NO_TOTAL || *indicator > static_cast<SQLLEN>(kept)) {
        (*buffer)[WholeCharacters(buffer->data(), kept, encoding)] = '\0';
    }
    return rc;
}

}  // namespace

SQLRETURN FetchRowByRow(const Grid& grid, SQLHSTMT stmt, int n) {
    std::vector<SQLLEN> sizes(static_cast<size_t>(n > 0 ? n : 0));
    // A UTF-8 grid asks for wide characters until a column's driver refuses them.
    std::vector<bool> wide(static_cast<size_t>(n > 0 ? n : 0), Utf8Grid(grid.state));
    std::vector<char> buffer;
    SQLRETURN rc = KnownCode(SQLFetch(stmt));
    // No statement at all: the rows stay, as for a window that is no grid.
    if (rc == SQL_INVALID_HANDLE) {
        RecordDiagnostics(SQL_HANDLE_STMT, stmt);
        return rc;
    }
    for (int row = 1;; ++row) {
        const bool first = row == 1;
        if (!first && !OdbcSucceeded(rc)) break;
        for (int col = 1; col <= n; ++col) {
            SQLLEN& size = sizes[static_cast<size_t>(col - 1)];
            if (first) size = GetFldSize(grid, col);
            SQLLEN indicator = 0;
            const SQLRETURN read = ReadValue(stmt, col, size, wide, grid.state->encoding, &buffer, &indicator);
            // The first row is created whatever the reads answered, so even an
            // empty result leaves row 1 with empty cells.
            if (first || OdbcSucceeded(read)) CreateCell(grid, row, col, indicator == SQL_NULL_DATA ? "" : buffer.data());
        }
        if (!GridSurvived(grid)) return SQL_ERROR;
        rc = SQLFetch(stmt);
    }
    if (rc == SQL_NO_DATA && n >= 1) rc = SQL_SUCCESS;
    // The rows were written over: what the user did to the old ones no
    // longer describes them.
    ForgetEditHistory(grid);
    if (OdbcSucceeded(rc)) SetUndoBuffer(grid);
    return rc;
}

int InitColumn(const Grid& grid, int col, int type, const FieldDef& def) {
    if (col < 1 || col > grid.state->colCount) return 0;
    ApplyColumnSettings(grid, col, type, def);
    return kDone;
}

}  // namespace tabrix
