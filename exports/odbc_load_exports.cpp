// Exports of query loading: check the handle, close an open editor, hand
// over to the loader.
#include "include/tabrix32.h"
#include "edit/editors.h"
#include "grid/columns.h"
#include "grid/grid_access.h"
#include "odbc/query_loader.h"

extern "C" {

ODBCHANDLE WINAPI odbcLoadRecordsetSQL(HWND hwnd, ODBCHANDLE dbc, const char* sql, int32_t define) {
    // A handle is answered or -1: a host frees whatever else it gets.
    Grid g;
    if (tabrix::FetchGrid(hwnd, &g) != tabrix::kDone || !sql || !tabrix::EditorClosed(g)) return -1;
    bool failed = true;
    SQLHSTMT stmt = tabrix::LoadRecordset(g, reinterpret_cast<SQLHDBC>(dbc), sql, define != 0, &failed);
    return failed ? -1 : reinterpret_cast<ODBCHANDLE>(stmt);
}

int32_t WINAPI FetchRecords_EX(HWND hwnd, ODBCHANDLE /*dbc*/, ODBCHANDLE stmt, int16_t columns, const char* sql) {
    return tabrix::ChangeGrid(hwnd, [&](const Grid& g) {
        // Checked before the commit: a call that cannot load leaves the edit open.
        if (columns < 1 || !sql || !tabrix::EditorClosed(g)) return static_cast<int32_t>(SQL_ERROR);
        return static_cast<int32_t>(tabrix::FetchIntoGrid(g, reinterpret_cast<SQLHSTMT>(stmt), columns, sql, false).rc);
    });
}

int32_t WINAPI FetchRecords(HWND hwnd, int32_t /*unused*/, ODBCHANDLE stmt, int16_t columns) {
    Grid g;
    const int fetched = tabrix::FetchGrid(hwnd, &g);
    if (fetched == tabrix::kNotGrid) return tabrix::kNotGrid;
    if (fetched != tabrix::kDone || !tabrix::EditorClosed(g)) return SQL_ERROR;
    return tabrix::FetchRowByRow(g, reinterpret_cast<SQLHSTMT>(stmt), columns);
}

int32_t WINAPI odbcInitColumn(HWND hwnd, int32_t col, int32_t type, const FieldDef* def) {
    if (!tabrix::ValidFieldType(type)) return tabrix::kBadFieldType;
    Grid g;
    const int fetched = tabrix::FetchGrid(hwnd, &g);
    if (fetched == tabrix::kNoRecords) return tabrix::kDone;  // as DefineField has always answered
    if (fetched != tabrix::kDone) return fetched;
    if (!def) return tabrix::kBadDefinition;
    return tabrix::InitColumn(g, col, type, *def);
}

}  // extern "C"
