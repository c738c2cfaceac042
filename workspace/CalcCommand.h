#pragma once
// The Calc command on the main window (F5, the toolbar's "Calc").
//
// Reads the texts and options of the five sections into a TableDescription,
// hands it to the calculation core (TableEstimate.h), which checks it and
// runs the estimates, and writes every finished section's figures into the
// result cells, then the four totals. Refused input and failed estimates are
// reported in a message box; a failure leaves later sections and the totals
// as they were.

#include "calc/TableEstimate.h"

namespace quorvel {

struct ControlInventory;
struct PlatformServices;

// The window's inputs as the calculation sees them.
TableDescription ReadTableDescription(const ControlInventory& controls);

// Writes the figures of every section the estimate finished into its result
// cells ("#,##0 "; a section without its index shows "0 " everywhere), and the
// totals when every section finished. Cells of sections it did not reach keep
// their texts.
void ShowFigures(ControlInventory& controls, const TableEstimate& estimate);

// True when every section was estimated and the totals are shown.
bool RunCalcCommand(ControlInventory& controls, TableEstimator& estimator, const PlatformServices& services);

// Shows a table as the user would enter it: each section's option selected as
// a click does, every text written whole, every result cell at its starting
// "0 " until the next run, tab 0. The field that had the focus takes its
// leaving steps first, on its old text; the focus then waits on the tab strip,
// so that no field's entry steps reformat a text as it was given.
void ShowTableDescription(ControlInventory& controls, const TableDescription& table);

} // namespace quorvel
