#pragma once
// Field editing: what the input fields do as the focus comes and goes and as
// keys are typed.
//
// While a field has the focus it shows plain digits ("###0") under a tighter
// length limit, its text is selected on entry and the Cut, Copy and Paste
// commands are available. When the focus leaves, the limit is raised again
// (by 2 for the row count, by 1 elsewhere, so it never creeps upwards over
// repeated visits), a number is shown grouped ("#,##0") and anything else
// becomes "0". Fill factors keep their text and limit on entry; on leaving,
// more than 100 becomes "100" and a text that is no number "0". Only digits
// and Backspace can be typed. Range checks with messages belong to the
// validation before a run, not here.

#include "workspace/ControlInventory.h"

namespace quorvel {

// Selects the whole text of the field.
void SetTextSel(QLineEdit& field);

// Enables or disables the Cut, Copy and Paste commands, their toolbar
// buttons and menu items together.
void SetEditEnabled(ControlInventory& controls, bool enabled);

// The events of every input field, given the field's array and index.
void FieldGotFocus(ControlInventory& controls, FieldRef field);
// The typed-character filter shared by every field: Backspace (8) and the
// digits (48-57) pass, every other code is replaced by 0 (dropped).
void FieldKeyPress(int& keyAscii);
void FieldLostFocus(ControlInventory& controls, FieldRef field);

// Connects every input field of the window to the three procedures above.
void WireFieldEditing(ControlInventory& controls);

// The length limit of a field as the window is built, before it first has the focus.
int BuiltLengthLimit(FieldRef field);

} // namespace quorvel
