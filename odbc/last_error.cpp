#include "odbc/last_error.h"

#include <cstring>

namespace tabrix {

namespace {
OdbcLastError lastError;
}

const OdbcLastError& LastOdbcError() { return lastError; }

void RecordDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    // Read into a scratch record: a driver manager may touch the buffers
    // even when it has no record to give, and the kept failure must survive.
    static OdbcLastError scratch;
    const SQLRETURN rc = SQLGetDiagRec(handleType, handle, 1, scratch.sqlState, &scratch.nativeError, scratch.text,
                                       sizeof scratch.text, &scratch.textLength);
    if (OdbcSucceeded(rc)) {
        lastError = scratch;
    } else if (KnownCode(rc) == SQL_INVALID_HANDLE) {
        RecordUsageError(SQL_INVALID_HANDLE, "USAGE_ERROR_INVALID_HANDLE: the handle is freed or of another kind");
    }
}

void RecordUsageError(int32_t nativeError, const char* text) {
    lastError.nativeError = nativeError;
    const size_t length = strnlen(text, sizeof lastError.text - 1);
    memcpy(lastError.text, text, length);
    lastError.text[length] = 0;
    lastError.textLength = static_cast<SQLSMALLINT>(length);
}

}  // namespace tabrix
