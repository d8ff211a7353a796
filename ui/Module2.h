// The process-wide values every window shares, and the window routines they have in common.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "data/Connection.h"

namespace Module2 {

// The one database connection of the process: opened at start-up, never closed.
::Connection& Connection();

// The connection string the connection was opened with.
std::string& ConnString();

// The master data window's current kind: "1" expense categories, "2" income sources; empty until it opens.
QString& MasterType();

}  // namespace Module2

class ChildWindow;
class ListView;
class QLineEdit;
class Recordset;
class SimpleCombo;

namespace Module2 {

// Fills the combo box from a query whose column 0 is the record number and column 1 the name, in the
// query's order. A failure is shown with its description (no icon); entries added so far stay.
void FillCombo(SimpleCombo& combo, std::string_view query);

// Places the window at the middle of the screen's width and a sixth of the free height down.
void CenterForm(ChildWindow& window);

// Empties the box when its text is not a number the program keeps exactly, written with the user's decimal
// mark, or is below zero.
void CheckNumeric(QLineEdit& box);

// Shows the result set's rows in the list: rewinds it, empties the list, appends one row per record with
// fields 0 to columnCount-1. Failing steps are skipped silently; a closed result set leaves the list empty.
void FillListView(ListView& list, Recordset& records, unsigned char columnCount, unsigned char image);

}  // namespace Module2
