/* Tabrix: the library's exported functions, the records hosts share with it
   and the values its functions answer. One header for C and C++ hosts of
   the 32-bit and the 64-bit library; the library itself is built from it.

   Every function uses the standard Windows calling convention (WINAPI):
   on the 32-bit library a host links them by their decorated names
   (CreateGrid@32) through the import library shipped with it. Grid
   functions take the grid window first and answer TABRIX_NOT_GRID for a
   window that is not a grid.

   Named values are enumerators or macros starting with TABRIX_, apart from
   the notification codes and delivery modes hosts have always known by
   their plain names. The Visual Basic module (vb/tabrix32.bas) declares
   each under the same name without TABRIX_, with the same value. */
#ifndef TABRIX32_H
#define TABRIX32_H

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* What the functions answer. Each group reuses small numbers, so a value
   means what its function's group says. */
enum {
    /* every function that takes a grid window */
    TABRIX_DONE = 1,
    TABRIX_NOT_GRID = -3,
    TABRIX_NO_RECORDS = 0,        /* a grid window whose records are gone */
    TABRIX_EDIT_REFUSED = 0,      /* the open editor kept its text: the host refused it */

    /* DefineField, InsertColLabel, LockField, DimCols */
    TABRIX_NOT_DEFINABLE = 0,     /* DefineField: the column is outside 1 .. GetColCount() + 1 */
    TABRIX_BAD_DEFINITION = -1,   /* no FieldDef, or a size below 1 */
    TABRIX_BAD_FIELD_TYPE = -2,
    TABRIX_BAD_COLUMN_INDEX = -2, /* InsertColLabel (index 0 is the row header), LockField */
    TABRIX_TOO_BIG = -4,          /* over the field size or column limits, or out of memory */
    TABRIX_LOCKED = 0,            /* LockField's answer on success */

    /* CreateCell, SetCellText */
    TABRIX_STORED = 1,
    TABRIX_BAD_CELL = -1,         /* row below 0 (SetCellText: outside 1 .. GetRowCount()), column
                                     outside 0 .. GetColCount() + 1, or no text; nothing stored */
    TABRIX_TOO_LONG = -2,         /* longer than the field; the cell keeps its text */
    TABRIX_COULD_NOT_GROW = 0,    /* DimRows, RedimPreserveRows: nothing changed; else the row capacity */

    /* PutRecordRAF, PutRecordDelimited, the record loads */
    TABRIX_BAD_ROW = -1,          /* a row below 0; nothing changed */
    TABRIX_SHORT_RECORD = -2,     /* shorter than the first column's field */
    TABRIX_NOT_STORED = 0,        /* no columns, no room, or a size that does not fit */

    /* GetPasteResult: how the grid's last paste ended; 0 before any */
    TABRIX_PASTE_DONE = 1,        /* the whole text was pasted */
    TABRIX_PASTE_REFUSED = 2,     /* the host refused a cell's value (GN_CELLCHANGING) */
    TABRIX_PASTE_ROW_REFUSED = 3, /* the host refused to leave a row (GN_ROWCHANGING) */
    TABRIX_PASTE_TOO_LONG = 4,    /* a text longer than its field */
    TABRIX_PASTE_NOT_CHECK = 5,   /* a check box given other than "0", "1" or "" */
    TABRIX_PASTE_READ_ONLY = 6,   /* a read-only grid, or one without cells */
    TABRIX_PASTE_NO_TEXT = 7,     /* nothing to paste */
    TABRIX_PASTE_DELETED_ROW = 8, /* the paste reached a deleted row */

    TABRIX_NO_ATTRIBUTES = -1,    /* SetGridAttr without a record */
    TABRIX_OUTSIDE_GRID = -1,     /* GotoCell to a cell that does not exist */

    /* GridFind */
    TABRIX_FIND_FOUND = 1,        /* and the cell found is current */
    TABRIX_FIND_NOT_FOUND = 0,
    TABRIX_FIND_REFUSED = -1,     /* the open edit or the edited row could not be left */

