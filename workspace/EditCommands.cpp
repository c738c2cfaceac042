#include "workspace/EditCommands.h"

#include "platform/PlatformServices.h"
#include "workspace/SectionModes.h"

namespace quorvel {
namespace {

const QString kZero = QStringLiteral("0");
const QString kZeroCell = QStringLiteral("0 ");

// The control that has the focus in the main window, when it is a text box.
InputTextBox* ActiveTextBox(const ControlInventory& controls) {
    return qobject_cast<InputTextBox*>(controls.frmMain->focusWidget());
}

} // namespace

void RunEditCommand(ControlInventory& controls, ClipboardService& clipboard, EditCommand command) {
    switch (command) {
    case EditCommand::Clear:
        ClearWorkspace(controls);
        break;
    case EditCommand::Cut:
        CutSelection(controls, clipboard);
        break;
    case EditCommand::Copy:
        CopySelection(controls, clipboard);
        break;
    case EditCommand::Paste:
        PasteClipboard(controls, clipboard);
        break;
    }
}

void ClearWorkspace(ControlInventory& controls) {
    SelectMode(controls, kDataSection, KeyMode::WithVariable);
    SelectMode(controls, kClusteredSection, KeyMode::None);
    for (std::size_t i = 0; i < 9; ++i) {
        controls.txtData[i]->SetText(kZero);
        controls.txtData2[i]->SetText(kZero);
    }
    for (int s = kFirstNonClusteredSection; s < kSectionCount; ++s) {
        SelectMode(controls, s, KeyMode::None);
        controls.Section(s).allFixedBytes->SetText(kZero);
    }
    for (QLabel* cell : controls.lblData)
        cell->setText(kZeroCell);
    for (QLabel* cell : controls.lblLevel)
        cell->setText(kZeroCell);
    for (std::size_t i = 0; i < 4; ++i) {
        controls.txtFillFactor[i]->SetText(kZero);
        controls.lblTotal[i]->setText(kZeroCell);
    }
    // Raises the tab logic only when another tab was showing.
    controls.tabMain->setCurrentIndex(0);
    // Runs the leaving steps of the field that had the focus and the entry
    // steps of txtData(0); nothing when txtData(0) already had it.
    controls.txtData[0]->setFocus(Qt::OtherFocusReason);
    controls.sbStatusBarPanel1->setText(QString());
}

void CutSelection(ControlInventory& controls, ClipboardService& clipboard) {
    InputTextBox* field = ActiveTextBox(controls);
    if (!field)
        return;
    clipboard.SetText(field->selectedText());
    field->ReplaceSelection(QString());
}

void CopySelection(ControlInventory& controls, ClipboardService& clipboard) {
    if (InputTextBox* field = ActiveTextBox(controls))
        clipboard.SetText(field->selectedText());
}

void PasteClipboard(ControlInventory& controls, ClipboardService& clipboard) {
    // The pasted text passes no key filter; the length limit still caps it and
    // the field normalises it when the focus leaves.
    if (InputTextBox* field = ActiveTextBox(controls))
        field->ReplaceSelection(clipboard.Text());
}

} // namespace quorvel
