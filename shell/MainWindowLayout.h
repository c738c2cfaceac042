#pragma once
// Builds the main window's controls: menus, toolbar, status bar, the tabbed
// container with the five section frames and the totals frame, every input
// field, option button, caption and result cell, each named by its array and
// index (objectName "txtData(3)", "lblLevel(59)", toolbar buttons by key).
// Positions come in twips and are turned into pixels; only the frames are
// placed relative to the tab pages, whose top depends on the tab bar.
//
// The controls are left in the state the window is built in: tab 1 current,
// frames 1-4 disabled, data section with variable-length columns, no indexes,
// every field "0", every result "0 ", hints on. No handler is connected here;
// the window wires them once the inventory is complete.

#include "workspace/ControlInventory.h"

namespace quorvel {

class MainStatusBar;

void BuildMainWindowLayout(QMainWindow& window, ControlInventory& controls);

// The keyboard focus order of the inputs, then the tabbed container.
void SetMainWindowFocusOrder(ControlInventory& controls);

} // namespace quorvel