    /* odbcLoadRecordsetSQL failures, kept for odbcGetErrCode */
    TABRIX_COLUMN_COUNT_MISMATCH = -500,
    TABRIX_TOO_MANY_COLUMNS = -501,
    TABRIX_ROWS_SKIPPED = -502,
    TABRIX_LOAD_OUT_OF_MEMORY = -503
};

/* Texts answered where a number cannot be. */
#define TABRIX_NOT_GRID_TEXT "DB_ERROR"          /* GetCell */
#define TABRIX_NOT_GRID_RECORD_TEXT "DB_ERR"     /* the record functions */
#define TABRIX_INVALID_ROW_TEXT "INVALID_ROW_NUMBER"
#define TABRIX_DELETED_TEXT "#DELETED#"         /* every cell of a deleted row */

/* DefineField's and odbcInitColumn's field types. */
enum {
    TABRIX_FIELD_TEXT = 0,
    TABRIX_FIELD_CHECK = 1,       /* a check box; the cell holds "1" or "0" */
    TABRIX_FIELD_COMBO = 2        /* a drop-down list the host fills on GN_DROPDOWN */
};

/* FieldDef.align and InsertColLabel's alignment */
enum {
    TABRIX_ALIGN_LEFT = 0,
    TABRIX_ALIGN_RIGHT = 1,
    TABRIX_ALIGN_CENTER = 2
};

/* ViewGrid's modes */
enum {
    TABRIX_VIEW_SAVE = 0,
    TABRIX_VIEW_RESTORE = 1
};

/* RowModified */
enum {
    TABRIX_ROW_UNCHANGED = 0,
    TABRIX_ROW_MODIFIED = 1,
    TABRIX_ROW_APPENDED = 2,
    TABRIX_ROW_DELETED = 3,
    TABRIX_ROW_OUTSIDE = -2
};

/* GridFind's modes */
enum {
    TABRIX_FIND_EQUALS = 0,
    TABRIX_FIND_CONTAINS = 1,
    TABRIX_FIND_BEGINS = 2
};

/* GetCell's modes: the stored text with the field's FieldDef, or the text
   the open editor holds for the current cell. */
enum {
    TABRIX_CELL_STORED = 0,
    TABRIX_CELL_EDITOR = 1
};

/* A column's field, given to DefineField and filled by GetCell mode 0.
   DefineField only reads it: a host clears the record (memset), points label
   at a buffer of its own and sets the fields it wants; 0 is each field's
   default. Column GetColCount() + 1, the filler after the data columns, may
   be defined too: its text then joins every fixed-width record as one
   more field, and every delimited one right after the last data column's
   text, with no delimiter between them.
   GetCell mode 0 fills every field; it writes the heading through label
   (unless null) only where the memory may be written, at most 256 bytes:
   read definitions into a zeroed record of their own, and headings with
   GetColLabel. fontFace then points at the grid's copy of the face, valid
   while the column keeps it, or is null for a column without a face of its
   own. */
typedef struct FieldDef {
    char* label;
    int32_t width;
    int32_t size;
    int32_t align;
    int32_t tag1;
    int32_t tag2;
    int32_t tag3;
    int32_t textColor;
    int32_t backColor;
    int32_t multiline;
    int32_t locked;
    const char* fontFace;
    int32_t fontSize;
    int32_t fontWeight;
    int32_t fontItalic;
    int32_t fontUnderline;
} FieldDef;

/* Appearance settings; 0 in a field selects its default. */
typedef struct GridAttr {
    HFONT cellFont;
    HFONT headerFont;
    int32_t showGridLines;
    int32_t backColor;
    int32_t gridLineColor;
    int32_t selTextColor;
    int32_t selBackColor;
    int32_t frameColor;
    int32_t showLineNumbers;
} GridAttr;

/* Grid window */
HWND WINAPI CreateGrid(HWND parent, HINSTANCE instance, int32_t border, int32_t id, int32_t x, int32_t y,
                       int32_t width, int32_t height);
int32_t WINAPI FreeGrid(HWND grid);

