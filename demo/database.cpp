#include "demo/database.h"

#include <sqlext.h>

#include <algorithm>

#include "demo/resource.h"
#include "demo/wide.h"

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

namespace {

std::string DiagnosticText(SQLSMALLINT type, SQLHANDLE handle, std::string* state) {
    SQLWCHAR code[6] = {0}, text[1024] = {0};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, 1, code, &native, text, 1024, &length))) return "";
    if (state) *state = Utf8(reinterpret_cast<wchar_t*>(code));
    return Utf8(reinterpret_cast<wchar_t*>(text));
}

// Bound buffers must live until the statement has run.
SQLRETURN BindAndRun(SQLHSTMT stmt, const std::vector<Value>& values, bool wide) {
    std::vector<std::wstring> units(values.size());
    std::vector<SQLLEN> lengths(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        const Value& v = values[i];
        units[i] = Wide(v.text);
        const SQLPOINTER data = wide ? static_cast<SQLPOINTER>(const_cast<wchar_t*>(units[i].c_str()))
                                     : static_cast<SQLPOINTER>(const_cast<char*>(v.text.c_str()));
        const SQLLEN bytes = static_cast<SQLLEN>(wide ? units[i].size() * sizeof(wchar_t) : v.text.size());
        lengths[i] = v.null ? SQL_NULL_DATA : bytes;
        // Some drivers check a character value against the size it is bound with.
        const SQLULEN size = std::max<SQLULEN>({v.size, static_cast<SQLULEN>(units[i].size()), 1});
        const SQLRETURN rc = SQLBindParameter(stmt, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT,
                                              wide ? SQL_C_WCHAR : SQL_C_CHAR, v.sqlType, size, v.digits, data,
                                              bytes, &lengths[i]);
        if (!SQL_SUCCEEDED(rc)) return rc;
    }
    return SQLExecute(stmt);
}

// The PostgreSQL ANSI driver, for one, takes the binding and refuses the
// wide value when the statement runs, before anything reaches the server.
bool RefusedWide(SQLHSTMT stmt) {
    std::string state;
    DiagnosticText(SQL_HANDLE_STMT, stmt, &state);
    return state == "HYC00" || state == "HY003" || state == "07006";
}

}  // namespace

bool ExecChange(Database& db, const std::string& sql, const std::vector<Value>& values, std::string* error) {
    const SQLHDBC dbc = reinterpret_cast<SQLHDBC>(db.dbc);
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt))) {
        *error = DiagnosticText(SQL_HANDLE_DBC, dbc, nullptr);
        return false;
    }
    std::wstring text = Wide(sql);
    SQLRETURN rc = SQLPrepareW(stmt, reinterpret_cast<SQLWCHAR*>(&text[0]), static_cast<SQLINTEGER>(text.size()));
    if (SQL_SUCCEEDED(rc)) rc = BindAndRun(stmt, values, db.wideValues);
    if (rc == SQL_ERROR && db.wideValues && RefusedWide(stmt)) {
        db.wideValues = false;
        SQLFreeStmt(stmt, SQL_RESET_PARAMS);
        rc = BindAndRun(stmt, values, false);
    }
    // A searched change that found no row answers "no data" on some drivers
    // and counts no row on others: either way a conflict.
    SQLLEN touched = 0;
    if (SQL_SUCCEEDED(rc)) SQLRowCount(stmt, &touched);
    if (rc != SQL_NO_DATA && !SQL_SUCCEEDED(rc)) {
        *error = DiagnosticText(SQL_HANDLE_STMT, stmt, nullptr);
        if (error->empty()) *error = "the driver gave no reason";
    } else if (touched == 0) {
        *error = "the row was changed or removed by someone else";
    }
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return SQL_SUCCEEDED(rc) && touched != 0;
}

}  // namespace demo
