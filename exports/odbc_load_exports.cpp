// Exports of query loading: check the handle, hand over to the loader.
#include "include/tabrix32.h"
#include "grid/columns.h"
#include "grid/grid_access.h"
#include "odbc/query_loader.h"

extern "C" {

ODBCHANDLE WINAPI odbcLoadRecordsetSQL(HWND hwnd, ODBCHANDLE dbc, const char* sql, int32_t define) {
    // A handle is answered or -1: a host frees whatever else it gets.
    if (!tabrix::IsGridWindow(hwnd)) return -1;
    bool failed = true;
    SQLHSTMT stmt = tabrix::LoadRecordset(hwnd, reinterpret_cast<SQLHDBC>(dbc), sql, define != 0, &failed);
    return failed ? -1 : reinterpret_cast<ODBCHANDLE>(stmt);
}

int32_t WINAPI FetchRecords_EX(HWND hwnd, ODBCHANDLE /*dbc*/, ODBCHANDLE stmt, int16_t columns, const char* sql) {
    return tabrix::ChangeGrid(hwnd, [&](const Grid& g) {
        return static_cast<int32_t>(tabrix::FetchIntoGrid(g, reinterpret_cast<SQLHSTMT>(stmt), columns, sql, false).rc);
    });
}

int32_t WINAPI FetchRecords(HWND hwnd, int32_t /*unused*/, ODBCHANDLE stmt, int16_t columns) {
    if (!tabrix::IsGridWindow(hwnd)) return tabrix::kNotGrid;
    return tabrix::FetchRowByRow(hwnd, reinterpret_cast<SQLHSTMT>(stmt), columns);
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
