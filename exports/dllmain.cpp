#include <windows.h>

#include "control/library_entry.h"
#include "edit/find_scan.h"
#include "edit/notify.h"
#include "grid/grid_arrays.h"
#include "grid/row_states.h"
#include "include/tabrix32.h"
#include "odbc/query_loader.h"
#include "support/answers.h"

// Hosts compare answers with the header's names and the library with its
// own: the two sets must not drift apart.
namespace tabrix {
static_assert(TABRIX_DONE == kDone && TABRIX_NOT_GRID == kNotGrid && TABRIX_NO_RECORDS == kNoRecords &&
              TABRIX_EDIT_REFUSED == kEditRefused);
static_assert(TABRIX_NOT_DEFINABLE == kNotDefinable && TABRIX_BAD_DEFINITION == kBadDefinition &&
              TABRIX_BAD_FIELD_TYPE == kBadFieldType && TABRIX_BAD_COLUMN_INDEX == kBadColumnIndex &&
              TABRIX_TOO_BIG == kTooBig && TABRIX_LOCKED == kLocked);
static_assert(TABRIX_STORED == kStored && TABRIX_BAD_CELL == kBadCell && TABRIX_TOO_LONG == kTooLong &&
              TABRIX_COULD_NOT_GROW == kCouldNotGrow);
static_assert(TABRIX_BAD_ROW == kBadRow && TABRIX_SHORT_RECORD == kShortRecord && TABRIX_NOT_STORED == kNotStored &&
              TABRIX_NO_ATTRIBUTES == kNoAttributes && TABRIX_OUTSIDE_GRID == kOutsideGrid);
static_assert(TABRIX_COLUMN_COUNT_MISMATCH == kColumnCountMismatch && TABRIX_TOO_MANY_COLUMNS == kTooManyColumns &&
              TABRIX_ROWS_SKIPPED == kRowsSkipped && TABRIX_LOAD_OUT_OF_MEMORY == kLoadOutOfMemory);
static_assert(TABRIX_FIELD_TEXT == FieldText && TABRIX_FIELD_CHECK == FieldCheck && TABRIX_FIELD_COMBO == FieldCombo);
static_assert(TABRIX_ROW_UNCHANGED == kRowUnchanged && TABRIX_ROW_MODIFIED == kRowModified &&
              TABRIX_ROW_APPENDED == kRowAppended && TABRIX_ROW_DELETED == kRowDeleted &&
              TABRIX_ROW_OUTSIDE == kRowOutside);
static_assert(TABRIX_FIND_EQUALS == kFindEquals && TABRIX_FIND_CONTAINS == kFindContains &&
              TABRIX_FIND_BEGINS == kFindBeginsWith);
}  // namespace tabrix

// The statically linked C++ runtime keeps a reserve (about 70 KB) for
// throwing when memory runs out, and nothing frees it at unload: a host that
// loads and unloads the library would lose that much each time.
namespace __gnu_cxx {
void __freeres() noexcept;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            tabrix::LibraryAttach(module);
            break;
        case DLL_PROCESS_DETACH:
            tabrix::LibraryDetach();
            // At process exit the memory goes with the process.
            if (!reserved) __gnu_cxx::__freeres();
            break;
    }
    return TRUE;
}
