// The demo's data source: an ODBC connection, the sample database made on
// first run, and the parameterised statement the save runs for each row.
#pragma once

#include <windows.h>
#include <sql.h>

#include <string>
#include <vector>

#include "tabrix32.h"

namespace demo {

struct Database {
    ODBCHANDLE env = -1;
    ODBCHANDLE dbc = -1;
    // Values go to the driver as UTF-16 until it refuses them; then as its
    // own bytes, UTF-8 for the UTF-8 databases the demo's grid shows.
    bool wideValues = true;
    bool Open() const { return dbc != -1; }
};

// The path a native ODBC driver can open. Under Wine the SQLite driver is the
// Unix one, which cannot open "Z:\..." paths; on Windows the path is unchanged.
std::string NativePath(const std::string& windowsPath);

// Connects with an ODBC connection string; false with the driver's message.
bool Connect(Database& db, const std::string& connection, std::string* error);
void Disconnect(Database& db);

// Opens the sample SQLite file, making it from the script the program
// carries when the file does not exist yet.
bool OpenSampleDatabase(Database& db, const std::string& windowsPath, std::string* error);

// A statement's value for one "?", in UTF-8, with its column's SQL type
// from the loaded query's description, so that the driver converts the text
// as the column needs.
struct Value {
    std::string text;
    bool null;
    SQLSMALLINT sqlType;
    SQLULEN size;
    SQLSMALLINT digits;
};

// Runs a statement that changes rows with its values bound as parameters,
// so no value is ever part of the SQL text; false when it failed or touched
// no row.
bool ExecChange(Database& db, const std::string& sql, const std::vector<Value>& values, std::string* error);

}  // namespace demo
