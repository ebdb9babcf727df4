// Number texts as the row header shows them, as pooled temporary strings.
#pragma once

namespace tabrix {

// "% .15G": a value that is not negative starts with a blank.
const char* NumberText(double value);

}  // namespace tabrix
