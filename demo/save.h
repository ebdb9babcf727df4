// Writing a grid's edits back to the table it was loaded from.
#pragma once

#include <string>
#include <vector>

#include "demo/database.h"

namespace demo {

// What the save needs to know about the loaded query: the table, its
// columns in grid order, and each loaded row's key. Keys are kept at load
// time because a deleted row's cells no longer hold its values.
struct LoadedTable {
    std::string table;
    std::vector<std::string> columns;  // columns[0] is grid column 1
    int keyCol = 1;
    std::vector<std::string> keys;     // keys[row - 1] for rows 1..loadedRows
    std::vector<int> checkBoxCols;     // grid columns shown as check boxes
    int loadedRows() const { return static_cast<int>(keys.size()); }
};

struct SaveOutcome {
    bool saved = false;
    int updated = 0, inserted = 0, deleted = 0;
    std::string message;  // the failure, naming the row it stopped at
};

// Updates modified rows, inserts appended ones and deletes deleted ones in
// one transaction; any failure rolls everything back.
SaveOutcome SaveGrid(HWND grid, const Database& db, const LoadedTable& loaded);

}  // namespace demo
