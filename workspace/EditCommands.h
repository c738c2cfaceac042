#pragma once
// The Edit commands of the main window: Clear, which brings every input,
// mode, result, the current tab, the focus and the status text back to how
// the window opens, and Cut, Copy and Paste between the focused input field
// and the clipboard (plain text only). The menu items and the toolbar buttons
// "Clear", "Cut", "Copy", "Paste" all arrive at RunEditCommand.

#include "workspace/ControlInventory.h"

namespace quorvel {

class ClipboardService;

void RunEditCommand(ControlInventory& controls, ClipboardService& clipboard, EditCommand command);

void ClearWorkspace(ControlInventory& controls);
void CutSelection(ControlInventory& controls, ClipboardService& clipboard);
void CopySelection(ControlInventory& controls, ClipboardService& clipboard);
void PasteClipboard(ControlInventory& controls, ClipboardService& clipboard);

} // namespace quorvel
