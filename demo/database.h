// The demo's data source: an ODBC connection, the sample database made on
// first run, and the small SQL helpers the save uses.
#pragma once

#include <string>

#include "tabrix32.h"

namespace demo {

struct Database {
    ODBCHANDLE env = -1;
    ODBCHANDLE dbc = -1;
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

// A value as an SQL literal: NULL for an empty cell, else a quoted string
// with its quotes doubled, which every database converts to the column type.
std::string SqlLiteral(const std::string& value);

// Runs a statement that changes rows; false when it failed or touched none.
bool ExecChange(const Database& db, const std::string& sql, std::string* error);

}  // namespace demo
