#include "demo/save.h"

#include <algorithm>

namespace demo {
namespace {

// RowModified's answers.
constexpr int kRowModified = 1;
constexpr int kRowAppended = 2;
constexpr int kRowDeleted = 3;

std::string CellValue(HWND grid, const LoadedTable& t, int row, int col) {
    FieldDef def{};
    const std::string text = GetCell(grid, 0, row, col, &def);
    // A check box nobody ticked in a new row is empty, and means "no".
    const auto& boxes = t.checkBoxCols;
    if (text.empty() && std::find(boxes.begin(), boxes.end(), col) != boxes.end()) return "0";
    return text;
}

std::string KeyCondition(const LoadedTable& t, int row) {
    return " WHERE " + t.columns[t.keyCol - 1] + " = " + SqlLiteral(t.keys[row - 1]);
}

std::string UpdateSql(HWND grid, const LoadedTable& t, int row) {
    std::string sets;
    for (int col = 1; col <= static_cast<int>(t.columns.size()); ++col) {
        if (col == t.keyCol) continue;
        if (!sets.empty()) sets += ", ";
        sets += t.columns[col - 1] + " = " + SqlLiteral(CellValue(grid, t, row, col));
    }
    return "UPDATE " + t.table + " SET " + sets + KeyCondition(t, row);
}

// The key column is left out: the database numbers new rows itself.
std::string InsertSql(HWND grid, const LoadedTable& t, int row) {
    std::string names, values;
    for (int col = 1; col <= static_cast<int>(t.columns.size()); ++col) {
        if (col == t.keyCol) continue;
        if (!names.empty()) {
            names += ", ";
            values += ", ";
        }
        names += t.columns[col - 1];
        values += SqlLiteral(CellValue(grid, t, row, col));
    }
    return "INSERT INTO " + t.table + " (" + names + ") VALUES (" + values + ")";
}

// The statement a row needs, or "" for a row with nothing to write (an
// unchanged row, or one appended and deleted again before any save).
std::string StatementFor(HWND grid, const LoadedTable& t, int row, SaveOutcome& out) {
    const int state = RowModified(grid, row);
    const bool loaded = row <= t.loadedRows();
    if (state == kRowDeleted) {
        if (!loaded) return "";
        ++out.deleted;
        return "DELETE FROM " + t.table + KeyCondition(t, row);
    }
    if (state == kRowAppended || (state == kRowModified && !loaded)) {
        ++out.inserted;
        return InsertSql(grid, t, row);
    }
    if (state == kRowModified) {
        ++out.updated;
        return UpdateSql(grid, t, row);
    }
    return "";
}

}  // namespace

SaveOutcome SaveGrid(HWND grid, const Database& db, const LoadedTable& loaded) {
    SaveOutcome out;
    // The cell being typed in is part of the save.
    if (FinishEditing(grid) != 1) {
        out.message = "the cell being edited was refused; correct it first";
        return out;
    }
    if (odbcBeginTrans(db.dbc) < 0) {
        out.message = std::string("cannot start a transaction: ") + odbcGetErrMsg();
        return out;
    }
    const int rows = GetRowCount(grid);
    for (int row = 1; row <= rows; ++row) {
        const std::string sql = StatementFor(grid, loaded, row, out);
        std::string error;
        if (sql.empty() || ExecChange(db, sql, &error)) continue;
        odbcEndTrans(db.dbc, 1);
        out = SaveOutcome{};
        out.message = "row " + std::to_string(row) + " not saved, nothing written: " + error;
        return out;
    }
    out.saved = odbcEndTrans(db.dbc, 0) >= 0;
    if (!out.saved) out.message = std::string("commit failed: ") + odbcGetErrMsg();
    return out;
}

}  // namespace demo
