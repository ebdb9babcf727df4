#include "support/string_helpers.h"

#include <cstdio>

#include "support/temp_string.h"

namespace tabrix {

const char* NumberText(double value) {
    char buffer[64];
    int len = snprintf(buffer, sizeof buffer, "% .15G", value);
    if (len < 0) len = 0;
    if (len >= static_cast<int>(sizeof buffer)) len = sizeof buffer - 1;
    return TempCopy(buffer, static_cast<size_t>(len));
}

}  // namespace tabrix
