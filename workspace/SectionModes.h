#pragma once
// Section modes: which input fields of a section are open for input.
//
// Each section of the window (data rows, clustered index, nonclustered indexes
// 1-3) has a group of option buttons; the selected one is the section's mode
// and decides which of the section's fields are active (enabled, window-text
// colour) and which are dimmed (disabled, menu-bar colour). A mode choice
// changes nothing else: no text, no result, no field of another section.
// The tab logic enables only the frame of the tab on show, which takes every
// other section out of reach while its fields keep their own state.

#include "calc/TableEstimate.h"
#include "workspace/ControlInventory.h"

namespace quorvel {

// Option handlers, raised whenever an option of the group becomes the selected
// one (or is chosen again). Index is the option's control index; an index
// outside the group does nothing.
void optData_Click(ControlInventory& controls, int index);
void optClaster_Click(ControlInventory& controls, int index);
void optNonClaster_Click(ControlInventory& controls, int index);

// Selects the option of a section's mode as a click does: the option becomes
// the selected one, and its handler runs even when it already was.
void SelectMode(ControlInventory& controls, int section, KeyMode mode);

// Tab change: enables the frame of the current tab, then disables the frame of
// the tab shown before. The totals frame is never touched.
void tabMain_Click(ControlInventory& controls, int previousTab);

} // namespace quorvel
