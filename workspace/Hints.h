#pragma once
// Input hints: the tool tip on every option button and input field that says
// what to enter. The View menu's check item "入力領域の説明" switches all of
// them on or off together. Labels, frames and result cells carry no hint.

#include "workspace/ControlInventory.h"

#include <functional>

namespace quorvel {

// Every input control with its hint text, whether or not the hints are on:
// the row count, then each section's options, fill factor and fields.
using HintVisitor = std::function<void(QWidget& control, const QString& hint)>;
void ForEachHint(const ControlInventory& controls, const HintVisitor& visit);

// Sets every input control's hint from the hint table when the View item is
// checked, and "" when it is not, in the fixed order of the controls.
void SetToolTips(ControlInventory& controls);

} // namespace quorvel
