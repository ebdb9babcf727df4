// Access database files created, compacted and repaired by the Access
// driver through the ODBC installer; the library only composes the request.
#pragma once

#include <cstdint>

namespace tabrix {

// Each answers the installer's success flag (1 or 0), or 0 without calling
// it when the attribute string does not fit the request buffer.
int32_t CreateAccessFile(const char* keyword, const char* path);
int32_t CompactAccessFile(const char* source, const char* target);
int32_t RepairAccessFile(const char* source, const char* target);

}  // namespace tabrix
