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

#include "ControlInventory.h"

namespace quorvel {

// Selects the whole text of the field.
void SetTextSel(QLineEdit& field);

// Enables or disables the toolbar buttons "Cut", "Copy", "Paste" and the Edit
// menu items 2, 3 and 4 together.
void SetEditEnabled(ControlInventory& controls, bool enabled);

// The typed-character filter shared by every field: Backspace (8) and the
// digits (48-57) pass, every other code is replaced by 0 (dropped).
void FilterFieldKey(int& keyAscii);

void txtData_GotFocus(ControlInventory& controls, int index);
void txtData_KeyPress(int index, int& keyAscii);
void txtData_LostFocus(ControlInventory& controls, int index);

void txtData1_GotFocus(ControlInventory& controls, int index);
void txtData1_KeyPress(int index, int& keyAscii);
void txtData1_LostFocus(ControlInventory& controls, int index);

void txtData2_GotFocus(ControlInventory& controls, int index);
void txtData2_KeyPress(int index, int& keyAscii);
void txtData2_LostFocus(ControlInventory& controls, int index);

void txtFillFactor_GotFocus(ControlInventory& controls, int index);
void txtFillFactor_KeyPress(int index, int& keyAscii);
void txtFillFactor_LostFocus(ControlInventory& controls, int index);

// Length limits as the window is built, before a field first has the focus.
int BuiltLengthLimit_txtData(int index);
int BuiltLengthLimit_txtData2(int index);
inline constexpr int kBuiltLengthLimit_txtData1 = 5;
inline constexpr int kFillFactorLengthLimit = 3;

} // namespace quorvel
