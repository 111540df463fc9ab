#pragma once
// The current supplier: read from `aktuell.dat`, changed through the list
// or without dialog, and the maintenance dates of its record.

#include <string>
#include <vector>

namespace dn {

struct Session;

// Reads `aktuell.dat` (created with supplier 1 when missing) and sets
// `CurrentSupplier`, `ArticlePrefix`, `DnVersion`, the caption and the
// supplier's path and flags.
void ReadCurrentSupplier(Session& s);
// Loads the supplier table and reads the current supplier again, as
// another program (or the command line) may have changed either since the
// set-up. Returns whether the version or the caption changed, so that the
// window can update its menu. Does nothing before the set-up loaded the
// table.
bool RefreshCurrentSupplier(Session& s);
// Writes the number to `aktuell.dat` and sets number, prefix, version and
// caption (steps 3 to 5 of reading).
void SetCurrentSupplier(Session& s, int number);
// The list "Wechsel des aktuellen Lieferanten" (commands 25, 38, 44, 55).
// Returns false when the list was cancelled.
bool ChangeSupplierByList(Session& s);
// The list "Liste der Lieferanten": returns the chosen number, or `preset`
// on cancel.
int ChooseSupplierFromList(Session& s, int preset, bool large);
// The 99 lines of the supplier lists.
std::vector<std::string> supplierListLines(const Session& s);
// Enters a "ddmmyy" date as the newest maintenance date of the current
// supplier.
void RecordMaintenanceDate(Session& s, const std::string& ddmmyy);
// "DATANORM: " + the supplier display line of the current supplier.
std::string CurrentSupplierDisplayLine(const Session& s);

}  // namespace dn
