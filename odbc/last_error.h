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

// Keeps diagnostic record 1 of the handle. A handle without one (no data,
// invalid handle) leaves the previous failure in place.
void RecordDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// A failure the library finds itself, with no driver record behind it:
// a negative native code and a text that begins with the failure's name.
void RecordUsageError(int32_t nativeError, const char* text);

inline bool OdbcSucceeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

}  // namespace tabrix
