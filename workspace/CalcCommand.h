#pragma once
// The Calc command on the main window (F5, the toolbar's "Calc").
//
// Reads the texts and options of the five sections into TableTexts, asks the
// shared run (CalcRun.h) whether they may be used, feeds the engine and
// writes every finished section's figures into the result cells, then the
// four totals. Refused input and failed estimates are reported in a message
// box; a failure leaves later sections and the totals as they were.

#include "CalcRun.h"

class QWidget;

namespace quorvel {

struct ControlInventory;
struct PlatformServices;

// The window's inputs as the run sees them.
TableTexts ReadTableTexts(const ControlInventory& controls);

void RunCalcCommand(ControlInventory& controls, basSQLSIZE& engine, const PlatformServices& services);

} // namespace quorvel
