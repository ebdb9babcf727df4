// The details of the latest ODBC failure, one record for the whole process:
// hosts fetch them with argument-less calls right after the failing one, so
// nothing but a new failure may change them.
#pragma once

#include <windows.h>
#include <sql.h>

#include <cstdint>

namespace tabrix {

struct OdbcLastError {
    SQLCHAR sqlState[6];
    SQLINTEGER nativeError;
    SQLCHAR text[10000];
    SQLSMALLINT textLength;  // as the driver manager reported it, possibly beyond the text kept
};

const OdbcLastError& LastOdbcError();

// Keeps diagnostic record 1 of the handle. A valid handle without one (no
// data) leaves the previous failure in place; a handle the driver manager
// does not know becomes a usage error, so the host never reads an earlier
// failure as this one.
void RecordDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// A failure the library finds itself, with no driver record behind it:
// a negative native code and a text that begins with the failure's name.
void RecordUsageError(int32_t nativeError, const char* text);

inline bool OdbcSucceeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// A driver manager that faults on a handle it never gave out (a random
// integer, -1) answers the fault's status cut to 16 bits (5 for an access
// violation) under some platforms: hosts are told the handle is invalid.
inline SQLRETURN KnownCode(SQLRETURN rc) {
    switch (rc) {
        case SQL_SUCCESS: case SQL_SUCCESS_WITH_INFO: case SQL_STILL_EXECUTING: case SQL_NEED_DATA:
        case SQL_NO_DATA: case SQL_ERROR:
            return rc;
        default:
            return SQL_INVALID_HANDLE;
    }
}

}  // namespace tabrix
