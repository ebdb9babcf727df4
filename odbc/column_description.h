// A result column's description into the host's ColDesc record.
#pragma once

#include <windows.h>
#include <sql.h>

#include <cstdint>

#include "include/tabrix32.h"

namespace tabrix {

// 0 or 1 when described, -1 after keeping the failure.
int32_t DescribeColumn(SQLHSTMT stmt, SQLUSMALLINT column, ColDesc* desc);

// After a failed attribute call: whether the driver said it does not know
// the attribute (SQLSTATE HY091 or HYC00), rather than that the call broke.
// Drivers differ in the attributes they know, and a description must not
// stop at one of them.
bool AttributeUnsupported(SQLHSTMT stmt);

}  // namespace tabrix
