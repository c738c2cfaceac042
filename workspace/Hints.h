#pragma once
// Input hints: the tool tip on every option button and input field that says
// what to enter. The View menu's check item "入力領域の説明" switches all of
// them on or off together. Labels, frames and result cells carry no hint.

#include "ControlInventory.h"

namespace quorvel {

// Sets every input control's hint from the hint table when the View item is
// checked, and "" when it is not, in the fixed order of the controls.
void SetToolTips(ControlInventory& controls);

} // namespace quorvel
