#include "edit/edit_history.h"

namespace tabrix {

void ForgetEditHistory(const Grid& grid) {
    // A pending "row edited" would make the next move ask the host about a
    // row that is gone.
    grid.state->rowEdited = 0;
}

}  // namespace tabrix
