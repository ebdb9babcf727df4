// Writing a grid's edits back to the table it was loaded from.
#pragma once

#include <string>
#include <vector>

#include "demo/database.h"

namespace demo {

// A result column: its name, and its type as the driver described it, which
// the save binds its values with.
struct Column {
    std::string name;
    SQLSMALLINT sqlType;
    SQLULEN size;
    SQLSMALLINT digits;
};

// What the save needs to know about the loaded query: the table, its
// columns in grid order, and every loaded cell's text. The texts tell which
// cells the user changed, and keep a deleted row's key, whose cells no
// longer hold it.
struct LoadedTable {
    std::string table;
    std::vector<Column> columns;       // columns[0] is grid column 1
    int keyCol = 1;
    std::vector<std::vector<std::string>> texts;  // texts[row - 1][col - 1]
    std::vector<int> checkBoxCols;     // grid columns shown as check boxes
    int loadedRows() const { return static_cast<int>(texts.size()); }
};

struct SaveOutcome {
    bool saved = false;
    int updated = 0, inserted = 0, deleted = 0;
    std::string message;  // the failure, naming the row it stopped at
};

// Updates the changed cells of modified rows, inserts appended rows and
// deletes deleted ones in one transaction; any failure rolls everything back.
SaveOutcome SaveGrid(HWND grid, Database& db, const LoadedTable& loaded);

}  // namespace demo