/* Columns */
int32_t WINAPI DimCols(HWND grid, int32_t n);
int32_t WINAPI DefineField(HWND grid, int32_t col, int32_t type, const FieldDef* def);
int32_t WINAPI InsertColLabel(HWND grid, int32_t width, const char* text, int32_t index, int32_t align);
int32_t WINAPI ClearColLabels(HWND grid);
int32_t WINAPI LockField(HWND grid, int32_t col, uint8_t locked);
int32_t WINAPI GetColCount(HWND grid);
int32_t WINAPI GetColWidth(HWND grid, int32_t col);
int32_t WINAPI GetFldSize(HWND grid, int32_t col);

/* Rows and cells */
int32_t WINAPI DimRows(HWND grid, int32_t n);
int32_t WINAPI RedimPreserveRows(HWND grid, int32_t n);
int32_t WINAPI CreateCell(HWND grid, int32_t row, int32_t col, const char* text);
int32_t WINAPI SetCellText(HWND grid, int32_t row, int32_t col, const char* text);
const char* WINAPI GetCell(HWND grid, int32_t mode, int32_t row, int32_t col, FieldDef* def);
/* Column col's heading into buffer (at most size - 1 bytes and a terminator);
   answers the heading's whole length, TABRIX_BAD_COLUMN_INDEX outside
   0 .. GetColCount() + 1. */
int32_t WINAPI GetColLabel(HWND grid, int32_t col, char* buffer, int32_t size);
int32_t WINAPI GetRowCount(HWND grid);
int32_t WINAPI ClearCells(HWND grid);
int32_t WINAPI ClearGrid(HWND grid);

/* Texts: a grid's cells, labels and record texts are bytes of the ANSI
   code page (codePage 0, the default) or UTF-8 (TABRIX_UTF8, 65001), for
   C, C++ and Delphi hosts that pass UTF-8. VB6 converts strings to the ANSI
   code page: VB hosts keep ANSI grids. Answers 0 for another value or while
   an editor is open; stored bytes are not converted. */
#define TABRIX_UTF8 65001
int32_t WINAPI SetGridCodePage(HWND grid, int32_t codePage);

/* Appearance */
int32_t WINAPI SetGridAttr(HWND grid, const GridAttr* attr);
HFONT WINAPI MakeFont(const char* face, int32_t points, int32_t weight, int32_t italic, int32_t underline,
                      int32_t strikeout);
int32_t WINAPI ShowLineNumbers(HWND grid, int32_t show);
int32_t WINAPI SetRowHeight(HWND grid, int32_t height);
int32_t WINAPI GetRowHeight(HWND grid);
int32_t WINAPI OnEntryStyle(int32_t style);

/* View */
int32_t WINAPI GotoCell(HWND grid, int32_t row, int32_t col);
int32_t WINAPI ViewGrid(HWND grid, int32_t mode);
int32_t WINAPI GetFirstVisRow(HWND grid);
int32_t WINAPI GetFirstVisCol(HWND grid);
int32_t WINAPI GetCurrentRow(HWND grid);
int32_t WINAPI GetCurrentCol(HWND grid);
/* The cell's pixels inside its grid lines, in the grid's client area, as the
   view stands: TABRIX_DONE when at least part of it is in view, 0 when it
   is scrolled out of view (rect emptied), TABRIX_OUTSIDE_GRID for a cell
   that does not exist. */
int32_t WINAPI GetCellRect(HWND grid, int32_t row, int32_t col, RECT* rect);

/* Notifications: window messages to the grid's parent, or calls of the
   function given to SetFuncCallback. The low word of wParam is the grid's
   control identifier. */
#define GN_ROWCHANGING 0x7548
#define GN_ROWDELETING 0x7549
#define GN_ROWDELETED 0x754A
#define GN_ROWUNDELETED 0x754B
#define GN_CELLCHANGING 0x754C
#define GN_CELLCHANGED 0x754D
#define GN_ROWHEADERDBLCLK 0x754E
#define GN_RBUTTONUP 0x754F
#define GN_DROPDOWN 0x7550
/* SetFuncCallback's second argument: how notifications reach the host. */
enum {
    NOTIFY_BY_MESSAGE = 0,
    NOTIFY_BY_CALLBACK = 1
};
int32_t WINAPI SetFuncCallback(WNDPROC callback, int32_t enable);
HWND WINAPI GetNotifyHwnd(void);
/* While a notification is delivered: the full row and column it is about
   (the row and column 0 for the row notifications; for GN_RBUTTONUP the cell
   clicked, or the current cell for the context-menu key), the innermost one
   while notifications nest; 0 and 0 outside any delivery. lParam packs the
   row into 16 bits, so past row 65,535 only this gives it whole. */
