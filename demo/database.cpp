#include "demo/database.h"

#include <vector>

#include "demo/resource.h"

namespace demo {
namespace {

std::string LastOdbcMessage(const char* fallback) {
    const char* text = odbcGetErrMsg();
    return text && *text ? text : fallback;
}

// The script is linked into the program, so the demo runs from any folder.
std::string SampleScript() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_SAMPLE_SQL), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(nullptr, found)) : std::string();
}

// Drivers take one statement per call: the script ends each with ";" at the
// end of a line, and "--" starts a comment line.
std::vector<std::string> SplitStatements(const std::string& script) {
    std::vector<std::string> statements;
    std::string current;
    size_t start = 0;
    while (start < script.size()) {
        size_t end = script.find('\n', start);
        if (end == std::string::npos) end = script.size();
        std::string line = script.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty() || line.compare(0, 2, "--") == 0) continue;
        current += line + "\n";
        if (line.back() == ';') {
            statements.push_back(current);
            current.clear();
        }
    }
    return statements;
}

bool RunScript(const Database& db, const std::string& script, std::string* error) {
    const std::vector<std::string> statements = SplitStatements(script);
    if (statements.empty()) {
        *error = "the sample script is missing from the program";
        return false;
    }
    for (const std::string& sql : statements) {
        const ODBCHANDLE stmt = odbcSQLExec(db.dbc, sql.c_str());
        if (stmt == -1) {
            *error = "sample script: " + LastOdbcMessage("a statement failed");
            return false;
        }
        odbcFreeStmt(stmt);
    }
    return true;
}

}  // namespace

std::string NativePath(const std::string& windowsPath) {
    // Wine's kernel32 has this extra export; Windows has not, and needs none.
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return windowsPath;
    std::wstring wide(windowsPath.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    if (n <= 0) return windowsPath;
    char* unixPath = toUnix(wide.c_str());
    if (!unixPath) return windowsPath;
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);  // Wine allocates it on the process heap
    return result;
}

bool Connect(Database& db, const std::string& connection, std::string* error) {
    if (db.env == -1) db.env = odbcAllocEnv();
    if (db.env == -1) {
        *error = "ODBC is not available: " + LastOdbcMessage("no environment");
        return false;
    }
    db.dbc = odbcConnect(db.env, connection.c_str());
    if (db.dbc == -1) *error = "cannot connect: " + LastOdbcMessage("the driver gave no reason");
    return db.Open();
}

void Disconnect(Database& db) {
    if (db.dbc != -1) {
        odbcDisconnect(db.dbc);
        odbcFreeDB(db.dbc);
        db.dbc = -1;
    }
    if (db.env != -1) {
        odbcFreeEnv(db.env);
        db.env = -1;
    }
}

bool OpenSampleDatabase(Database& db, const std::string& windowsPath, std::string* error) {
    const bool fresh = GetFileAttributesA(windowsPath.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (!Connect(db, "DRIVER=SQLite3;Database=" + NativePath(windowsPath), error)) return false;
    if (!fresh || RunScript(db, SampleScript(), error)) return true;
    // A half-made file would be taken as complete on the next start.
    Disconnect(db);
    DeleteFileA(windowsPath.c_str());
    return false;
}

std::string SqlLiteral(const std::string& value) {
    if (value.empty()) return "NULL";
    std::string quoted = "'";
    for (char c : value) {
        if (c == '\'') quoted += '\'';
        quoted += c;
    }
    return quoted + "'";
}

bool ExecChange(const Database& db, const std::string& sql, std::string* error) {
    const ODBCHANDLE stmt = odbcSQLExec(db.dbc, sql.c_str());
    if (stmt == -1) {
        // The wrapper answers -1 for "no data" too, which some drivers give
        // for a searched change that found no row.
        const char* text = odbcGetErrMsg();
        *error = text && *text ? text : "the row was changed or removed by someone else";
        return false;
    }
    // Other drivers succeed and count no row: the same conflict.
    const int touched = odbcRowsAffected(stmt);
    odbcFreeStmt(stmt);
    if (touched == 0) *error = "the row was changed or removed by someone else";
    return touched != 0;
}

}  // namespace demo
