#include "demo/save.h"

#include <sqlext.h>

#include <algorithm>

namespace demo {
namespace {

struct Statement {
    std::string sql;  // "" when the row has nothing to write
    std::vector<Value> values;
};

bool IsCheckBox(const LoadedTable& t, int col) {
    return std::find(t.checkBoxCols.begin(), t.checkBoxCols.end(), col) != t.checkBoxCols.end();
}

// A character column keeps an empty text the user typed; in any other
// column an empty cell can only mean "no value".
bool HoldsText(SQLSMALLINT type) {
    switch (type) {
        case SQL_CHAR: case SQL_VARCHAR: case SQL_LONGVARCHAR:
        case SQL_WCHAR: case SQL_WVARCHAR: case SQL_WLONGVARCHAR:
            return true;
    }
    return false;
}

std::string CellText(HWND grid, int row, int col) {
    FieldDef def{};
    return GetCell(grid, 0, row, col, &def);
}

Value ValueOf(const LoadedTable& t, int col, std::string text) {
    const Column& c = t.columns[col - 1];
    // A check box nobody ticked in a new row is empty, and means "no".
    if (text.empty() && IsCheckBox(t, col)) text = "0";
    const bool null = text.empty() && !HoldsText(c.sqlType);
    return Value{text, null, c.sqlType, c.size, c.digits};
}

// The row as it was loaded: its key may have been edited since, or deleted.
void AddKeyCondition(const LoadedTable& t, int row, Statement* s) {
    s->sql += " WHERE " + t.columns[t.keyCol - 1].name + " = ?";
    s->values.push_back(ValueOf(t, t.keyCol, t.texts[row - 1][t.keyCol - 1]));
}

// Only the cells whose text differs from the loaded one: a cell the user
// left alone keeps what the database holds, NULL or text, even where the
// grid cut it to its field, and a text the user emptied becomes an empty
// text. An edit typed back to the loaded text writes nothing.
Statement Update(HWND grid, const LoadedTable& t, int row) {
    Statement s;
    for (int col = 1; col <= static_cast<int>(t.columns.size()); ++col) {
        const std::string text = CellText(grid, row, col);
        if (col == t.keyCol || text == t.texts[row - 1][col - 1]) continue;
        s.sql += (s.values.empty() ? "" : ", ") + t.columns[col - 1].name + " = ?";
        s.values.push_back(ValueOf(t, col, text));
    }
    if (s.values.empty()) return Statement{};
    s.sql = "UPDATE " + t.table + " SET " + s.sql;
    AddKeyCondition(t, row, &s);
    return s;
}

// The key column is left out, and so are cells nobody filled: the database
// numbers new rows itself and gives empty columns their default.
Statement Insert(HWND grid, const LoadedTable& t, int row) {
    Statement s;
    std::string names, marks;
    for (int col = 1; col <= static_cast<int>(t.columns.size()); ++col) {
        const std::string text = CellText(grid, row, col);
        if (col == t.keyCol || (text.empty() && !IsCheckBox(t, col))) continue;
        names += (names.empty() ? "" : ", ") + t.columns[col - 1].name;
        marks += marks.empty() ? "?" : ", ?";
        s.values.push_back(ValueOf(t, col, text));
    }
    s.sql = "INSERT INTO " + t.table + (names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
    return s;
}

// The statement a row needs, with no SQL for a row with nothing to write (an
// unchanged row, or one appended and deleted again before any save).
Statement StatementFor(HWND grid, const LoadedTable& t, int row, SaveOutcome& out) {
    const int state = RowModified(grid, row);
    const bool loaded = row <= t.loadedRows();
    Statement s;
    if (state == TABRIX_ROW_DELETED) {
        if (!loaded) return s;
        ++out.deleted;
        s.sql = "DELETE FROM " + t.table;
        AddKeyCondition(t, row, &s);
    } else if (state == TABRIX_ROW_APPENDED || (state == TABRIX_ROW_MODIFIED && !loaded)) {
        ++out.inserted;
        s = Insert(grid, t, row);
    } else if (state == TABRIX_ROW_MODIFIED) {
        s = Update(grid, t, row);
        if (!s.sql.empty()) ++out.updated;
    }
    return s;
}

}  // namespace

SaveOutcome SaveGrid(HWND grid, Database& db, const LoadedTable& loaded) {
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
        const Statement s = StatementFor(grid, loaded, row, out);
        std::string error;
        if (s.sql.empty() || ExecChange(db, s.sql, s.values, &error)) continue;
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
