// The demo's main window: a menu, a grid filled from a query, and a status
// bar with the row count, the current cell, the latest notification and the
// latest message.
#pragma once

#include <string>

namespace demo {

struct Options {
    std::string connection;  // empty: the sample database
    std::string database;    // the sample database file (a Windows path)
    std::string sql = "SELECT id, name, category, quantity, price, in_stock, supplier FROM products ORDER BY id";
    std::string table = "products";  // where Save writes; the first column is the key
    std::string screenshot;          // a PNG to write, after which the program ends
    std::string script;              // user actions to play, for the end-to-end test
};

// Runs the program; answers its exit code.
int RunMainWindow(const Options& options);

}  // namespace demo