void WINAPI GetNotifyCell(int32_t* row, int32_t* col);

/* Input: the grid that last gained or lost the focus, and the hook on the
   host's main window that gives the focus back after a minimise. */
HWND WINAPI GridGetFocus(void);
void WINAPI TrapInitMenuPopup(HWND host);

/* Edit state. RowModified answers 0 unchanged, 1 modified, 2 appended by the
   user, 3 deleted, -2 for a row outside the grid. */
int32_t WINAPI SetUndoBuffer(HWND grid);
int32_t WINAPI UndoRow(HWND grid);
int32_t WINAPI UndoField(HWND grid);
int32_t WINAPI CanUndoRow(HWND grid);
int32_t WINAPI CanUndoField(HWND grid);
int32_t WINAPI UndeleteRow(HWND grid);
int32_t WINAPI CanUndeleteRow(HWND grid);
int32_t WINAPI DeleteGridRow(HWND grid);
/* Selects data row `row` (not a deleted one) as a double click in its header
   does, for DeleteGridRow; 0 clears the selection. TABRIX_OUTSIDE_GRID for
   another row, TABRIX_EDIT_REFUSED when the open edit was refused. */
int32_t WINAPI SelectRow(HWND grid, int32_t row);
int32_t WINAPI CanDeleteRow(HWND grid);
int32_t WINAPI RowModified(HWND grid, int32_t row);
int32_t WINAPI ResetRowModified(HWND grid, int32_t row);
int32_t WINAPI GridDataChanged(HWND grid);
void WINAPI SetModify(HWND grid, int32_t value);
int32_t WINAPI FinishEditing(HWND grid);
int32_t WINAPI GridReadOnly(HWND grid, int32_t value);

/* Copy and paste, as Ctrl+C and Ctrl+V (Ctrl+Insert and Shift+Insert) do
   them on the grid. Cells travel as spreadsheets exchange them: tabs
   between columns, CR LF between rows, and a cell holding a tab, a line
   break or a quote between quotes with its quotes doubled.
   GetCellsText: the rectangle's cells as the editors show them (trailing
   blanks dropped, a deleted row's cells empty), as a temporary string;
   "" for a rectangle outside the data rows and columns, TABRIX_NOT_GRID_TEXT
   for a window that is no grid.
   CopyCells: the selected row's data columns, or else the current cell, on
   the clipboard as Unicode and ANSI text; TABRIX_DONE, or 0 when the
   clipboard could not be taken.
   PasteCells: `text` (NULL: the clipboard's) from the current cell on, each
   cell through GN_CELLCHANGING and each row change through GN_ROWCHANGING;
   answers the cells changed, TABRIX_EDIT_REFUSED when the open editor
   could not be closed.
   GetPasteResult: how the grid's last paste ended (TABRIX_PASTE_*), the
   cells it changed, and the cell it stopped at (for TABRIX_PASTE_DONE the
   last cell it reached). */
const char* WINAPI GetCellsText(HWND grid, int32_t row1, int32_t col1, int32_t row2, int32_t col2);
int32_t WINAPI CopyCells(HWND grid);
int32_t WINAPI PasteCells(HWND grid, const char* text);
int32_t WINAPI GetPasteResult(HWND grid, int32_t* cells, int32_t* row, int32_t* col);

/* Find: mode 0 the cell equals the text, 1 contains it, 2 begins with it
   (case counts). 1 found and made current, 0 not found, -1 the open edit or
   the edited row could not be left. A non-zero `resume` goes on after the
   previous hit in any grid. */
int32_t WINAPI GridFind(HWND grid, const char* text, int32_t currentColumnOnly, int32_t resume, int32_t mode);

