// The code page of the texts the flat ODBC wrappers take and give, for the
// whole process: the ANSI code page (the default) or UTF-8, which goes to
// the driver manager's wide entry points.
#pragma once

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <string>

namespace tabrix {

// odbcSetCodePage: 0 or CP_UTF8; 0 for another value.
int SetOdbcCodePage(int codePage);
bool OdbcTextsUtf8();

// A UTF-8 text as the wide entry points take it.
std::basic_string<SQLWCHAR> OdbcWide(const char* text);
// `units` wide characters as UTF-8 into `out`, whole characters within
// `room` bytes and a terminator; answers the bytes written.
size_t OdbcNarrow(const SQLWCHAR* units, size_t count, char* out, size_t room);

}  // namespace tabrix
