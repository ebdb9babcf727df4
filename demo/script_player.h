// A test hook, not part of the example: `--script FILE` plays a list of
// user actions into the running program through real input and ends it with
// an exit code, so an end-to-end test can drive the demo as a person would.
//
// One step a line; blank lines and lines starting with '#' are skipped.
//   click ROW COL          a left click on a cell; ROW "new" is the
//                          new-record row, COL 0 the row header
//   dblclick ROW COL       a double click (on the row header: selects the row)
//   key [ctrl+|shift+]NAME a key press: a letter, or enter, tab, escape,
//                          delete, backspace, up, down, left, right, home,
//                          end, f3
//   type TEXT              typed, a character a tick; \t is Tab, \n is Enter;
//                          UTF-8, characters no key gives sent as Unicode
//                          input (as an input method does)
//   menu LABEL             chooses the menu item with that label ("Save",
//                          "Undo row"); a greyed item fails the step
//   dialog TITLE           a message box with that title is up: its text goes
//                          to standard error and Enter closes it
//   signal FILE / wait FILE  makes FILE / waits for it, so the test can change
//                          the database while the program runs
//   expect cell ROW COL TEXT | rows N | state ROW N | current ROW COL |
//          message TEXT    the status bar's message contains TEXT
// The program exits with 0 after the last step, 3 at the first step that
// failed (reported on standard error).
#pragma once

#include <windows.h>

#include <string>

namespace demo {

struct ScriptTarget {
    HWND window;  // the main window, with the menu
    HWND grid;
    HWND status;  // its last part holds the program's messages
    int messagePart;
};

// Reads FILE and starts playing it once the message loop runs; false with
// the reason when the file cannot be read or holds an unknown step.
bool StartScript(const std::string& file, const ScriptTarget& target, std::string* error);

}  // namespace demo
