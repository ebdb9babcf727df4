#include "odbc/access_files.h"

#include <windows.h>
#include <odbcinst.h>

#include <cstring>
#include <string>

namespace tabrix {

namespace {

constexpr char kAccessDriver[] = "Microsoft Access Driver (*.MDB)";
constexpr size_t kRequestSize = 2048;

// The installer reads a list of attributes ending in two NULs: the string
// and its terminator must leave one more byte of the buffer free.
int32_t Configure(char (&request)[kRequestSize], const std::string& attributes) {
    if (attributes.size() > kRequestSize - 2) return 0;
    memset(request, 0, sizeof request);
    memcpy(request, attributes.data(), attributes.size());
    return SQLConfigDataSource(nullptr, ODBC_ADD_DSN, kAccessDriver, request) ? 1 : 0;
}

std::string Text(const char* text) { return text ? text : ""; }

// The paths go in as given: the driver splits its two paths at the space.
std::string Maintenance(const char* verb, const char* source, const char* target) {
    const std::string from = Text(source);
    const std::string to = Text(target);
    return std::string(verb) + "=" + from + " " + (to.empty() ? from : to);
}

}  // namespace

int32_t CreateAccessFile(const char* keyword, const char* path) {
    static char request[kRequestSize];
    return Configure(request, Text(keyword) + "=\"" + Text(path) + "\"");
}

int32_t CompactAccessFile(const char* source, const char* target) {
    static char request[kRequestSize];
    return Configure(request, Maintenance("COMPACT_DB", source, target));
}

int32_t RepairAccessFile(const char* source, const char* target) {
    static char request[kRequestSize];
    return Configure(request, Maintenance("REPAIR_DB", source, target));
}

}  // namespace tabrix