/* Records: fixed-width records of random-access files, and delimited text */
const char* WINAPI GetRecordRAF(HWND grid, int32_t row);
int32_t WINAPI PutRecordRAF(HWND grid, int32_t row, const char* record);
int32_t WINAPI LoadRecordsetRAF(HWND grid, const char* data);
const char* WINAPI GetRecordDelimited(HWND grid, int32_t row, int32_t unused, const char* delimiter, int32_t quote);
int32_t WINAPI PutRecordDelimited(HWND grid, int32_t row, const char* record, const char* lineEnd,
                                  const char* delimiter);
int32_t WINAPI LoadRecordsetDelimited(HWND grid, const char* text, const char* lineEnd, const char* delimiter);

/* ODBC: the driver manager's handles cross as integers. On the 32-bit
   library they are 32-bit integers; on the 64-bit library they are
   pointer-sized, because the driver manager's handles are pointers there.
   Calls that answer a new handle answer -1 on failure; the others answer the
   driver manager's return code (0 success, 1 success with information, 100
   no data, -1 error, -2 invalid handle). The latest failure's native code
   and text are kept for odbcGetErrCode and odbcGetErrMsg. */
typedef INT_PTR ODBCHANDLE;

/* A result column's description, filled by odbcGetColDesc. Its layout is
   the same on both libraries (no pointers, no gaps). */
typedef struct ColDesc {
    char name[256];
    int32_t dataType;
    uint32_t columnSize;
    int16_t decimalDigits;
    int16_t nullable;
    int32_t autoIncrement;
    int32_t caseSensitive;
    int32_t displaySize;
    char label[256];
    int32_t length;
    int32_t fixedPrecScale;
    char schemaName[256];
    char catalogName[256];
    char tableName[256];
    char typeName[256];
    int32_t isUnsigned;
    int32_t updatable;
} ColDesc;

#if defined(__cplusplus) && (__cplusplus >= 201103L || (defined(_MSC_VER) && _MSC_VER >= 1600))
#define TABRIX_STATIC_ASSERT static_assert
#elif !defined(__cplusplus) && defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define TABRIX_STATIC_ASSERT _Static_assert
#else
/* Older compilers (C before C11, C++ before C++11): a negative array size
   stops the build instead. */
#define TABRIX_JOIN2(a, b) a##b
#define TABRIX_JOIN(a, b) TABRIX_JOIN2(a, b)
#define TABRIX_STATIC_ASSERT(condition, text) \
    typedef char TABRIX_JOIN(tabrix_layout_check_, __LINE__)[(condition) ? 1 : -1]
#endif
TABRIX_STATIC_ASSERT(sizeof(ColDesc) == 1576, "ColDesc is 1576 bytes");
TABRIX_STATIC_ASSERT(offsetof(ColDesc, dataType) == 256 && offsetof(ColDesc, columnSize) == 260 &&
                         offsetof(ColDesc, decimalDigits) == 264 && offsetof(ColDesc, nullable) == 266 &&
                         offsetof(ColDesc, autoIncrement) == 268 && offsetof(ColDesc, caseSensitive) == 272 &&
                         offsetof(ColDesc, displaySize) == 276 && offsetof(ColDesc, label) == 280 &&
                         offsetof(ColDesc, length) == 536 && offsetof(ColDesc, fixedPrecScale) == 540 &&
                         offsetof(ColDesc, schemaName) == 544 && offsetof(ColDesc, catalogName) == 800 &&
                         offsetof(ColDesc, tableName) == 1056 && offsetof(ColDesc, typeName) == 1312 &&
                         offsetof(ColDesc, isUnsigned) == 1568 && offsetof(ColDesc, updatable) == 1572,
                     "ColDesc field offsets are part of the host interface");
#undef TABRIX_STATIC_ASSERT
#ifdef TABRIX_JOIN
#undef TABRIX_JOIN
#undef TABRIX_JOIN2
#endif

/* Strings read back (odbcGetData, odbcGetDiagRec) take the buffer's capacity
   from the length of the text it holds on entry, as hosts in simple
   languages size them (255 spaces, say). Arguments the driver manager takes
   as 16-bit values (column numbers, handle type, record number, completion
   type) are cut to 16 bits. */
