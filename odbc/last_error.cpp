#include "odbc/last_error.h"

#include <cstring>

#include "odbc/text_mode.h"

namespace tabrix {

namespace {
OdbcLastError lastError;
}

const OdbcLastError& LastOdbcError() { return lastError; }

void RecordDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    // Read into a scratch record: a driver manager may touch the buffers
    // even when it has no record to give, and the kept failure must survive.
    static OdbcLastError scratch;
    SQLRETURN rc;
    if (OdbcTextsUtf8()) {
        static SQLWCHAR state[6], text[sizeof scratch.text / 4];
        rc = SQLGetDiagRecW(handleType, handle, 1, state, &scratch.nativeError, text, sizeof text / sizeof text[0],
                            &scratch.textLength);
        if (OdbcSucceeded(rc)) {
            OdbcNarrow(state, 6, reinterpret_cast<char*>(scratch.sqlState), sizeof scratch.sqlState);
            OdbcNarrow(text, sizeof text / sizeof text[0], reinterpret_cast<char*>(scratch.text), sizeof scratch.text);
        }
    } else {
        rc = SQLGetDiagRec(handleType, handle, 1, scratch.sqlState, &scratch.nativeError, scratch.text,
                           sizeof scratch.text, &scratch.textLength);
    }
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