ODBCHANDLE WINAPI odbcAllocEnv(void);
int32_t WINAPI odbcFreeEnv(ODBCHANDLE env);
ODBCHANDLE WINAPI odbcConnect(ODBCHANDLE env, const char* connectionString);
ODBCHANDLE WINAPI odbcConnectDSN(ODBCHANDLE env, const char* dataSource, const char* user, const char* password);
int32_t WINAPI odbcDisconnect(ODBCHANDLE dbc);
int32_t WINAPI odbcFreeDB(ODBCHANDLE dbc);
int32_t WINAPI odbcAllocStmt(ODBCHANDLE dbc, ODBCHANDLE* stmt);
int32_t WINAPI odbcFreeStmt(ODBCHANDLE stmt);
/* Appends ";" when the text does not end in one; a statement that fails to
   execute is released and -1 answered. */
ODBCHANDLE WINAPI odbcSQLExec(ODBCHANDLE dbc, const char* sql);
int32_t WINAPI odbcGetColCount(ODBCHANDLE stmt);
/* 0 or 1 on success, -1 on failure. An attribute the driver does not
   support leaves its field 0. */
int32_t WINAPI odbcGetColDesc(ODBCHANDLE stmt, int32_t column, ColDesc* desc);
int32_t WINAPI odbcRowsAffected(ODBCHANDLE stmt);
int32_t WINAPI odbcBeginTrans(ODBCHANDLE dbc);
/* completion: 0 commit, 1 roll back; auto-commit comes back on success. */
int32_t WINAPI odbcEndTrans(ODBCHANDLE dbc, int32_t completion);
int32_t WINAPI odbcFetchRecord(ODBCHANDLE stmt);
int32_t WINAPI odbcGetData(ODBCHANDLE stmt, int32_t column, char* buffer);
/* Leaves the latest failure kept for odbcGetErrCode and odbcGetErrMsg alone. */
int32_t WINAPI odbcGetDiagRec(int32_t handleType, ODBCHANDLE handle, int32_t* nativeError, char* message,
                              char* sqlState, int32_t record);
int32_t WINAPI odbcGetErrCode(void);
const char* WINAPI odbcGetErrMsg(void);
/* The wrappers' texts (connection strings, statements, odbcGetData,
   odbcGetDiagRec, odbcGetErrMsg) in the ANSI code page (0, the default) or
   UTF-8 (TABRIX_UTF8), for every connection of the process. Answers 1; 0
   for another value. */
int32_t WINAPI odbcSetCodePage(int32_t codePage);

/* Access database files, through the ODBC installer's Access driver. Each
   answers 1 when the installer reported success, 0 otherwise; attribute
   strings over 2046 characters are refused with 0. */
int32_t WINAPI odbcCreateMDB(const char* keyword, const char* path);
int32_t WINAPI odbcCompactMDB(const char* source, const char* target);
int32_t WINAPI odbcRepairMDB(const char* source, const char* target);

/* Loading query results into a grid. odbcLoadRecordsetSQL shapes the
   columns from the result (define non-zero) or refreshes the host's own,
   fetches every row and answers the open statement (release it with
   odbcFreeStmt), or -1 with the failure for odbcGetErrCode/odbcGetErrMsg:
   -500 the column count differs from the predefined one, -501 more than
   500 result columns, -502 rows the driver could not read were skipped,
   -503 out of memory. FetchRecords_EX and FetchRecords answer 0 at the end
   of the rows, a driver code otherwise, -3 for a window that is no grid; on
   the 32-bit library they are exported under their decorated names only. */
ODBCHANDLE WINAPI odbcLoadRecordsetSQL(HWND grid, ODBCHANDLE dbc, const char* sql, int32_t define);
int32_t WINAPI FetchRecords_EX(HWND grid, ODBCHANDLE dbc, ODBCHANDLE stmt, int16_t columns, const char* sql);
int32_t WINAPI FetchRecords(HWND grid, int32_t unused, ODBCHANDLE stmt, int16_t columns);
int32_t WINAPI odbcInitColumn(HWND grid, int32_t col, int32_t type, const FieldDef* def);

#ifdef __cplusplus
}
#endif

#endif
